#pragma once

#include "core/declaration_frame.h"
#include "forms/rozn/local_queries.h"
#include "forms/rozn/profile.h"

namespace forms::rozn {

class TZorvicRoznReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::rozn::kProfile;

    TZorvicRoznReport()
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

}  // namespace forms::rozn
