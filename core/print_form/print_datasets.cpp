// The datasets of the print forms: binding, opening, showing and closing them.
#include "core/print_form/print_datasets.h"

#include <exception>
#include <utility>
#include <vector>

namespace core {
namespace {

void closeAll(const PrintDatasets& datasets, bool unwinding) {
    std::exception_ptr first;
    for (host::LocalDataSet* dataset : datasets.closeOrder) {
        try {
            dataset->close();
        } catch (...) {
            // Every dataset gets its close; the first failure is the one reported, and none
            // replaces an error already on its way out.
            if (!first) first = std::current_exception();
        }
    }
    if (first && !unwinding) std::rethrow_exception(first);
}

// The report reads each table once, in order: through a memory map a chain's quarter would
// count its whole tables as the program's memory. The declaration's reads, which come back to
// pages, keep their map.
class UnmappedWhileShown {
public:
    explicit UnmappedWhileShown(const PrintDatasets& datasets) {
        for (host::LocalDataSet* dataset : datasets.openOrder) {
            saved_.emplace_back(dataset, dataset->memoryMapped());
            dataset->setMemoryMapped(false);
        }
    }
    ~UnmappedWhileShown() {
        for (auto& [dataset, mapped] : saved_) dataset->setMemoryMapped(mapped);
    }
    UnmappedWhileShown(const UnmappedWhileShown&) = delete;
    UnmappedWhileShown& operator=(const UnmappedWhileShown&) = delete;

private:
    std::vector<std::pair<host::LocalDataSet*, bool>> saved_;
};

}  // namespace

bool prepareAndShow(host::ReportEngine& engine, const PrintDatasets& datasets) {
    for (const auto& [userName, dataset] : datasets.bindings) engine.registerDataset(userName, *dataset);
    const UnmappedWhileShown unmapped(datasets);
    bool shown = false;
    try {
        for (host::LocalDataSet* dataset : datasets.openOrder) dataset->open();
        if (!datasets.emptyTest || !datasets.emptyTest->isEmpty()) {
            engine.showReport();
            shown = true;
        }
    } catch (...) {
        closeAll(datasets, true);
        throw;
    }
    closeAll(datasets, false);
    return shown;
}

PrintDatasets retailPrintDatasets(host::LocalDataSet& result, host::LocalDataSet& purchases,
                                  host::LocalDataSet& clientSum, host::LocalDataSet& subdivisions,
                                  host::LocalDataSet& clientTurnover, host::LocalDataSet& turnover) {
    return {{{"tblResult", &result},
             {"qClientSum", &clientSum},
             {"tblObosob", &subdivisions},
             {"qClientOborot", &clientTurnover},
             {"tblResultOborot", &turnover}},
            {&purchases, &clientSum, &clientTurnover, &subdivisions, &turnover},
            {&clientSum, &purchases, &subdivisions, &turnover, &clientTurnover},
            &turnover};
}

PrintDatasets movementPrintDatasets(host::LocalDataSet& movements, host::LocalDataSet& clientSum,
                                    host::LocalDataSet& subdivisions, bool silentWhenEmpty) {
    return {{{"tblResult", &movements}, {"qClientSum", &clientSum}, {"tblObosob", &subdivisions}},
            {&movements, &clientSum, &subdivisions},
            {&clientSum, &movements, &subdivisions},
            silentWhenEmpty ? &movements : nullptr};
}

}  // namespace core
