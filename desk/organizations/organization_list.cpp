// Reading the organizations from the host database.
#include "desk/organizations/organization_list.h"

#include "desk/host_text.h"
#include "host/data/host_database.h"

namespace desk {

bool Organization::matches(const QString& typed) const {
    const QString wanted = typed.trimmed();
    if (wanted.isEmpty()) return true;
    return name.contains(wanted, Qt::CaseInsensitive) || legalName.contains(wanted, Qt::CaseInsensitive) ||
           inn.contains(wanted);
}

std::vector<Organization> readOrganizations(host::HostDatabase& database) {
    auto& rows = database.sharedDataSet();
    rows.close();
    rows.setSQL("select ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP from CLIENTS order by NAME_CLIENTS, ID_CLIENTS");
    rows.open();
    std::vector<Organization> list;
    try {
        for (; !rows.eof(); rows.next()) {
            auto text = [&rows](int i) {
                const auto value = rows.field(i);
                return hostText(value.toText()).trimmed();
            };
            list.push_back({static_cast<int>(rows.field(0).toInteger()), text(1), text(2), text(3), text(4)});
        }
    } catch (...) {
        rows.close();
        throw;
    }
    rows.close();
    return list;
}

}  // namespace desk
