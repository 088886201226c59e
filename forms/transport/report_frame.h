#pragma once

#include "core/declaration_frame.h"
#include "forms/transport/profile.h"

namespace forms::transport {

class TZorvicTransportReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::transport::kProfile;

    TZorvicTransportReport() : DeclarationFrame(kProfile) {}
};

}  // namespace forms::transport
