// The frame of the purchase and delivery declarations, forms 07 and 06.
#pragma once

#include "core/declaration_file/counterparty_frame.h"
#include "core/declaration_file/day_text.h"
#include "core/declaration_file/form_names.h"

namespace core::wholesale {

// How forms 07 and 06 differ besides the names of their elements.
struct MovementForm {
    const names::Movements& names;
    // Form 06 lists the recipients before the producers.
    bool counterpartiesFirst = false;
    // Form 07 orders its counterparties query by id; form 06 relies on the engine's order of a
    // select without an ordering clause (sorted by its columns, CL_ID first).
    bool counterpartiesOrderedById = false;
    // Form 07 prints nothing without purchases; form 06 prints an empty report.
    bool silentWhenEmpty = false;
};

// Producers and counterparties with their licences, then per subdivision the movements and
// returns by product kind, producer, counterparty and licence.
class MovementFrame : public CounterpartyFrame {
protected:
    MovementFrame(const FormProfile& profile, const MovementForm& form);

    PrintDatasets printDatasets() override {
        return movementPrintDatasets(qResult, qClientSum, tblObosob, form_.silentWhenEmpty);
    }
    Sources bodySources() override { return {{&movements_}, {&tblObosob, &qClients, &qManufacturers}}; }
    void writeReferenceBlock(DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(DeclarationWriter& out, const FileContext& context) override;

private:
    void writeCounterparties(DeclarationWriter& out);

    const MovementForm form_;
    GroupedWalk movements_;
    DayText dayText_;
    int decimals_ = 0;
};

}  // namespace core::wholesale
