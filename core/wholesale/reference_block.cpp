#include "core/wholesale/reference_block.h"

#include "core/declaration_file/text_forming.h"
#include "core/retail/reference_block.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core::wholesale {

using host::W;
using host::XMLCheckStr;

namespace {

// Russia: a counterparty of this country code is a resident.
constexpr const char* kResident = "643";
// Of a resident's address parts, the locality (written only without a city) and the flat (after
// the fixed "Литера").
constexpr std::size_t kLocality = 5;
constexpr std::size_t kFlat = 9;

struct Names {
    std::string producerId = W("ИдПроизвИмп");
    std::string counterpartyName = W("П000000000007");
    std::string foreign = W("<Иностр");
    std::string country = W("П000000000081");
    std::string foreignAddress = W("П000000000082");
    std::string resident = W("<Резидент>");
    std::string residentEnd = W("</Резидент>");
    std::string licences = W("<Лицензии>");
    std::string licencesEnd = W("</Лицензии>");
    std::string licence = W("<Лицензия");
    std::string licenceId = W("ИдЛицензии");
    std::string licenceNumber = W("П000000000011");
    std::string licenceStart = W("П000000000012");
    std::string licenceEnd = W("П000000000013");
    std::string licenceOrgan = W("П000000000014");
    std::string address = W("<П000000000008>");
    std::string addressEnd = W("</П000000000008>");
    std::string letter = W("<Литера/>");
    // The address parts of a resident: element and column; the locality only without a city.
    std::vector<std::pair<std::string, const char*>> addressParts = {
        {W("КодСтраны"), "CL_COUNTRY_KOD"}, {W("Индекс"), "CL_POST_INDEX"},   {W("КодРегион"), "CL_REGION"},
        {W("Район"), "CL_DISTRICT_NAME"},    {W("Город"), "CL_CITY_NAME"},     {W("НаселПункт"), "CL_NAS_PUNKT"},
        {W("Улица"), "CL_STREET_NAME"},      {W("Дом"), "CL_HOUSE"},           {W("Корпус"), "CL_BUILDING"},
        {W("Кварт"), "CL_APPARTMENT"}};
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

// What the walk over the counterparties query meets, in order.
class CounterpartyVisitor {
public:
    virtual ~CounterpartyVisitor() = default;
    virtual void start(host::LocalDataSet&) {}
    virtual void foreign(host::LocalDataSet&) {}
    virtual void residentStart() {}
    virtual void licence(host::LocalDataSet&, int) {}
    // `clients` stands on the counterparty's last row.
    virtual void residentEnd(host::LocalDataSet&) {}
    virtual void end() {}
};

// A foreign counterparty's row stands alone; a resident takes every following row with its id,
// the dated ones being its licences, and its requisites from the last of them.
void walkCounterparties(host::LocalDataSet& clients, CounterpartyVisitor& visitor) {
    const int id = clients.fieldIndex("CL_ID");
    const int country = clients.fieldIndex("CL_COUNTRY_KOD");
    const int date = clients.fieldIndex("CL_LIC_DATE");
    for (clients.first(); !clients.eof(); clients.next()) {
        visitor.start(clients);
        if (clients.field(country).toText() != kResident) {
            visitor.foreign(clients);
        } else {
            visitor.residentStart();
            const std::int64_t counterparty = clients.field(id).toInteger();
            while (!clients.eof() && clients.field(id).toInteger() == counterparty) {
                if (!clients.field(date).isNullOrEmpty()) visitor.licence(clients, clients.recNo());
                clients.next();
            }
            // Past the last row the cursor still stands on it.
            if (!clients.eof()) clients.prior();
            visitor.residentEnd(clients);
        }
        visitor.end();
    }
}

class CounterpartyWriter final : public CounterpartyVisitor {
public:
    CounterpartyWriter(DeclarationWriter& out, host::LocalDataSet& clients, const CounterpartyNames& element)
        : out_(out), element_(element) {
        id_ = clients.fieldIndex("CL_ID");
        name_ = clients.fieldIndex("CL_NAME");
        country_ = clients.fieldIndex("CL_COUNTRY_KOD");
        foreignAddress_ = clients.fieldIndex("CL_ADDRES");
        city_ = clients.fieldIndex("CL_CITY_NAME");
        date_ = clients.fieldIndex("CL_LIC_DATE");
        goodDate_ = clients.fieldIndex("CL_LIC_GOOD_DATE");
        regNumber_ = clients.fieldIndex("CL_LIC_REG_NUMBER");
        organ_ = clients.fieldIndex("CL_LIC_ORGAN");
        for (const auto& part : names().addressParts) address_.push_back(clients.fieldIndex(part.second));
    }

    void start(host::LocalDataSet& clients) override {
        const Names& n = names();
        out_.text(element_.element).attribute(element_.id, XMLCheckStr(clients.field(id_).toText()));
        out_.attribute(n.counterpartyName, XMLCheckStr(clients.field(name_).toText())).text(">");
    }
    void foreign(host::LocalDataSet& clients) override {
        const Names& n = names();
        out_.text(n.foreign);
        out_.attribute(n.country, upperEscaped(CellString(clients.field(country_).toText(), 3)));
        out_.attribute(n.foreignAddress, upperEscaped(clients.field(foreignAddress_).toText())).line("/>");
    }
    void residentStart() override { out_.line(names().resident); }
    void licence(host::LocalDataSet& clients, int recordNumber) override {
        const Names& n = names();
        out_.line(n.licences);
        out_.text(n.licence).attribute(n.licenceId, std::to_string(recordNumber));
        out_.attribute(n.licenceNumber, XMLCheckStr(clients.field(regNumber_).toText().substr(0, 100)));
        out_.attribute(n.licenceStart, host::formatDate(clients.field(date_).toDateTime()));
        out_.attribute(n.licenceEnd, host::formatDate(clients.field(goodDate_).toDateTime()));
        out_.attribute(n.licenceOrgan, upperEscaped(clients.field(organ_).toText())).line("/>");
        out_.line(n.licencesEnd);
    }
    void residentEnd(host::LocalDataSet& clients) override {
        const Names& n = names();
        out_.line(n.address);
        const bool withCity = !clients.field(city_).toText().empty();
        for (std::size_t i = 0; i < address_.size(); ++i) {
            if (i == kLocality && withCity) continue;
            if (i == kFlat) out_.line(n.letter);
            const std::string& element = n.addressParts[i].first;
            out_.text("<").text(element).text(">").text(upperEscaped(clients.field(address_[i]).toText()));
            out_.text("</").text(element).line(">");
        }
        out_.line(n.addressEnd);
        core::retail::writeSupplierRequisites(out_, clients);
        out_.line(n.residentEnd);
    }
    void end() override { out_.line(element_.end); }

private:
    static std::string upperEscaped(const std::string& text) { return XMLCheckStr(host::upperCp1251(text)); }

    DeclarationWriter& out_;
    const CounterpartyNames& element_;
    int id_, name_, country_, foreignAddress_, city_, date_, goodDate_, regNumber_, organ_;
    std::vector<int> address_;
};

class LicenceCollector final : public CounterpartyVisitor {
public:
    LicenceCollector(host::LocalDataSet& clients, std::map<std::pair<std::int64_t, double>, int>& ids)
        : ids_(ids), id_(clients.fieldIndex("CL_ID")), date_(clients.fieldIndex("CL_LIC_DATE")) {}

    void licence(host::LocalDataSet& clients, int recordNumber) override {
        // A movement's counterparty reads as a number, 0 when missing, which a missing id here
        // must not match.
        const host::Variant counterparty = clients.field(id_);
        if (counterparty.isNullOrEmpty()) return;
        ids_.emplace(std::pair{counterparty.toInteger(), clients.field(date_).toDateTime().days}, recordNumber);
    }

private:
    std::map<std::pair<std::int64_t, double>, int>& ids_;
    int id_, date_;
};

}  // namespace

void writeProducers(DeclarationWriter& out, host::LocalQuery& producers) {
    retail::writeProducers(out, producers, retail::ProducerRequisites::Attributes, names().producerId);
}

void writeCounterparties(DeclarationWriter& out, host::LocalDataSet& clients, const CounterpartyNames& element) {
    CounterpartyWriter writer(out, clients, element);
    walkCounterparties(clients, writer);
}

LicenceIndex::LicenceIndex(host::LocalDataSet& clients) {
    LicenceCollector collector(clients, ids_);
    walkCounterparties(clients, collector);
}

std::optional<int> LicenceIndex::find(std::int64_t counterparty, double licenceDate) const {
    const auto found = ids_.find({counterparty, licenceDate});
    if (found == ids_.end()) return std::nullopt;
    return found->second;
}

}  // namespace core::wholesale
