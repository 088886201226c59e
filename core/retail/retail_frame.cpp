// The frame of forms 11 and 12: their reference block and their turnover section.
#include "core/retail/retail_frame.h"

#include "core/declaration_file/data_section.h"
#include "core/declaration_file/text_forming.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core::retail {

using host::XMLCheckStr;

namespace {

// A producer's purchases are read per subdivision, product kind and producer.
const std::vector<GroupKey> kProducerGroup = {{"SUPERPLACE_CL_ID", GroupKey::As::Integer},
                                              {"VIDPROD_KOD", GroupKey::As::Text},
                                              {"MANUF_ID", GroupKey::As::Integer}};

// A number is digits, a point and a sign: nothing to escape.
std::string number(const host::Variant& value, int decimals) { return declarationNumber(value.toDouble(), decimals); }

}  // namespace

RetailFrame::RetailFrame(const FormProfile& profile, const RetailForm& form)
    : CounterpartyFrame(profile, {form.queries.result, form.queries.clients, form.queries.manufacturers,
                                  form.queries.clientSum}),
      qClientOborot("qClientOborot", form.queries.clientOborot, true),
      form_(form),
      turnover_("turnover", profile.collection->resultOborotTable, subdivisionFilter()),
      purchases_("purchases", profile.collection->resultTable, kProducerGroup),
      figures_(turnover_, retailMovementFigures(form.moves)) {
    describeTurnover();
    describePurchases();
}

void RetailFrame::describeTurnover() {
    const names::Retail& r = names::retail();
    turnover_.addLevel(kindLevel(turnover_));
    WalkLevel producer = producerLevel(turnover_);
    const std::size_t kind = turnover_.column("VIDPROD_KOD");
    const std::size_t manufacturer = turnover_.column("MANUF_ID");
    // The producer's purchases come once, before the movement of its first row.
    producer.content = [this, kind, manufacturer](DeclarationWriter& out, const GroupRow& row) {
        purchases_.read({turnover_.filterValues()[0], keyValue(row[kind], GroupKey::As::Text),
                         keyValue(row[manufacturer], GroupKey::As::Integer)});
        purchases_.write(out);
    };
    turnover_.addLevel(std::move(producer));
    const std::size_t articul = turnover_.column("ARTICUL");
    const std::size_t netto = turnover_.column("NETTO");
    turnover_.setRow([this, &r, articul, netto](DeclarationWriter& out, const GroupRow& row, int) {
        out.text(r.movement).attribute(names::shared().number, "1");
        writeArticle(out, row[articul], row[netto]);
        figures_.write(out, row, decimals_, !onlyMove_);
        out.line("/>");
    });
}

void RetailFrame::describePurchases() {
    const names::Retail& r = names::retail();
    purchases_.addLevel(holderLevel(purchases_, names::shared().supplier, form_.licensed ? &licences_ : nullptr));
    const std::size_t articul = purchases_.column("ARTICUL");
    const std::size_t netto = purchases_.column("NETTO");
    const std::size_t date = purchases_.column("EXT_DOC_DATE");
    const std::size_t document = purchases_.column("EXT_DOCINDEX");
    const std::size_t quantity = purchases_.column("QUANTITY");
    purchases_.setRow([=, this, &r](DeclarationWriter& out, const GroupRow& row, int) {
        out.text(r.product);
        writeArticle(out, row[articul], row[netto]);
        out.attribute(r.docDate, dayText_(row[date]));
        out.attribute(r.docNumber, XMLCheckStr(host::upperCp1251(row[document].toText())));
        out.attribute(r.emptyField, "");
        out.attribute(r.quantity, number(row[quantity], decimals_)).line("/>");
    });
}

// With goods detail, products and movements carry their article and net volume.
void RetailFrame::writeArticle(DeclarationWriter& out, const host::Variant& articul, const host::Variant& netto) const {
    if (!groupByArticul_) return;
    out.attribute(names::retail().articul, XMLCheckStr(articul.toText()));
    out.attribute(names::retail().netto, number(netto, decimals_));
}

PrintDatasets RetailFrame::printDatasets() {
    // The purchase table itself is opened by the report as it reads it.
    host::LocalDataSet& result = form_.printsResultTable ? static_cast<host::LocalDataSet&>(tblResult) : qResult;
    return retailPrintDatasets(result, qResult, qClientSum, tblObosob, qClientOborot, *tblResultOborot);
}

void RetailFrame::writeReferenceBlock(DeclarationWriter& out, const FileContext&) {
    const names::Shared& n = names::shared();
    out.line(n.references);
    writeProducers(out, qManufacturers, form_.producerRequisites, names::retail().producerId);
    // A supplier is a run of qClients rows with its id, listing every licence of those rows,
    // then its requisites from its last row.
    licences_.clear();
    for (qClients.first(); !qClients.eof(); qClients.next()) {
        openHolder(out, n.suppliers, qClients, true);
        if (form_.licensed) licences_.writeHolder(out, qClients);
        writeRequisites(out, qClients);
        out.line(n.suppliers.end);
    }
    out.line(n.referencesEnd);
}

void RetailFrame::writeDataSection(DeclarationWriter& out, const FileContext& context) {
    const names::Shared& n = names::shared();
    const auto& c = controls();
    decimals_ = context.decimals;
    groupByArticul_ = c.cbGroupByArticul->checked();
    onlyMove_ = c.cbOnlyMove->checked();
    writeSubdivisions(out, tblObosob, {n.turnoverVolume, n.turnoverVolumeEnd, {n.hasTurnover}},
                      !(form_.entrepreneurWithoutKpp && context.entrepreneur), turnover_);
}

}  // namespace core::retail
