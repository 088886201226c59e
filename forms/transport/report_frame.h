#pragma once

#include "core/declaration_frame.h"
#include "core/wholesale_queries.h"
#include "forms/transport/local_queries.h"
#include "forms/transport/profile.h"

namespace forms::transport {

class TZorvicTransportReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::transport::kProfile;

    TZorvicTransportReport()
        : DeclarationFrame(kProfile),
          qResult("qResult", core::movementRowsSql("ZorvicTransport"), true),
          // The writer steps back in these two and returns to their first rows.
          qClients("qClients", core::counterpartiesSql("ZorvicTransport", false, false), false),
          qBuyers("qBuyers", kBuyersSql, true),
          qTransport("qTransport", kTransportSql, false),
          qClientSum("qClientSum", core::counterpartySumsSql("ZorvicTransport"), true) {}

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qBuyers;
    host::LocalQuery qTransport;
    host::LocalQuery qClientSum;

protected:
    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qBuyers, &qTransport, &qClientSum};
    }
};

}  // namespace forms::transport
