#pragma once

#include "core/declaration_frame.h"
#include "forms/oborot/local_queries.h"
#include "forms/oborot/profile.h"

namespace forms::oborot {

class TZorvicOborotReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::oborot::kProfile;

    TZorvicOborotReport() : DeclarationFrame(kProfile), qClientSum("qClientSum", kClientSumSql, true) {}

    host::LocalQuery qClientSum;

protected:
    std::vector<host::LocalQuery*> localQueries() override { return {&qClientSum}; }
};

}  // namespace forms::oborot
