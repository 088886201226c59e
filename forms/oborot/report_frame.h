#pragma once

#include <optional>

#include "core/declaration_file/grouped_walk.h"
#include "core/declaration_file/open_datasets.h"
#include "core/declaration_file/turnover_figures.h"
#include "core/declaration_frame.h"
#include "forms/oborot/local_queries.h"
#include "forms/oborot/profile.h"

namespace forms::oborot {

class TZorvicOborotReport final : public core::DeclarationFrame {
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
    void openBodySources() override;
    void closeBodySources() noexcept override { sources_.reset(); }
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    core::GroupedWalk rows_;
    core::FigureWriter figures_;
    std::optional<core::OpenDatasets> sources_;
    int decimals_ = 0;
};

}  // namespace forms::oborot
