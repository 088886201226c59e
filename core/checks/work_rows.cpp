// Reading a work table whole for the checks.
#include "core/checks/work_rows.h"

#include <filesystem>

#include "host/local/local_query.h"
#include "host/text/cp1251.h"

namespace core::checks {

namespace {

std::string trimmed(const std::string& text) {
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    std::size_t last = text.size();
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

}  // namespace

WorkRows::WorkRows(const std::string& directory, const std::string& table) {
    if (table.empty() || !std::filesystem::exists(std::filesystem::path(directory) / (table + ".db"))) return;
    host::LocalQuery query("checks", "select * from \"" + table + ".db\"", true);
    query.setDatabaseName(directory);
    // One pass over what may be a big table: no map counted as the process's memory.
    query.setMemoryMapped(false);
    query.open();
    for (int i = 0; i < query.fieldCount(); ++i) columns_.emplace(host::upperCp1251(query.fieldName(i)), i);
    for (; !query.eof(); query.next()) {
        rows_.emplace_back();
        query.readRow(rows_.back());
    }
    query.close();
}

const host::Variant* WorkRows::value(std::size_t row, std::string_view column) const {
    const auto found = columns_.find(column);
    if (found == columns_.end() || row >= rows_.size() || found->second >= rows_[row].size()) return nullptr;
    const host::Variant& value = rows_[row][found->second];
    return value.isNullOrEmpty() ? nullptr : &value;
}

std::string WorkRows::text(std::size_t row, std::string_view column) const {
    const host::Variant* v = value(row, column);
    return v ? trimmed(v->toText()) : std::string();
}

double WorkRows::number(std::size_t row, std::string_view column) const {
    const host::Variant* v = value(row, column);
    return v ? v->toDouble() : 0.0;
}

std::optional<host::DateTime> WorkRows::date(std::size_t row, std::string_view column) const {
    const host::Variant* v = value(row, column);
    if (!v) return std::nullopt;
    return v->toDateTime();
}

}  // namespace core::checks
