#pragma once

#include <string>
#include <vector>

#include "core/declaration_frame.h"
#include "core/retail/turnover_section.h"

namespace core::retail {

// The local queries of a retail form over its purchase and turnover tables.
struct RetailQueries {
    const char* result;
    const char* clients;
    const char* manufacturers;
    const char* clientSum;
    const char* clientOborot;
};

// The frame of forms 11 and 12: their queries, the turnover section of the declaration body with
// its sources, and the print form's datasets. Each form writes its own reference block and
// chooses how the section is written.
class RetailFrame : public DeclarationFrame {
public:
    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;
    host::LocalQuery qClientOborot;

protected:
    // `supplierKeys` and `movement` must outlive the frame. With `printsResultTable` the print
    // form reads the purchase table itself as "tblResult" (form 11), otherwise qResult.
    RetailFrame(const FormProfile& profile, const RetailQueries& queries, std::vector<GroupKey> supplierKeys,
                const std::vector<MovementFigure>& movement, bool printsResultTable);

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum, &qClientOborot};
    }
    PrintDatasets printDatasets() override;
    void openBodySources() override;
    void closeBodySources() noexcept override;

    TurnoverSection turnoverSection_;

private:
    bool printsResultTable_;
};

}  // namespace core::retail
