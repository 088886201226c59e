#pragma once

// The local datasets a form's print form reads.

#include <string>
#include <utility>
#include <vector>

#include "host/local/local_dataset.h"
#include "host/report/report_engine.h"

namespace core {

// The local datasets a form's print form reads: the user names the template knows them by, the
// order they are opened and closed in, and the one whose emptiness means there is nothing to print.
struct PrintDatasets {
    std::vector<std::pair<std::string, host::LocalDataSet*>> bindings;
    std::vector<host::LocalDataSet*> openOrder;
    std::vector<host::LocalDataSet*> closeOrder;
    host::LocalDataSet* emptyTest = nullptr;  // none: the report is prepared even when empty
};

// Opens the datasets, prepares the report (clearing the one before) and shows it, page by page
// where the preview takes it so (host::ReportEngine::showReport), unless the empty test finds no rows: then nothing is shown and nothing said. The datasets are closed again
// in their closing order however this ends. Answers whether the report was shown.
bool prepareAndShow(host::ReportEngine& engine, const PrintDatasets& datasets);

// Forms 11 and 12: purchases (`result` is what the template reads as "tblResult", `purchases` the
// query opened for it), the organization's sums and turnover, subdivisions and their turnover;
// nothing is printed without turnover.
PrintDatasets retailPrintDatasets(host::LocalDataSet& result, host::LocalDataSet& purchases,
                                  host::LocalDataSet& clientSum, host::LocalDataSet& subdivisions,
                                  host::LocalDataSet& clientTurnover, host::LocalDataSet& turnover);

// Forms 07 and 06 (and 08, which never prints): the movement rows, the sums per counterparty
// and the subdivisions; with `silentWhenEmpty` nothing is printed without movement rows.
PrintDatasets movementPrintDatasets(host::LocalDataSet& movements, host::LocalDataSet& clientSum,
                                    host::LocalDataSet& subdivisions, bool silentWhenEmpty);

}  // namespace core
