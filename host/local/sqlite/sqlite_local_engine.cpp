// The host's local table engine on SQLite: statements of local SQL, indexes, temporary files.
#include "host/local/sqlite/sqlite_local_engine.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "host/local/local_sql.h"
#include "host/local/local_table_error.h"
#include "host/local/sqlite/sqlite_connection.h"
#include "host/local/work_table_catalog.h"

namespace host {
namespace {

// The table a statement empties whole ("delete from \"ZorvicBuy.db\";"), or empty.
std::string emptiedTable(const std::string& statement) {
    std::size_t at = 0;
    auto skipBlanks = [&] {
        while (at < statement.size() && std::isspace(static_cast<unsigned char>(statement[at]))) ++at;
    };
    auto word = [&](const char* expected) {
        skipBlanks();
        const std::size_t length = std::strlen(expected);
        if (statement.size() - at < length || strncasecmp(statement.c_str() + at, expected, length) != 0) return false;
        at += length;
        return at < statement.size() && std::isspace(static_cast<unsigned char>(statement[at]));
    };
    if (!word("delete") || !word("from")) return {};
    skipBlanks();
    if (at >= statement.size() || statement[at] != '"') return {};
    const std::size_t close = statement.find('"', at + 1);
    if (close == std::string::npos) return {};
    std::string file = statement.substr(at + 1, close - at - 1);
    at = close + 1;
    skipBlanks();
    if (at < statement.size() && statement[at] == ';') ++at;
    skipBlanks();
    if (at != statement.size() || file.size() <= 3 || strcasecmp(file.c_str() + file.size() - 3, ".db") != 0) return {};
    return file.substr(0, file.size() - 3);
}

}  // namespace

void SqliteLocalEngine::execute(const std::string& directory, const std::string& statement) {
    // Emptying a whole table makes it anew: whatever an earlier run or somebody else left in its
    // file (a trigger, a view, another table) must not reach this run's declaration.
    if (const std::string table = emptiedTable(statement); !table.empty() && workTableColumns(table)) {
        const std::string path = workTablePath(directory, table);
        for (const char* suffix : {"", "-journal", "-wal", "-shm"})
            if (::unlink((path + suffix).c_str()) != 0 && errno != ENOENT)
                throw LocalTableError("cannot empty the work table " + path + suffix + ": " + std::strerror(errno));
    }
    const LocalStatement translated = translateLocalSql(statement);
    SqliteConnection connection;
    for (const auto& table : translated.tables) connection.attachWorkTable(directory, table);
    try {
        connection.execute(translated.sql);
    } catch (const LocalTableError& error) {
        throw LocalTableError("local SQL \"" + statement + "\": " + error.what());
    }
}

void SqliteLocalEngine::ensureIndex(const std::string& directory, const std::string& table, const std::string& index,
                                    const std::string& expressions) {
    SqliteConnection connection;
    connection.attachWorkTable(directory, table);
    connection.execute("create index if not exists \"" + table + "\".\"" + index + "\" on \"" + table + "\" (" +
                       expressions + ")");
}

void SqliteLocalEngine::setPrivateDirectory(const std::string& directory) {
    // A setting of the whole library, read whenever any connection makes a temporary file; the
    // library wants the text in memory of its own allocating.
    sqlite3_free(sqlite3_temp_directory);
    sqlite3_temp_directory = directory.empty() ? nullptr : sqlite3_mprintf("%s", directory.c_str());
}

}  // namespace host
