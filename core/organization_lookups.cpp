// The organization's requisites looked up in the host database.
#include "core/organization_lookups.h"

#include <stdexcept>

#include "host/data/hostapi.h"

namespace core {

using host::HxSqlQuery;
using host::Variant;

namespace {
Variant ask(const std::string& sql) { return HxSqlQuery({Variant(sql)}); }
}  // namespace

std::string lookupText(const Variant& value) { return value.isNullOrEmpty() ? std::string{} : value.toText(); }

std::string OrganizationLookups::id() const { return std::to_string(client); }

std::string OrganizationLookups::licenceView(const char* column) const {
    return std::string("select ") + column + " from CLIENT_LIC_VIEW(" + id() + ", '" + host::formatDate(asOf) + "')";
}

Variant OrganizationLookups::inn() const { return ask("select INN_CLIENTS from CLIENTS where ID_CLIENTS=" + id()); }

Variant OrganizationLookups::kpp() const { return ask("select KPP from CLIENTS where ID_CLIENTS=" + id()); }

Variant OrganizationLookups::innKppAndEntrepreneurMark() const {
    return ask("select cl.inn_clients, cl.kpp, coalesce(ok.is_ip, 0)  from CLIENTS cl  left join OWNKIND ok on "
               "ok.id = cl.ownkind where cl.id_clients = " +
               id());
}

Variant OrganizationLookups::licenceNumber() const { return ask(licenceView("LIC_REG_NUMBER")); }

Variant OrganizationLookups::name() const {
    return ask("select iif(legal_name <> '', legal_name, name_clients) from CLIENTS where ID_CLIENTS=" + id());
}

Variant OrganizationLookups::phone() const { return ask("select TEL_CLIENTS from CLIENTS where ID_CLIENTS=" + id()); }

std::vector<Variant> OrganizationLookups::fileAddress() const {
    const Variant row = ask(
        "select country_kod, post_index, region_kod, district_name,city_name,       nas_punkt, street_name, house, "
        "building, appartment  from GET_ADDRESS_KLADR(0," +
        id() + ")");
    if (!row.isArray() || row.array().size() < 10)
        throw std::runtime_error("the host gives no address for the organization (client " + id() + ")");
    return row.array();
}

Variant OrganizationLookups::activityKind() const { return ask(licenceView("lic_sfera_kod")); }

Variant OrganizationLookups::licenceStart() const { return ask(licenceView("LIC_DATE")); }

Variant OrganizationLookups::licenceEnd() const { return ask(licenceView("LIC_GOODDATE")); }

Variant OrganizationLookups::printAddress(bool withLine) const {
    return ask(std::string("select post_index, region_kod, district_name,        iif(city_name <> '', city_name, "
                           "city_name ||' \\ ')||nas_punkt,        street_name, house || iif (building<>'', ' \\ '||"
                           "building, '')") +
               (withLine ? ",       address " : "") + " from GET_ADDRESS_KLADR(0," + id() + ")");
}

Variant OrganizationLookups::entrepreneurMark() const {
    return ask("select coalesce(ok.is_ip, 0)  from CLIENTS cl  left join OWNKIND ok on ok.id = cl.ownkind  "
               "where cl.id_clients = " +
               id());
}

Variant OrganizationLookups::licenceSphereName() const { return ask(licenceView("lic_sfera_name")); }

Variant OrganizationLookups::licenceSeries() const { return ask(licenceView("LIC_SERIES")); }

Variant OrganizationLookups::licenceNumberOnly() const { return ask(licenceView("LIC_NUMBER")); }

}  // namespace core
