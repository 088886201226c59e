#pragma once

// The host database the user chose, opened with the user's login.

#include <QString>
#include <memory>
#include <stdexcept>

namespace host {
class FirebirdDatabase;
}

namespace desk {

// A file path (the embedded engine) or host:/path, host/port:/path (a server), with the login.
// The password is only ever held here, never stored.
struct HostDatabaseChoice {
    QString connection;
    QString user;
    QString password;
};

// Why the database cannot serve: in one text for one dialog, in Russian, followed by the
// database's own reason.
class HostDatabaseUnusable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens the database for one piece of work (a list of organizations, a generate): each opening
// reads a fresh snapshot of the data. A missing file, a file that is no database, a refused login
// or a database without the host's objects throws HostDatabaseUnusable.
std::unique_ptr<host::FirebirdDatabase> openHostDatabase(const HostDatabaseChoice& choice);

}  // namespace desk
