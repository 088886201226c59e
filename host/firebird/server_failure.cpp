// Connection strings that name a server, and what a server's refusal to open a database means.
#include "host/firebird/server_failure.h"

#include <ibase.h>
#include <netdb.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "host/firebird/firebird_cursor.h"

namespace host {

using namespace Firebird;

namespace {

// One error of a status: its code and its arguments as text, in order.
struct StatusEntry {
    ISC_STATUS code;
    std::vector<std::string> args;
};

std::vector<StatusEntry> entries(IStatus* status) {
    std::vector<StatusEntry> out;
    for (const intptr_t* at = status->getErrors(); *at != isc_arg_end;) {
        const intptr_t kind = *at++;
        if (kind == isc_arg_warning) break;
        const intptr_t value = *at++;
        switch (kind) {
            case isc_arg_gds: out.push_back({static_cast<ISC_STATUS>(value), {}}); break;
            case isc_arg_cstring: {
                const auto* text = reinterpret_cast<const char*>(*at++);
                if (!out.empty()) out.back().args.emplace_back(text, static_cast<std::size_t>(value));
                break;
            }
            case isc_arg_string:
            case isc_arg_interpreted:
                if (!out.empty()) out.back().args.emplace_back(reinterpret_cast<const char*>(value));
                break;
            case isc_arg_unix:
                if (!out.empty()) out.back().args.emplace_back(std::strerror(static_cast<int>(value)));
                break;
            case isc_arg_number:
                if (!out.empty()) out.back().args.push_back(std::to_string(value));
                break;
            default: break;  // SQLSTATE and system codes of other platforms say nothing more here
        }
    }
    return out;
}

const StatusEntry* find(const std::vector<StatusEntry>& errors, ISC_STATUS code) {
    const auto it = std::find_if(errors.begin(), errors.end(), [&](const StatusEntry& e) { return e.code == code; });
    return it == errors.end() ? nullptr : &*it;
}

bool isNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return c >= '0' && c <= '9'; });
}

// The cause the server gave after an I/O error: the first text of the entries that follow it.
std::string ioCause(const std::vector<StatusEntry>& errors, const StatusEntry* io) {
    for (auto it = errors.begin() + (io - errors.data()) + 1; it != errors.end(); ++it)
        if (!it->args.empty()) return it->args.back();
    return {};
}

}  // namespace

std::string ServerAddress::where() const { return port.empty() ? host : host + " port " + port; }

std::optional<ServerAddress> serverAddress(const std::string& connection) {
    // Firebird reads everything up to the first colon as the server, so a plain path has none
    // there but at most a slash before it: "/data/x.fdb", "x.fdb".
    std::size_t hostEnd;
    std::size_t colon;
    ServerAddress address;
    if (!connection.empty() && connection.front() == '[') {
        hostEnd = connection.find(']');
        if (hostEnd == std::string::npos) return std::nullopt;
        address.host = connection.substr(1, hostEnd - 1);
        colon = connection.find(':', hostEnd);
        ++hostEnd;
    } else {
        colon = connection.find(':');
        if (colon == std::string::npos) return std::nullopt;
        hostEnd = std::min(connection.find('/'), colon);
        address.host = connection.substr(0, hostEnd);
    }
    if (colon == std::string::npos || address.host.empty()) return std::nullopt;
    if (hostEnd < colon) {
        if (connection[hostEnd] != '/') return std::nullopt;
        address.port = connection.substr(hostEnd + 1, colon - hostEnd - 1);
        if (address.port.empty()) return std::nullopt;
    }
    address.path = connection.substr(colon + 1);
    return address;
}

std::string statusLine(IStatus* status) {
    char buffer[2048];
    FirebirdApi::get().util->formatStatus(buffer, sizeof buffer, status);
    std::string text = buffer;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    for (std::size_t at; (at = text.find("\n-")) != std::string::npos;) text.replace(at, 2, ": ");
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string describeServerFailure(const ServerAddress& server, IStatus* status, const std::string& user,
                                  bool passwordGiven) {
    const auto errors = entries(status);
    const std::string where = server.where();
    // The server tells an unknown user and a wrong password apart to nobody.
    if (find(errors, isc_login)) {
        if (!passwordGiven)
            return "the server at " + where + " refused user " + user + ": no password is given (set ISC_PASSWORD)";
        return "the server at " + where + " refused user " + user +
               ": the user name or the password is wrong (ISC_USER, ISC_PASSWORD)";
    }
    if (find(errors, isc_network_error)) {
        if (find(errors, isc_net_connect_err) || find(errors, isc_net_connect_listen_err))
            return "no Firebird server answers at " + server.host + " port " +
                   (server.port.empty() ? std::string("3050 (the standard one)") : server.port);
        if (find(errors, isc_net_lookup_err)) {
            if (!server.port.empty() && !isNumber(server.port) && !getservbyname(server.port.c_str(), "tcp"))
                return "the port " + server.port + " of the server " + server.host +
                       " is neither a number nor a known service name";
            return "the server's host name " + server.host + " is not known";
        }
    }
    if (find(errors, isc_connect_reject))
        return where + " rejected the connection: no Firebird server of a version this program speaks answers there";
    if (find(errors, isc_conf_access_denied))
        return "the server at " + where + " does not allow a database at " + server.path +
               " (DatabaseAccess in its configuration)";
    if (const StatusEntry* io = find(errors, isc_io_error); io && io->args.size() >= 2) {
        const std::string cause = ioCause(errors, io);
        if (io->args[0] == "open" && find(errors, isc_io_open_err) && cause == std::strerror(ENOENT))
            return "the server at " + where + " has no database " + io->args[1] + " (no such file there)";
        return "the server at " + where + " cannot " + io->args[0] + " the file " + io->args[1] +
               (cause.empty() ? std::string() : ": " + cause);
    }
    return "the server at " + where + " answered: " + statusLine(status);
}

}  // namespace host
