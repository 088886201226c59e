// The frame of the retail declarations, forms 11 and 12.
#pragma once

#include "core/declaration_file/counterparty_frame.h"
#include "core/declaration_file/day_text.h"
#include "core/declaration_file/reference_parts.h"
#include "core/declaration_file/turnover_figures.h"

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
    bool licensed = false;
    // Form 11: moves between subdivisions are declared.
    bool moves = false;
    ProducerRequisites producerRequisites = ProducerRequisites::Attributes;
    // Form 12: an entrepreneur's subdivisions are declared without a KPP.
    bool entrepreneurWithoutKpp = false;
    // Form 11: the print form reads the purchase table itself as "tblResult", not qResult.
    bool printsResultTable = false;
};

// Producers and suppliers, then per subdivision its turnover by product kind and producer; per
// producer its purchases from each supplier, then one movement element per turnover row.
class RetailFrame : public CounterpartyFrame {
public:
    host::LocalQuery qClientOborot;

protected:
    RetailFrame(const FormProfile& profile, const RetailForm& form);

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum, &qClientOborot};
    }
    PrintDatasets printDatasets() override;
    Sources bodySources() override {
        return {{&turnover_, &purchases_}, {&tblObosob, &qClients, &qManufacturers}};
    }
    void writeReferenceBlock(DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(DeclarationWriter& out, const FileContext& context) override;

private:
    void describeTurnover();
    void describePurchases();
    void writeArticle(DeclarationWriter& out, const host::Variant& articul, const host::Variant& netto) const;

    const RetailForm form_;
    GroupedWalk turnover_;
    GroupedWalk purchases_;
    FigureWriter figures_;
    DayText dayText_;
    // The options of the run being written.
    int decimals_ = 0;
    bool groupByArticul_ = false;
    bool onlyMove_ = false;
};

}  // namespace core::retail
