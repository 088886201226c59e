#pragma once

#include "core/retail/retail_frame.h"
#include "forms/rozn/local_queries.h"
#include "forms/rozn/profile.h"

namespace forms::rozn {

// The declaration body: producers and suppliers with their licences, then per subdivision
// the turnover with the purchases under each licence.
class TZorvicRoznReport final : public core::retail::RetailFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::rozn::kProfile;

    TZorvicRoznReport();
};

}  // namespace forms::rozn
