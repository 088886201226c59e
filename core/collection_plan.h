#pragma once

// A form's collection plan: its stored host queries, work tables and clear script.

#include <string>
#include <vector>

namespace core {

enum class WorkTable { Obosob, Result, ResultOborot };

// One stored host query of a form: its key, the work table it fills, and the parameters it is
// given, by name and in order.
struct HostQuery {
    std::string key;
    WorkTable target;
    std::vector<std::string> parameters;
};

// How a form collects its data: its work tables, its host queries in order (the first one is the
// subdivision query, the only one tested for emptiness), and the statements that empty the tables.
struct CollectionPlan {
    std::string obosobTable;
    std::string resultTable;
    std::string resultOborotTable;  // forms 11 and 12 only
    std::vector<HostQuery> queries;
    std::vector<std::string> clearScript;
};

}  // namespace core
