#pragma once

// Form 11's profile.

#include "core/form_profile.h"
#include "forms/rozn/collection.h"

namespace forms::rozn {

// Form 11: its names, and how its parameters page and declaration file differ from the others.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicRozn",
    .className = "TZorvicRoznReport",
    .formNumber = "11",
    .filePrefix = "R1_",
    .retailOptions = true,
    .hidesClientsPage = true,
    .printTemplate = "ZorvicRozn.fr3",
    .collection = &kCollection,
};

}  // namespace forms::rozn
