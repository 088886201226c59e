#pragma once

// Form 05's profile.

#include "core/form_profile.h"
#include "forms/oborot/collection.h"

namespace forms::oborot {

// Form 05: its names, and how its parameters page and declaration file differ from the others.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicOborot",
    .className = "TZorvicOborotReport",
    .formNumber = "05",
    .filePrefix = "D5_",
    .hidesClientsPage = true,
    .commonSelectionShowsPage = true,
    .showReportEnabled = true,
    .startYear = 2012,
    .startCalcPrecision = 5,
    .defaultYear = 2010,
    .defaultCalcPrecision = 7,
    .referencePlace = core::ReferencePlace::None,
    .printTemplate = "ZorvicOborot.fr3",
    .collection = &kCollection,
};

}  // namespace forms::oborot
