#pragma once

#include "core/declaration_frame.h"
#include "forms/buy/profile.h"

namespace forms::buy {

class TZorvicBuyReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::buy::kProfile;

    TZorvicBuyReport() : DeclarationFrame(kProfile) {}
};

}  // namespace forms::buy
