#pragma once

#include "core/declaration_frame.h"
#include "forms/rozn/profile.h"

namespace forms::rozn {

class TZorvicRoznReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::rozn::kProfile;

    TZorvicRoznReport() : DeclarationFrame(kProfile) {}
};

}  // namespace forms::rozn
