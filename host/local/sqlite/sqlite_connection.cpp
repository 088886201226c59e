// The local table engine's connection: work tables attached as plain files of their directory.
#include "host/local/sqlite/sqlite_connection.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/local/local_table_error.h"
#include "host/local/work_table_catalog.h"

namespace host {
namespace {

std::string quoted(const std::string& text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        out += c;
        if (c == quote) out += quote;
    }
    return out + quote;
}

const char* sqlType(ColumnType type) {
    switch (type) {
        case ColumnType::Integer: return "INTEGER";
        case ColumnType::Text: return "TEXT";
        case ColumnType::Float:
        case ColumnType::Date: return "REAL";
    }
    return "ANY";
}

}  // namespace

std::string workTablePath(const std::string& directory, const std::string& table) {
    if (directory.empty()) return table + ".db";
    return directory.back() == '/' ? directory + table + ".db" : directory + "/" + table + ".db";
}

// A work table is a plain file of the work directory: a link planted at its name would make the
// run write wherever the link points. A missing file is made here, never through a link.
static void makeSureIsPlainFile(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) throw LocalTableError("the work table " + path + " is a symbolic link; refused");
        if (!S_ISREG(info.st_mode)) throw LocalTableError("the work table " + path + " is not a plain file; refused");
        return;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    if (errno == EEXIST) return makeSureIsPlainFile(path);
    throw LocalTableError("cannot create the work table " + path + ": " + std::strerror(errno));
}

SqliteConnection::SqliteConnection() {
    // Files attached later are opened with the same flags: never through a link. A connection
    // belongs to one dataset, which one thread at a time uses, so it needs no lock of its own:
    // a lock taken on every call that reads a field was a good part of reading a big table.
    if (sqlite3_open_v2(":memory:", &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw LocalTableError("cannot start the local table engine: " + message);
    }
}

SqliteConnection::~SqliteConnection() { sqlite3_close_v2(db_); }

void SqliteConnection::fail(const std::string& context) const {
    throw LocalTableError(context + ": " + sqlite3_errmsg(db_));
}

void SqliteConnection::execute(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw LocalTableError(message);
    }
}

SqliteStatement SqliteConnection::prepare(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK)
        fail("local SQL \"" + sql + "\"");
    return SqliteStatement(statement);
}

void SqliteConnection::attachWorkTable(const std::string& directory, const std::string& table, bool mapped) {
    if (std::find(attached_.begin(), attached_.end(), table) != attached_.end()) return;
    const auto* columns = workTableColumns(table);
    if (!columns) throw LocalTableError("the host has no work table " + table);
    const std::string path = workTablePath(directory, table);
    const std::string schema = quoted(table, '"');
    makeSureIsPlainFile(path);
    try {
        execute("ATTACH DATABASE " + quoted(path, '\'') + " AS " + schema);
    } catch (const LocalTableError& error) {
        throw LocalTableError("cannot open the work table " + path + ": " + error.what());
    }
    attached_.push_back(table);
    std::string create = "CREATE TABLE IF NOT EXISTS " + schema + "." + schema + " (";
    for (std::size_t i = 0; i < columns->size(); ++i) {
        if (i) create += ", ";
        create += quoted((*columns)[i].name, '"') + " " + sqlType((*columns)[i].type);
    }
    create += ") STRICT";
    try {
        // The grouped reads visit a big table once per subdivision through an index; read through
        // a memory map its pages come from the file cache instead of a system call each.
        execute("PRAGMA " + schema + ".journal_mode=OFF; PRAGMA " + schema + ".synchronous=OFF; PRAGMA " + schema +
                ".mmap_size=" + (mapped ? "1073741824" : "0") + "; " + create);
    } catch (const LocalTableError& error) {
        throw LocalTableError("cannot prepare the work table " + path + ": " + error.what());
    }
}

}  // namespace host
