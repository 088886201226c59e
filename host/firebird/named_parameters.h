#pragma once

// Named SQL parameters turned into positional ones.

#include <string>
#include <vector>

namespace host {

// A stored SQL text names its parameters as :Name; the database itself only knows "?". The text
// is rewritten with a "?" in place of each :Name, and the names are kept in their order of
// appearance (a name used twice appears twice). Quoted strings, quoted identifiers and comments
// are left as they are.
struct PositionalSql {
    std::string text;
    std::vector<std::string> names;
};

PositionalSql toPositional(const std::string& sql);

}  // namespace host
