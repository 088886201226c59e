// Rewriting a stored SQL text's named parameters as positional ones.
#include "host/firebird/named_parameters.h"

#include <cctype>

namespace host {
namespace {

bool startsName(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool continuesName(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

// Copies a quoted run starting at `i` (the opening quote) up to and including its closing quote;
// a doubled quote inside stands for one.
std::size_t copyQuoted(const std::string& sql, std::size_t i, std::string& out) {
    const char quote = sql[i];
    out += sql[i++];
    while (i < sql.size()) {
        out += sql[i];
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                out += sql[i + 1];
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

}  // namespace

PositionalSql toPositional(const std::string& sql) {
    PositionalSql result;
    std::string& out = result.text;
    out.reserve(sql.size());
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            i = copyQuoted(sql, i, out);
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const std::size_t end = sql.find('\n', i);
            const std::size_t stop = end == std::string::npos ? sql.size() : end;
            out.append(sql, i, stop - i);
            i = stop;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const std::size_t end = sql.find("*/", i + 2);
            const std::size_t stop = end == std::string::npos ? sql.size() : end + 2;
            out.append(sql, i, stop - i);
            i = stop;
        } else if (c == ':' && i + 1 < sql.size() && startsName(sql[i + 1])) {
            std::size_t end = i + 1;
            while (end < sql.size() && continuesName(sql[end])) ++end;
            result.names.push_back(sql.substr(i + 1, end - i - 1));
            out += '?';
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return result;
}

}  // namespace host
