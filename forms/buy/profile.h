#pragma once

// Form 07's profile.

#include "core/form_profile.h"
#include "forms/buy/collection.h"

namespace forms::buy {

// Form 07: its names, and how its parameters page and declaration file differ from the others.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicBuy",
    .className = "TZorvicBuyReport",
    .formNumber = "07",
    .filePrefix = "D7_",
    .defaultCalcPrecision = 7,
    .referencePlace = core::ReferencePlace::AfterFileLine,
    .printTemplate = "ZorvicBuy.fr3",
    .collection = &kCollection,
};

}  // namespace forms::buy
