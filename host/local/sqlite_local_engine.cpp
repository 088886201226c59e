#include "host/local/sqlite_local_engine.h"

#include <sqlite3.h>

#include "host/local/local_sql.h"
#include "host/local/local_table_error.h"
#include "host/local/sqlite_connection.h"

namespace host {

void SqliteLocalEngine::execute(const std::string& directory, const std::string& statement) {
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
    // The engine reads this setting whenever it makes a temporary file; it must outlive them.
    static std::string kept;
    kept = directory;
    sqlite3_free(sqlite3_temp_directory);
    sqlite3_temp_directory = directory.empty() ? nullptr : sqlite3_mprintf("%s", kept.c_str());
}

}  // namespace host
