#pragma once

#include "core/declaration_frame.h"
#include "core/retail/turnover_section.h"
#include "forms/roznbeer/local_queries.h"
#include "forms/roznbeer/profile.h"

namespace forms::roznbeer {

class TZorvicRoznBeerReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::roznbeer::kProfile;

    TZorvicRoznBeerReport();

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;
    host::LocalQuery qClientOborot;

protected:
    core::PrintDatasets printDatasets() override {
        return core::retailPrintDatasets(qResult, qResult, qClientSum, tblObosob, qClientOborot, *tblResultOborot);
    }

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum, &qClientOborot};
    }

    // The declaration body: producers and suppliers, then per subdivision the turnover with the
    // purchases from each supplier.
    void openBodySources() override;
    void closeBodySources() noexcept override;
    void writeReferenceBlock(core::DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    core::retail::TurnoverSection turnoverSection_;
};

}  // namespace forms::roznbeer
