// The body of the form 11 declaration file.
#include <compare>
#include <cstdint>
#include <map>

#include "core/retail/reference_block.h"
#include "forms/rozn/report_frame.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace forms::rozn {

using core::GroupKey;
using core::retail::MovementFigure;
using host::Variant;
using host::W;
using host::XMLCheckStr;

namespace {

// The movement element, attribute by attribute, with the columns each one adds up.
const std::vector<MovementFigure> kMovement = {
    {"П100000000006", {{"OST_BEGIN", 1}}, true},
    {"П100000000007", {{"PRIX_PROIZ", 1}}, false},
    {"П100000000008", {{"PRIX_OPT", 1}}, false},
    {"П100000000009", {{"PRIX_IMPORT", 1}}, false},
    {"П100000000010", {{"PRIX_PROIZ", 1}, {"PRIX_OPT", 1}, {"PRIX_IMPORT", 1}}, false},
    {"П100000000011", {{"PRIX_RET", 1}}, false},
    {"П100000000012", {{"PRIX_OTHER", 1}}, false},
    {"П100000000013", {{"PRIX_MOVE", 1}}, false},
    {"П100000000014",
     {{"PRIX_PROIZ", 1}, {"PRIX_OPT", 1}, {"PRIX_IMPORT", 1}, {"PRIX_OTHER", 1}, {"PRIX_MOVE", 1}, {"PRIX_RET", 1}},
     false},
    {"П100000000015", {{"RASX_ROZN", 1}}, false},
    {"П100000000016", {{"RASX_OTHER", 1}}, false},
    {"П100000000017", {{"RASX_RET", 1}}, false},
    {"П100000000018", {{"RASX_MOVE", 1}}, false},
    {"П100000000019", {{"RASX_ROZN", 1}, {"RASX_RET", 1}, {"RASX_MOVE", 1}, {"RASX_OTHER", 1}}, false},
    {"П100000000020",
     {{"OST_BEGIN", 1},
      {"PRIX_PROIZ", 1},
      {"PRIX_OPT", 1},
      {"PRIX_IMPORT", 1},
      {"PRIX_RET", 1},
      {"PRIX_OTHER", 1},
      {"PRIX_MOVE", 1},
      {"RASX_ROZN", -1},
      {"RASX_RET", -1},
      {"RASX_MOVE", -1},
      {"RASX_OTHER", -1}},
     true},
};

// A producer's purchases make one supplier block per supplier and licence day.
const std::vector<GroupKey> kSupplierAndLicenceDay = {{"CL_ID", GroupKey::As::Integer},
                                                      {"CL_LIC_DATE", GroupKey::As::Day}};

struct Names {
    std::string references = W("<Справочники>");
    std::string referencesEnd = W("</Справочники>");
    std::string suppliers = W("<Поставщики");
    std::string suppliersEnd = W("</Поставщики>");
    std::string supplierId = W("ИдПостав");
    std::string supplierName = W("П000000000007");
    std::string licences = W("<Лицензии>");
    std::string licencesEnd = W("</Лицензии>");
    std::string licence = W("<Лицензия");
    std::string licenceId = W("ИдЛицензии");
    std::string licenceNumber = W("П000000000011");
    std::string licenceStart = W("П000000000012");
    std::string licenceEnd = W("П000000000013");
    std::string licenceOrgan = W("П000000000014");
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

// A licence as a purchase names it: the supplier and the exact licence date, where no date
// matches only no date.
struct LicenceKey {
    std::int64_t supplier;
    bool dated;
    double days;
    friend auto operator<=>(const LicenceKey&, const LicenceKey&) = default;
};

LicenceKey licenceKey(std::int64_t supplier, const Variant& date) {
    return date.isNullOrEmpty() ? LicenceKey{supplier, false, 0} : LicenceKey{supplier, true, date.toDateTime().days};
}

// The licence a purchase was made under is the first row of qClients with its supplier and
// licence date; its record number is the licence's id in the file. A purchase that matches no
// listed licence names none: an id no listed licence has would make the whole file refused. The
// rows are indexed once, so a purchase finds its licence without reading qClients again.
class LicenceIds final : public core::retail::SupplierTagEnd {
public:
    explicit LicenceIds(host::LocalDataSet& clients) {
        const int id = clients.fieldIndex("CL_ID");
        const int date = clients.fieldIndex("CL_LIC_DATE");
        for (clients.first(); !clients.eof(); clients.next()) {
            const Variant supplier = clients.field(id);
            // A purchase's supplier is always a number (a missing one reads as 0), which a
            // missing id never equals. A row without a licence date lists no licence in the
            // file, so no purchase may refer to it: such a purchase names no licence.
            if (supplier.isNullOrEmpty() || clients.field(date).isNullOrEmpty()) continue;
            records_.emplace(licenceKey(supplier.toInteger(), clients.field(date)), clients.recNo());
        }
    }

    void write(core::DeclarationWriter& out, host::LocalDataSet& purchases) override {
        if (supplierColumn_ < 0) {
            supplierColumn_ = purchases.fieldIndex("CL_ID");
            dateColumn_ = purchases.fieldIndex("CL_LIC_DATE");
        }
        const auto found = records_.find(
            licenceKey(purchases.field(supplierColumn_).toInteger(), purchases.field(dateColumn_)));
        if (found != records_.end()) out.attribute(names().licenceId, std::to_string(found->second));
        out.line(">");
    }

private:
    std::map<LicenceKey, int> records_;
    int supplierColumn_ = -1;
    int dateColumn_ = -1;
};

// Each run of qClients rows with one supplier is one "Поставщики" element holding every licence
// of those rows, then the supplier's requisites from its last row.
void writeSuppliers(core::DeclarationWriter& out, host::LocalDataSet& clients) {
    const Names& n = names();
    const int id = clients.fieldIndex("CL_ID");
    const int name = clients.fieldIndex("CL_NAME");
    const int date = clients.fieldIndex("CL_LIC_DATE");
    const int goodDate = clients.fieldIndex("CL_LIC_GOOD_DATE");
    const int regNumber = clients.fieldIndex("CL_LIC_REG_NUMBER");
    const int organ = clients.fieldIndex("CL_LIC_ORGAN");
    clients.first();
    while (!clients.eof()) {
        out.text(n.suppliers).attribute(n.supplierId, XMLCheckStr(clients.field(id).toText()));
        out.attribute(n.supplierName, XMLCheckStr(clients.field(name).toText())).text(">");
        const std::int64_t supplier = clients.field(id).toInteger();
        while (!clients.eof() && clients.field(id).toInteger() == supplier) {
            const Variant start = clients.field(date);
            if (!start.isNullOrEmpty()) {
                out.line(n.licences);
                out.text(n.licence).attribute(n.licenceId, std::to_string(clients.recNo()));
                out.attribute(n.licenceNumber, XMLCheckStr(clients.field(regNumber).toText().substr(0, 100)));
                out.attribute(n.licenceStart, XMLCheckStr(host::formatDate(start.toDateTime())));
                out.attribute(n.licenceEnd, XMLCheckStr(host::formatDate(clients.field(goodDate).toDateTime())));
                out.attribute(n.licenceOrgan, XMLCheckStr(host::upperCp1251(clients.field(organ).toText())));
                out.line("/>");
                out.line(n.licencesEnd);
            }
            clients.next();
        }
        if (!clients.eof()) clients.prior();
        core::retail::writeSupplierRequisites(out, clients);
        out.line(n.suppliersEnd);
        clients.next();
    }
}

}  // namespace

TZorvicRoznReport::TZorvicRoznReport()
    : RetailFrame(kProfile, {kResultSql, kClientsSql, kManufacturersSql, kClientSumSql, kClientOborotSql}, kSupplierAndLicenceDay,
                  kMovement, true) {}

void TZorvicRoznReport::writeReferenceBlock(core::DeclarationWriter& out, const FileContext&) {
    out.line(names().references);
    core::retail::writeProducers(out, qManufacturers, core::retail::ProducerRequisites::Attributes);
    writeSuppliers(out, qClients);
    out.line(names().referencesEnd);
}

void TZorvicRoznReport::writeDataSection(core::DeclarationWriter& out, const FileContext& context) {
    LicenceIds licences(qClients);
    const auto& c = controls();
    turnoverSection_.write(out, tblObosob,
                           {context.decimals, c.cbGroupByArticul->checked(), c.cbOnlyMove->checked(), true},
                           &licences);
}

}  // namespace forms::rozn
