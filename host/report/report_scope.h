#pragma once

// What a report's expressions see while it is laid out: variables, the current row of each
// dataset, the rows a sum covers, the page and line numbers.

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/data/variant.h"
#include "host/report/dataset_walk.h"
#include "host/report/report_expression.h"

namespace host {

class ReportVariables;

class ReportScope final : public ExpressionScope {
public:
    ReportScope(const ReportVariables& variables, const ReportData& data) : variables_(variables), data_(data) {}

    bool variableExpression(const std::string& name, std::string& expression) override;
    bool isDataset(const std::string& name) override { return data_.count(upperAscii(name)) != 0; }
    Variant field(const std::string& dataset, const std::string& fieldName) override;
    Variant pageNumber() override { return Variant(std::int64_t{page_}); }
    Variant totalPages() override { return Variant(std::int64_t{totalPages_}); }
    Variant lineNumber() override { return Variant(std::int64_t{line_}); }
    Variant sum(const ExprNode& argument, const std::string& dataset) override;
    Variant count(const std::string& dataset) override;
    Variant lookup(const std::string& dataset, const std::string& keyField, const Variant& key,
                   const std::string& resultField) override;

    // Throws ReportError when no dataset is registered under the name.
    const DatasetRows& rows(const std::string& dataset) const;

    void setPage(int number, int total) {
        page_ = number;
        totalPages_ = total;
    }
    // `key` is the upper-cased dataset name; a row of -1 reads as nulls.
    void setRow(const std::string& key, int row) { current_[key] = row; }
    int row(const std::string& key) const;
    // The rows SUM and COUNT() cover for the dataset; not owned.
    void setRange(const std::string& key, const std::vector<int>* rows) { ranges_[key] = rows; }
    // Back to reading as any dataset outside its data section: its first row, all its rows.
    void leaveDataset(const std::string& key);

    using Rows = std::map<std::string, int>;
    const Rows& currentRows() const { return current_; }
    void restoreRows(Rows rows) { current_ = std::move(rows); }

    // The data section being walked (COUNT() without a dataset counts its rows) and its line.
    void startSection(const std::string& dataset) {
        sectionDataset_ = dataset;
        line_ = 0;
    }
    void endSection() { sectionDataset_.clear(); }
    void nextLine() { ++line_; }

private:
    const std::vector<int>& range(const std::string& dataset) const;

    const ReportVariables& variables_;
    const ReportData& data_;
    int page_ = 0;
    int totalPages_ = 0;
    int line_ = 0;
    std::string sectionDataset_;
    Rows current_;
    std::map<std::string, const std::vector<int>*> ranges_;
    struct ResolvedField {
        const DatasetRows* rows = nullptr;
        int index = 0;
        std::string key;  // of current_
    };
    // Every text of every row names its fields again: each name is resolved once.
    std::unordered_map<std::string, ResolvedField> fields_;
};

}  // namespace host
