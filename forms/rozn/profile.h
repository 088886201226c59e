#pragma once

#include "core/form_profile.h"
#include "forms/rozn/collection.h"

namespace forms::rozn {

// Form 11: names and the differences of its parameters page.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicRozn",
    .className = "TZorvicRoznReport",
    .formNumber = "11",
    .filePrefix = "R1_",
    .retailOptions = true,
    .hidesClientsPage = true,
    .collection = &kCollection,
};

}  // namespace forms::rozn
