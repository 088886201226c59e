#pragma once

#include "core/wholesale/movement_frame.h"
#include "forms/buy/profile.h"

namespace forms::buy {

// The declaration body: producers and suppliers with their licences, then per subdivision
// the purchases and returns by product kind, producer, supplier and licence.
class TZorvicBuyReport final : public core::wholesale::MovementFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::buy::kProfile;

    TZorvicBuyReport();
};

}  // namespace forms::buy
