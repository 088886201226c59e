// The local table engine's connection to the work tables, and its prepared statements; private to
// host/local, nothing outside it sees the engine's types.
#pragma once

#include <sqlite3.h>

#include <string>
#include <utility>
#include <vector>

namespace host {

// A prepared statement, finalized when its owner lets it go.
class SqliteStatement {
public:
    SqliteStatement() = default;
    explicit SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}
    ~SqliteStatement() { sqlite3_finalize(statement_); }
    SqliteStatement(SqliteStatement&& other) noexcept : statement_(std::exchange(other.statement_, nullptr)) {}
    SqliteStatement& operator=(SqliteStatement&& other) noexcept {
        std::swap(statement_, other.statement_);
        return *this;
    }

    sqlite3_stmt* get() const { return statement_; }
    explicit operator bool() const { return statement_ != nullptr; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

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
    // A mapped table is read from the file cache without a system call per page, and the pages
    // read count as the process's memory.
    void attachWorkTable(const std::string& directory, const std::string& table, bool mapped = true);
    void execute(const std::string& sql);
    SqliteStatement prepare(const std::string& sql);
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
