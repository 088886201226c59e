#pragma once

#include "core/retail/retail_frame.h"
#include "forms/roznbeer/local_queries.h"
#include "forms/roznbeer/profile.h"

namespace forms::roznbeer {

// The declaration body: producers and suppliers, then per subdivision the turnover with the
// purchases from each supplier.
class TZorvicRoznBeerReport final : public core::retail::RetailFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::roznbeer::kProfile;

    TZorvicRoznBeerReport();
};

}  // namespace forms::roznbeer
