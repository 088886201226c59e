// A host dataset read from the Firebird database.
#include "host/firebird/firebird_dataset.h"

#include "host/firebird/firebird_cursor.h"
#include "host/firebird/firebird_database.h"
#include "host/firebird/named_parameters.h"
#include "host/text/names.h"

namespace host {

FirebirdDataSet::FirebirdDataSet(FirebirdDatabase& database, Firebird::IAttachment* attachment,
                                 Firebird::ITransaction* transaction)
    : database_(database), attachment_(attachment), transaction_(transaction) {}

FirebirdDataSet::~FirebirdDataSet() = default;

void FirebirdDataSet::close() {
    cursor_.reset();
    eof_ = true;
    fetched_ = 0;
}

void FirebirdDataSet::setSQL(const std::string& text) {
    close();
    sql_ = text;
    params_.clear();
}

void FirebirdDataSet::setParam(const std::string& name, const Variant& value) {
    for (auto& [known, bound] : params_)
        if (sameName(known, name)) {
            bound = value;
            return;
        }
    params_.emplace_back(name, value);
}

std::string FirebirdDataSet::describe() const {
    const std::string key = database_.keyOf(sql_);
    return key.empty() ? std::string("the host query") : "the host query " + key;
}

void FirebirdDataSet::open() {
    close();
    const PositionalSql positional = toPositional(sql_);
    std::vector<Variant> values;
    values.reserve(positional.names.size());
    for (const auto& name : positional.names) {
        const Variant* found = nullptr;
        for (const auto& [known, bound] : params_)
            if (sameName(known, name)) found = &bound;
        if (!found) throw HostDatabaseError(describe() + " uses the parameter :" + name + ", which nobody supplies");
        values.push_back(*found);
    }
    try {
        cursor_ = std::make_unique<FirebirdCursor>(attachment_, transaction_, positional.text, values);
        eof_ = !cursor_->fetch();
    } catch (const HostDatabaseError& error) {
        cursor_.reset();
        throw HostDatabaseError(describe() + ": " + error.what());
    }
    fetched_ = eof_ ? 0 : 1;
}

void FirebirdDataSet::next() {
    if (eof_) return;
    try {
        eof_ = !cursor_->fetch();
    } catch (const HostDatabaseError& error) {
        throw HostDatabaseError(describe() + ": " + error.what());
    }
    if (!eof_) ++fetched_;
}

int FirebirdDataSet::fieldCount() const { return cursor_ ? cursor_->fieldCount() : 0; }

Variant FirebirdDataSet::field(int index) const {
    if (!cursor_ || eof_) throw HostDatabaseError(describe() + " has no current row");
    return cursor_->field(index);
}

}  // namespace host
