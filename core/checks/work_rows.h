// The rows of one work table, held for the checks, their columns by name.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/calendar/date_time.h"
#include "host/data/variant.h"

namespace core::checks {

class WorkRows {
public:
    // Every row of `table` in `directory`; a table that is not there has no rows.
    WorkRows(const std::string& directory, const std::string& table);

    std::size_t size() const { return rows_.size(); }
    bool has(std::string_view column) const { return columns_.find(column) != columns_.end(); }

    // Host text with blanks at either end taken off; empty for a null or a missing column.
    std::string text(std::size_t row, std::string_view column) const;
    double number(std::size_t row, std::string_view column) const;
    // None for a null or a missing column.
    std::optional<host::DateTime> date(std::size_t row, std::string_view column) const;
    const host::Variant* value(std::size_t row, std::string_view column) const;

private:
    // Upper-case names; the checks name a column for every row, found without a copy of the name.
    std::map<std::string, std::size_t, std::less<>> columns_;
    std::vector<std::vector<host::Variant>> rows_;
};

}  // namespace core::checks
