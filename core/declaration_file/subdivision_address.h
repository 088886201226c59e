#pragma once

// A subdivision's address block in the declaration file.

#include <vector>

#include "core/declaration_file/declaration_writer.h"
#include "host/local/local_dataset.h"

namespace core {

// The "АдрОрг" block of a subdivision, from the current row of the subdivisions table: its ten
// address columns on one line between the element's tags, each tag on a line of its own.
class SubdivisionAddress {
public:
    // Finds the columns once; `subdivisions` must stay open while addresses are written.
    explicit SubdivisionAddress(host::LocalDataSet& subdivisions);
    void write(DeclarationWriter& out);

private:
    host::LocalDataSet& subdivisions_;
    std::vector<int> columns_;
};

}  // namespace core
