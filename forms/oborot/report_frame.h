#pragma once

// The form 05 frame class: balances, receipts and disposals per product kind and producer.

#include "core/declaration_file/body_frame.h"
#include "core/declaration_file/turnover_figures.h"
#include "forms/oborot/local_queries.h"
#include "forms/oborot/profile.h"

namespace forms::oborot {

class TZorvicOborotReport final : public core::BodyFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::oborot::kProfile;

    TZorvicOborotReport();

    host::LocalQuery qClientSum;

protected:
    // The turnover table is read directly; a quarter without turnover still prints its (empty)
    // report.
    core::PrintDatasets printDatasets() override {
        return {{{"tblResult", &tblResult}, {"qClientSum", &qClientSum}, {"tblObosob", &tblObosob}},
                {&tblResult, &qClientSum, &tblObosob},
                {&tblResult, &qClientSum, &tblObosob},
                nullptr};
    }

    std::vector<host::LocalQuery*> localQueries() override { return {&qClientSum}; }

    // The declaration body has no reference block: per subdivision the turnover by product kind,
    // one element with the producer and its figures per turnover row.
    Sources bodySources() override { return {{&rows_}, {&tblObosob}}; }
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    core::GroupedWalk rows_;
    core::FigureWriter figures_;
    int decimals_ = 0;
};

}  // namespace forms::oborot
