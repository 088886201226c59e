// The body of the form 08 declaration file.
#include <array>
#include <cmath>
#include <compare>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

#include "core/declaration_file/grouped_rows.h"
#include "core/declaration_file/subdivision_address.h"
#include "core/declaration_file/text_forming.h"
#include "forms/transport/body_text.h"
#include "forms/transport/report_frame.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace forms::transport {

using core::DeclarationWriter;
using core::GroupKey;
using host::Variant;
using host::W;
using host::XMLCheckStr;

namespace {

const std::vector<GroupKey> kSubdivision = {{"SUPERPLACE_CL_ID", GroupKey::As::Integer}};

// The keys a subdivision's transports are grouped by, outermost first: transport kind, product
// kind, carrier and licence day, vehicle, waybill day and number.
const std::vector<GroupKey> kGroups = {
    {"VIDTRANS_KOD", GroupKey::As::Text}, {"VIDPROD_KOD", GroupKey::As::Text},  {"CL_ID", GroupKey::As::Integer},
    {"CL_LIC_DATE", GroupKey::As::Day},   {"TRANS_TYPE", GroupKey::As::Text},   {"TRANS_NUMBER", GroupKey::As::Text},
    {"TN_DATE", GroupKey::As::Day},       {"TN_INDEX", GroupKey::As::Text},
};

// The columns read per transport row: the grouping keys in their order, then the values
// written. Only these are selected, so the sort that brings the groups together moves little.
constexpr const char* kRowColumns =
    "VIDTRANS_KOD, VIDPROD_KOD, CL_ID, CL_LIC_DATE, TRANS_TYPE, TRANS_NUMBER, TN_DATE, TN_INDEX, "
    "TN_QUANTITY, EXT_DOC_DATE, EXT_DOCINDEX, QUANTITY, BUYER_ID";
enum RowColumn : std::size_t {
    kTransportKind,
    kProductKind,
    kCarrier,
    kLicenceDate,
    kVehicleType,
    kVehicleNumber,
    kWaybillDate,
    kWaybillNumber,
    kWaybillQuantity,
    kDocDate,
    kDocNumber,
    kQuantity,
    kReceiver,
    kRowColumnCount
};
constexpr std::size_t kKeyCount = 8;

// The nested elements of the data section; each grouping key belongs to one of them.
enum Level : int { kTransportLevel, kProductLevel, kCarrierLevel, kVehicleLevel, kWaybillLevel, kLevelCount };
constexpr Level kLevelOfKey[kKeyCount] = {kTransportLevel, kProductLevel, kCarrierLevel, kCarrierLevel,
                                          kVehicleLevel,   kVehicleLevel, kWaybillLevel, kWaybillLevel};

// The grouping keys by element, outermost first: an element's keys make one key together.
std::vector<std::vector<GroupKey>> groupLevels() {
    std::vector<std::vector<GroupKey>> levels(kLevelCount);
    for (std::size_t k = 0; k < kKeyCount; ++k) levels[kLevelOfKey[k]].push_back(kGroups[k]);
    return levels;
}

struct Names {
    std::string references = W("<Справочники>");
    std::string referencesEnd = W("</Справочники>");

    std::string carriers = W("<Перевозчики");
    std::string carriersEnd = W("</Перевозчики>");
    std::string carrierId = W("ИдПеревозчика");
    std::string individual = W("<ПеревозчикФизЛицо>");
    std::string individualEnd = W("</ПеревозчикФизЛицо>");
    std::string fullName = W("<ФИО");
    std::string surname = W("Фамилия");
    std::string firstName = W("Имя");
    std::string patronymic = W("Отчество");
    std::string address = W("<Адрес>");
    std::string addressEnd = W("</Адрес>");
    std::string letter = W("<Литера/>");
    std::string legalEntity = W("<ПеревозчикЮрЛицо");
    std::string legalName = W("П000000000003");
    std::string legalInn = W("П000000000004");
    std::string legalKpp = W("П000000000005");
    std::string licences = W("<Лицензии>");
    std::string licencesEnd = W("</Лицензии>");
    std::string licence = W("<Лицензия");
    std::string licenceId = W("ИдЛицензии");
    std::string licenceNumber = W("П000000000008");
    std::string licenceStart = W("П000000000009");
    std::string licenceEnd = W("П000000000010");
    std::string licenceOrgan = W("П000000000011");

    std::string vehicles = W("<ТранспортныеСредства");
    std::string vehicleId = W("ИдТС");
    std::string vehicleType = W("П000000000012");
    std::string vehicleVolume = W("П000000000013");
    std::string vehicleNumber = W("П000000000014");

    std::string receivers = W("<Получатели");
    std::string receiversEnd = W("</Получатели>");
    std::string receiverId = W("ИдПолучателя");
    std::string receiverName = W("П000000000019");
    std::string russianOrganization = W("<ОрганизацияРФ");
    std::string receiverInn = W("П000000000020");
    std::string receiverKpp = W("П000000000021");

    std::string volume = W("<ОбъемПеревозки ");
    std::string volumeEnd = W("</ОбъемПеревозки>");
    std::string subdivisionName = W("НаимЮЛ");
    std::string subdivisionKpp = W("КППЮЛ");
    std::string hasTransports = W("НаличиеПеревозок");
    std::string number = W("ПN");
    std::string transport = W("<Перевозка");
    std::string transportKind = W("П000000000002");
    std::string product = W("<Продукция");
    std::string productKind = W("П000000000004");
    std::string carrier = W("<СведПеревозчик");
    std::string vehicle = W("<ТранспортноеСредство");
    std::string waybill = W("<СведТН");
    std::string waybillDate = W("П000000000014");
    std::string waybillNumber = W("П000000000015");
    std::string waybillQuantity = W("П000000000016");
    std::string line = W("<СведТТН");
    std::string lineDate = W("П000000000017");
    std::string lineNumber = W("П000000000018");
    std::string lineQuantity = W("П000000000019");
    std::string lineReceiverQuantity = W("П000000000020");
    // Indexed by Level.
    std::array<std::string, kLevelCount> levelEnds = {W("</Перевозка>"), W("</Продукция>"), W("</СведПеревозчик>"),
                                                      W("</ТранспортноеСредство>"), W("</СведТН>")};

    // An individual carrier's address, one element a line, the empty "Литера" before the flat;
    // the locality is written only for an address without a city.
    struct AddressPart {
        const char* column;
        std::string open;
        std::string close;
    };
    std::vector<AddressPart> carrierAddress = {
        {"CL_COUNTRY_KOD", W("<КодСтраны>"), W("</КодСтраны>")}, {"CL_POST_INDEX", W("<Индекс>"), W("</Индекс>")},
        {"CL_REGION", W("<КодРегион>"), W("</КодРегион>")},      {"CL_DISTRICT_NAME", W("<Район>"), W("</Район>")},
        {"CL_CITY_NAME", W("<Город>"), W("</Город>")},           {"CL_NAS_PUNKT", W("<НаселПункт>"), W("</НаселПункт>")},
        {"CL_STREET_NAME", W("<Улица>"), W("</Улица>")},         {"CL_HOUSE", W("<Дом>"), W("</Дом>")},
        {"CL_BUILDING", W("<Корпус>"), W("</Корпус>")},
    };
    AddressPart carrierFlat = {"CL_APPARTMENT", W("<Кварт>"), W("</Кварт>")};
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

std::string upperEscaped(const Variant& value) { return XMLCheckStr(host::upperCp1251(value.toText())); }
std::string escapedDate(const Variant& value) { return XMLCheckStr(host::formatDate(value.toDateTime())); }
std::string quantity(const Variant& value, int decimals) {
    return XMLCheckStr(core::declarationNumber(value.toDouble(), decimals));
}

// Closes a query however the writing that reads it ends.
struct Closing {
    host::LocalQuery& query;
    ~Closing() {
        try {
            query.close();
        } catch (...) {
            // Read only: closing has nothing to write that could fail.
        }
    }
};

// ---- Reference block ----

void writeIndividualCarrier(DeclarationWriter& out, host::LocalDataSet& clients) {
    const Names& n = names();
    out.line(n.individual);
    const CarrierName name = splitCarrierName(clients.fieldByName("CL_NAME").toText());
    out.text(n.fullName).attribute(n.surname, name.surname).attribute(n.firstName, name.firstName);
    out.attribute(n.patronymic, name.patronymic).line(" />");
    out.line(n.address);
    const bool hasCity = !clients.fieldByName("CL_CITY_NAME").toText().empty();
    auto part = [&](const Names::AddressPart& p) {
        out.line(p.open + upperEscaped(clients.fieldByName(p.column)) + p.close);
    };
    for (const auto& p : n.carrierAddress)
        if (!(hasCity && std::string_view(p.column) == "CL_NAS_PUNKT")) part(p);
    out.line(n.letter);
    part(n.carrierFlat);
    out.line(n.addressEnd);
    out.line(n.individualEnd);
}

void writeLegalEntityCarrier(DeclarationWriter& out, host::LocalDataSet& clients) {
    const Names& n = names();
    out.text(n.legalEntity).attribute(n.legalName, XMLCheckStr(clients.fieldByName("CL_NAME").toText()));
    const std::string inn = core::apostrophesReplaced(clients.fieldByName("CL_INN").toText());
    const std::string kpp = core::apostrophesReplaced(clients.fieldByName("CL_KPP").toText());
    out.attribute(n.legalInn, XMLCheckStr(core::CellString(inn, 10)));
    out.attribute(n.legalKpp, XMLCheckStr(core::CellString(kpp, 9))).line("/>");
}

// One "Перевозчики" per run of qClients rows with one carrier, its data from the run's first
// row, then a "Лицензии" wrapper for each of its rows that has a licence date.
void writeCarriers(DeclarationWriter& out, host::LocalDataSet& clients) {
    const Names& n = names();
    const int id = clients.fieldIndex("CL_ID");
    const int date = clients.fieldIndex("CL_LIC_DATE");
    clients.first();
    while (!clients.eof()) {
        const Variant carrier = clients.field(id);
        out.text(n.carriers).attribute(n.carrierId, XMLCheckStr(carrier.toText())).text(">");
        if (clients.fieldByName("CL_IS_IP").toInteger() == 1)
            writeIndividualCarrier(out, clients);
        else
            writeLegalEntityCarrier(out, clients);
        do {
            const Variant start = clients.field(date);
            if (!start.isNullOrEmpty()) {
                out.line(n.licences);
                out.text(n.licence).attribute(n.licenceId, std::to_string(clients.recNo()));
                out.attribute(n.licenceNumber,
                              XMLCheckStr(clients.fieldByName("CL_LIC_REG_NUMBER").toText().substr(0, 100)));
                out.attribute(n.licenceStart, escapedDate(start));
                out.attribute(n.licenceEnd, escapedDate(clients.fieldByName("CL_LIC_GOOD_DATE")));
                out.attribute(n.licenceOrgan, upperEscaped(clients.fieldByName("CL_LIC_ORGAN"))).line("/>");
                out.line(n.licencesEnd);
            }
            clients.next();
        } while (!clients.eof() && clients.field(id) == carrier);
        out.line(n.carriersEnd);
    }
}

void writeVehicles(DeclarationWriter& out, host::LocalDataSet& vehicles) {
    const Names& n = names();
    const int type = vehicles.fieldIndex("TRANS_TYPE");
    const int volume = vehicles.fieldIndex("TRANS_VOLUME");
    const int number = vehicles.fieldIndex("TRANS_NUMBER");
    for (vehicles.first(); !vehicles.eof(); vehicles.next()) {
        out.text(n.vehicles).attribute(n.vehicleId, std::to_string(vehicles.recNo()));
        out.attribute(n.vehicleType, XMLCheckStr(vehicles.field(type).toText()));
        out.attribute(n.vehicleVolume, XMLCheckStr(volumeText(vehicles.field(volume).toDouble())));
        out.attribute(n.vehicleNumber, XMLCheckStr(vehicles.field(number).toText())).line("/>");
    }
}

void writeReceivers(DeclarationWriter& out, host::LocalQuery& buyers) {
    const Names& n = names();
    buyers.open();
    const Closing closing{buyers};
    const int id = buyers.fieldIndex("BUYER_ID");
    const int name = buyers.fieldIndex("BUYER_NAME");
    const int inn = buyers.fieldIndex("BUYER_INN");
    const int kpp = buyers.fieldIndex("BUYER_KPP");
    for (buyers.first(); !buyers.eof(); buyers.next()) {
        const std::string receiver = buyers.field(id).toText();
        if (receiver.empty()) continue;
        out.text(n.receivers).attribute(n.receiverId, XMLCheckStr(receiver));
        out.attribute(n.receiverName, XMLCheckStr(buyers.field(name).toText())).line(">");
        const std::string receiverInn = buyers.field(inn).toText();
        if (!receiverInn.empty()) {
            out.text(n.russianOrganization).attribute(n.receiverInn, XMLCheckStr(receiverInn));
            out.attribute(n.receiverKpp, XMLCheckStr(buyers.field(kpp).toText())).line("/>");
        }
        out.line(n.receiversEnd);
    }
}

// ---- Data section ----

// The number of the first qClients row of each carrier and exact licence date: the licence a
// carrier block refers to. Rows without a licence date list no licence in the reference
// block, so nothing may refer to them; a row without a carrier id is no carrier's.
class LicenceIds {
public:
    explicit LicenceIds(host::LocalDataSet& clients) {
        const int id = clients.fieldIndex("CL_ID");
        const int date = clients.fieldIndex("CL_LIC_DATE");
        for (clients.first(); !clients.eof(); clients.next()) {
            const Variant carrier = clients.field(id);
            const Variant start = clients.field(date);
            if (carrier.isNullOrEmpty() || start.isNullOrEmpty()) continue;
            records_.emplace(Key{carrier.toInteger(), start.toDateTime().days}, clients.recNo());
        }
    }
    // 0 when the carrier has no listed licence of that date.
    int find(std::int64_t carrier, const Variant& date) const {
        if (date.isNullOrEmpty()) return 0;
        const auto found = records_.find(Key{carrier, date.toDateTime().days});
        return found == records_.end() ? 0 : found->second;
    }

private:
    struct Key {
        std::int64_t carrier;
        double days;
        friend auto operator<=>(const Key&, const Key&) = default;
    };
    std::map<Key, int> records_;
};

// The number of the qTransport row of each vehicle type and number, compared exactly (a
// missing value only matches a missing value).
class VehicleIds {
public:
    explicit VehicleIds(host::LocalDataSet& vehicles) {
        const int type = vehicles.fieldIndex("TRANS_TYPE");
        const int number = vehicles.fieldIndex("TRANS_NUMBER");
        for (vehicles.first(); !vehicles.eof(); vehicles.next())
            records_.emplace(keyOf(vehicles.field(type), vehicles.field(number)), vehicles.recNo());
    }
    // 0 when no vehicle is listed with that type and number.
    int find(const Variant& type, const Variant& number) const {
        const auto found = records_.find(keyOf(type, number));
        return found == records_.end() ? 0 : found->second;
    }

private:
    struct Key {
        bool typeMissing;
        std::string type;
        bool numberMissing;
        std::string number;
        friend auto operator<=>(const Key&, const Key&) = default;
    };
    static Key keyOf(const Variant& type, const Variant& number) {
        return {type.isNullOrEmpty(), type.toText(), number.isNullOrEmpty(), number.toText()};
    }
    std::map<Key, int> records_;
};

// A grouping key's value as the grouped read's key expression computes it, which is also how
// the declaration compares groups: a code as text, an id as a whole number, a date by its day;
// null as the empty text, 0 and day 0.
struct KeyValue {
    std::int64_t number = 0;
    std::string text;
    friend bool operator==(const KeyValue&, const KeyValue&) = default;
};

KeyValue typedKey(const Variant& value, GroupKey::As as) {
    switch (as) {
        case GroupKey::As::Integer: return {value.toInteger(), {}};
        case GroupKey::As::Text: return {0, value.toText()};
        case GroupKey::As::Day: return {static_cast<std::int64_t>(std::trunc(value.toDateTime().days)), {}};
    }
    return {};
}

// Writes one subdivision's transports from rows that come with equal grouping keys together:
// an element is opened at each key change of its level or an enclosing one and closed before
// the next one of its level, so every element opened is closed.
class TransportWalk {
public:
    TransportWalk(DeclarationWriter& out, const LicenceIds& licences, const VehicleIds& vehicles, int decimals)
        : out_(out), licences_(licences), vehicles_(vehicles), decimals_(decimals) {}

    void write(host::LocalDataSet& rows) {
        int open = -1;  // the innermost level open
        std::array<int, kLevelCount> numbers{};
        while (!rows.eof()) {
            for (std::size_t i = 0; i < kRowColumnCount; ++i) row_[i] = rows.field(static_cast<int>(i));
            int from = kTransportLevel;
            if (open >= 0) {
                std::size_t k = 0;
                while (k < kKeyCount && typedKey(row_[k], kGroups[k].as) == keys_[k]) ++k;
                from = k < kKeyCount ? kLevelOfKey[k] : kLevelCount;
            }
            for (int level = open; level >= from; --level) out_.line(names().levelEnds[level]);
            for (std::size_t k = 0; k < kKeyCount; ++k)
                if (kLevelOfKey[k] >= from) keys_[k] = typedKey(row_[k], kGroups[k].as);
            for (int level = from; level < kLevelCount; ++level) {
                ++numbers[level];
                if (level + 1 < kLevelCount) numbers[level + 1] = 0;
                openLevel(static_cast<Level>(level), numbers[level]);
            }
            if (from < kLevelCount) lineNumber_ = 0;
            open = kLevelCount - 1;
            writeLine(++lineNumber_);
            rows.next();
        }
        for (int level = open; level >= 0; --level) out_.line(names().levelEnds[level]);
    }

private:
    void openLevel(Level level, int number) {
        const Names& n = names();
        switch (level) {
            case kTransportLevel:
                out_.text(n.transport).attribute(n.number, std::to_string(number));
                out_.attribute(n.transportKind, XMLCheckStr(host::upperCp1251(keys_[kTransportKind].text))).line(">");
                break;
            case kProductLevel:
                out_.text(n.product);
                out_.attribute(n.productKind, XMLCheckStr(host::upperCp1251(keys_[kProductKind].text))).line(">");
                break;
            case kCarrierLevel: {
                const std::int64_t carrier = keys_[kCarrier].number;
                out_.text(n.carrier).attribute(n.number, std::to_string(number));
                out_.attribute(n.carrierId, XMLCheckStr(std::to_string(carrier)));
                if (const int licence = licences_.find(carrier, row_[kLicenceDate]))
                    out_.attribute(n.licenceId, std::to_string(licence));
                out_.line(">");
                break;
            }
            case kVehicleLevel:
                out_.text(n.vehicle).attribute(n.number, std::to_string(number));
                if (const int vehicle = vehicles_.find(row_[kVehicleType], row_[kVehicleNumber]))
                    out_.attribute(n.vehicleId, std::to_string(vehicle));
                out_.line(">");
                break;
            case kWaybillLevel:
                out_.text(n.waybill).attribute(n.number, std::to_string(number));
                out_.attribute(n.waybillDate, escapedDate(row_[kWaybillDate]));
                out_.attribute(n.waybillNumber, XMLCheckStr(host::upperCp1251(keys_[kWaybillNumber].text)));
                out_.attribute(n.waybillQuantity, quantity(row_[kWaybillQuantity], decimals_)).line(">");
                break;
            case kLevelCount: break;
        }
    }

    // A consignment-note line: one element over two lines, its quantity in both attributes.
    void writeLine(int number) {
        const Names& n = names();
        const std::string amount = quantity(row_[kQuantity], decimals_);
        out_.text(n.line).attribute(n.number, std::to_string(number));
        out_.attribute(n.lineDate, escapedDate(row_[kDocDate]));
        out_.attribute(n.lineNumber, upperEscaped(row_[kDocNumber]));
        out_.attribute(n.lineQuantity, amount).lineBreak();
        out_.attribute(n.receiverId, upperEscaped(row_[kReceiver]));
        out_.attribute(n.lineReceiverQuantity, amount).line("/>");
    }

    DeclarationWriter& out_;
    const LicenceIds& licences_;
    const VehicleIds& vehicles_;
    const int decimals_;
    std::array<Variant, kRowColumnCount> row_;
    std::array<KeyValue, kKeyCount> keys_;
    int lineNumber_ = 0;
};

}  // namespace

TZorvicTransportReport::TZorvicTransportReport()
    : DeclarationFrame(kProfile),
      qResult("qResult", core::movementRowsSql("ZorvicTransport"), true),
      // The writer steps back in these two and returns to their first rows.
      qClients("qClients", core::counterpartiesSql("ZorvicTransport", false, false), false),
      qBuyers("qBuyers", kBuyersSql, true),
      qTransport("qTransport", kTransportSql, false),
      qClientSum("qClientSum", core::counterpartySumsSql("ZorvicTransport"), true),
      transports_("transports", core::groupedRowsSql(kCollection.resultTable, kRowColumns, kSubdivision, groupLevels()),
                  true) {}

void TZorvicTransportReport::openBodySources() {
    try {
        // The transport rows are read per subdivision through an index; building it needs the
        // table unread, so it comes before anything opens it.
        const std::string& directory = tblResult.databaseName();
        core::ensureGroupIndex(directory, kCollection.resultTable, kSubdivision);
        transports_.setDatabaseName(directory);
        tblObosob.open();
        qClients.open();
        qTransport.open();
    } catch (...) {
        closeBodySources();
        throw;
    }
}

void TZorvicTransportReport::closeBodySources() noexcept {
    for (host::LocalDataSet* source : std::initializer_list<host::LocalDataSet*>{&qClients, &qTransport, &transports_,
                                                                                 &tblObosob}) {
        try {
            source->close();
        } catch (...) {
            // Read only here: closing has nothing to write that could fail.
        }
    }
}

void TZorvicTransportReport::writeReferenceBlock(DeclarationWriter& out, const FileContext&) {
    out.line(names().references);
    writeCarriers(out, qClients);
    writeVehicles(out, qTransport);
    writeReceivers(out, qBuyers);
    out.line(names().referencesEnd);
}

void TZorvicTransportReport::writeDataSection(DeclarationWriter& out, const FileContext& context) {
    const Names& n = names();
    const LicenceIds licences(qClients);
    const VehicleIds vehicles(qTransport);
    const int id = tblObosob.fieldIndex("CL_ID");
    const int name = tblObosob.fieldIndex("CL_NAME");
    const int kpp = tblObosob.fieldIndex("CL_KPP");
    core::SubdivisionAddress address(tblObosob);

    for (tblObosob.first(); !tblObosob.eof(); tblObosob.next()) {
        core::readGroup(transports_, {Variant(tblObosob.field(id).toInteger())});

        out.text(n.volume).attribute(n.subdivisionName, upperEscaped(tblObosob.field(name)));
        out.attribute(n.subdivisionKpp, upperEscaped(tblObosob.field(kpp)));
        out.attribute(n.hasTransports, transports_.eof() ? "false" : "true").line(">");
        address.write(out);
        TransportWalk(out, licences, vehicles, context.decimals).write(transports_);
        out.line(n.volumeEnd);
    }
}

}  // namespace forms::transport
