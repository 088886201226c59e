#pragma once

// Where a work table's column stands, for tests that fill the tables by column name.

#include <algorithm>
#include <optional>
#include <string>

#include "host/local/work_table_catalog.h"

namespace zorvic_test {

// The column's position in the table's row; nothing for a table or column the catalogue lacks.
inline std::optional<int> workColumnIndex(const std::string& table, const std::string& name) {
    const auto* columns = host::workTableColumns(table);
    if (!columns) return std::nullopt;
    const auto at = std::find_if(columns->begin(), columns->end(), [&](const auto& c) { return c.name == name; });
    if (at == columns->end()) return std::nullopt;
    return static_cast<int>(at - columns->begin());
}

}  // namespace zorvic_test
