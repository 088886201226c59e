#pragma once

#include "core/declaration_frame.h"
#include "core/wholesale/movement_content.h"
#include "core/wholesale/subdivision_section.h"
#include "core/wholesale_queries.h"
#include "forms/delivery/profile.h"

namespace forms::delivery {

class TZorvicDeliveryReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::delivery::kProfile;

    TZorvicDeliveryReport();

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;

protected:
    // A quarter without deliveries still prints its (empty) report.
    core::PrintDatasets printDatasets() override {
        return core::movementPrintDatasets(qResult, qClientSum, tblObosob, false);
    }

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum};
    }

    // The declaration body: recipients with their licences and producers, then per subdivision
    // the deliveries and returns by product kind, producer, recipient and licence.
    void openBodySources() override;
    void closeBodySources() noexcept override;
    void writeReferenceBlock(core::DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    core::wholesale::MovementContent movements_;
    core::wholesale::SubdivisionSection section_;
};

}  // namespace forms::delivery
