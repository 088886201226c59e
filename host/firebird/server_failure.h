#pragma once

// Where a connection string leads, and why a server refused to open the database.

#include <optional>
#include <string>

namespace Firebird {
class IStatus;
}  // namespace Firebird

namespace host {

// Where a connection string sends the run: `host:path` or `host/port:path` (an IPv6 address in
// brackets) goes to a server; a plain path has no server and is opened by the embedded engine.
struct ServerAddress {
    std::string host;
    std::string port;  // as written: a number or a service name; empty for the standard port
    std::string path;

    // "localhost port 3051", for messages.
    std::string where() const;
};

std::optional<ServerAddress> serverAddress(const std::string& connection);

// Why the server did not let the run open its database, in one line for the one who started it:
// which user was refused, that nothing answers at the address, that the server has no such file,
// instead of the client library's status lines.
std::string describeServerFailure(const ServerAddress& server, Firebird::IStatus* status, const std::string& user,
                                  bool passwordGiven);

// The client library's text of a status as one line, its parts joined with ": ".
std::string statusLine(Firebird::IStatus* status);

}  // namespace host
