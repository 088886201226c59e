// The names a report's expressions read while it is laid out, and the aggregates over its rows.
#include "host/report/report_scope.h"

#include <stdexcept>

#include "host/report/report_engine.h"
#include "host/report/report_error.h"

namespace host {

bool ReportScope::variableExpression(const std::string& name, std::string& expression) {
    if (!variables_.contains(name)) return false;
    expression = variables_.expression(name);
    return true;
}

const DatasetRows& ReportScope::rows(const std::string& dataset) const {
    const auto it = data_.find(upperAscii(dataset));
    if (it == data_.end()) throw ReportError("no dataset is registered as " + dataset);
    return it->second;
}

// A dataset that no data section walks sits at its first row.
int ReportScope::row(const std::string& key) const {
    const auto it = current_.find(key);
    return it == current_.end() ? 0 : it->second;
}

void ReportScope::leaveDataset(const std::string& key) {
    current_.erase(key);
    ranges_.erase(key);
}

const std::vector<int>& ReportScope::range(const std::string& dataset) const {
    const auto it = ranges_.find(upperAscii(dataset));
    return it == ranges_.end() ? rows(dataset).all() : *it->second;
}

Variant ReportScope::field(const std::string& dataset, const std::string& fieldName) {
    auto [at, fresh] = fields_.try_emplace(dataset + '\x1f' + fieldName);
    if (fresh) {
        const DatasetRows& s = rows(dataset);
        at->second = {&s, s.fieldIndex(dataset, fieldName), upperAscii(dataset)};
    }
    const ResolvedField& f = at->second;
    const int r = row(f.key);
    if (r < 0 || r >= f.rows->size()) return Variant(Variant::Null{});
    return f.rows->value(r, f.index);
}

Variant ReportScope::sum(const ExprNode& argument, const std::string& dataset) {
    const std::string key = upperAscii(dataset);
    const std::vector<int>& rows = range(dataset);
    const int saved = row(key);
    bool integral = true;
    std::int64_t whole = 0;
    double total = 0;
    for (int r : rows) {
        current_[key] = r;
        const Variant v = evaluate(argument);
        if (v.isNullOrEmpty()) continue;
        double x = 0;
        try {
            x = v.toDouble();
        } catch (const std::invalid_argument&) {
            current_[key] = saved;
            throw ReportError("SUM over " + dataset + " meets the text \"" + displayText(v) + "\"");
        }
        if (v.isInteger()) whole += v.toInteger();
        else integral = false;
        total += x;
    }
    current_[key] = saved;
    return integral ? Variant(whole) : Variant(total);
}

Variant ReportScope::count(const std::string& dataset) {
    if (dataset.empty()) {
        if (sectionDataset_.empty()) return Variant(std::int64_t{0});
        return Variant(static_cast<std::int64_t>(range(sectionDataset_).size()));
    }
    return Variant(static_cast<std::int64_t>(range(dataset).size()));
}

Variant ReportScope::lookup(const std::string& dataset, const std::string& keyField, const Variant& key,
                            const std::string& resultField) {
    const DatasetRows& s = rows(dataset);
    const int k = s.fieldIndex(dataset, keyField);
    const int r = s.fieldIndex(dataset, resultField);
    const std::string wanted = displayText(key);
    for (int i = 0; i < s.size(); ++i)
        if (displayText(s.value(i, k)) == wanted) return s.value(i, r);
    return Variant(Variant::Null{});
}

}  // namespace host
