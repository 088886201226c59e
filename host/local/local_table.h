// A work table of the host's local engine: appended to by position, read in the order appended.
#pragma once

#include <string>
#include <vector>

#include "host/local/local_dataset.h"

namespace host {

// A work table (TTable): the file "<name>.db" in its directory, created with the host's columns
// when it does not exist yet. Read directly, rows come in the order they were appended. Rows are
// appended by position: append, set the fields, post. All rows appended while the table is open
// are kept together and written when it closes, also when the filling failed half way.
class HOST_API LocalTable final : public LocalDataSet {
public:
    explicit LocalTable(std::string tableName) : LocalDataSet(tableName, true), tableName_(std::move(tableName)) {}
    ~LocalTable() override;

    const std::string& tableName() const { return tableName_; }

    void open() override;
    void close() override;

    void append();
    // Throws LocalTableError when the table has no column `index` (0-based).
    void setField(int index, const Variant& value);
    // Throws LocalTableError with the engine's message when the row does not fit the table.
    void post();

protected:
    std::string readSql() const override;
    std::vector<std::string> readTables() const override { return {tableName_}; }

private:
    void finishAppending();
    // The open table with a row being appended; throws LocalTableError otherwise.
    Engine& appendingRow();

    std::string tableName_;
    int columnCount_ = 0;
};

// Drops a work table: its file is removed. A table that does not exist is no error.
HOST_API void DropTable(LocalTable& table);

}  // namespace host
