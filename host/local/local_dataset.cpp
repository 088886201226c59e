// A cursor over local work tables: streaming or holding its rows, typed by the columns' names.
#include "host/local/local_dataset.h"

#include "host/local/local_table_error.h"
#include "host/local/sqlite/dataset_engine.h"
#include "host/local/work_table_catalog.h"
#include "host/text/names.h"

namespace host {

LocalDataSet::LocalDataSet(std::string name, bool forwardOnly) : name_(std::move(name)), forwardOnly_(forwardOnly) {}

LocalDataSet::~LocalDataSet() { LocalDataSet::close(); }

LocalDataSet::Engine& LocalDataSet::engine() {
    requireActive();
    return *engine_;
}

void LocalDataSet::requireActive() const {
    if (!engine_) throw LocalTableError(name_ + " is not open");
}

void LocalDataSet::open() {
    close();
    auto opened = std::make_unique<Engine>();
    for (const auto& table : readTables()) opened->connection.attachWorkTable(databaseName_, table, memoryMapped_);
    engine_ = std::move(opened);
}

void LocalDataSet::close() {
    reading_ = false;
    rows_.clear();
    fieldNames_.clear();
    dateFields_.clear();
    streamHasRow_ = false;
    eof_ = true;
    position_ = 0;
    engine_.reset();
}

void LocalDataSet::startReading() {
    requireActive();
    if (reading_) return;
    engine_->select = engine_->connection.prepare(readSql());
    bindParams();
    sqlite3_stmt* select = engine_->select.get();
    const int count = sqlite3_column_count(select);
    for (int i = 0; i < count; ++i) {
        fieldNames_.emplace_back(sqlite3_column_name(select, i));
        dateFields_.push_back(columnTypeOf(fieldNames_.back()) == ColumnType::Date);
    }
    reading_ = true;
    if (forwardOnly_) {
        position_ = 0;
        eof_ = !stepStream();
    } else {
        loadAll();
    }
}

void LocalDataSet::bindParams() {
    sqlite3_stmt* select = engine_->select.get();
    for (std::size_t i = 0; i < params_.size(); ++i) {
        const Variant& value = params_[i];
        const int slot = static_cast<int>(i) + 1;
        if (value.isNullOrEmpty())
            sqlite3_bind_null(select, slot);
        else if (value.isInteger())
            sqlite3_bind_int64(select, slot, value.toInteger());
        else if (value.isText())
            sqlite3_bind_text(select, slot, value.text().data(), static_cast<int>(value.text().size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_double(select, slot, value.isDate() ? value.toDateTime().days : value.toDouble());
    }
}

void LocalDataSet::requery(std::vector<Variant> params) {
    params_ = std::move(params);
    if (!reading_) {
        startReading();
        return;
    }
    sqlite3_reset(engine_->select.get());
    sqlite3_clear_bindings(engine_->select.get());
    bindParams();
    if (forwardOnly_) {
        position_ = 0;
        eof_ = !stepStream();
    } else {
        loadAll();
    }
}

bool LocalDataSet::stepStream() {
    const int rc = sqlite3_step(engine_->select.get());
    if (rc == SQLITE_ROW) return streamHasRow_ = true;
    streamHasRow_ = false;
    if (rc != SQLITE_DONE) engine_->connection.fail(name_);
    return false;
}

void LocalDataSet::loadAll() {
    rows_.clear();
    while (stepStream()) {
        std::vector<Variant> row;
        row.reserve(fieldNames_.size());
        for (int i = 0; i < static_cast<int>(fieldNames_.size()); ++i) row.push_back(columnValue(i));
        rows_.push_back(std::move(row));
    }
    position_ = 0;
    eof_ = rows_.empty();
}

Variant LocalDataSet::columnValue(int index) const {
    sqlite3_stmt* select = engine_->select.get();
    switch (sqlite3_column_type(select, index)) {
        case SQLITE_INTEGER: {
            const auto value = static_cast<std::int64_t>(sqlite3_column_int64(select, index));
            return dateFields_[index] ? Variant(DateTime{static_cast<double>(value)}) : Variant(value);
        }
        case SQLITE_FLOAT: {
            const double value = sqlite3_column_double(select, index);
            return dateFields_[index] ? Variant(DateTime{value}) : Variant(value);
        }
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(select, index));
            return Variant(std::string(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(select, index))));
        }
        default: return Variant::null();
    }
}

void LocalDataSet::first() {
    startReading();
    if (forwardOnly_) {
        // Reading forward only, the way back to the start is to read again.
        sqlite3_reset(engine_->select.get());
        position_ = 0;
        eof_ = !stepStream();
    } else {
        position_ = 0;
        eof_ = rows_.empty();
    }
}

void LocalDataSet::next() {
    startReading();
    if (eof_) return;
    if (forwardOnly_) {
        ++position_;
        eof_ = !stepStream();
    } else if (position_ + 1 < static_cast<int>(rows_.size())) {
        ++position_;
    } else {
        eof_ = true;
    }
}

void LocalDataSet::prior() {
    startReading();
    if (forwardOnly_) throw LocalTableError(name_ + " reads forward only and cannot move back");
    if (position_ > 0) --position_;
    eof_ = rows_.empty();
}

bool LocalDataSet::eof() {
    startReading();
    return eof_;
}

bool LocalDataSet::isEmpty() {
    startReading();
    return forwardOnly_ ? (position_ == 0 && !streamHasRow_) : rows_.empty();
}

int LocalDataSet::recNo() {
    startReading();
    return isEmpty() ? 0 : position_ + 1;
}

int LocalDataSet::fieldCount() {
    startReading();
    return static_cast<int>(fieldNames_.size());
}

const std::string& LocalDataSet::fieldName(int index) {
    startReading();
    return fieldNames_.at(static_cast<std::size_t>(index));
}

int LocalDataSet::fieldIndex(const std::string& name) {
    startReading();
    for (std::size_t i = 0; i < fieldNames_.size(); ++i)
        if (sameName(fieldNames_[i], name)) return static_cast<int>(i);
    throw LocalTableError(name_ + " has no field " + name);
}

Variant LocalDataSet::field(int index) {
    startReading();
    if (index < 0 || index >= static_cast<int>(fieldNames_.size()))
        throw LocalTableError(name_ + " has no field number " + std::to_string(index));
    if (forwardOnly_) {
        if (!streamHasRow_) throw LocalTableError(name_ + " has no current row");
        return columnValue(index);
    }
    if (rows_.empty()) throw LocalTableError(name_ + " has no current row");
    return rows_[static_cast<std::size_t>(position_)][static_cast<std::size_t>(index)];
}

void LocalDataSet::readRow(std::vector<Variant>& row) {
    startReading();
    const std::size_t count = fieldNames_.size();
    row.resize(count);
    if (!forwardOnly_) {
        if (rows_.empty()) throw LocalTableError(name_ + " has no current row");
        row = rows_[static_cast<std::size_t>(position_)];
        return;
    }
    if (!streamHasRow_) throw LocalTableError(name_ + " has no current row");
    for (std::size_t i = 0; i < count; ++i) row[i] = columnValue(static_cast<int>(i));
}

void LocalDataSet::readRowView(std::vector<FieldView>& row) {
    startReading();
    row.resize(fieldNames_.size());
    if (!forwardOnly_) {
        for (std::size_t i = 0; i < row.size(); ++i) row[i] = fieldView(static_cast<int>(i));
        return;
    }
    if (!streamHasRow_) throw LocalTableError(name_ + " has no current row");
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = streamedView(static_cast<int>(i));
}

LocalDataSet::FieldView LocalDataSet::streamedView(int index) const {
    sqlite3_stmt* select = engine_->select.get();
    FieldView view;
    switch (sqlite3_column_type(select, index)) {
        case SQLITE_INTEGER:
            view.kind = FieldView::Kind::Integer;
            view.integer = sqlite3_column_int64(select, index);
            break;
        case SQLITE_FLOAT:
            view.kind = FieldView::Kind::Real;
            view.real = sqlite3_column_double(select, index);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            view.kind = FieldView::Kind::Text;
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(select, index));
            view.text = std::string_view(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(select, index)));
            break;
        }
        default: break;
    }
    return view;
}

LocalDataSet::FieldView LocalDataSet::fieldView(int index) {
    startReading();
    if (index < 0 || index >= static_cast<int>(fieldNames_.size()))
        throw LocalTableError(name_ + " has no field number " + std::to_string(index));
    FieldView view;
    if (!forwardOnly_) {
        if (rows_.empty()) throw LocalTableError(name_ + " has no current row");
        const Variant& value = rows_[static_cast<std::size_t>(position_)][static_cast<std::size_t>(index)];
        if (value.isInteger()) {
            view.kind = FieldView::Kind::Integer;
            view.integer = value.toInteger();
        } else if (value.isFloat() || value.isDate()) {
            view.kind = FieldView::Kind::Real;
            view.real = value.isDate() ? value.toDateTime().days : value.toDouble();
        } else if (value.isText()) {
            view.kind = FieldView::Kind::Text;
            view.text = value.text();
        }
        return view;
    }
    if (!streamHasRow_) throw LocalTableError(name_ + " has no current row");
    return streamedView(index);
}

namespace {

// Exact comparison as a user means it: numbers by value whatever their kind, dates by day and
// time, text byte for byte, null only with null.
bool sameValue(const Variant& a, const Variant& b) {
    if (a.isNullOrEmpty() || b.isNullOrEmpty()) return a.isNullOrEmpty() && b.isNullOrEmpty();
    if (a.isText() || b.isText()) return a.isText() && b.isText() && a.text() == b.text();
    if (a.isArray() || b.isArray()) return false;
    return a.toDouble() == b.toDouble();
}

}  // namespace

bool LocalDataSet::locate(const std::vector<std::string>& names, const std::vector<Variant>& values) {
    startReading();
    if (names.size() != values.size()) throw LocalTableError(name_ + ": locate needs one value for each field");
    std::vector<int> indexes;
    for (const auto& fieldName : names) indexes.push_back(fieldIndex(fieldName));
    auto matches = [&] {
        for (std::size_t k = 0; k < indexes.size(); ++k)
            if (!sameValue(field(indexes[k]), values[k])) return false;
        return true;
    };
    if (!forwardOnly_) {
        for (std::size_t row = 0; row < rows_.size(); ++row) {
            bool all = true;
            for (std::size_t k = 0; k < indexes.size() && all; ++k)
                all = sameValue(rows_[row][static_cast<std::size_t>(indexes[k])], values[k]);
            if (all) {
                position_ = static_cast<int>(row);
                eof_ = false;
                return true;
            }
        }
        return false;
    }
    const int from = position_;
    const bool wasEof = eof_;
    for (first(); !eof_; next())
        if (matches()) return true;
    // Not found: back to where the search started, by reading again.
    first();
    while (position_ < from && !eof_) next();
    eof_ = wasEof;
    return false;
}

}  // namespace host
