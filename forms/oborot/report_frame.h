#pragma once

#include <memory>

#include "core/declaration_frame.h"
#include "core/wholesale/subdivision_section.h"
#include "forms/oborot/local_queries.h"
#include "forms/oborot/profile.h"

namespace forms::oborot {

class TurnoverRows;

class TZorvicOborotReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::oborot::kProfile;

    TZorvicOborotReport();
    ~TZorvicOborotReport() override;

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
    void closeBodySources() noexcept override;
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    std::unique_ptr<TurnoverRows> rows_;
    core::wholesale::SubdivisionSection section_;
};

}  // namespace forms::oborot
