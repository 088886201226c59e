#pragma once

#include "core/declaration_frame.h"
#include "core/wholesale_queries.h"
#include "forms/buy/profile.h"

namespace forms::buy {

class TZorvicBuyReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::buy::kProfile;

    TZorvicBuyReport()
        : DeclarationFrame(kProfile),
          qResult("qResult", core::movementRowsSql("ZorvicBuy"), true),
          // The writer steps back in it and returns to its first row.
          qClients("qClients", core::counterpartiesSql("ZorvicBuy", true, true), false),
          qManufacturers("qManufacturers", core::producersSql("ZorvicBuy"), true),
          qClientSum("qClientSum", core::counterpartySumsSql("ZorvicBuy"), true) {}

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;

protected:
    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum};
    }
};

}  // namespace forms::buy
