#pragma once

// Form 07's collection plan.

#include "core/collection_plan.h"

namespace forms::buy {

// The stored host queries that fill the form's work tables, with the parameters each is given.
inline const core::CollectionPlan kCollection{
    "ZorvicBuyObosob",
    "ZorvicBuy",
    "",
    {
        {"ibqrySelectZorvicBuyObosob", core::WorkTable::Obosob,
         {"Report_ID", "Owner_ID", "From_name_id", "Group_by_superplace"}},
        {"ibqrySelectZorvicBuy", core::WorkTable::Result,
         {"Report_ID", "Owner_ID", "From_name_id", "Date_First", "Date_Last", "Calc_precision", "Group_by_superplace", "Manuf_kind", "Vidprod_kind"}},
    },
    {"delete from \"ZorvicBuy.db\";", "delete from \"ZorvicBuyObosob.db\";"},
};

}  // namespace forms::buy
