#pragma once

// Local SQL as the engine runs it.

#include <string>
#include <vector>

namespace host {

// A statement of local SQL over work tables, as the engine runs it: each table reference
// ("ZorvicBuy.db") turned into the attached table ("ZorvicBuy"."ZorvicBuy"), and a select made
// deterministic: a distinct or grouped select comes sorted by its selected columns after any
// order of its own, any other select keeps table order among rows its order leaves tied.
struct LocalStatement {
    std::string sql;
    std::vector<std::string> tables;
};

LocalStatement translateLocalSql(const std::string& sql);

}  // namespace host
