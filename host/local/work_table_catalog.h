#pragma once

// The columns of the work tables and their types.

#include <string>
#include <vector>

#include "host/host_api.h"

namespace host {

enum class ColumnType { Integer, Float, Date, Text };

struct WorkColumn {
    std::string name;
    ColumnType type;
};

// The type a work-table column has by its name: *_ID, ISRET and CL_IS_IP are integers, *_DATE
// dates, quantities, volumes, balances and movements floating point, everything else text.
HOST_API ColumnType columnTypeOf(const std::string& columnName);

// The columns the host gives a work table, in order; null for a table it does not know.
HOST_API const std::vector<WorkColumn>* workTableColumns(const std::string& tableName);

}  // namespace host
