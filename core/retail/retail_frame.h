// The frame of the retail declarations, forms 11 and 12.
#pragma once

#include <optional>

#include "core/declaration_file/grouped_walk.h"
#include "core/declaration_file/licences.h"
#include "core/declaration_file/open_datasets.h"
#include "core/declaration_file/reference_parts.h"
#include "core/declaration_file/turnover_figures.h"
#include "core/declaration_frame.h"

namespace core::retail {

// The local queries of a retail form over its purchase and turnover tables.
struct RetailQueries {
    const char* result;
    const char* clients;
    const char* manufacturers;
    const char* clientSum;
    const char* clientOborot;
};

// How forms 11 and 12 differ.
struct RetailForm {
    RetailQueries queries;
    // Form 11: suppliers are listed with their licences, and a supplier's purchases group by
    // licence day too, naming the licence.
    bool licensed;
    // Form 11: moves between subdivisions are declared.
    bool moves;
    ProducerRequisites producerRequisites;
    // Form 12: an entrepreneur's subdivisions are declared without a KPP.
    bool entrepreneurWithoutKpp;
    // Form 11: the print form reads the purchase table itself as "tblResult", not qResult.
    bool printsResultTable;
};

// Producers and suppliers, then per subdivision its turnover by product kind and producer; per
// producer its purchases from each supplier, then one movement element per turnover row.
class RetailFrame : public DeclarationFrame {
public:
    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;
    host::LocalQuery qClientOborot;

protected:
    RetailFrame(const FormProfile& profile, const RetailForm& form);

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum, &qClientOborot};
    }
    PrintDatasets printDatasets() override;
    void openBodySources() override;
    void closeBodySources() noexcept override { sources_.reset(); }
    void writeReferenceBlock(DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(DeclarationWriter& out, const FileContext& context) override;

private:
    void describeTurnover();
    void describePurchases();
    void writeArticle(DeclarationWriter& out, const host::Variant& articul, const host::Variant& netto) const;

    const RetailForm form_;
    LicenceList licences_;
    GroupedWalk turnover_;
    GroupedWalk purchases_;
    FigureWriter figures_;
    std::optional<OpenDatasets> sources_;
    // The options of the run being written.
    int decimals_ = 0;
    bool groupByArticul_ = false;
    bool onlyMove_ = false;
};

}  // namespace core::retail
