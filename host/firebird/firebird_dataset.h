#pragma once

// A host dataset read from the Firebird database.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/data/host_database.h"

namespace Firebird {
class IAttachment;
class ITransaction;
}  // namespace Firebird

namespace host {

class FirebirdCursor;
class FirebirdDatabase;

class FirebirdDataSet final : public HostDataSet {
public:
    FirebirdDataSet(FirebirdDatabase& database, Firebird::IAttachment* attachment, Firebird::ITransaction* transaction);
    ~FirebirdDataSet() override;

    void close() override;
    bool active() const override { return cursor_ != nullptr; }
    void setSQL(const std::string& text) override;
    const std::string& sql() const override { return sql_; }
    void setParam(const std::string& name, const Variant& value) override;
    void open() override;
    bool eof() const override { return eof_; }
    void next() override;
    int fieldCount() const override;
    Variant field(int index) const override;
    int recordCount() const override { return fetched_; }

private:
    std::string describe() const;

    FirebirdDatabase& database_;
    Firebird::IAttachment* attachment_;
    Firebird::ITransaction* transaction_;
    std::string sql_;
    std::vector<std::pair<std::string, Variant>> params_;
    std::unique_ptr<FirebirdCursor> cursor_;
    bool eof_ = true;
    int fetched_ = 0;
};

}  // namespace host
