// Reading the work tables grouped by their keys.
#include "core/declaration_file/grouped_rows.h"

#include <cmath>
#include <cstdint>

#include "host/data/main_dm.h"

namespace core {

std::string keyExpression(const GroupKey& key) {
    switch (key.as) {
        case GroupKey::As::Integer: return "coalesce(" + key.column + ", 0)";
        case GroupKey::As::Text: return "coalesce(" + key.column + ", '')";
        case GroupKey::As::Day: return "coalesce(cast(" + key.column + " as integer), 0)";
    }
    return key.column;
}

host::Variant keyValue(const host::Variant& value, GroupKey::As as) {
    switch (as) {
        case GroupKey::As::Integer: return host::Variant(value.toInteger());
        case GroupKey::As::Text: return host::Variant(value.toText());
        case GroupKey::As::Day: return host::Variant(static_cast<std::int64_t>(std::trunc(value.toDateTime().days)));
    }
    return value;
}

void readGroup(host::LocalQuery& query, std::vector<host::Variant> values) {
    if (query.active()) {
        query.requery(std::move(values));
    } else {
        query.setParams(std::move(values));
        query.open();
    }
}

std::string groupedRowsSql(const std::string& table, const std::string& columns, const std::vector<GroupKey>& filter,
                           const std::vector<std::vector<GroupKey>>& levels) {
    std::string sql = "select " + columns + " from \"" + table + ".db\"";
    for (std::size_t i = 0; i < filter.size(); ++i) sql += (i ? " and " : " where ") + keyExpression(filter[i]) + " = ?";
    sql += " order by ";
    // One sort term per level, never per key: a term per key would order a level's groups by
    // the first row of their first key alone.
    std::string partition;
    for (const auto& level : levels) {
        for (const auto& key : level) partition += (partition.empty() ? "" : ", ") + keyExpression(key);
        if (!level.empty()) sql += "min(rowid) over (partition by " + partition + "), ";
    }
    return sql + "rowid";
}

void ensureGroupIndex(const std::string& directory, const std::string& table, const std::vector<GroupKey>& filter) {
    std::string expressions;
    std::string name = "zorvic_by";
    for (const auto& key : filter) {
        expressions += (expressions.empty() ? "" : ", ") + keyExpression(key);
        name += "_" + key.column;
    }
    host::MainDM().LocalEngine().ensureIndex(directory, table, name, expressions);
}

}  // namespace core
