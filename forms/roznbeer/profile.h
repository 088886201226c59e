#pragma once

#include "core/form_profile.h"
#include "forms/roznbeer/collection.h"

namespace forms::roznbeer {

// Form 12: names and the differences of its parameters page.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicRoznBeer",
    .className = "TZorvicRoznBeerReport",
    .formNumber = "12",
    .filePrefix = "R2_",
    .retailOptions = true,
    .hidesClientsPage = true,
    .groupByArticulCaption = "Детализировать по товарам (только для сверки!)",
    .rukInfoCaption = " Руководитель/Инд. предприниматель ",
    .collection = &kCollection,
};

}  // namespace forms::roznbeer
