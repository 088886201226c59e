#pragma once

#include "core/declaration_frame.h"
#include "core/wholesale/movement_content.h"
#include "core/wholesale/subdivision_section.h"
#include "core/wholesale_queries.h"
#include "forms/buy/profile.h"

namespace forms::buy {

class TZorvicBuyReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::buy::kProfile;

    TZorvicBuyReport();

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;

protected:
    core::PrintDatasets printDatasets() override {
        return core::movementPrintDatasets(qResult, qClientSum, tblObosob, true);
    }

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum};
    }

    // The declaration body: producers and suppliers with their licences, then per subdivision
    // the purchases and returns by product kind, producer, supplier and licence.
    void openBodySources() override;
    void closeBodySources() noexcept override;
    void writeReferenceBlock(core::DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    core::wholesale::MovementContent movements_;
    core::wholesale::SubdivisionSection section_;
};

}  // namespace forms::buy
