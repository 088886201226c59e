#pragma once

// Where a work table's column stands, for tests that fill the tables by column name.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/data/variant.h"
#include "host/local/local_table.h"
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

// Appends the rows, each given by column name, to the work table in `directory`. A column the
// table lacks fails the test: a misspelt name would otherwise leave the column at its default and
// the test checking less than it says.
inline void fillWorkTable(const std::string& directory, const std::string& table,
                          const std::vector<std::map<std::string, host::Variant>>& rows) {
    host::LocalTable t(table);
    t.setDatabaseName(directory);
    t.open();
    for (const auto& row : rows) {
        t.append();
        for (const auto& [name, value] : row) {
            const auto at = workColumnIndex(table, name);
            ASSERT_TRUE(at) << table << "." << name;
            t.setField(*at, value);
        }
        t.post();
    }
    t.close();
}

}  // namespace zorvic_test
