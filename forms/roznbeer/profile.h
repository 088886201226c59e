#pragma once

// Form 12's profile.

#include "core/form_profile.h"
#include "forms/roznbeer/collection.h"

namespace forms::roznbeer {

// Form 12: its names, and how its parameters page and declaration file differ from the others.
inline constexpr core::FormProfile kProfile{
    .moduleName = "pZorvicRoznBeer",
    .className = "TZorvicRoznBeerReport",
    .formNumber = "12",
    .filePrefix = "R2_",
    .retailOptions = true,
    .hidesClientsPage = true,
    .groupByArticulCaption = "Детализировать по товарам (только для сверки!)",
    .rukInfoCaption = " Руководитель/Инд. предприниматель ",
    .combinedInnKppLookup = true,
    .kppFitted = false,
    .legalRequisites = false,
    .organizationChild = core::OrganizationChild::LegalEntityOrEntrepreneur,
    .licenceBlock = false,
    .printTemplate = "ZorvicRoznBeer.fr3",
    .printAddressLineAndEntrepreneur = true,
    .collection = &kCollection,
};

}  // namespace forms::roznbeer
