#pragma once

// The host's organizations, as the window lists them for choosing.

#include <QString>
#include <vector>

namespace host {
class HostDatabase;
}

namespace desk {

struct Organization {
    int id = -1;
    QString name;
    QString legalName;
    QString inn;
    QString kpp;

    // Whether a part of the name, the legal name or the taxpayer number matches what the user typed.
    bool matches(const QString& typed) const;
};

// Every row of CLIENTS, by name. Throws host::HostDatabaseError when the table cannot be read.
std::vector<Organization> readOrganizations(host::HostDatabase& database);

}  // namespace desk
