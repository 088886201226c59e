#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

namespace host {

// One connection of the local engine with the work tables it needs attached, each under its own
// name ("ZorvicBuy.db" in the work directory as schema ZorvicBuy). A work table whose file does
// not exist yet is created empty with the host's columns. Work tables are scratch data: no
// journal, no syncing.
class SqliteConnection {
public:
    SqliteConnection();
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Throws LocalTableError for a table the host does not know or a file it cannot open.
    void attachWorkTable(const std::string& directory, const std::string& table);
    void execute(const std::string& sql);
    sqlite3_stmt* prepare(const std::string& sql);
    sqlite3* handle() const { return db_; }
    // Throws LocalTableError with the engine's message about the last failure.
    [[noreturn]] void fail(const std::string& context) const;

private:
    sqlite3* db_ = nullptr;
    std::vector<std::string> attached_;
};

// The engine's file for a work table: the table's name with ".db", in the directory.
std::string workTablePath(const std::string& directory, const std::string& table);

}  // namespace host
