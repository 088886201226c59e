// Where a work table's rows already stand in group order, found by reading their keys once.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/declaration_file/grouped_rows.h"
#include "host/data/variant.h"

namespace core {

// The rows of a work table by the values of its filter keys, as one read in table order found
// them. The host's queries deliver their rows grouped already, so the rows of one filter value
// usually stand together, and inside them every level's groups too; such a run reads in table
// order exactly as the grouped read would bring it, without an index or a sort. A filter value
// whose rows are split, or under which some group's key comes back after other groups, is out
// of order and has to be read grouped. Keys compare as the grouped read's select compares them.
class OrderedRuns {
public:
    // Reads `table` in `directory` once, the filter keys and the keys of every level
    // (outermost first) of each row.
    OrderedRuns(const std::string& directory, const std::string& table, const std::vector<GroupKey>& filter,
                const std::vector<std::vector<GroupKey>>& levels);

    struct Found {
        enum class Status {
            NoRows,      // no row has these filter values
            InOrder,     // the rows from rowid `first` to `last`, in table order, are the group order
            OutOfOrder,  // the rows must be read grouped (also when the values cannot be compared here)
        };
        Status status;
        std::int64_t first = 0;
        std::int64_t last = 0;
    };
    Found find(const std::vector<host::Variant>& filterValues) const;

    // Whether every filter value's rows are in order, so that no grouped read will be needed.
    bool allInOrder() const { return allInOrder_; }

private:
    struct Run {
        std::int64_t first;
        std::int64_t last;
        bool inOrder;
    };
    // The filter values, each key written as its kind and its bytes.
    std::unordered_map<std::string, Run> runs_;
    std::size_t filterKeys_;
    bool comparable_ = true;
    bool allInOrder_ = true;
};

}  // namespace core
