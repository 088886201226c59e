#pragma once

// The host database on Firebird.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "host/data/host_database.h"
#include "host/host_api.h"

namespace Firebird {
class IAttachment;
class ITransaction;
}  // namespace Firebird

namespace host {

class FirebirdDataSet;

// Who opens the database. A window asks the user; the command line takes ISC_USER (SYSDBA when
// unset) and ISC_PASSWORD, as the database's own tools do.
struct HOST_API DatabaseLogin {
    std::string user;
    std::optional<std::string> password;

    static DatabaseLogin fromEnvironment();
};

// The host database on Firebird. A plain path opens the file with the embedded engine; host:path
// (or host/port:path) goes through a server. Everything is read in one read-only snapshot, so all queries of a run see the
// same data, and the connection speaks WIN1251.
class HOST_API FirebirdDatabase final : public HostDatabase {
public:
    // Throws HostDatabaseError naming the database when it cannot be opened; through a server, in
    // one line that says whether the login, the address or the path failed.
    explicit FirebirdDatabase(const std::string& connection);
    FirebirdDatabase(const std::string& connection, const DatabaseLogin& login);
    ~FirebirdDatabase() override;
    FirebirdDatabase(const FirebirdDatabase&) = delete;
    FirebirdDatabase& operator=(const FirebirdDatabase&) = delete;

    std::string sqlText(const std::string& key) override;
    std::optional<std::vector<Variant>> firstRow(const std::string& sql) override;
    HostDataSet& sharedDataSet() override;

    // The key a text came from, for messages; empty for a text not read through sqlText.
    std::string keyOf(const std::string& text) const;

    // Ends the database library's work in this process; call once, after the last database closed.
    static void shutdown();

private:
    std::string connection_;
    Firebird::IAttachment* attachment_ = nullptr;
    Firebird::ITransaction* transaction_ = nullptr;
    std::unique_ptr<FirebirdDataSet> shared_;
    std::map<std::string, std::string> keyOfText_;
};

}  // namespace host
