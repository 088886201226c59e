#pragma once

// Form 12's local queries.

namespace forms::roznbeer {

// The local queries of form 12 over its work tables.
inline constexpr const char* kResultSql =
    "select vidprod_name, vidprod_kod, superplace_cl_id, cl_id, cl_is_ip, cl_name, cl_inn, cl_kpp, manuf_id, "
    "manuf_name, manuf_inn, manuf_kpp, ext_doc_date, ext_docindex, articul, goodname, netto, quantity, isret "
    "from \"ZorvicRoznBeerBuy.db\" order by superplace_cl_id, isret, vidprod_kod, manuf_name, cl_name, articul";

inline constexpr const char* kClientsSql =
    "select distinct cl_id, cl_is_ip, cl_name, cl_inn, cl_kpp from \"ZorvicRoznBeerBuy.db\" order by cl_id";

inline constexpr const char* kManufacturersSql =
    "select distinct manuf_id, manuf_name, manuf_inn, manuf_kpp from \"ZorvicRoznBeerOborot.db\"";

inline constexpr const char* kClientSumSql =
    "select isret, vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp, cl_name, cl_inn, cl_kpp, articul, "
    "goodname, netto, sum(quantity) as quantity from \"ZorvicRoznBeerBuy.db\" "
    "group by isret, vidprod_kod, vidprod_name, manuf_name, manuf_inn, manuf_kpp, cl_name, cl_inn, cl_kpp, articul, "
    "goodname, netto";

inline constexpr const char* kClientOborotSql =
    "select vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp, articul, goodname, netto, "
    "sum(ost_begin) ost_begin, sum(prix_proiz) prix_proiz, sum(prix_opt) prix_opt, sum(prix_import) prix_import, "
    "sum(prix_ret) prix_ret, sum(prix_other) prix_other, sum(rasx_rozn) rasx_rozn, sum(rasx_ret) rasx_ret, "
    "sum(rasx_other) rasx_other from \"ZorvicRoznBeerOborot.db\" "
    "group by vidprod_kod, vidprod_name, manuf_name, manuf_inn, manuf_kpp, articul, goodname, netto";

}  // namespace forms::roznbeer
