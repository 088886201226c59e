#include "core/retail/turnover_section.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/declaration_file/subdivision_address.h"
#include "core/declaration_file/text_forming.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core::retail {

using host::Variant;
using host::W;
using host::XMLCheckStr;

namespace {

const std::vector<GroupKey> kSubdivision = {{"SUPERPLACE_CL_ID", GroupKey::As::Integer}};
// A subdivision's turnover groups by product kind, then by producer.
const std::vector<std::vector<GroupKey>> kKindThenProducer = {{{"VIDPROD_KOD", GroupKey::As::Text}},
                                                              {{"MANUF_ID", GroupKey::As::Integer}}};
const std::vector<GroupKey> kProducerGroup = {{"SUPERPLACE_CL_ID", GroupKey::As::Integer},
                                              {"VIDPROD_KOD", GroupKey::As::Text},
                                              {"MANUF_ID", GroupKey::As::Integer}};

struct Names {
    std::string volume = W("<ОбъемОборота");
    std::string volumeEnd = W("</ОбъемОборота>");
    std::string subdivisionName = W("НаимЮЛ");
    std::string subdivisionKpp = W("КППЮЛ");
    std::string hasTurnover = W("НаличиеОборота");
    std::string turnover = W("<Оборот");
    std::string turnoverEnd = W("</Оборот>");
    std::string number = W("ПN");
    std::string kind = W("П000000000003");
    std::string producer = W("<СведПроизвИмпорт");
    std::string producerEnd = W("</СведПроизвИмпорт>");
    std::string producerId = W("ИдПроизвИмп");
    std::string supplier = W("<Поставщик");
    std::string supplierEnd = W("</Поставщик>");
    std::string supplierId = W("ИдПоставщика");
    std::string product = W("<Продукция");
    std::string articul = W("Артикул");
    std::string netto = W("Нетто");
    std::string docDate = W("П200000000013");
    std::string docNumber = W("П200000000014");
    std::string emptyDocField = W(" П200000000015=\"\"");
    std::string quantity = W("П200000000016");
    std::string movement = W("<Движение ПN=\"1\"");
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

std::string number(double value, int decimals) { return XMLCheckStr(declarationNumber(value, decimals)); }

// The grouped reads select only the columns written: the sorts that bring the groups together
// then move a fraction of each row.
std::string selectList(std::vector<std::string> columns) {
    std::string list;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (std::find(columns.begin(), columns.begin() + static_cast<std::ptrdiff_t>(i), columns[i]) ==
            columns.begin() + static_cast<std::ptrdiff_t>(i))
            list += (list.empty() ? "" : ", ") + columns[i];
    return list;
}

std::string turnoverColumns(const std::vector<MovementFigure>& movement) {
    std::vector<std::string> columns = {"VIDPROD_KOD", "MANUF_ID", "ARTICUL", "NETTO"};
    for (const auto& figure : movement)
        for (const auto& term : figure.terms) columns.emplace_back(term.column);
    return selectList(std::move(columns));
}

std::string purchaseColumns(const std::vector<GroupKey>& supplierKeys) {
    std::vector<std::string> columns = {"CL_ID"};
    for (const auto& key : supplierKeys) columns.push_back(key.column);
    for (const char* column : {"ARTICUL", "NETTO", "EXT_DOC_DATE", "EXT_DOCINDEX", "QUANTITY"})
        columns.emplace_back(column);
    return selectList(std::move(columns));
}

}  // namespace

TurnoverSection::TurnoverSection(std::string turnoverTable, std::string purchaseTable,
                                 std::vector<GroupKey> supplierKeys, const std::vector<MovementFigure>& movement)
    : turnoverTable_(std::move(turnoverTable)),
      purchaseTable_(std::move(purchaseTable)),
      supplierKeys_(std::move(supplierKeys)),
      movement_(movement),
      turnover_("turnover",
                groupedRowsSql(turnoverTable_, turnoverColumns(movement), kSubdivision, kKindThenProducer), true),
      purchases_("purchases",
                 groupedRowsSql(purchaseTable_, purchaseColumns(supplierKeys_), kProducerGroup, {supplierKeys_}),
                 true) {}

void TurnoverSection::prepare(const std::string& directory) {
    ensureGroupIndex(directory, turnoverTable_, kSubdivision);
    ensureGroupIndex(directory, purchaseTable_, kProducerGroup);
    turnover_.setDatabaseName(directory);
    purchases_.setDatabaseName(directory);
}

void TurnoverSection::close() noexcept {
    try {
        turnover_.close();
        purchases_.close();
    } catch (...) {
        // Closing only lets go of what the reads held; there is nothing left to report.
    }
    turnoverResolved_ = false;
    purchasesResolved_ = false;
}

void TurnoverSection::resolveTurnoverColumns() {
    if (turnoverResolved_) return;
    kind_ = turnover_.fieldIndex("VIDPROD_KOD");
    producer_ = turnover_.fieldIndex("MANUF_ID");
    turnoverArticul_ = turnover_.fieldIndex("ARTICUL");
    turnoverNetto_ = turnover_.fieldIndex("NETTO");
    // Each column is read once per row, however many figures add it up.
    figureColumns_.clear();
    figures_.clear();
    for (const auto& figure : movement_) {
        Figure prepared{W(figure.attribute), {}, figure.balance};
        for (const auto& term : figure.terms) {
            const int column = turnover_.fieldIndex(term.column);
            auto at = std::find(figureColumns_.begin(), figureColumns_.end(), column);
            if (at == figureColumns_.end()) at = figureColumns_.insert(at, column);
            prepared.terms.emplace_back(static_cast<std::size_t>(at - figureColumns_.begin()), term.sign);
        }
        figures_.push_back(std::move(prepared));
    }
    figureValues_.assign(figureColumns_.size(), 0.0);
    turnoverResolved_ = true;
}

void TurnoverSection::resolvePurchaseColumns() {
    if (purchasesResolved_) return;
    supplierColumns_.clear();
    for (const auto& key : supplierKeys_) supplierColumns_.push_back({purchases_.fieldIndex(key.column), key.as});
    supplier_ = purchases_.fieldIndex("CL_ID");
    articul_ = purchases_.fieldIndex("ARTICUL");
    netto_ = purchases_.fieldIndex("NETTO");
    docDate_ = purchases_.fieldIndex("EXT_DOC_DATE");
    docNumber_ = purchases_.fieldIndex("EXT_DOCINDEX");
    quantity_ = purchases_.fieldIndex("QUANTITY");
    purchasesResolved_ = true;
}

void TurnoverSection::write(DeclarationWriter& out, host::LocalTable& subdivisions, const SectionOptions& options,
                            SupplierTagEnd* supplierTag) {
    const Names& n = names();
    const int id = subdivisions.fieldIndex("CL_ID");
    const int name = subdivisions.fieldIndex("CL_NAME");
    const int kpp = subdivisions.fieldIndex("CL_KPP");
    SubdivisionAddress address(subdivisions);

    for (subdivisions.first(); !subdivisions.eof(); subdivisions.next()) {
        const Variant subdivision(subdivisions.field(id).toInteger());
        readGroup(turnover_, {subdivision});
        resolveTurnoverColumns();

        out.text(n.volume);
        out.attribute(n.subdivisionName, XMLCheckStr(host::upperCp1251(subdivisions.field(name).toText())));
        if (options.subdivisionKpp)
            out.attribute(n.subdivisionKpp, XMLCheckStr(host::upperCp1251(subdivisions.field(kpp).toText())));
        out.attribute(n.hasTurnover, turnover_.eof() ? "false" : "true").line(">");
        address.write(out);

        for (int turnoverNumber = 1; !turnover_.eof(); ++turnoverNumber) {
            const Variant kind = keyValue(turnover_.field(kind_), GroupKey::As::Text);
            out.text(n.turnover).attribute(n.number, std::to_string(turnoverNumber));
            out.attribute(n.kind, XMLCheckStr(host::upperCp1251(kind.text()))).line(">");
            int producerNumber = 1;
            do {
                const Variant producer = keyValue(turnover_.field(producer_), GroupKey::As::Integer);
                out.text(n.producer).attribute(n.number, std::to_string(producerNumber));
                out.attribute(n.producerId, XMLCheckStr(turnover_.field(producer_).toText())).line(">");
                // The producer's purchases come once, before the movement of its first row.
                writeSupplierBlocks(out, {subdivision, kind, producer}, options, supplierTag);
                do {
                    writeMovement(out, options);
                    turnover_.next();
                } while (!turnover_.eof() && keyValue(turnover_.field(kind_), GroupKey::As::Text) == kind &&
                         keyValue(turnover_.field(producer_), GroupKey::As::Integer) == producer);
                out.line(n.producerEnd);
                ++producerNumber;
            } while (!turnover_.eof() && keyValue(turnover_.field(kind_), GroupKey::As::Text) == kind);
            out.line(n.turnoverEnd);
        }
        out.line(n.volumeEnd);
    }
}

void TurnoverSection::writeSupplierBlocks(DeclarationWriter& out, const std::vector<Variant>& producerGroup,
                                          const SectionOptions& options, SupplierTagEnd* supplierTag) {
    const Names& n = names();
    readGroup(purchases_, producerGroup);
    resolvePurchaseColumns();
    std::vector<Variant> supplier(supplierColumns_.size());
    auto sameSupplier = [&] {
        for (std::size_t k = 0; k < supplierColumns_.size(); ++k)
            if (keyValue(purchases_.field(supplierColumns_[k].index), supplierColumns_[k].as) != supplier[k])
                return false;
        return true;
    };
    for (int supplierNumber = 1; !purchases_.eof(); ++supplierNumber) {
        for (std::size_t k = 0; k < supplierColumns_.size(); ++k)
            supplier[k] = keyValue(purchases_.field(supplierColumns_[k].index), supplierColumns_[k].as);
        out.text(n.supplier).attribute(n.number, std::to_string(supplierNumber));
        out.attribute(n.supplierId, XMLCheckStr(std::to_string(purchases_.field(supplier_).toInteger())));
        if (supplierTag)
            supplierTag->write(out, purchases_);
        else
            out.line(">");
        do {
            writeProduct(out, options);
            purchases_.next();
        } while (!purchases_.eof() && sameSupplier());
        out.line(n.supplierEnd);
    }
}

void TurnoverSection::writeProduct(DeclarationWriter& out, const SectionOptions& options) {
    const Names& n = names();
    out.text(n.product);
    if (options.groupByArticul) {
        out.attribute(n.articul, XMLCheckStr(purchases_.field(articul_).toText()));
        out.attribute(n.netto, number(purchases_.field(netto_).toDouble(), options.decimals));
    }
    out.attribute(n.docDate, XMLCheckStr(host::formatDate(purchases_.field(docDate_).toDateTime())));
    out.attribute(n.docNumber, XMLCheckStr(host::upperCp1251(purchases_.field(docNumber_).toText())));
    out.text(n.emptyDocField);
    out.attribute(n.quantity, number(purchases_.field(quantity_).toDouble(), options.decimals)).line("/>");
}

void TurnoverSection::writeMovement(DeclarationWriter& out, const SectionOptions& options) {
    const Names& n = names();
    for (std::size_t i = 0; i < figureColumns_.size(); ++i)
        figureValues_[i] = turnover_.field(figureColumns_[i]).toDouble();
    out.text(n.movement);
    if (options.groupByArticul) {
        out.attribute(n.articul, XMLCheckStr(turnover_.field(turnoverArticul_).toText()));
        out.attribute(n.netto, number(turnover_.field(turnoverNetto_).toDouble(), options.decimals));
    }
    for (const auto& figure : figures_) {
        if (figure.balance && options.onlyMove) continue;
        // Sums are formed from the values as stored, in extended precision, and rounded once.
        long double sum = 0;
        for (const auto& [value, sign] : figure.terms) sum += sign * static_cast<long double>(figureValues_[value]);
        out.attribute(figure.attribute, number(static_cast<double>(sum), options.decimals));
    }
    out.line("/>");
}

}  // namespace core::retail
