#include "core/wholesale/movement_frame.h"

#include "core/wholesale_queries.h"
#include "host/text/cp1251.h"

namespace core::wholesale {

MovementFrame::MovementFrame(const FormProfile& profile, const MovementForm& form)
    : DeclarationFrame(profile),
      qResult("qResult", movementRowsSql(profile.collection->resultTable), true),
      // The writer steps back in it and returns to its first row, so it holds its rows rather
      // than streaming them.
      qClients("qClients", counterpartiesSql(profile.collection->resultTable, true, form.counterpartiesOrderedById),
               false),
      qManufacturers("qManufacturers", producersSql(profile.collection->resultTable), true),
      qClientSum("qClientSum", counterpartySumsSql(profile.collection->resultTable), true),
      form_(form),
      movements_(form.movements),
      section_(profile.collection->resultTable, form.presenceFlags, movements_) {}

void MovementFrame::openBodySources() {
    try {
        // The movement table is read through the section's grouped reads.
        section_.prepare(tblResult.databaseName());
        tblObosob.open();
        qClients.open();
    } catch (...) {
        closeBodySources();
        throw;
    }
}

void MovementFrame::closeBodySources() noexcept {
    section_.close();
    qClients.close();
    try {
        tblObosob.close();
    } catch (...) {
        // Read only here: closing has nothing to write that could fail.
    }
}

void MovementFrame::writeReferenceBlock(DeclarationWriter& out, const FileContext&) {
    static const std::string kReferences = host::W("<Справочники>");
    static const std::string kReferencesEnd = host::W("</Справочники>");
    out.line(kReferences);
    if (form_.counterpartiesFirst) writeCounterparties(out, qClients, form_.counterparties);
    writeProducers(out, qManufacturers);
    if (!form_.counterpartiesFirst) writeCounterparties(out, qClients, form_.counterparties);
    out.line(kReferencesEnd);
}

void MovementFrame::writeDataSection(DeclarationWriter& out, const FileContext& context) {
    movements_.begin(context.decimals, qClients);
    section_.write(out, tblObosob);
}

}  // namespace core::wholesale
