// The local queries over the movement table of forms 08, 07 and 06.
#include "core/wholesale_queries.h"

namespace core {
namespace {
std::string from(const std::string& table) { return " from \"" + table + ".db\""; }
}  // namespace

std::string movementRowsSql(const std::string& table) {
    return "select vidprod_name, vidprod_kod, superplace_cl_id, cl_id, cl_is_ip, cl_name, cl_inn, cl_kpp, cl_addres, "
           "cl_country_kod, cl_post_index, cl_region, cl_district_name, cl_city_name, cl_nas_punkt, cl_street_name, "
           "cl_house, cl_building, cl_appartment, cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, "
           "cl_lic_organ, cl_lic_reg_number, manuf_id, manuf_name, manuf_inn, manuf_kpp, ext_doc_date, ext_docindex, "
           "quantity, isret" +
           from(table) + " order by superplace_cl_id, isret, vidprod_name, manuf_name, cl_name, cl_lic_date";
}

std::string counterpartiesSql(const std::string& table, bool withAddress, bool orderedById) {
    return std::string("select distinct cl_id, cl_is_ip, cl_name, cl_inn, cl_kpp, ") + (withAddress ? "cl_addres, " : "") +
           "cl_country_kod, cl_post_index, cl_region, cl_district_name, cl_city_name, cl_nas_punkt, cl_street_name, "
           "cl_house, cl_building, cl_appartment, cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, "
           "cl_lic_organ, cl_lic_reg_number" +
           from(table) + (orderedById ? " order by cl_id" : "");
}

std::string producersSql(const std::string& table) {
    return "select distinct manuf_id, manuf_name, manuf_inn, manuf_kpp" + from(table);
}

std::string counterpartySumsSql(const std::string& table) {
    return "select isret, vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp, cl_name, cl_inn, cl_kpp, "
           "cl_addres, cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, cl_lic_organ, cl_lic_reg_number, "
           "sum(quantity) as quantity" +
           from(table) +
           " group by isret, vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp, cl_name, cl_inn, cl_kpp, "
           "cl_addres, cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, cl_lic_organ, cl_lic_reg_number";
}

}  // namespace core
