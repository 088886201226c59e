// Datasets held open for a scope.
#pragma once

#include <vector>

#include "host/local/local_dataset.h"

namespace core {

// Opens the datasets given, in order, and closes every one it opened, the last first, however
// its scope ends: when a later one fails to open, when the holder's work throws, and when the
// holder is done. Closing never throws: the sources are read only, so it has nothing to write
// that could fail, and a failure of its own must not hide the one that ended the scope.
class OpenDatasets {
public:
    explicit OpenDatasets(std::vector<host::LocalDataSet*> datasets);
    ~OpenDatasets() { closeAll(); }
    OpenDatasets(const OpenDatasets&) = delete;
    OpenDatasets& operator=(const OpenDatasets&) = delete;

    // Takes over the closing of a dataset that opens itself later, as a grouped read does on
    // its first group.
    void adopt(host::LocalDataSet& dataset) { opened_.push_back(&dataset); }

private:
    void closeAll() noexcept;

    std::vector<host::LocalDataSet*> opened_;
};

}  // namespace core
