// The body of the form 06 declaration file.
#include "core/wholesale/reference_block.h"
#include "forms/delivery/report_frame.h"
#include "host/text/cp1251.h"

namespace forms::delivery {

using host::W;

namespace {

struct Names {
    std::string references = W("<Справочники>");
    std::string referencesEnd = W("</Справочники>");
    core::wholesale::CounterpartyNames counterparties{W("<Контрагенты"), W("ИдКонтр"), W("</Контрагенты>")};
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

}  // namespace

TZorvicDeliveryReport::TZorvicDeliveryReport()
    : DeclarationFrame(kProfile),
      qResult("qResult", core::movementRowsSql(kCollection.resultTable), true),
      // Without an ordering clause its rows come sorted by their columns, CL_ID first, so one
      // recipient's rows are adjacent. The writer steps back in it and returns to its first row,
      // so it holds its rows rather than streaming them.
      qClients("qClients", core::counterpartiesSql(kCollection.resultTable, true, false), false),
      qManufacturers("qManufacturers", core::producersSql(kCollection.resultTable), true),
      qClientSum("qClientSum", core::counterpartySumsSql(kCollection.resultTable), true),
      movements_({W("<Получатель"), W("ИдПолучателя"), W("</Получатель>"), W("<Поставка"), W("<Возврат")}),
      section_(kCollection.resultTable, {W("НаличиеПоставки"), W("НаличиеВозврата")}, movements_) {}

void TZorvicDeliveryReport::openBodySources() {
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

void TZorvicDeliveryReport::closeBodySources() noexcept {
    section_.close();
    qClients.close();
    try {
        tblObosob.close();
    } catch (...) {
        // Read only here: closing has nothing to write that could fail.
    }
}

// The recipients come before the producers here.
void TZorvicDeliveryReport::writeReferenceBlock(core::DeclarationWriter& out, const FileContext&) {
    out.line(names().references);
    core::wholesale::writeCounterparties(out, qClients, names().counterparties);
    core::wholesale::writeProducers(out, qManufacturers);
    out.line(names().referencesEnd);
}

void TZorvicDeliveryReport::writeDataSection(core::DeclarationWriter& out, const FileContext& context) {
    movements_.begin(context.decimals, qClients);
    section_.write(out, tblObosob);
}

}  // namespace forms::delivery
