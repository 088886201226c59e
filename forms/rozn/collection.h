#pragma once

// Form 11's collection plan.

#include "core/collection_plan.h"

namespace forms::rozn {

// The stored host queries that fill the form's work tables, with the parameters each is given.
inline const core::CollectionPlan kCollection{
    "ZorvicRoznObosob",
    "ZorvicRoznBuy",
    "ZorvicRoznOborot",
    {
        {"ibqrySelectZorvicRoznObosob", core::WorkTable::Obosob,
         {"Report_ID", "Owner_ID", "From_name_id", "Group_by_superplace"}},
        {"ibqrySelectZorvicRoznBuy", core::WorkTable::Result,
         {"Report_ID", "Owner_ID", "Date_First", "Date_Last", "Calc_precision", "Group_by_superplace", "From_name_id", "Manuf_kind", "Vidprod_kind", "use_sel_clients", "group_by_articul", "show_null_netto"}},
        {"ibqrySelectZorvicRoznOborot", core::WorkTable::ResultOborot,
         {"Report_ID", "Owner_ID", "Date_First", "Date_Last", "Calc_precision", "Group_by_superplace", "From_name_id", "Manuf_kind", "Vidprod_kind", "use_sel_clients", "group_by_articul", "show_null_netto", "only_move"}},
    },
    {"delete from \"ZorvicRoznBuy.db\";", "delete from \"ZorvicRoznOborot.db\";", "delete from \"ZorvicRoznObosob.db\";"},
};

}  // namespace forms::rozn
