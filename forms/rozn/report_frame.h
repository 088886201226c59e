#pragma once

// The form 11 frame class.

#include "core/declaration_file/body_frame.h"
#include "core/retail/retail_frame.h"
#include "forms/rozn/local_queries.h"
#include "forms/rozn/profile.h"

namespace forms::rozn {

extern const core::retail::RetailForm kForm;

// The declaration body: producers and suppliers with their licences, then per subdivision
// the turnover with the purchases under each licence.
using TZorvicRoznReport = core::FormFrame<core::retail::RetailFrame, kProfile, kForm>;

}  // namespace forms::rozn
