// Translating local SQL into what the engine runs.
#include "host/local/local_sql.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace host {
namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The text with quoted runs and parentheses blanked, so that keywords and commas are only found
// at the statement's own level. Positions stay those of the original.
std::string topLevelView(const std::string& sql) {
    std::string view = lower(sql);
    int depth = 0;
    char quote = 0;
    for (char& c : view) {
        if (quote) {
            if (c == quote) quote = 0;
            c = ' ';
        } else if (c == '\'' || c == '"') {
            quote = c;
            c = ' ';
        } else if (c == '(') {
            ++depth;
            c = ' ';
        } else if (c == ')') {
            --depth;
            c = ' ';
        } else if (depth > 0) {
            c = ' ';
        }
    }
    return view;
}

std::size_t findKeyword(const std::string& view, const std::string& keyword, std::size_t from = 0) {
    for (std::size_t at = view.find(keyword, from); at != std::string::npos; at = view.find(keyword, at + 1)) {
        const bool startOk = at == 0 || !isWordChar(view[at - 1]);
        const std::size_t end = at + keyword.size();
        const bool endOk = end >= view.size() || !isWordChar(view[end]);
        if (startOk && endOk) return at;
    }
    return std::string::npos;
}

std::size_t findPhrase(const std::string& view, const std::string& first, const std::string& second) {
    for (std::size_t at = findKeyword(view, first); at != std::string::npos; at = findKeyword(view, first, at + 1)) {
        std::size_t next = at + first.size();
        while (next < view.size() && std::isspace(static_cast<unsigned char>(view[next]))) ++next;
        if (view.compare(next, second.size(), second) == 0 &&
            (next + second.size() >= view.size() || !isWordChar(view[next + second.size()])))
            return at;
    }
    return std::string::npos;
}

std::string translateTables(const std::string& sql, std::vector<std::string>& tables) {
    std::string out;
    std::size_t i = 0;
    while (i < sql.size()) {
        if (sql[i] == '"') {
            const std::size_t close = sql.find('"', i + 1);
            if (close != std::string::npos) {
                const std::string name = sql.substr(i + 1, close - i - 1);
                if (name.size() > 3 && lower(name.substr(name.size() - 3)) == ".db") {
                    const std::string table = name.substr(0, name.size() - 3);
                    if (std::find(tables.begin(), tables.end(), table) == tables.end()) tables.push_back(table);
                    out += "\"" + table + "\".\"" + table + "\"";
                    i = close + 1;
                    continue;
                }
                out.append(sql, i, close - i + 1);
                i = close + 1;
                continue;
            }
        }
        out += sql[i++];
    }
    return out;
}

// The names a select list gives its columns when each is a plain column name, lower-cased; empty
// when any is an expression or renamed.
std::vector<std::string> plainColumnNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::size_t first = name.find_first_not_of(" \t\r\n");
        const std::size_t last = name.find_last_not_of(" \t\r\n");
        name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
        if (name.empty() || !std::all_of(name.begin(), name.end(), isWordChar) ||
            std::isdigit(static_cast<unsigned char>(name[0])))
            return {};
        names.push_back(lower(name));
        if (comma == std::string::npos) return names;
        start = comma + 1;
    }
}

// A distinct select over a big table with few distinct rows: sorting every row to find the
// distinct ones costs a sort of the whole table, while the engine's distinct step alone keeps
// only the distinct rows, in a small index, and the sort then orders just those. The same rows
// come in the same order. Only a plain select of plain columns, ordered (if at all) by some of
// them, is rewritten; anything else is left as it is.
std::optional<std::string> distinctSortedAfterwards(const std::string& text, const std::string& view,
                                                    std::size_t listStart, std::size_t from, std::size_t orderBy,
                                                    const std::string& tail) {
    if (from == std::string::npos) return std::nullopt;
    for (const char* keyword : {"limit", "offset", "union", "intersect", "except", "having", "window"})
        if (findKeyword(view, keyword) != std::string::npos) return std::nullopt;
    // Taken from the text itself, where a call or a quoted name still shows and is refused.
    const std::vector<std::string> columns = plainColumnNames(lower(text.substr(listStart, from - listStart)));
    if (columns.empty() || view.find(';') != std::string::npos) return std::nullopt;
    std::vector<std::string> unique = columns;
    std::sort(unique.begin(), unique.end());
    if (std::adjacent_find(unique.begin(), unique.end()) != unique.end()) return std::nullopt;
    std::string order;
    if (orderBy != std::string::npos) {
        const std::size_t termsStart = view.find("by", orderBy + 5) + 2;
        for (const std::string& term : plainColumnNames(lower(text.substr(termsStart)))) {
            if (std::find(columns.begin(), columns.end(), term) == columns.end()) return std::nullopt;
            order += term + ", ";
        }
        if (order.empty()) return std::nullopt;
    }
    const std::string select = text.substr(0, orderBy == std::string::npos ? text.size() : orderBy);
    return "select * from (" + select + ") order by " + order + tail;
}

}  // namespace

LocalStatement translateLocalSql(const std::string& sql) {
    LocalStatement statement;
    std::string text = translateTables(sql, statement.tables);
    while (!text.empty() && (std::isspace(static_cast<unsigned char>(text.back())) || text.back() == ';')) text.pop_back();

    const std::string view = topLevelView(text);
    const std::size_t select = findKeyword(view, "select");
    if (select == std::string::npos || view.find_first_not_of(" \t\r\n") != select) {
        statement.sql = text;
        return statement;
    }
    const std::size_t from = findKeyword(view, "from");
    std::size_t listStart = select + 6;
    const std::size_t distinct = findKeyword(view, "distinct", listStart);
    const bool isDistinct = distinct != std::string::npos && distinct < from &&
                            view.find_first_not_of(" \t\r\n", listStart) == distinct;
    if (isDistinct) listStart = distinct + 8;
    const bool grouped = findPhrase(view, "group", "by") != std::string::npos;
    const std::size_t orderBy = findPhrase(view, "order", "by");

    const std::string selectList = view.substr(listStart, (from == std::string::npos ? view.size() : from) - listStart);
    const std::size_t columns = static_cast<std::size_t>(std::count(selectList.begin(), selectList.end(), ',')) + 1;
    const std::string originalList = lower(text.substr(listStart, selectList.size()));
    const bool aggregated = !grouped && (originalList.find("sum(") != std::string::npos ||
                                         originalList.find("max(") != std::string::npos ||
                                         originalList.find("min(") != std::string::npos ||
                                         originalList.find("count(") != std::string::npos ||
                                         originalList.find("avg(") != std::string::npos);

    std::string tail;
    if (isDistinct || grouped) {
        for (std::size_t i = 1; i <= columns; ++i) tail += (i == 1 ? "" : ", ") + std::to_string(i);
    } else if (!aggregated && from != std::string::npos) {
        tail = "rowid";
    }
    if (isDistinct && !grouped) {
        if (auto sorted = distinctSortedAfterwards(text, view, listStart, from, orderBy, tail)) {
            statement.sql = std::move(*sorted);
            return statement;
        }
    }
    if (!tail.empty()) text += (orderBy == std::string::npos ? " order by " : ", ") + tail;
    statement.sql = text;
    return statement;
}

}  // namespace host
