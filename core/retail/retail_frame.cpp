#include "core/retail/retail_frame.h"

namespace core::retail {

RetailFrame::RetailFrame(const FormProfile& profile, const RetailQueries& queries, std::vector<GroupKey> supplierKeys,
                         const std::vector<MovementFigure>& movement, bool printsResultTable)
    : DeclarationFrame(profile),
      qResult("qResult", queries.result, true),
      // The writer steps back in it and returns to its first row.
      qClients("qClients", queries.clients, false),
      qManufacturers("qManufacturers", queries.manufacturers, true),
      qClientSum("qClientSum", queries.clientSum, true),
      qClientOborot("qClientOborot", queries.clientOborot, true),
      turnoverSection_(profile.collection->resultOborotTable, profile.collection->resultTable, std::move(supplierKeys),
                       movement),
      printsResultTable_(printsResultTable) {}

PrintDatasets RetailFrame::printDatasets() {
    // The purchase table itself is opened by the report as it reads it.
    host::LocalDataSet& result = printsResultTable_ ? static_cast<host::LocalDataSet&>(tblResult) : qResult;
    return retailPrintDatasets(result, qResult, qClientSum, tblObosob, qClientOborot, *tblResultOborot);
}

void RetailFrame::openBodySources() {
    try {
        // The movement and turnover tables are read through the section's grouped reads.
        turnoverSection_.prepare(tblResult.databaseName());
        tblObosob.open();
        qClients.open();
    } catch (...) {
        closeBodySources();
        throw;
    }
}

void RetailFrame::closeBodySources() noexcept {
    turnoverSection_.close();
    qClients.close();
    try {
        tblObosob.close();
    } catch (...) {
        // Read only here: closing has nothing to write that could fail.
    }
}

}  // namespace core::retail
