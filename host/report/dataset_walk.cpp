// The rows a report reads and a data section's walk over them: filtering, ordering, grouping.
#include "host/report/dataset_walk.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "host/local/local_dataset.h"
#include "host/report/report_error.h"
#include "host/report/report_scope.h"
#include "host/report/report_template.h"
#include "host/stop/stop_request.h"

namespace host {

std::string upperAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

DatasetRows DatasetRows::read(LocalDataSet& dataset) {
    DatasetRows s;
    s.rows_ = std::make_unique<RowStore>(dataset.databaseName());
    const int count = dataset.fieldCount();
    for (int i = 0; i < count; ++i) s.fields_.push_back(upperAscii(dataset.fieldName(i)));
    std::vector<Variant> row;
    for (dataset.first(); !dataset.eof(); dataset.next()) {
        throwIfStopRequested();
        dataset.readRow(row);
        s.all_.push_back(s.rows_->size());
        s.rows_->append(row);
    }
    s.rows_->finish();
    dataset.first();
    return s;
}

int DatasetRows::fieldIndex(const std::string& datasetName, const std::string& field) const {
    const std::string wanted = upperAscii(field);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i] == wanted) return static_cast<int>(i);
    throw ReportError("dataset " + datasetName + " has no field " + field);
}

namespace {

int compareForOrder(const Variant& a, const Variant& b) {
    const bool emptyA = a.isNullOrEmpty(), emptyB = b.isNullOrEmpty();
    if (emptyA || emptyB) return emptyA == emptyB ? 0 : (emptyA ? -1 : 1);
    const bool numberA = a.isInteger() || a.isFloat() || a.isDate();
    const bool numberB = b.isInteger() || b.isFloat() || b.isDate();
    if (numberA && numberB) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    if (numberA != numberB) return numberA ? -1 : 1;
    const int c = displayText(a).compare(displayText(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Groups start where a condition's value changes, so a section over a table kept in the order
// its rows arrived sorts them first to bring each group's rows together.
int compareKeys(const std::vector<Variant>& a, const std::vector<Variant>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int c = compareForOrder(a[i], b[i]);
        if (c != 0) return c;
    }
    return 0;
}

void sortKeys(ReportScope& scope, const TemplateDataSection& section, const std::string& key, int row,
              std::vector<Variant>& values) {
    scope.setRow(key, row);
    values.clear();
    for (const std::string& e : section.orderBy) {
        try {
            values.push_back(scope.evaluate(e));
        } catch (const ReportError& error) {
            throw ReportError("data section " + section.dataset + " orderBy: " + error.what());
        }
    }
}

void sortRows(ReportScope& scope, const TemplateDataSection& section, const std::string& key, std::vector<int>& rows) {
    // The host's queries mostly deliver the rows in the order the section prints them: that is
    // seen with two rows' keys at a time, and then nothing more is held or moved.
    std::vector<Variant> before, now;
    bool ordered = true;
    for (std::size_t i = 0; i < rows.size() && ordered; ++i) {
        sortKeys(scope, section, key, rows[i], now);
        ordered = i == 0 || compareKeys(before, now) <= 0;
        before.swap(now);
    }
    if (ordered) return;
    // Each row's keys once, side by side with the row, so the comparisons only compare.
    std::vector<std::pair<std::vector<Variant>, int>> keyed;
    keyed.reserve(rows.size());
    for (int r : rows) {
        sortKeys(scope, section, key, r, now);
        keyed.emplace_back(std::move(now), r);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return compareKeys(a.first, b.first) < 0; });
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].second;
}

std::string groupValue(ReportScope& scope, const TemplateGroup& group) {
    try {
        return displayText(scope.evaluate(group.condition));
    } catch (const ReportError& e) {
        throw ReportError("group condition: " + std::string(e.what()));
    }
}

}  // namespace

std::vector<int> sectionRows(ReportScope& scope, const TemplateDataSection& section) {
    const std::string key = upperAscii(section.dataset);
    const DatasetRows& s = scope.rows(section.dataset);
    std::vector<int> rows;
    for (int r : s.all()) {
        scope.setRow(key, r);
        if (section.filter.empty() || isTrue(scope.evaluate(section.filter))) rows.push_back(r);
    }
    if (!section.orderBy.empty()) sortRows(scope, section, key, rows);
    return rows;
}

std::size_t groupEnd(ReportScope& scope, const TemplateGroup& group, const std::string& key,
                     const std::vector<int>& rows, std::size_t from) {
    scope.setRow(key, rows[from]);
    const std::string value = groupValue(scope, group);
    std::size_t j = from + 1;
    for (; j < rows.size(); ++j) {
        scope.setRow(key, rows[j]);
        if (groupValue(scope, group) != value) break;
    }
    return j;
}

}  // namespace host
