// The frame of forms 07 and 06: their reference block and their movement section.
#include "core/wholesale/movement_frame.h"

#include "core/declaration_facts.h"
#include "core/declaration_file/data_section.h"
#include "core/declaration_file/reference_parts.h"
#include "core/declaration_file/text_forming.h"
#include "core/wholesale_queries.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core::wholesale {

using host::XMLCheckStr;

namespace {

// A foreign counterparty's country code is fitted to three digits.
constexpr std::size_t kCountryCodeWidth = 3;

std::string upperEscaped(const std::string& text) { return XMLCheckStr(host::upperCp1251(text)); }

}  // namespace

MovementFrame::MovementFrame(const FormProfile& profile, const MovementForm& form)
    : CounterpartyFrame(profile, {movementRowsSql(profile.collection->resultTable),
                                  counterpartiesSql(profile.collection->resultTable, true, form.counterpartiesOrderedById),
                                  producersSql(profile.collection->resultTable),
                                  counterpartySumsSql(profile.collection->resultTable)}),
      form_(form),
      movements_("movements", profile.collection->resultTable, subdivisionFilter()) {
    const names::Wholesale& w = names::wholesale();
    movements_.addLevel(kindLevel(movements_));
    movements_.addLevel(producerLevel(movements_));
    // Only a resident counterparty's movements name a licence.
    const std::size_t country = movements_.column("CL_COUNTRY_KOD");
    movements_.addLevel(holderLevel(movements_, form.names.partner, &licences_, [country](const GroupRow& row) {
        return row[country].toText() == kResidentCountryCode;
    }));
    const std::size_t isReturn = movements_.column("ISRET");
    const std::size_t date = movements_.column("EXT_DOC_DATE");
    const std::size_t document = movements_.column("EXT_DOCINDEX");
    const std::size_t quantity = movements_.column("QUANTITY");
    // The attributes every movement has alike, formed once.
    const std::string zeros =
        " " + w.zeroField + "=\"0\" " + w.zeroAmount + "=\"0.000000\" " + w.secondDocDate + "=\"";
    const std::string empty = " " + w.emptyField + "=\"\"";
    movements_.setRow([=, this, &w](DeclarationWriter& out, const GroupRow& row, int) {
        const std::string& day = dayText_(row[date]);
        out.text(row[isReturn].toInteger() != 0 ? form_.names.returned : form_.names.ordinary);
        out.attribute(w.docDate, day).text(zeros).text(day).text("\"");
        out.attribute(w.docNumber, upperEscaped(row[document].toText())).text(empty);
        // A number is digits, a point and a sign: nothing to escape.
        out.attribute(w.quantity, declarationNumber(row[quantity].toDouble(), decimals_)).line("/>");
    });
}

void MovementFrame::writeReferenceBlock(DeclarationWriter& out, const FileContext&) {
    const names::Shared& n = names::shared();
    out.line(n.references);
    if (form_.counterpartiesFirst) writeCounterparties(out);
    writeProducers(out, qManufacturers, ProducerRequisites::Attributes, n.producerId);
    if (!form_.counterpartiesFirst) writeCounterparties(out);
    out.line(n.referencesEnd);
}

// A foreign counterparty's row stands alone, with its country and address; a resident takes
// every following row with its id, the dated ones being its licences, and its address and
// taxpayer numbers from the last of them.
void MovementFrame::writeCounterparties(DeclarationWriter& out) {
    const names::Wholesale& w = names::wholesale();
    const names::Holder& element = form_.names.counterparties;
    const int country = qClients.fieldIndex("CL_COUNTRY_KOD");
    const int foreignAddress = qClients.fieldIndex("CL_ADDRES");
    licences_.clear();
    for (qClients.first(); !qClients.eof(); qClients.next()) {
        openHolder(out, element, qClients, true);
        const std::string countryCode = qClients.field(country).toText();
        if (countryCode != kResidentCountryCode) {
            out.text(w.foreign).attribute(w.country, upperEscaped(CellString(countryCode, kCountryCodeWidth)));
            out.attribute(w.foreignAddress, upperEscaped(qClients.field(foreignAddress).toText())).line("/>");
        } else {
            out.line(w.resident);
            licences_.writeHolder(out, qClients);
            writeCounterpartyAddress(out, qClients, w.address);
            writeRequisites(out, qClients);
            out.line(w.residentEnd);
        }
        out.line(element.end);
    }
}

void MovementFrame::writeDataSection(DeclarationWriter& out, const FileContext& context) {
    const names::Shared& n = names::shared();
    decimals_ = context.decimals;
    writeSubdivisions(out, tblObosob, {n.turnoverVolume, n.turnoverVolumeEnd, form_.names.presenceFlags}, true,
                      movements_);
}

}  // namespace core::wholesale
