#pragma once

// The database client interface and one SELECT read row by row.

#include <firebird/Interface.h>

#include <string>
#include <vector>

#include "host/data/variant.h"

namespace host {

// The client interface of the database library, one per process.
struct FirebirdApi {
    Firebird::IMaster* master;
    Firebird::IUtil* util;
    static FirebirdApi& get();
};

// Throws HostDatabaseError with `context` and the library's own text of what failed.
[[noreturn]] void raiseDatabaseError(const std::string& context, const Firebird::FbException& error);

// One SELECT prepared, opened with its parameters and fetched row by row into a message buffer.
// Closes its result set and frees its statement when destroyed, whatever happened before.
class FirebirdCursor {
public:
    // `sql` has "?" placeholders; `params` holds one value for each, in order.
    FirebirdCursor(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, const std::string& sql,
                   const std::vector<Variant>& params);
    ~FirebirdCursor();
    FirebirdCursor(const FirebirdCursor&) = delete;
    FirebirdCursor& operator=(const FirebirdCursor&) = delete;

    // Moves to the next row; false at the end.
    bool fetch();
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    Variant field(int index) const;
    void close();

private:
    struct Field {
        unsigned type;
        int subType;
        int scale;
        unsigned length;
        unsigned offset;
        unsigned nullOffset;
    };

    std::string readBlob(const ISC_QUAD& id) const;

    Firebird::IAttachment* attachment_;
    Firebird::ITransaction* transaction_;
    Firebird::IStatus* fetchStatus_;
    Firebird::IStatement* statement_ = nullptr;
    Firebird::IResultSet* resultSet_ = nullptr;
    Firebird::IMessageMetadata* outputMeta_ = nullptr;
    std::vector<Field> fields_;
    std::vector<unsigned char> buffer_;
};

}  // namespace host
