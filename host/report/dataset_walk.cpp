// The rows a report reads and a data section's walk over them: filtering, ordering, grouping.
#include "host/report/dataset_walk.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <unordered_map>
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

DatasetRows DatasetRows::read(LocalDataSet& dataset, std::size_t heldBytes) {
    DatasetRows s;
    s.rows_ = std::make_unique<RowStore>(dataset.databaseName(), heldBytes);
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

// A sort key's bytes compare, byte by byte, as the section's order has it: empty values first,
// then numbers (and dates) by value, then texts as they are shown, byte by byte. A chain's quarter
// sorts hundreds of thousands of rows; as bytes their keys take a fraction of the memory of the
// values.
void appendSortKey(std::string& out, const Variant& v) {
    if (v.isNullOrEmpty()) {
        out.push_back('\x01');
    } else if (v.isInteger() || v.isFloat() || v.isDate()) {
        out.push_back('\x02');
        double x = v.toDouble();
        if (x == 0) x = 0;  // -0 and 0 are one value
        std::uint64_t bits = 0;
        std::memcpy(&bits, &x, sizeof bits);
        // Negative numbers count down, positive ones up, and the sign comes first.
        bits = (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
        for (int shift = 56; shift >= 0; shift -= 8) out.push_back(static_cast<char>((bits >> shift) & 0xff));
    } else {
        out.push_back('\x03');
        // A zero byte in the text is doubled so that the end, two zeros, sorts before any byte.
        for (const char c : displayText(v)) {
            out.push_back(c);
            if (c == '\0') out.push_back('\xff');
        }
        out.push_back('\0');
        out.push_back('\0');
    }
}

void sortKeys(ReportScope& scope, const TemplateDataSection& section, const std::string& key, int row, std::string& bytes) {
    scope.setRow(key, row);
    bytes.clear();
    for (const std::string& e : section.orderBy) {
        try {
            appendSortKey(bytes, scope.evaluate(e));
        } catch (const ReportError& error) {
            throw ReportError("data section " + section.dataset + " orderBy: " + error.what());
        }
    }
}

// Groups start where a condition's value changes, so a section over a table kept in the order
// its rows arrived sorts them first to bring each group's rows together.
void sortRows(ReportScope& scope, const TemplateDataSection& section, const std::string& key, std::vector<int>& rows) {
    // The host's queries mostly deliver the rows in the order the section prints them: that is
    // seen with two rows' keys at a time, and then nothing more is held or moved.
    std::string before, now;
    bool ordered = true;
    for (std::size_t i = 0; i < rows.size() && ordered; ++i) {
        sortKeys(scope, section, key, rows[i], now);
        ordered = i == 0 || before <= now;
        before.swap(now);
    }
    if (ordered) return;
    // Each key column's distinct values are ranked once; a row then sorts by its ranks, a few
    // bytes a key, however long its names are.
    const std::size_t width = section.orderBy.size();
    std::vector<std::unordered_map<std::string, std::uint32_t>> distinct(width);
    std::vector<std::uint32_t> ranks(rows.size() * width);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        scope.setRow(key, rows[i]);
        for (std::size_t j = 0; j < width; ++j) {
            now.clear();
            try {
                appendSortKey(now, scope.evaluate(section.orderBy[j]));
            } catch (const ReportError& error) {
                throw ReportError("data section " + section.dataset + " orderBy: " + error.what());
            }
            const auto [at, fresh] = distinct[j].try_emplace(now, static_cast<std::uint32_t>(distinct[j].size()));
            ranks[i * width + j] = at->second;
        }
    }
    for (std::size_t j = 0; j < width; ++j) {
        std::vector<const std::pair<const std::string, std::uint32_t>*> values;
        values.reserve(distinct[j].size());
        for (const auto& entry : distinct[j]) values.push_back(&entry);
        std::sort(values.begin(), values.end(), [](const auto* a, const auto* b) { return a->first < b->first; });
        std::vector<std::uint32_t> rankOf(values.size());
        for (std::size_t r = 0; r < values.size(); ++r) rankOf[values[r]->second] = static_cast<std::uint32_t>(r);
        for (std::size_t i = 0; i < rows.size(); ++i) ranks[i * width + j] = rankOf[ranks[i * width + j]];
        std::unordered_map<std::string, std::uint32_t>().swap(distinct[j]);
    }
    std::vector<std::uint32_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    // Stable: rows with equal keys keep the dataset's order.
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::lexicographical_compare(ranks.begin() + a * width, ranks.begin() + (a + 1) * width,
                                            ranks.begin() + b * width, ranks.begin() + (b + 1) * width);
    });
    std::vector<int> sorted(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) sorted[i] = rows[order[i]];
    rows.swap(sorted);
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
