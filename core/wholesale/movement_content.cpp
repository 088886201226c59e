#include "core/wholesale/movement_content.h"

#include "core/declaration_file/text_forming.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core::wholesale {

using host::W;
using host::XMLCheckStr;

namespace {

// Russia: only a resident counterparty's movements name a licence.
constexpr const char* kResident = "643";

// A movement groups under its producer, then under its counterparty and licence day.
const std::vector<std::vector<GroupKey>> kLevels = {
    {{"MANUF_ID", GroupKey::As::Integer}},
    {{"CL_ID", GroupKey::As::Integer}, {"CL_LIC_DATE", GroupKey::As::Day}}};

struct Names {
    std::string producer = W("<СведПроизвИмпорт");
    std::string producerEnd = W("</СведПроизвИмпорт>");
    std::string number = W("ПN");
    std::string producerId = W("ИдПроизвИмп");
    std::string licenceId = W("ИдЛицензии");
    std::string docDate = W("П000000000015");
    // The attributes between the two document dates, and between the document number and the
    // quantity, that every movement carries alike.
    std::string fixedBeforeSecondDate = W(" П000000000016=\"0\" П000000000017=\"0.000000\"");
    std::string secondDocDate = W("П000000000018");
    std::string docNumber = W("П000000000019");
    std::string fixedBeforeQuantity = W(" П000000000020=\"\"");
    std::string quantity = W("П000000000021");
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

}  // namespace

MovementContent::MovementContent(MovementNames names)
    : KindContent(kLevels, {"CL_COUNTRY_KOD", "ISRET", "EXT_DOC_DATE", "EXT_DOCINDEX", "QUANTITY"}),
      names_(std::move(names)) {}

void MovementContent::resolve(host::LocalDataSet& rows) {
    producer_ = rows.fieldIndex("MANUF_ID");
    partner_ = rows.fieldIndex("CL_ID");
    licenceDate_ = rows.fieldIndex("CL_LIC_DATE");
    country_ = rows.fieldIndex("CL_COUNTRY_KOD");
    isReturn_ = rows.fieldIndex("ISRET");
    docDate_ = rows.fieldIndex("EXT_DOC_DATE");
    docNumber_ = rows.fieldIndex("EXT_DOCINDEX");
    quantity_ = rows.fieldIndex("QUANTITY");
}

void MovementContent::openGroup(std::size_t level, DeclarationWriter& out, host::LocalDataSet& rows, int number) {
    const Names& n = names();
    if (level == 0) {
        out.text(n.producer).attribute(n.number, std::to_string(number));
        out.attribute(n.producerId, XMLCheckStr(rows.field(producer_).toText())).line(">");
        return;
    }
    const std::int64_t partner = rows.field(partner_).toInteger();
    out.text(names_.partner).attribute(n.number, std::to_string(number));
    out.attribute(names_.partnerId, std::to_string(partner));
    // The licence is the one listed with the group's first row's exact licence date.
    const host::Variant licenceDate = rows.field(licenceDate_);
    if (licences_ && !licenceDate.isNullOrEmpty() && rows.field(country_).toText() == kResident) {
        if (const auto id = licences_->find(partner, licenceDate.toDateTime().days))
            out.attribute(n.licenceId, std::to_string(*id));
    }
    out.line(">");
}

void MovementContent::closeGroup(std::size_t level, DeclarationWriter& out) {
    out.line(level == 0 ? names().producerEnd : names_.partnerEnd);
}

void MovementContent::writeRow(DeclarationWriter& out, host::LocalDataSet& rows, int) {
    const Names& n = names();
    const std::string date = host::formatDate(rows.field(docDate_).toDateTime());
    out.text(rows.field(isReturn_).toInteger() != 0 ? names_.returned : names_.ordinary);
    out.attribute(n.docDate, date).text(n.fixedBeforeSecondDate).attribute(n.secondDocDate, date);
    out.attribute(n.docNumber, XMLCheckStr(host::upperCp1251(rows.field(docNumber_).toText())));
    out.text(n.fixedBeforeQuantity);
    out.attribute(n.quantity, XMLCheckStr(declarationNumber(rows.field(quantity_).toDouble(), decimals_))).line("/>");
}

}  // namespace core::wholesale
