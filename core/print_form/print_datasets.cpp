#include "core/print_form/print_datasets.h"

#include <exception>

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

}  // namespace

bool prepareAndShow(host::ReportEngine& engine, const PrintDatasets& datasets) {
    for (const auto& [userName, dataset] : datasets.bindings) engine.registerDataset(userName, *dataset);
    bool shown = false;
    try {
        for (host::LocalDataSet* dataset : datasets.openOrder) dataset->open();
        if (!datasets.emptyTest || !datasets.emptyTest->isEmpty()) {
            engine.prepareReport(true);
            engine.showPreparedReport();
            shown = true;
        }
    } catch (...) {
        closeAll(datasets, true);
        throw;
    }
    closeAll(datasets, false);
    return shown;
}

}  // namespace core
