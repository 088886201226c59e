#pragma once

#include "core/form_profile.h"
#include "forms/buy/collection.h"

namespace forms::buy {

// Form 07: names and the differences of its parameters page.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicBuy",
    .className = "TZorvicBuyReport",
    .formNumber = "07",
    .filePrefix = "D7_",
    .defaultCalcPrecision = 7,
    .collection = &kCollection,
};

}  // namespace forms::buy
