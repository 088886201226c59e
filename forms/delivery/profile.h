#pragma once

// Form 06's profile.

#include "core/form_profile.h"
#include "forms/delivery/collection.h"

namespace forms::delivery {

// Form 06: its names, and how its parameters page and declaration file differ from the others.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicDelivery",
    .className = "TZorvicDeliveryReport",
    .formNumber = "06",
    .filePrefix = "D6_",
    .defaultCalcPrecision = 7,
    .referencePlace = core::ReferencePlace::AfterFileLine,
    .printTemplate = "ZorvicDelivery.fr3",
    .collection = &kCollection,
};

}  // namespace forms::delivery
