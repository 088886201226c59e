// The body of the form 06 declaration file: recipients ahead of the producers, in the engine's
// order; an empty quarter still prints.
#include "forms/delivery/report_frame.h"

namespace forms::delivery {

const core::wholesale::MovementForm kForm{.names = core::names::deliveries(), .counterpartiesFirst = true};

}  // namespace forms::delivery
