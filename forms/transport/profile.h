#pragma once

#include "core/form_profile.h"
#include "forms/transport/collection.h"

namespace forms::transport {

// Form 08: names and the differences of its parameters page.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicTransport",
    .className = "TZorvicTransportReport",
    .formNumber = "08",
    .filePrefix = "N1_",
    .producerChoice = false,
    .fileOnly = true,
    .defaultCalcPrecision = 7,
    .collection = &kCollection,
};

}  // namespace forms::transport
