#pragma once

// Form 06's collection plan.

#include "core/collection_plan.h"

namespace forms::delivery {

// The stored host queries that fill the form's work tables, with the parameters each is given.
inline const core::CollectionPlan kCollection{
    "ZorvicDeliveryObosob",
    "ZorvicDelivery",
    "",
    {
        {"ibqrySelectZorvicDeliveryObosob", core::WorkTable::Obosob,
         {"Report_ID", "Owner_ID", "From_name_id", "Group_by_superplace"}},
        {"ibqrySelectZorvicDelivery", core::WorkTable::Result,
         {"Report_ID", "Owner_ID", "From_name_id", "Date_First", "Date_Last", "Calc_precision", "Group_by_superplace", "Manuf_kind", "Vidprod_kind"}},
    },
    {"delete from \"ZorvicDelivery.db\";", "delete from \"ZorvicDeliveryObosob.db\";"},
};

}  // namespace forms::delivery
