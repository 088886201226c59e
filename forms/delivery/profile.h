#pragma once

#include "core/form_profile.h"
#include "forms/delivery/collection.h"

namespace forms::delivery {

// Form 06: names and the differences of its parameters page.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicDelivery",
    .className = "TZorvicDeliveryReport",
    .formNumber = "06",
    .filePrefix = "D6_",
    .defaultCalcPrecision = 7,
    .collection = &kCollection,
};

}  // namespace forms::delivery
