// The one walk over grouped work table rows that every declaration body's data section makes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/grouped_rows.h"
#include "core/declaration_file/ordered_runs.h"
#include "host/data/variant.h"
#include "host/local/local_query.h"

namespace core {

// The row the walk stands on: its values in the order the walk's columns were first named.
using GroupRow = std::vector<host::Variant>;
using RowWriter = std::function<void(DeclarationWriter&, const GroupRow&)>;

// One nesting level: the keys whose values together tell its groups apart, and the element each
// group is written as. The start tag is `element`, the group's number within the enclosing
// group when `numbered`, what `attributes` writes from the group's first row, and ">"; then what
// `content` writes ahead of the group's rows. The group ends with `end`.
struct WalkLevel {
    std::vector<GroupKey> keys;
    std::string element;
    std::string end;
    bool numbered = true;
    RowWriter attributes = {};
    RowWriter content = {};
};

// Reads a work table in groups and writes them nested by levels, outermost first: at each row
// the levels from the first one whose key changed are closed and opened again, so every element
// opened is closed and holds at least one row. Each read takes the rows of one set of filter
// values, with every level's groups brought together in the order of their first row and the
// rows inside a group in table order, so rows that came out of order are neither dropped nor
// repeated. Rows that stand in that order already, as the host delivers them, are read as they
// stand, a range of the table in table order; only the filter values whose rows are out of order
// are read by an indexed select that brings their groups together.
class GroupedWalk {
public:
    // `filter`: the keys each read selects its rows by.
    GroupedWalk(std::string name, std::string table, std::vector<GroupKey> filter);

    // The description, given before the first read.
    // Where `column` stands in the rows; a column named again keeps its first place.
    std::size_t column(const std::string& name);
    void addLevel(WalkLevel level);
    // Writes a row's element; `number` counts the row within its innermost group from 1.
    void setRow(std::function<void(DeclarationWriter&, const GroupRow&, int number)> write) { row_ = std::move(write); }

    // Reads the table's keys once to find which filter values' rows stand in order.
    void prepare(const std::string& directory);
    // Gives the table the index of the grouped reads when some filter value's rows are out of
    // order. Index creation needs the table unread, so this comes before anything else reads it.
    void indexIfOutOfOrder();
    // Reads the rows with the filter `values`; false when there are none.
    bool read(std::vector<host::Variant> values);
    // The filter values of the last read.
    const std::vector<host::Variant>& filterValues() const { return filterValues_; }
    // Writes the groups and rows read.
    void write(DeclarationWriter& out);
    // The reads, for their holder to close.
    std::vector<host::LocalDataSet*> queries() { return {&*inOrder_, &*grouped_}; }
    // How many reads since prepare() had to bring their groups together.
    int groupedReads() const { return groupedReads_; }

private:
    void readRow();
    void open(DeclarationWriter& out, std::size_t level, int number);

    std::string name_;
    std::string table_;
    std::vector<GroupKey> filter_;
    std::vector<std::string> columns_;
    std::vector<WalkLevel> levels_;
    std::optional<OrderedRuns> runs_;
    std::string directory_;
    // Every level's keys, outermost first, with where each stands in the row and its level.
    struct Key {
        std::size_t column;
        GroupKey::As as;
        std::size_t level;
    };
    std::vector<Key> keys_;
    std::function<void(DeclarationWriter&, const GroupRow&, int)> row_;
    std::optional<host::LocalQuery> inOrder_;  // a range of rows in table order
    std::optional<host::LocalQuery> grouped_;  // the rows of filter values out of order
    host::LocalQuery* rows_ = nullptr;         // the last read's, null when it found none
    int groupedReads_ = 0;
    std::vector<host::Variant> filterValues_;
    GroupRow current_;
};

}  // namespace core
