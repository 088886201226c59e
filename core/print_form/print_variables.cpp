#include "core/print_form/print_variables.h"

#include <cmath>
#include <vector>

#include "core/declaration_file/text_forming.h"
#include "host/data/hostapi.h"

namespace core {
namespace {

using host::Variant;

Variant lookup(const std::string& sql) { return host::HxSqlQuery(Variant::Array{Variant(sql)}); }

// Looked-up text may hold apostrophes; they become double quotes, never a broken literal.
std::string lookedUp(const Variant& value) { return "'" + apostrophesReplaced(value.toText()) + "'"; }

std::string padded(const std::string& text, std::size_t width) { return "'" + CellString(text, width) + "'"; }

std::string wholeNumber(double value) { return std::to_string(static_cast<long long>(std::trunc(value))); }

const char* const kAddressSql =
    "select post_index, region_kod, district_name,        iif(city_name <> '', city_name, city_name ||' \\ ')||nas_punkt,"
    "        street_name, house || iif (building<>'', ' \\ '||building, '') from GET_ADDRESS_KLADR(0,";
const char* const kAddressWithLineSql =
    "select post_index, region_kod, district_name,        iif(city_name <> '', city_name, city_name ||' \\ ')||nas_punkt,"
    "        street_name, house || iif (building<>'', ' \\ '||building, ''),       address  from GET_ADDRESS_KLADR(0,";

}  // namespace

std::string reportLiteral(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

void setOrganizationVariables(host::ReportVariables& variables, int client, const host::DateTime& quarterEnd,
                              const PrintVariableKind& kind) {
    const std::string id = std::to_string(client);
    const std::string licenceView = " from CLIENT_LIC_VIEW(" + id + ", '" + host::formatDate(quarterEnd) + "')";
    auto set = [&](const char* name, const Variant& value, const std::string& formed) {
        if (!value.isNullOrEmpty()) variables.setVariable(name, Variant(formed));
    };

    Variant v = lookup("select INN_CLIENTS from CLIENTS where ID_CLIENTS=" + id);
    if (!v.isNullOrEmpty() && !v.toText().empty())
        variables.setVariable("INN", Variant(padded(apostrophesReplaced(v.toText()), 12)));

    v = lookup("select iif(legal_name <> '', legal_name, name_clients) from CLIENTS where ID_CLIENTS=" + id);
    set("FullName", v, lookedUp(v));

    v = lookup("select KPP from CLIENTS where ID_CLIENTS=" + id);
    if (!v.isNullOrEmpty() && !(kind.addressLineAndEntrepreneur && v.toText().empty()))
        variables.setVariable("KPP", Variant(padded(apostrophesReplaced(v.toText()), 9)));

    const Variant address = lookup((kind.addressLineAndEntrepreneur ? kAddressWithLineSql : kAddressSql) + id + ")");
    if (!address.isNullOrEmpty()) {
        static const char* const kNames[] = {"INDEX", "REGION", "DISTRICT", "CITY", "STREET", "HOUSE", "ADDRESS"};
        const std::size_t count = kind.addressLineAndEntrepreneur ? 7 : 6;
        // A one-column answer would come back as the value itself; the row's columns otherwise.
        const Variant::Array columns = address.isArray() ? address.array() : Variant::Array{address};
        for (std::size_t i = 0; i < count; ++i)
            variables.setVariable(kNames[i], Variant(lookedUp(i < columns.size() ? columns[i] : Variant())));
    }

    if (kind.addressLineAndEntrepreneur) {
        v = lookup("select coalesce(ok.is_ip, 0)  from CLIENTS cl  left join OWNKIND ok on ok.id = cl.ownkind  "
                   "where cl.id_clients = " +
                   id);
        set("IS_IP", v, lookedUp(v));
    }

    v = lookup("select lic_sfera_name" + licenceView);
    set("LIC_SFERA", v, lookedUp(v));
    v = lookup("select TEL_CLIENTS from CLIENTS where ID_CLIENTS=" + id);
    set("TELEFON", v, lookedUp(v));
    v = lookup("select LIC_SERIES" + licenceView);
    set("LIC_SERIES", v, lookedUp(v));
    v = lookup("select LIC_NUMBER" + licenceView);
    set("LIC_NUMBER", v, lookedUp(v));
    // Dates print in the short date format; a date text has no quote to replace.
    v = lookup("select LIC_DATE" + licenceView);
    set("LIC_DATE", v, "'" + v.toText() + "'");
    v = lookup("select LIC_GOODDATE" + licenceView);
    set("LIC_GOOD_DATE", v, "'" + v.toText() + "'");
}

void setPageVariables(host::ReportVariables& variables, const ParametersPage& page, const PrintVariableKind& kind) {
    variables.setVariable("RUKFIO", Variant(reportLiteral(page.edRukFam.text() + " " + page.edRukName.text() + " " +
                                                          page.edRukOtc.text())));
    variables.setVariable("BUHFIO", Variant(reportLiteral(page.edBuhFam.text() + " " + page.edBuhName.text() + " " +
                                                          page.edBuhOtc.text())));
    variables.setVariable("NALORGANKOD", Variant(padded(page.seNalOrganKod.text(), 4)));
    variables.setVariable("NALORGANNAME", Variant(reportLiteral(page.edNalOrganName.text())));
    const bool corrective = page.cbVidDoc.itemIndex() == 1;
    variables.setVariable("VIDDOC", Variant(corrective ? "'3'" : "'1'"));
    if (corrective) variables.setVariable("CORRNUM", Variant("'" + wholeNumber(page.seCorrNumber.value()) + "'"));
    static const char* const kPeriodCodes[] = {"'3'", "'6'", "'9'", "'0'"};
    const int quarter = page.rgTypePeriod.itemIndex();
    variables.setVariable("OTC_PERIOD", Variant(quarter >= 0 && quarter <= 3 ? kPeriodCodes[quarter] : "''"));
    variables.setVariable("OTC_YEAR", Variant(padded(wholeNumber(page.seYear.value()), 4)));
    if (kind.goodsSwitches) {
        const bool goods = page.cbGroupByArticul && page.cbGroupByArticul->checked();
        const bool nullNetto = page.cbShowNullNetto && page.cbShowNullNetto->checked() && page.cbShowNullNetto->enabled();
        variables.setVariable("SHOW_GOODS", Variant(goods ? "'1'" : "'0'"));
        variables.setVariable("SHOW_NULL_NETTO", Variant(nullNetto ? "'1'" : "'0'"));
    }
}

}  // namespace core
