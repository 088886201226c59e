#pragma once

// The form 12 frame class.

#include "core/declaration_file/body_frame.h"
#include "core/retail/retail_frame.h"
#include "forms/roznbeer/local_queries.h"
#include "forms/roznbeer/profile.h"

namespace forms::roznbeer {

extern const core::retail::RetailForm kForm;

// The declaration body: producers and suppliers, then per subdivision the turnover with the
// purchases from each supplier.
using TZorvicRoznBeerReport = core::FormFrame<core::retail::RetailFrame, kProfile, kForm>;

}  // namespace forms::roznbeer
