#pragma once

// The host database and its datasets, as the plug-ins see them.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/data/variant.h"
#include "host/host_api.h"

namespace host {

// A failure of the host database: it could not be opened, or a statement failed. The message
// names the database, the stored SQL key or the object concerned.
class HOST_API HostDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The host's dataset on which the plug-ins run the stored SQL: the text with :Name parameters,
// bound by name, opened, read row by row with fields by position, closed again.
class HOST_API HostDataSet {
public:
    virtual ~HostDataSet() = default;

    virtual void close() = 0;
    virtual bool active() const = 0;
    // Replacing the text forgets the parameters bound for the previous one.
    virtual void setSQL(const std::string& text) = 0;
    virtual const std::string& sql() const = 0;
    // Integer and date-time values. A parameter the text does not use is skipped when the
    // dataset opens; one the text uses and nobody bound makes open() fail naming it.
    virtual void setParam(const std::string& name, const Variant& value) = 0;
    virtual void open() = 0;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    virtual int fieldCount() const = 0;
    virtual Variant field(int index) const = 0;
    // Rows of the open dataset as far as known; 0 or less means empty.
    virtual int recordCount() const = 0;
};

// The host database as the host package reaches it.
class HOST_API HostDatabase {
public:
    virtual ~HostDatabase() = default;
    // The SQL text stored under a key; throws naming the key when there is none.
    virtual std::string sqlText(const std::string& key) = 0;
    // The first row of a select, or nothing when it returns no row.
    virtual std::optional<std::vector<Variant>> firstRow(const std::string& sql) = 0;
    virtual HostDataSet& sharedDataSet() = 0;
};

}  // namespace host
