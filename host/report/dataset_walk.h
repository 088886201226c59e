#pragma once

// The rows a report reads, and the walk of a data section over them: filter, order, groups.

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/data/variant.h"
#include "host/report/row_store.h"

namespace host {

class LocalDataSet;
class ReportScope;
struct TemplateDataSection;
struct TemplateGroup;

// Names of datasets and fields meet without regard to case.
std::string upperAscii(std::string s);

// A dataset's rows as they were when the report was prepared: grouping, sums and lookups move
// freely over them, also over datasets that read forward only. A big dataset's rows wait in a
// temporary file beside its work tables, so a report's memory does not grow with its rows.
class DatasetRows {
public:
    // Reads every row, holding up to `heldBytes` of them in memory; the dataset is left at its
    // first row.
    static DatasetRows read(LocalDataSet& dataset, std::size_t heldBytes = RowStore::kDefaultMemoryLimit);

    // Throws ReportError naming the dataset and the field when there is none of that name.
    int fieldIndex(const std::string& datasetName, const std::string& field) const;
    int size() const { return rows_->size(); }
    Variant value(int row, int field) const { return rows_->value(row, field); }
    // Every row in the dataset's order.
    const std::vector<int>& all() const { return all_; }

private:
    std::vector<std::string> fields_;  // upper-cased
    std::unique_ptr<RowStore> rows_;
    std::vector<int> all_;
};

using ReportData = std::map<std::string, DatasetRows>;  // by upper-cased user name

// The rows a data section prints, in the order it prints them: those its filter keeps, sorted by
// its keys (stable, so rows with equal keys keep the dataset's order).
std::vector<int> sectionRows(ReportScope& scope, const TemplateDataSection& section);

// Where the group that starts at rows[from] ends: the first index past it whose group value
// differs, or rows.size().
std::size_t groupEnd(ReportScope& scope, const TemplateGroup& group, const std::string& key,
                     const std::vector<int>& rows, std::size_t from);

}  // namespace host
