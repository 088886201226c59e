#pragma once

#include "core/declaration_frame.h"
#include "core/wholesale_queries.h"
#include "forms/delivery/profile.h"

namespace forms::delivery {

class TZorvicDeliveryReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::delivery::kProfile;

    TZorvicDeliveryReport()
        : DeclarationFrame(kProfile),
          qResult("qResult", core::movementRowsSql("ZorvicDelivery"), true),
          // The writer steps back in it and returns to its first row.
          qClients("qClients", core::counterpartiesSql("ZorvicDelivery", true, false), false),
          qManufacturers("qManufacturers", core::producersSql("ZorvicDelivery"), true),
          qClientSum("qClientSum", core::counterpartySumsSql("ZorvicDelivery"), true) {}

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;

protected:
    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum};
    }
};

}  // namespace forms::delivery
