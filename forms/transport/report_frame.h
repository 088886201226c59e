#pragma once

#include "core/declaration_frame.h"
#include "core/wholesale_queries.h"
#include "forms/transport/local_queries.h"
#include "forms/transport/profile.h"

namespace forms::transport {

class TZorvicTransportReport final : public core::DeclarationFrame {
public:
    static constexpr const core::FormProfile& kProfile = forms::transport::kProfile;

    TZorvicTransportReport();

    host::LocalQuery qResult;
    host::LocalQuery qClients;
    host::LocalQuery qBuyers;
    host::LocalQuery qTransport;
    host::LocalQuery qClientSum;

protected:
    // The output kind is fixed on the file, so this is never reached from the page; it is the
    // purchase form's path all the same.
    core::PrintDatasets printDatasets() override {
        return core::movementPrintDatasets(qResult, qClientSum, tblObosob, true);
    }

    std::vector<host::LocalQuery*> localQueries() override {
        return {&qResult, &qClients, &qBuyers, &qTransport, &qClientSum};
    }

    // The declaration body: carriers with their licences, vehicles and receivers, then per
    // subdivision the transports by kind, product kind, carrier, vehicle and waybill.
    void openBodySources() override;
    void closeBodySources() noexcept override;
    void writeReferenceBlock(core::DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    // One subdivision's transport rows at a time, brought together by the grouping keys.
    host::LocalQuery transports_;
};

}  // namespace forms::transport
