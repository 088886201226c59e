#pragma once

#include "core/declaration_frame.h"
#include "core/retail/turnover_section.h"
#include "forms/rozn/local_queries.h"
#include "forms/rozn/profile.h"

namespace forms::rozn {

class TZorvicRoznReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::rozn::kProfile;

    TZorvicRoznReport();

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;
    host::LocalQuery qClientOborot;

protected:
    // "tblResult" is the purchases table itself, which the report opens as it reads it.
    core::PrintDatasets printDatasets() override {
        return core::retailPrintDatasets(tblResult, qResult, qClientSum, tblObosob, qClientOborot, *tblResultOborot);
    }

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum, &qClientOborot};
    }

    // The declaration body: producers and suppliers with their licences, then per subdivision
    // the turnover with the purchases under each licence.
    void openBodySources() override;
    void closeBodySources() noexcept override;
    void writeReferenceBlock(core::DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    core::retail::TurnoverSection turnoverSection_;
};

}  // namespace forms::rozn
