// The body of the form 07 declaration file.
#include "core/wholesale/reference_block.h"
#include "forms/buy/report_frame.h"
#include "host/text/cp1251.h"

namespace forms::buy {

using host::W;

namespace {

struct Names {
    std::string references = W("<Справочники>");
    std::string referencesEnd = W("</Справочники>");
    core::wholesale::CounterpartyNames suppliers{W("<Поставщики"), W("ИдПостав"), W("</Поставщики>")};
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

}  // namespace

TZorvicBuyReport::TZorvicBuyReport()
    : DeclarationFrame(kProfile),
      qResult("qResult", core::movementRowsSql(kCollection.resultTable), true),
      // The writer steps back in it and returns to its first row.
      qClients("qClients", core::counterpartiesSql(kCollection.resultTable, true, true), false),
      qManufacturers("qManufacturers", core::producersSql(kCollection.resultTable), true),
      qClientSum("qClientSum", core::counterpartySumsSql(kCollection.resultTable), true),
      movements_({W("<Поставщик"), W("ИдПоставщика"), W("</Поставщик>"), W("<Закупка"), W("<Возврат")}),
      section_(kCollection.resultTable, {W("НаличиеЗакупки"), W("НаличиеВозврата")}, movements_) {}

void TZorvicBuyReport::openBodySources() {
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

void TZorvicBuyReport::closeBodySources() noexcept {
    section_.close();
    qClients.close();
    try {
        tblObosob.close();
    } catch (...) {
        // Read only here: closing has nothing to write that could fail.
    }
}

void TZorvicBuyReport::writeReferenceBlock(core::DeclarationWriter& out, const FileContext&) {
    out.line(names().references);
    core::wholesale::writeProducers(out, qManufacturers);
    core::wholesale::writeCounterparties(out, qClients, names().suppliers);
    out.line(names().referencesEnd);
}

void TZorvicBuyReport::writeDataSection(core::DeclarationWriter& out, const FileContext& context) {
    movements_.begin(context.decimals, qClients);
    section_.write(out, tblObosob);
}

}  // namespace forms::buy
