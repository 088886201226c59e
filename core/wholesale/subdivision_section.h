#pragma once

#include <string>
#include <vector>

#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/grouped_rows.h"
#include "host/local/local_dataset.h"
#include "host/local/local_query.h"
#include "host/local/local_table.h"

namespace core::wholesale {

// What a product kind holds in the wholesale declarations (forms 07, 06 and 05), below its
// "Оборот" element: the groups that split its rows further, and how groups and rows are written.
class KindContent {
public:
    // `levels`: the grouping keys under the product kind, outermost level first; a group ends
    // when any key of its level or of an outer level changes. `columns`: what the rows must
    // hold besides the keys.
    KindContent(std::vector<std::vector<GroupKey>> levels, std::vector<std::string> columns)
        : levels_(std::move(levels)), columns_(std::move(columns)) {}
    virtual ~KindContent() = default;

    const std::vector<std::vector<GroupKey>>& levels() const { return levels_; }
    const std::vector<std::string>& columns() const { return columns_; }

    // Called whenever the rows are read afresh, before any other call on them.
    virtual void resolve(host::LocalDataSet& rows) = 0;
    // `rows` stands on the group's first row; `number` counts the group within its parent from 1.
    virtual void openGroup(std::size_t level, DeclarationWriter& out, host::LocalDataSet& rows, int number) = 0;
    virtual void closeGroup(std::size_t level, DeclarationWriter& out) = 0;
    // `number` counts the row within its innermost group from 1.
    virtual void writeRow(DeclarationWriter& out, host::LocalDataSet& rows, int number) = 0;

private:
    std::vector<std::vector<GroupKey>> levels_;
    std::vector<std::string> columns_;
};

// The data section of the wholesale declarations: one "ОбъемОборота" per subdivision with its
// name, KPP, presence flags and address, then its rows by product kind ("Оборот") and the
// content's groups. A subdivision's rows are read in groups of equal keys, each group in the
// order of its first row and its rows in table order, so rows that came out of order are brought
// together rather than dropped or repeated; each subdivision is one indexed read.
class SubdivisionSection {
public:
    // `presenceFlags`: the flag attributes of the start tag (windows-1251), all "true" when the
    // subdivision has rows and "false" when not.
    SubdivisionSection(std::string table, std::vector<std::string> presenceFlags, KindContent& content);

    // Gives the table the index of the grouped reads. Index creation needs the table unread, so
    // this comes before anything reads it.
    void prepare(const std::string& directory);
    // Writes one "ОбъемОборота" per row of `subdivisions`, in table order.
    void write(DeclarationWriter& out, host::LocalTable& subdivisions);
    void close() noexcept;

private:
    struct KeyColumn {
        int index;
        GroupKey::As as;
    };

    void resolve();
    void writeRows(DeclarationWriter& out);

    std::string table_;
    std::vector<std::string> presenceFlags_;
    KindContent& content_;
    host::LocalQuery rows_;
    bool resolved_ = false;
    // The keys of all levels, the product kind first; levelEnd_[l] is one past level l's last.
    std::vector<KeyColumn> keys_;
    std::vector<std::size_t> levelEnd_;
    int kind_ = -1;
};

}  // namespace core::wholesale
