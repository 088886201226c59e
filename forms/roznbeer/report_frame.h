#pragma once

#include "core/declaration_frame.h"
#include "forms/roznbeer/local_queries.h"
#include "forms/roznbeer/profile.h"

namespace forms::roznbeer {

class TZorvicRoznBeerReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::roznbeer::kProfile;

    TZorvicRoznBeerReport()
        : DeclarationFrame(kProfile),
          qResult("qResult", kResultSql, true),
          qClients("qClients", kClientsSql, false),
          qManufacturers("qManufacturers", kManufacturersSql, true),
          qClientSum("qClientSum", kClientSumSql, true),
          qClientOborot("qClientOborot", kClientOborotSql, true) {}

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qManufacturers;
    host::LocalQuery qClientSum;
    host::LocalQuery qClientOborot;

protected:
    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qManufacturers, &qClientSum, &qClientOborot};
    }
};

}  // namespace forms::roznbeer
