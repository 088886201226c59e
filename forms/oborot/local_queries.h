#pragma once

// Form 05's local query.

namespace forms::oborot {

// Form 05 reads its tables directly; this one query sums the turnover per product kind and producer.
inline constexpr const char* kClientSumSql =
    "select vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp, sum(ost_begin) ost_begin, "
    "sum(prix_proiz) prix_proiz, sum(prix_opt) prix_opt, sum(prix_import) prix_import, sum(prix_ret) prix_ret, "
    "sum(prix_move) prix_move, sum(prix_other) prix_other, sum(rasx_opt) rasx_opt, sum(rasx_rozn) rasx_rozn, "
    "sum(rasx_export) rasx_export, sum(rasx_ret) rasx_ret, sum(rasx_move) rasx_move, sum(rasx_other) rasx_other "
    "from \"ZorvicOborot.db\" group by vidprod_name, vidprod_kod, manuf_name, manuf_inn, manuf_kpp";

}  // namespace forms::oborot
