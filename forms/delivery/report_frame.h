#pragma once

#include "core/declaration_frame.h"
#include "forms/delivery/profile.h"

namespace forms::delivery {

class TZorvicDeliveryReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::delivery::kProfile;

    TZorvicDeliveryReport() : DeclarationFrame(kProfile) {}
};

}  // namespace forms::delivery
