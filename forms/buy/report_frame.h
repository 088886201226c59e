#pragma once

// The form 07 frame class.

#include "core/declaration_file/body_frame.h"
#include "core/wholesale/movement_frame.h"
#include "forms/buy/profile.h"

namespace forms::buy {

extern const core::wholesale::MovementForm kForm;

// The declaration body: producers and suppliers with their licences, then per subdivision
// the purchases and returns by product kind, producer, supplier and licence.
using TZorvicBuyReport = core::FormFrame<core::wholesale::MovementFrame, kProfile, kForm>;

}  // namespace forms::buy
