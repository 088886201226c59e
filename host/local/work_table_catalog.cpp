// The columns of the work tables and their types.
#include "host/local/work_table_catalog.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <map>

namespace host {
namespace {

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool startsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

using Names = std::initializer_list<const char*>;

std::vector<WorkColumn> columns(std::initializer_list<Names> groups) {
    std::vector<WorkColumn> out;
    for (const auto& group : groups)
        for (const char* name : group) out.push_back({name, columnTypeOf(name)});
    return out;
}

// The subdivision tables carry the subdivision's INN and one-line address after the columns the
// declaration reads, for the print form.
const Names kSubdivision = {"CL_ID",     "CL_NAME",   "CL_KPP",         "CL_COUNTRY_KOD", "CL_POST_INDEX",
                            "CL_REGION", "CL_DISTRICT", "CL_CITY_CLEAR", "CL_NAS_PUNKT",   "CL_STREET",
                            "CL_HOUSE_CLEAR", "CL_BUILDING", "CL_APPARTMENT", "CL_INN",   "CL_ADDRESS"};

const Names kKindAndPlace = {"VIDPROD_NAME", "VIDPROD_KOD", "SUPERPLACE_CL_ID"};
const Names kCounterparty = {"CL_ID", "CL_IS_IP", "CL_NAME", "CL_INN", "CL_KPP"};
const Names kCounterpartyAddressAndLicence = {
    "CL_ADDRES",     "CL_COUNTRY_KOD", "CL_POST_INDEX",  "CL_REGION",        "CL_DISTRICT_NAME",
    "CL_CITY_NAME",  "CL_NAS_PUNKT",   "CL_STREET_NAME", "CL_HOUSE",         "CL_BUILDING",
    "CL_APPARTMENT", "CL_LIC_SERIES",  "CL_LIC_NUMBER",  "CL_LIC_DATE",      "CL_LIC_GOOD_DATE",
    "CL_LIC_ORGAN",  "CL_LIC_REG_NUMBER"};
const Names kProducer = {"MANUF_ID", "MANUF_NAME", "MANUF_INN", "MANUF_KPP"};
const Names kDocument = {"EXT_DOC_DATE", "EXT_DOCINDEX"};
const Names kGoods = {"ARTICUL", "GOODNAME", "NETTO"};
const Names kMovement = {"QUANTITY", "ISRET"};
const Names kTransport = {"BUYER_ID",     "BUYER_NAME",   "BUYER_INN", "BUYER_KPP", "TRANS_TYPE", "TRANS_NUMBER",
                          "TRANS_VOLUME", "VIDTRANS_KOD", "TN_DATE",   "TN_INDEX",  "TN_QUANTITY"};
const Names kRetailTurnover = {"MANUF_ID",  "MANUF_NAME", "MANUF_INN", "MANUF_KPP", "ARTICUL",    "GOODNAME",
                               "NETTO",     "OST_BEGIN",  "PRIX_PROIZ", "PRIX_OPT", "PRIX_IMPORT", "PRIX_RET",
                               "PRIX_MOVE", "PRIX_OTHER", "RASX_ROZN", "RASX_RET",  "RASX_MOVE",   "RASX_OTHER"};
const Names kBeerTurnover = {"MANUF_ID",   "MANUF_NAME", "MANUF_INN",  "MANUF_KPP",  "ARTICUL",
                             "GOODNAME",   "NETTO",      "OST_BEGIN",  "PRIX_PROIZ", "PRIX_OPT",
                             "PRIX_IMPORT", "PRIX_RET",  "PRIX_OTHER", "RASX_ROZN",  "RASX_RET", "RASX_OTHER"};
const Names kTurnover = {"MANUF_NAME", "MANUF_INN",  "MANUF_KPP",   "OST_BEGIN", "PRIX_PROIZ", "PRIX_OPT",
                         "PRIX_IMPORT", "PRIX_RET",  "PRIX_MOVE",   "PRIX_OTHER", "RASX_OPT",  "RASX_ROZN",
                         "RASX_EXPORT", "RASX_RET",  "RASX_MOVE",   "RASX_OTHER"};

const std::map<std::string, std::vector<WorkColumn>>& catalog() {
    static const std::map<std::string, std::vector<WorkColumn>> tables = [] {
        std::map<std::string, std::vector<WorkColumn>> t;
        const auto wholesale =
            columns({kKindAndPlace, kCounterparty, kCounterpartyAddressAndLicence, kProducer, kDocument, kMovement});
        for (const char* form : {"ZorvicRozn", "ZorvicRoznBeer", "ZorvicTransport", "ZorvicBuy", "ZorvicDelivery",
                                 "ZorvicOborot"})
            t[upper(std::string(form) + "Obosob")] = columns({kSubdivision});
        t["ZORVICROZNBUY"] = columns(
            {kKindAndPlace, kCounterparty, kCounterpartyAddressAndLicence, kProducer, kDocument, kGoods, kMovement});
        t["ZORVICROZNOBOROT"] = columns({kKindAndPlace, kRetailTurnover});
        t["ZORVICROZNBEERBUY"] = columns({kKindAndPlace, kCounterparty, kProducer, kDocument, kGoods, kMovement});
        t["ZORVICROZNBEEROBOROT"] = columns({kKindAndPlace, kBeerTurnover});
        t["ZORVICBUY"] = wholesale;
        t["ZORVICDELIVERY"] = wholesale;
        auto transport = wholesale;
        for (const auto& column : columns({kTransport})) transport.push_back(column);
        t["ZORVICTRANSPORT"] = transport;
        t["ZORVICOBOROT"] = columns({kKindAndPlace, kTurnover});
        return t;
    }();
    return tables;
}

}  // namespace

ColumnType columnTypeOf(const std::string& columnName) {
    const std::string name = upper(columnName);
    if (endsWith(name, "_ID") || name == "ISRET" || name == "CL_IS_IP") return ColumnType::Integer;
    if (endsWith(name, "_DATE")) return ColumnType::Date;
    if (name == "QUANTITY" || name == "NETTO" || name == "TRANS_VOLUME" || name == "TN_QUANTITY" ||
        name == "OST_BEGIN" || startsWith(name, "PRIX_") || startsWith(name, "RASX_"))
        return ColumnType::Float;
    return ColumnType::Text;
}

const std::vector<WorkColumn>* workTableColumns(const std::string& tableName) {
    const auto& tables = catalog();
    const auto it = tables.find(upper(tableName));
    return it == tables.end() ? nullptr : &it->second;
}

}  // namespace host
