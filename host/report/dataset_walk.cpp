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
    const int count = dataset.fieldCount();
    for (int i = 0; i < count; ++i) s.fields_.push_back(upperAscii(dataset.fieldName(i)));
    for (dataset.first(); !dataset.eof(); dataset.next()) {
        throwIfStopRequested();
        std::vector<Variant> row;
        row.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) row.push_back(dataset.field(i));
        s.all_.push_back(static_cast<int>(s.rows_.size()));
        s.rows_.push_back(std::move(row));
    }
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
void sortRows(ReportScope& scope, const TemplateDataSection& section, const std::string& key, std::vector<int>& rows) {
    // Each row's keys once, side by side with the row, so the comparisons only compare.
    std::vector<std::pair<std::vector<Variant>, int>> keyed;
    keyed.reserve(rows.size());
    for (int r : rows) {
        scope.setRow(key, r);
        std::vector<Variant> values;
        for (const std::string& e : section.orderBy) {
            try {
                values.push_back(scope.evaluate(e));
            } catch (const ReportError& error) {
                throw ReportError("data section " + section.dataset + " orderBy: " + error.what());
            }
        }
        keyed.emplace_back(std::move(values), r);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        for (std::size_t i = 0; i < a.first.size(); ++i) {
            const int c = compareForOrder(a.first[i], b.first[i]);
            if (c != 0) return c < 0;
        }
        return false;
    });
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
