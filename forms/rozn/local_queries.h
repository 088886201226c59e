#pragma once

// Form 11's local queries.

namespace forms::rozn {

// The local queries of form 11 over its work tables.
inline constexpr const char* kResultSql =
    "select vidprod_name, vidprod_kod, superplace_cl_id, cl_id, cl_is_ip, cl_name, cl_inn, cl_kpp, cl_addres, "
    "cl_country_kod, cl_post_index, cl_region, cl_district_name, cl_city_name, cl_nas_punkt, cl_street_name, cl_house, "
    "cl_building, cl_appartment, cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, cl_lic_organ, manuf_id, "
    "manuf_name, manuf_inn, manuf_kpp, ext_doc_date, ext_docindex, articul, goodname, netto, quantity, isret "
    "from \"ZorvicRoznBuy.db\" "
    "order by superplace_cl_id, isret, vidprod_kod, manuf_name, cl_name, cl_lic_date, articul";

inline constexpr const char* kClientsSql =
    "select distinct cl_id, cl_is_ip, cl_name, cl_inn, cl_kpp, cl_addres, cl_country_kod, cl_post_index, cl_region, "
    "cl_district_name, cl_city_name, cl_nas_punkt, cl_street_name, cl_house, cl_building, cl_appartment, "
    "cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, cl_lic_organ, cl_lic_reg_number "
    "from \"ZorvicRoznBuy.db\" order by cl_id";

inline constexpr const char* kManufacturersSql =
    "select distinct manuf_id, manuf_name, manuf_inn, manuf_kpp from \"ZorvicRoznOborot.db\"";

inline constexpr const char* kClientSumSql =
    "select isret, vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp, cl_name, cl_inn, cl_kpp, cl_addres, "
    "cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, cl_lic_organ, cl_lic_reg_number, articul, goodname, "
    "netto, sum(quantity) as quantity from \"ZorvicRoznBuy.db\" "
    "group by isret, vidprod_kod, vidprod_name, manuf_name, manuf_inn, manuf_kpp, cl_name, cl_inn, cl_kpp, cl_addres, "
    "cl_lic_series, cl_lic_number, cl_lic_date, cl_lic_good_date, cl_lic_organ, cl_lic_reg_number, articul, goodname, "
    "netto";

inline constexpr const char* kClientOborotSql =
    "select vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp, articul, goodname, netto, "
    "sum(ost_begin) ost_begin, sum(prix_proiz) prix_proiz, sum(prix_opt) prix_opt, sum(prix_import) prix_import, "
    "sum(prix_ret) prix_ret, sum(prix_move) prix_move, sum(prix_other) prix_other, sum(rasx_rozn) rasx_rozn, "
    "sum(rasx_ret) rasx_ret, sum(rasx_move) rasx_move, sum(rasx_other) rasx_other from \"ZorvicRoznOborot.db\" "
    "group by vidprod_kod, vidprod_name, manuf_name, manuf_inn, manuf_kpp, articul, goodname, netto";

}  // namespace forms::rozn
