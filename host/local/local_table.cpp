// A work table of the host's local engine: rows appended in one transaction per filling.
#include "host/local/local_table.h"

#include <cstdio>

#include "host/local/local_table_error.h"
#include "host/local/sqlite/dataset_engine.h"

namespace host {

namespace {
std::string qualified(const std::string& table) { return "\"" + table + "\".\"" + table + "\""; }
}  // namespace

LocalTable::~LocalTable() { LocalTable::close(); }

std::string LocalTable::readSql() const { return "select * from " + qualified(tableName_) + " order by rowid"; }

void LocalTable::open() {
    LocalDataSet::open();
    const SqliteStatement count = engine().connection.prepare("select count(*) from pragma_table_info('" +
                                                                tableName_ + "', '" + tableName_ + "')");
    sqlite3_step(count.get());
    columnCount_ = sqlite3_column_int(count.get(), 0);
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
    if (!active() || !engine().insert) return;
    engine().insert = SqliteStatement();
    engine().connection.execute("COMMIT");
}

void LocalTable::append() {
    Engine& open = engine();
    if (!open.insert) {
        std::string sql = "insert into " + qualified(tableName_) + " values (";
        for (int i = 0; i < columnCount_; ++i) sql += i ? ", ?" : "?";
        sql += ")";
        open.connection.execute("BEGIN");
        open.insert = open.connection.prepare(sql);
    }
    sqlite3_clear_bindings(open.insert.get());
}

LocalTable::Engine& LocalTable::appendingRow() {
    if (!active() || !engine().insert) throw LocalTableError(tableName_ + ": no row is being appended");
    return engine();
}

void LocalTable::setField(int index, const Variant& value) {
    sqlite3_stmt* insert = appendingRow().insert.get();
    const int slot = index + 1;
    int rc;
    if (value.isNullOrEmpty())
        rc = sqlite3_bind_null(insert, slot);
    else if (value.isInteger())
        rc = sqlite3_bind_int64(insert, slot, value.toInteger());
    else if (value.isFloat() || value.isDate())
        rc = sqlite3_bind_double(insert, slot, value.isDate() ? value.toDateTime().days : value.toDouble());
    else if (value.isText())
        rc = sqlite3_bind_text(insert, slot, value.text().data(), static_cast<int>(value.text().size()),
                               SQLITE_TRANSIENT);
    else
        throw LocalTableError(tableName_ + ": column " + std::to_string(slot) + " cannot hold a list of values");
    if (rc != SQLITE_OK)
        throw LocalTableError(tableName_ + ".db, column " + std::to_string(slot) + " of " +
                              std::to_string(columnCount_) + ": " + sqlite3_errstr(rc));
}

void LocalTable::post() {
    Engine& open = appendingRow();
    sqlite3_stmt* insert = open.insert.get();
    const int rc = sqlite3_step(insert);
    if (rc != SQLITE_DONE) {
        const std::string message = sqlite3_errmsg(open.connection.handle());
        sqlite3_reset(insert);
        throw LocalTableError(tableName_ + ".db: " + message);
    }
    sqlite3_reset(insert);
}

void DropTable(LocalTable& table) {
    table.close();
    std::remove(workTablePath(table.databaseName(), table.tableName()).c_str());
}

}  // namespace host
