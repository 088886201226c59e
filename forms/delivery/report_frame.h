#pragma once

// The form 06 frame class.

#include "core/declaration_file/body_frame.h"
#include "core/wholesale/movement_frame.h"
#include "forms/delivery/profile.h"

namespace forms::delivery {

extern const core::wholesale::MovementForm kForm;

// The declaration body: recipients with their licences and producers, then per subdivision
// the deliveries and returns by product kind, producer, recipient and licence. A quarter
// without deliveries still prints its (empty) report.
using TZorvicDeliveryReport = core::FormFrame<core::wholesale::MovementFrame, kProfile, kForm>;

}  // namespace forms::delivery
