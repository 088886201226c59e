#pragma once

// Form 08's profile.

#include "core/form_profile.h"
#include "forms/transport/collection.h"

namespace forms::transport {

// Form 08: its names, and how its parameters page and declaration file differ from the others.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicTransport",
    .className = "TZorvicTransportReport",
    .formNumber = "08",
    .filePrefix = "N1_",
    .producerChoice = false,
    .fileOnly = true,
    .defaultCalcPrecision = 7,
    .kppFitted = false,
    .legalRequisites = false,
    .organizationChild = core::OrganizationChild::LegalEntity,
    .printTemplate = "ZorvicTransport.fr3",
    .collection = &kCollection,
};

}  // namespace forms::transport
