// A cursor over local work tables, the base of work tables and local queries.
#pragma once

#include <memory>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/data/variant.h"
#include "host/host_api.h"

namespace host {

// A cursor over local work tables: open, move first/next/prior, row numbers from 1, fields by
// position or by name (without regard to case), locate by several fields. A dataset that reads
// forward only streams its rows and moves back only by starting again; any other holds its rows,
// so it can move freely. Values come typed by the column's name: *_DATE columns as dates.
class HOST_API LocalDataSet {
public:
    virtual ~LocalDataSet();
    LocalDataSet(const LocalDataSet&) = delete;
    LocalDataSet& operator=(const LocalDataSet&) = delete;

    // The directory of the work tables.
    void setDatabaseName(std::string directory) { databaseName_ = std::move(directory); }
    // Whether the next open reads the work tables through a memory map (the default): quicker for
    // reads that come back to a page, while a single pass over a big table in a map would count
    // the whole table as the process's memory.
    void setMemoryMapped(bool mapped) { memoryMapped_ = mapped; }
    bool memoryMapped() const { return memoryMapped_; }
    const std::string& databaseName() const { return databaseName_; }

    virtual void open();
    virtual void close();
    bool active() const { return engine_ != nullptr; }
    // A dataset that reads forward only streams its rows, reading as it moves; any other has
    // read them all once open.
    bool forwardOnly() const { return forwardOnly_; }

    void first();
    void next();
    // Throws LocalTableError on a dataset that reads forward only.
    void prior();
    bool eof();
    bool isEmpty();
    int recNo();

    int fieldCount();
    const std::string& fieldName(int index);
    // Throws LocalTableError naming the field when the dataset has none of that name.
    int fieldIndex(const std::string& name);
    Variant field(int index);
    Variant fieldByName(const std::string& name) { return field(fieldIndex(name)); }

    // A field of the current row as the engine holds it, without a copy, for the loops that go
    // through every row of a big table: the text stays valid until the dataset moves or closes.
    struct FieldView {
        enum class Kind { Null, Integer, Real, Text };
        Kind kind = Kind::Null;
        std::int64_t integer = 0;
        double real = 0;  // a date's day count too
        std::string_view text;
    };
    FieldView fieldView(int index);
    // Every field of the current row so, in order, into `row`.
    void readRowView(std::vector<FieldView>& row);
    // Every field of the current row, in order, as field() gives each, into `row`.
    void readRow(std::vector<Variant>& row);

    // Values for the "?" placeholders of the select, by position; they take effect when the
    // dataset is (re)read. requery() reads again with new values without preparing anew.
    void setParams(std::vector<Variant> params) { params_ = std::move(params); }
    void requery(std::vector<Variant> params);

    // Moves to the first row whose fields equal the values exactly; when none does, the dataset
    // stays where it was and the answer is false.
    bool locate(const std::vector<std::string>& names, const std::vector<Variant>& values);

    const std::string& name() const { return name_; }

protected:
    LocalDataSet(std::string name, bool forwardOnly);
    // The select that reads the dataset, and the tables it reads.
    virtual std::string readSql() const = 0;
    virtual std::vector<std::string> readTables() const = 0;
    void startReading();
    void requireActive() const;

    // What an open dataset holds of the engine (its connection, its statements); defined where
    // the engine is, so that no engine type shows here.
    struct Engine;
    Engine& engine();

private:
    Variant columnValue(int index) const;
    FieldView streamedView(int index) const;
    bool stepStream();
    void loadAll();
    void bindParams();

    std::string name_;
    bool forwardOnly_;
    bool memoryMapped_ = true;
    std::string databaseName_;
    std::unique_ptr<Engine> engine_;  // null while closed
    bool reading_ = false;

    std::vector<Variant> params_;
    std::vector<std::string> fieldNames_;
    std::vector<bool> dateFields_;
    // Forward only: the statement's current row. Otherwise all rows.
    bool streamHasRow_ = false;
    std::vector<std::vector<Variant>> rows_;
    int position_ = 0;  // 0-based row; for a stream, the count of rows stepped past
    bool eof_ = true;
};

}  // namespace host
