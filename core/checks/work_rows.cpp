// Reading a work table row by row for the checks.
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
    query_ = std::make_unique<host::LocalQuery>("checks", "select * from \"" + table + ".db\"", true);
    query_->setDatabaseName(directory);
    // One pass over what may be a big table: no map counted as the process's memory.
    query_->setMemoryMapped(false);
    query_->open();
    for (int i = 0; i < query_->fieldCount(); ++i) columns_.emplace(host::upperCp1251(query_->fieldName(i)), i);
}

WorkRows::~WorkRows() {
    if (query_) query_->close();
}

bool WorkRows::next() {
    if (!query_) return false;
    if (started_) query_->next();
    started_ = true;
    if (query_->eof()) {
        row_.clear();
        return false;
    }
    query_->readRow(row_);
    return true;
}

const host::Variant* WorkRows::value(std::string_view column) const {
    const auto found = columns_.find(column);
    if (found == columns_.end() || found->second >= row_.size()) return nullptr;
    const host::Variant& value = row_[found->second];
    return value.isNullOrEmpty() ? nullptr : &value;
}

std::string WorkRows::text(std::string_view column) const {
    const host::Variant* v = value(column);
    return v ? trimmed(v->toText()) : std::string();
}

double WorkRows::number(std::string_view column) const {
    const host::Variant* v = value(column);
    return v ? v->toDouble() : 0.0;
}

std::optional<host::DateTime> WorkRows::date(std::string_view column) const {
    const host::Variant* v = value(column);
    if (!v) return std::nullopt;
    return v->toDateTime();
}

}  // namespace core::checks
