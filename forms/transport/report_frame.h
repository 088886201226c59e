#pragma once

// The form 08 frame class: carriers, vehicles, receivers and transports per subdivision.

#include <compare>
#include <map>
#include <string>

#include "core/declaration_file/body_frame.h"
#include "core/declaration_file/licences.h"
#include "core/wholesale_queries.h"
#include "forms/transport/local_queries.h"
#include "forms/transport/profile.h"

namespace forms::transport {

class TZorvicTransportReport final : public core::BodyFrame {
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
    Sources bodySources() override { return {{&transports_}, {&tblObosob, &qClients, &qTransport}}; }
    void writeReferenceBlock(core::DeclarationWriter& out, const FileContext& context) override;
    void writeDataSection(core::DeclarationWriter& out, const FileContext& context) override;

private:
    // A vehicle by type and number, compared exactly: a missing value only matches a missing one.
    struct Vehicle {
        bool typeMissing;
        std::string type;
        bool numberMissing;
        std::string number;
        friend auto operator<=>(const Vehicle&, const Vehicle&) = default;
    };
    static Vehicle vehicle(const host::Variant& type, const host::Variant& number);

    void writeCarriers(core::DeclarationWriter& out);
    void writeVehicles(core::DeclarationWriter& out);

    core::LicenceList licences_;
    // The id each vehicle is listed under: its row number in qTransport.
    std::map<Vehicle, int> vehicleIds_;
    // One subdivision's transport rows at a time, brought together by the grouping keys.
    core::GroupedWalk transports_;
    int decimals_ = 0;
};

}  // namespace forms::transport
