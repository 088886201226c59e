#pragma once

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

// Opens the datasets, prepares the report (clearing the one before) and shows it, unless the
// empty test finds no rows: then nothing is shown and nothing said. The datasets are closed again
// in their closing order however this ends. Answers whether the report was shown.
bool prepareAndShow(host::ReportEngine& engine, const PrintDatasets& datasets);

}  // namespace core
