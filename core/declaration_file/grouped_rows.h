#pragma once

// Reading the work tables grouped by their keys.

#include <string>
#include <vector>

#include "host/data/variant.h"
#include "host/local/local_query.h"

namespace core {

// A column the writers group by, compared as the writers compare it: an identifier as a whole
// number (null is 0), a code as text (null is empty), a date by its whole day (null is day 0).
struct GroupKey {
    enum class As { Integer, Text, Day };
    std::string column;
    As as;
};

std::string keyExpression(const GroupKey& key);

// A key's value as keyExpression computes it, which is also how the declarations tell their
// groups apart: an id as a whole number, a code as text, a date by its day; null as 0, the empty
// text and day 0.
host::Variant keyValue(const host::Variant& value, GroupKey::As as);

// Reads the rows of one group: the first read opens the query, later ones only bind new values.
void readGroup(host::LocalQuery& query, std::vector<host::Variant> values);

// A select over a work table that brings the rows of equal grouping keys together. `levels` lists
// the keys of each grouping level, outermost first: at every level the rows with equal values of
// all the keys of that level and the levels above are one group, groups come in the order of
// their first row, rows inside a group in table order. A level's keys are taken whole, so a
// group whose first key repeats an earlier group's still comes where its own first row stands.
// For rows that already come grouped this is their table order. `filter` keys are compared with
// "?" values, in order; `columns` is the select list ("*" for all).
std::string groupedRowsSql(const std::string& table, const std::string& columns, const std::vector<GroupKey>& filter,
                           const std::vector<std::vector<GroupKey>>& levels);

// An index on the work table over the filter keys' expressions, so that each filtered read finds
// its rows without scanning the table.
void ensureGroupIndex(const std::string& directory, const std::string& table, const std::vector<GroupKey>& filter);

}  // namespace core
