// The body of the form 08 declaration file: carriers, vehicles and receivers, then per
// subdivision the transports nested by kind, product kind, carrier and licence, vehicle and
// waybill, one element per consignment-note line.
#include "core/declaration_facts.h"
#include "core/declaration_file/data_section.h"
#include "core/declaration_file/form_names.h"
#include "core/declaration_file/reference_parts.h"
#include "core/declaration_file/text_forming.h"
#include "forms/transport/body_text.h"
#include "forms/transport/report_frame.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace forms::transport {

using core::DeclarationWriter;
using core::GroupKey;
using core::GroupRow;
using host::Variant;
using host::XMLCheckStr;

namespace {

std::string upperEscaped(const Variant& value) { return XMLCheckStr(host::upperCp1251(value.toText())); }
std::string escapedDate(const Variant& value) { return XMLCheckStr(host::formatDate(value.toDateTime())); }
std::string quantity(const Variant& value, int decimals) {
    return XMLCheckStr(core::declarationNumber(value.toDouble(), decimals));
}

void writeIndividualCarrier(DeclarationWriter& out, host::LocalDataSet& clients) {
    const core::names::Transport& t = core::names::transport();
    out.line(t.individual);
    const CarrierName name = splitCarrierName(clients.fieldByName("CL_NAME").toText());
    out.text(t.fullName).attribute(t.surname, name.surname).attribute(t.firstName, name.firstName);
    out.attribute(t.patronymic, name.patronymic).line(" />");
    core::writeCounterpartyAddress(out, clients, t.address);
    out.line(t.individualEnd);
}

void writeLegalEntityCarrier(DeclarationWriter& out, host::LocalDataSet& clients) {
    const core::names::Transport& t = core::names::transport();
    out.text(t.legalEntity).attribute(t.legalName, XMLCheckStr(clients.fieldByName("CL_NAME").toText()));
    const std::string inn = core::apostrophesReplaced(clients.fieldByName("CL_INN").toText());
    const std::string kpp = core::apostrophesReplaced(clients.fieldByName("CL_KPP").toText());
    out.attribute(t.legalInn, XMLCheckStr(core::CellString(inn, core::kLegalInnWidth)));
    out.attribute(t.legalKpp, XMLCheckStr(core::CellString(kpp, core::kKppWidth))).line("/>");
}

void writeReceivers(DeclarationWriter& out, host::LocalQuery& buyers) {
    const core::names::Transport& t = core::names::transport();
    const core::OpenDatasets open({&buyers});
    const int id = buyers.fieldIndex("BUYER_ID");
    const int name = buyers.fieldIndex("BUYER_NAME");
    const int inn = buyers.fieldIndex("BUYER_INN");
    const int kpp = buyers.fieldIndex("BUYER_KPP");
    for (buyers.first(); !buyers.eof(); buyers.next()) {
        const std::string receiver = buyers.field(id).toText();
        if (receiver.empty()) continue;
        out.text(t.receivers.element).attribute(t.receivers.id, XMLCheckStr(receiver));
        out.attribute(t.receiverName, XMLCheckStr(buyers.field(name).toText())).line(">");
        const std::string receiverInn = buyers.field(inn).toText();
        if (!receiverInn.empty()) {
            out.text(t.russianOrganization).attribute(t.receiverInn, XMLCheckStr(receiverInn));
            out.attribute(t.receiverKpp, XMLCheckStr(buyers.field(kpp).toText())).line("/>");
        }
        out.line(t.receivers.end);
    }
}

}  // namespace

TZorvicTransportReport::TZorvicTransportReport()
    : BodyFrame(kProfile),
      qResult("qResult", core::movementRowsSql("ZorvicTransport"), true),
      // The writer steps back in these two and returns to their first rows.
      qClients("qClients", core::counterpartiesSql("ZorvicTransport", false, false), false),
      qBuyers("qBuyers", kBuyersSql, true),
      qTransport("qTransport", kTransportSql, false),
      qClientSum("qClientSum", core::counterpartySumsSql("ZorvicTransport"), true),
      licences_(core::names::transport().licenceAttributes, core::LicenceList::SameHolder::Exactly),
      transports_("transports", kCollection.resultTable, core::subdivisionFilter()) {
    const core::names::Transport& t = core::names::transport();
    transports_.addLevel(
        core::codeLevel(transports_, "VIDTRANS_KOD", t.transport, t.transportEnd, true, t.transportKind));
    transports_.addLevel(core::codeLevel(transports_, "VIDPROD_KOD", t.product, t.productEnd, false, t.productKind));
    transports_.addLevel(core::holderLevel(transports_, t.carrier, &licences_));
    const std::size_t type = transports_.column("TRANS_TYPE");
    const std::size_t plate = transports_.column("TRANS_NUMBER");
    transports_.addLevel({.keys = {{"TRANS_TYPE", GroupKey::As::Text}, {"TRANS_NUMBER", GroupKey::As::Text}},
                          .element = t.vehicle,
                          .end = t.vehicleEnd,
                          .attributes = [this, &t, type, plate](DeclarationWriter& out, const GroupRow& row) {
                              const auto found = vehicleIds_.find(vehicle(row[type], row[plate]));
                              if (found != vehicleIds_.end()) out.attribute(t.vehicleId, std::to_string(found->second));
                          }});
    const std::size_t waybillDate = transports_.column("TN_DATE");
    const std::size_t waybillNumber = transports_.column("TN_INDEX");
    const std::size_t waybillQuantity = transports_.column("TN_QUANTITY");
    // A waybill's date and quantity are those of its first row.
    transports_.addLevel({.keys = {{"TN_DATE", GroupKey::As::Day}, {"TN_INDEX", GroupKey::As::Text}},
                          .element = t.waybill,
                          .end = t.waybillEnd,
                          .attributes = [=, this, &t](DeclarationWriter& out, const GroupRow& row) {
                              out.attribute(t.waybillDate, escapedDate(row[waybillDate]));
                              out.attribute(t.waybillNumber, upperEscaped(row[waybillNumber]));
                              out.attribute(t.waybillQuantity, quantity(row[waybillQuantity], decimals_));
                          }});
    const std::size_t date = transports_.column("EXT_DOC_DATE");
    const std::size_t document = transports_.column("EXT_DOCINDEX");
    const std::size_t amount = transports_.column("QUANTITY");
    const std::size_t receiver = transports_.column("BUYER_ID");
    // A consignment-note line: one element over two lines, its quantity in both attributes.
    transports_.setRow([=, this, &t](DeclarationWriter& out, const GroupRow& row, int number) {
        const std::string lineQuantity = quantity(row[amount], decimals_);
        out.text(t.line).attribute(core::names::shared().number, std::to_string(number));
        out.attribute(t.lineDate, escapedDate(row[date])).attribute(t.lineNumber, upperEscaped(row[document]));
        out.attribute(t.lineQuantity, lineQuantity).lineBreak();
        out.attribute(t.receivers.id, upperEscaped(row[receiver]));
        out.attribute(t.lineReceiverQuantity, lineQuantity).line("/>");
    });
}

TZorvicTransportReport::Vehicle TZorvicTransportReport::vehicle(const Variant& type, const Variant& number) {
    return {type.isNullOrEmpty(), type.toText(), number.isNullOrEmpty(), number.toText()};
}

void TZorvicTransportReport::writeReferenceBlock(DeclarationWriter& out, const FileContext&) {
    const core::names::Shared& n = core::names::shared();
    out.line(n.references);
    writeCarriers(out);
    writeVehicles(out);
    writeReceivers(out, qBuyers);
    out.line(n.referencesEnd);
}

// One "Перевозчики" per run of qClients rows with one carrier, its requisites from the run's
// first row, then a "Лицензии" for each of its rows that has a licence date.
void TZorvicTransportReport::writeCarriers(DeclarationWriter& out) {
    const core::names::Transport& t = core::names::transport();
    licences_.clear();
    for (qClients.first(); !qClients.eof(); qClients.next()) {
        core::openHolder(out, t.carriers, qClients, false);
        if (qClients.fieldByName("CL_IS_IP").toInteger() == 1)
            writeIndividualCarrier(out, qClients);
        else
            writeLegalEntityCarrier(out, qClients);
        licences_.writeHolder(out, qClients);
        out.line(t.carriers.end);
    }
}

void TZorvicTransportReport::writeVehicles(DeclarationWriter& out) {
    const core::names::Transport& t = core::names::transport();
    const int type = qTransport.fieldIndex("TRANS_TYPE");
    const int volume = qTransport.fieldIndex("TRANS_VOLUME");
    const int number = qTransport.fieldIndex("TRANS_NUMBER");
    vehicleIds_.clear();
    for (qTransport.first(); !qTransport.eof(); qTransport.next()) {
        const int record = qTransport.recNo();
        out.text(t.vehicles).attribute(t.vehicleId, std::to_string(record));
        out.attribute(t.vehicleType, XMLCheckStr(qTransport.field(type).toText()));
        out.attribute(t.vehicleVolume, XMLCheckStr(volumeText(qTransport.field(volume).toDouble())));
        out.attribute(t.vehicleNumber, XMLCheckStr(qTransport.field(number).toText())).line("/>");
        vehicleIds_.emplace(vehicle(qTransport.field(type), qTransport.field(number)), record);
    }
}

void TZorvicTransportReport::writeDataSection(DeclarationWriter& out, const FileContext& context) {
    const core::names::Transport& t = core::names::transport();
    decimals_ = context.decimals;
    core::writeSubdivisions(out, tblObosob, {t.volume, t.volumeEnd, {t.hasTransports}}, true, transports_);
}

}  // namespace forms::transport
