// The rows of one work table, read one after another for the checks, their columns by name.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/calendar/date_time.h"
#include "host/data/variant.h"

namespace host {
class LocalQuery;
}

namespace core::checks {

// A chain's quarter has a million movement rows: the checks see one row at a time, and the
// table is read once whatever number of checks look at each row.
class WorkRows {
public:
    // The rows of `table` in `directory`; a table that is not there has no rows.
    WorkRows(const std::string& directory, const std::string& table);
    ~WorkRows();
    WorkRows(const WorkRows&) = delete;
    WorkRows& operator=(const WorkRows&) = delete;

    // To the first row, then to each next one; false once there is none left.
    bool next();

    bool has(std::string_view column) const { return columns_.find(column) != columns_.end(); }

    // Of the current row. Host text with blanks at either end taken off; empty for a null or a
    // missing column.
    std::string text(std::string_view column) const;
    double number(std::string_view column) const;
    // None for a null or a missing column.
    std::optional<host::DateTime> date(std::string_view column) const;
    const host::Variant* value(std::string_view column) const;

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::unique_ptr<host::LocalQuery> query_;
    bool started_ = false;
    // Upper-case names; the checks name a column for every row, found without a copy of the name.
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> columns_;
    std::vector<host::Variant> row_;
};

}  // namespace core::checks
