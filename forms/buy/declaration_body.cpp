// The body of the form 07 declaration file: suppliers after the producers, ordered by id; no
// print form without purchases.
#include "forms/buy/report_frame.h"

namespace forms::buy {

const core::wholesale::MovementForm kForm{
    .names = core::names::purchases(), .counterpartiesOrderedById = true, .silentWhenEmpty = true};

}  // namespace forms::buy
