// The body of the form 12 declaration file.
#include "core/retail/reference_block.h"
#include "forms/roznbeer/report_frame.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace forms::roznbeer {

using core::GroupKey;
using core::retail::MovementFigure;
using host::W;
using host::XMLCheckStr;

namespace {

// The movement element, attribute by attribute; beer knows no moves between subdivisions.
const std::vector<MovementFigure> kMovement = {
    {"П100000000006", {{"OST_BEGIN", 1}}, true},
    {"П100000000007", {{"PRIX_PROIZ", 1}}, false},
    {"П100000000008", {{"PRIX_OPT", 1}}, false},
    {"П100000000009", {{"PRIX_IMPORT", 1}}, false},
    {"П100000000010", {{"PRIX_PROIZ", 1}, {"PRIX_OPT", 1}, {"PRIX_IMPORT", 1}}, false},
    {"П100000000011", {{"PRIX_RET", 1}}, false},
    {"П100000000012", {{"PRIX_OTHER", 1}}, false},
    {"П100000000013",
     {{"PRIX_PROIZ", 1}, {"PRIX_OPT", 1}, {"PRIX_IMPORT", 1}, {"PRIX_OTHER", 1}, {"PRIX_RET", 1}},
     false},
    {"П100000000014", {{"RASX_ROZN", 1}}, false},
    {"П100000000015", {{"RASX_OTHER", 1}}, false},
    {"П100000000016", {{"RASX_RET", 1}}, false},
    {"П100000000017", {{"RASX_ROZN", 1}, {"RASX_RET", 1}, {"RASX_OTHER", 1}}, false},
    {"П100000000018",
     {{"OST_BEGIN", 1},
      {"PRIX_PROIZ", 1},
      {"PRIX_OPT", 1},
      {"PRIX_IMPORT", 1},
      {"PRIX_RET", 1},
      {"PRIX_OTHER", 1},
      {"RASX_ROZN", -1},
      {"RASX_RET", -1},
      {"RASX_OTHER", -1}},
     true},
};

// Beer suppliers carry no licences: a producer's purchases make one block per supplier.
const std::vector<GroupKey> kSupplier = {{"CL_ID", GroupKey::As::Integer}};

struct Names {
    std::string references = W("<Справочники>");
    std::string referencesEnd = W("</Справочники>");
    std::string suppliers = W("<Поставщики");
    std::string suppliersEnd = W("</Поставщики>");
    std::string supplierId = W("ИдПостав");
    std::string supplierName = W("П000000000007");
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

// Every row of qClients is one supplier.
void writeSuppliers(core::DeclarationWriter& out, host::LocalDataSet& clients) {
    const Names& n = names();
    const int id = clients.fieldIndex("CL_ID");
    const int name = clients.fieldIndex("CL_NAME");
    for (clients.first(); !clients.eof(); clients.next()) {
        out.text(n.suppliers).attribute(n.supplierId, XMLCheckStr(clients.field(id).toText()));
        out.attribute(n.supplierName, XMLCheckStr(clients.field(name).toText())).text(">");
        core::retail::writeSupplierRequisites(out, clients);
        out.line(n.suppliersEnd);
    }
}

}  // namespace

TZorvicRoznBeerReport::TZorvicRoznBeerReport()
    : RetailFrame(kProfile, {kResultSql, kClientsSql, kManufacturersSql, kClientSumSql, kClientOborotSql}, kSupplier,
                  kMovement, false) {}

void TZorvicRoznBeerReport::writeReferenceBlock(core::DeclarationWriter& out, const FileContext&) {
    out.line(names().references);
    core::retail::writeProducers(out, qManufacturers, core::retail::ProducerRequisites::ChildElement);
    writeSuppliers(out, qClients);
    out.line(names().referencesEnd);
}

void TZorvicRoznBeerReport::writeDataSection(core::DeclarationWriter& out, const FileContext& context) {
    const auto& c = controls();
    // An entrepreneur's subdivisions are declared without a KPP.
    turnoverSection_.write(out, tblObosob,
                           {context.decimals, c.cbGroupByArticul->checked(), c.cbOnlyMove->checked(),
                            !context.entrepreneur},
                           nullptr);
}

}  // namespace forms::roznbeer
