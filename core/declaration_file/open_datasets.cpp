// Datasets opened for a scope and closed on every way out of it.
#include "core/declaration_file/open_datasets.h"

namespace core {

OpenDatasets::OpenDatasets(std::vector<host::LocalDataSet*> datasets) {
    opened_.reserve(datasets.size());
    try {
        for (host::LocalDataSet* dataset : datasets) {
            // Listed before opening: one that fails half way has still to let go of what it took.
            opened_.push_back(dataset);
            dataset->open();
        }
    } catch (...) {
        closeAll();
        throw;
    }
}

void OpenDatasets::closeAll() noexcept {
    while (!opened_.empty()) {
        host::LocalDataSet* dataset = opened_.back();
        opened_.pop_back();
        try {
            dataset->close();
        } catch (...) {
            // Nothing was written through it; what ended the scope is what the run reports.
        }
    }
}

}  // namespace core
