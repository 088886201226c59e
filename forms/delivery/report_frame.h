#pragma once

#include "core/wholesale/movement_frame.h"
#include "forms/delivery/profile.h"

namespace forms::delivery {

// The declaration body: recipients with their licences and producers, then per subdivision
// the deliveries and returns by product kind, producer, recipient and licence. A quarter
// without deliveries still prints its (empty) report.
class TZorvicDeliveryReport final : public core::wholesale::MovementFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::delivery::kProfile;

    TZorvicDeliveryReport();
};

}  // namespace forms::delivery
