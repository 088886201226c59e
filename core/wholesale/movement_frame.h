#pragma once

#include <string>
#include <vector>

#include "core/declaration_frame.h"
#include "core/wholesale/movement_content.h"
#include "core/wholesale/reference_block.h"
#include "core/wholesale/subdivision_section.h"

namespace core::wholesale {

// How the purchase (07) and delivery (06) declarations differ: the names of their elements
// (windows-1251), the order of the reference block, and whether an empty quarter prints.
struct MovementForm {
    CounterpartyNames counterparties;
    MovementNames movements;
    std::vector<std::string> presenceFlags;  // the ordinary and the returns flag of a subdivision
    // Form 06 lists the recipients before the producers.
    bool counterpartiesFirst = false;
    // Form 07 orders its counterparties query by id; form 06 relies on the engine's order of a
    // select without an ordering clause (sorted by its columns, CL_ID first).
    bool counterpartiesOrderedById = false;
    // Form 07 prints nothing without purchases; form 06 prints an empty report.
    bool silentWhenEmpty = false;
};

// The frame of forms 07 and 06: producers and counterparties with their licences, then per
// subdivision the movements and returns by product kind, producer, counterparty and licence.
class MovementFrame : public DeclarationFrame {
public:
    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;

protected:
    // `form` must outlive the frame.
    MovementFrame(const FormProfile& profile, const MovementForm& form);

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum};
    }
    PrintDatasets printDatasets() override {
        return movementPrintDatasets(qResult, qClientSum, tblObosob, form_.silentWhenEmpty);
    }
    void openBodySources() override;
    void closeBodySources() noexcept override;
    void writeReferenceBlock(DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(DeclarationWriter& out, const FileContext& context) override;

private:
    const MovementForm& form_;
    MovementContent movements_;
    SubdivisionSection section_;
};

}  // namespace core::wholesale
