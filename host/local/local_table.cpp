#include "host/local/local_table.h"

#include <sqlite3.h>

#include <cstdio>

#include "host/local/local_table_error.h"
#include "host/local/sqlite_connection.h"

namespace host {

namespace {
std::string qualified(const std::string& table) { return "\"" + table + "\".\"" + table + "\""; }
}  // namespace

LocalTable::~LocalTable() { LocalTable::close(); }

std::string LocalTable::readSql() const { return "select * from " + qualified(tableName_) + " order by rowid"; }

void LocalTable::open() {
    LocalDataSet::open();
    auto* statement = connection().prepare("select count(*) from pragma_table_info('" + tableName_ + "', '" +
                                           tableName_ + "')");
    sqlite3_step(statement);
    columnCount_ = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
}

void LocalTable::close() {
    // The rows posted so far stay, also when the table closes on the way out of a failure.
    try {
        finishAppending();
    } catch (...) {
        LocalDataSet::close();
        throw;
    }
    LocalDataSet::close();
}

void LocalTable::finishAppending() {
    if (!insert_) return;
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    connection().execute("COMMIT");
}

void LocalTable::append() {
    auto& db = connection();
    if (!insert_) {
        std::string sql = "insert into " + qualified(tableName_) + " values (";
        for (int i = 0; i < columnCount_; ++i) sql += i ? ", ?" : "?";
        sql += ")";
        db.execute("BEGIN");
        insert_ = db.prepare(sql);
    }
    sqlite3_clear_bindings(insert_);
}

void LocalTable::setField(int index, const Variant& value) {
    if (!insert_) throw LocalTableError(tableName_ + ": no row is being appended");
    const int slot = index + 1;
    int rc;
    if (value.isNullOrEmpty())
        rc = sqlite3_bind_null(insert_, slot);
    else if (value.isInteger())
        rc = sqlite3_bind_int64(insert_, slot, value.toInteger());
    else if (value.isFloat() || value.isDate())
        rc = sqlite3_bind_double(insert_, slot, value.isDate() ? value.toDateTime().days : value.toDouble());
    else if (value.isText())
        rc = sqlite3_bind_text(insert_, slot, value.text().data(), static_cast<int>(value.text().size()),
                               SQLITE_TRANSIENT);
    else
        throw LocalTableError(tableName_ + ": column " + std::to_string(slot) + " cannot hold a list of values");
    if (rc != SQLITE_OK)
        throw LocalTableError(tableName_ + ".db, column " + std::to_string(slot) + " of " +
                              std::to_string(columnCount_) + ": " + sqlite3_errstr(rc));
}

void LocalTable::post() {
    if (!insert_) throw LocalTableError(tableName_ + ": no row is being appended");
    const int rc = sqlite3_step(insert_);
    if (rc != SQLITE_DONE) {
        const std::string message = sqlite3_errmsg(connection().handle());
        sqlite3_reset(insert_);
        throw LocalTableError(tableName_ + ".db: " + message);
    }
    sqlite3_reset(insert_);
}

void DropTable(LocalTable& table) {
    table.close();
    std::remove(workTablePath(table.databaseName(), table.tableName()).c_str());
}

}  // namespace host
