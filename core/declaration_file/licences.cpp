// The licences of a declaration file: listed once, named by their ids.
#include "core/declaration_file/licences.h"

#include <string>

#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core {

using host::XMLCheckStr;

void LicenceList::writeHolder(DeclarationWriter& out, host::LocalDataSet& clients) {
    const int id = clients.fieldIndex("CL_ID");
    const int date = clients.fieldIndex("CL_LIC_DATE");
    const host::Variant holder = clients.field(id);
    auto sameHolder = [&] {
        const host::Variant current = clients.field(id);
        return sameHolder_ == SameHolder::Exactly ? current == holder : current.toInteger() == holder.toInteger();
    };
    do {
        if (!clients.field(date).isNullOrEmpty()) write(out, clients, date);
        clients.next();
    } while (!clients.eof() && sameHolder());
    // Past the last row the cursor still stands on it.
    if (!clients.eof()) clients.prior();
}

void LicenceList::write(DeclarationWriter& out, host::LocalDataSet& clients, int date) {
    const names::Shared& n = names::shared();
    const int record = clients.recNo();
    const host::Variant start = clients.field(date);
    out.line(n.licences);
    out.text(n.licence).attribute(n.licenceId, std::to_string(record));
    out.attribute(attributes_.number, XMLCheckStr(clients.fieldByName("CL_LIC_REG_NUMBER").toText().substr(0, 100)));
    out.attribute(attributes_.start, XMLCheckStr(host::formatDate(start.toDateTime())));
    out.attribute(attributes_.end, XMLCheckStr(host::formatDate(clients.fieldByName("CL_LIC_GOOD_DATE").toDateTime())));
    out.attribute(attributes_.organ, XMLCheckStr(host::upperCp1251(clients.fieldByName("CL_LIC_ORGAN").toText())));
    out.line("/>");
    out.line(n.licencesEnd);
    // A data section row's holder reads as a number, 0 when missing, which a missing id here
    // must not match. Of equal licences the first listed is the one named.
    const host::Variant holder = clients.field(clients.fieldIndex("CL_ID"));
    if (!holder.isNullOrEmpty()) ids_.emplace(Key{holder.toInteger(), start.toDateTime().days}, record);
}

int LicenceList::find(std::int64_t holder, const host::Variant& date) const {
    if (date.isNullOrEmpty()) return 0;
    const auto found = ids_.find(Key{holder, date.toDateTime().days});
    return found == ids_.end() ? 0 : found->second;
}

}  // namespace core
