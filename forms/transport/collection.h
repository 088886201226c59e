#pragma once

// Form 08's collection plan.

#include "core/collection_plan.h"

namespace forms::transport {

// The stored host queries that fill the form's work tables, with the parameters each is given.
inline const core::CollectionPlan kCollection{
    "ZorvicTransportObosob",
    "ZorvicTransport",
    "",
    {
        {"ibqrySelectZorvicTransportObosob", core::WorkTable::Obosob,
         {"Report_ID", "Owner_ID", "From_name_id", "Group_by_superplace"}},
        {"ibqrySelectZorvicTransport", core::WorkTable::Result,
         {"Report_ID", "Owner_ID", "Date_First", "Date_Last", "Calc_precision", "Group_by_superplace", "From_name_ID"}},
    },
    {"delete from \"ZorvicTransport.db\";", "delete from \"ZorvicTransportObosob.db\";"},
};

}  // namespace forms::transport
