#pragma once

#include "core/declaration_frame.h"
#include "forms/roznbeer/profile.h"

namespace forms::roznbeer {

class TZorvicRoznBeerReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::roznbeer::kProfile;

    TZorvicRoznBeerReport() : DeclarationFrame(kProfile) {}
};

}  // namespace forms::roznbeer
