// The subdivision element and the levels several data sections nest alike.
#include "core/declaration_file/data_section.h"

#include <cstdint>

#include "core/declaration_file/subdivision_address.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core {

using host::XMLCheckStr;

const std::vector<GroupKey>& subdivisionFilter() {
    static const std::vector<GroupKey> kFilter = {{"SUPERPLACE_CL_ID", GroupKey::As::Integer}};
    return kFilter;
}

void writeSubdivisions(DeclarationWriter& out, host::LocalDataSet& subdivisions, const SubdivisionElement& element,
                       bool withKpp, GroupedWalk& walk) {
    const names::Shared& n = names::shared();
    const int id = subdivisions.fieldIndex("CL_ID");
    const int name = subdivisions.fieldIndex("CL_NAME");
    const int kpp = subdivisions.fieldIndex("CL_KPP");
    SubdivisionAddress address(subdivisions);
    for (subdivisions.first(); !subdivisions.eof(); subdivisions.next()) {
        const bool any = walk.read({host::Variant(subdivisions.field(id).toInteger())});
        out.text(element.element);
        out.attribute(n.subdivisionName, XMLCheckStr(host::upperCp1251(subdivisions.field(name).toText())));
        if (withKpp) out.attribute(n.subdivisionKpp, XMLCheckStr(host::upperCp1251(subdivisions.field(kpp).toText())));
        for (const auto& flag : element.presenceFlags) out.attribute(flag, any ? "true" : "false");
        out.line(">");
        address.write(out);
        walk.write(out);
        out.line(element.end);
    }
}

WalkLevel codeLevel(GroupedWalk& walk, const char* column, std::string element, std::string end, bool numbered,
                    const std::string& attribute) {
    const std::size_t code = walk.column(column);
    return {.keys = {{column, GroupKey::As::Text}},
            .element = std::move(element),
            .end = std::move(end),
            .numbered = numbered,
            .attributes = [code, attribute](DeclarationWriter& out, const GroupRow& row) {
                out.attribute(attribute, XMLCheckStr(host::upperCp1251(row[code].toText())));
            }};
}

WalkLevel kindLevel(GroupedWalk& walk) {
    const names::Shared& n = names::shared();
    return codeLevel(walk, "VIDPROD_KOD", n.turnover, n.turnoverEnd, true, n.kind);
}

WalkLevel producerLevel(GroupedWalk& walk) {
    const names::Shared& n = names::shared();
    const std::size_t producer = walk.column("MANUF_ID");
    return {.keys = {{"MANUF_ID", GroupKey::As::Integer}},
            .element = n.producer,
            .end = n.producerEnd,
            .attributes = [producer, &n](DeclarationWriter& out, const GroupRow& row) {
                out.attribute(n.producerId, XMLCheckStr(row[producer].toText()));
            }};
}

WalkLevel holderLevel(GroupedWalk& walk, const names::Holder& element, const LicenceList* licences,
                      std::function<bool(const GroupRow&)> namesLicence) {
    std::vector<GroupKey> keys = {{"CL_ID", GroupKey::As::Integer}};
    if (licences) keys.push_back({"CL_LIC_DATE", GroupKey::As::Day});
    const std::size_t holder = walk.column("CL_ID");
    const std::size_t date = licences ? walk.column("CL_LIC_DATE") : 0;
    auto attributes = [idAttribute = element.id, licences, namesLicence = std::move(namesLicence), holder, date](
                          DeclarationWriter& out, const GroupRow& row) {
        const std::int64_t id = row[holder].toInteger();
        out.attribute(idAttribute, XMLCheckStr(std::to_string(id)));
        if (!licences || (namesLicence && !namesLicence(row))) return;
        if (const int licence = licences->find(id, row[date]))
            out.attribute(names::shared().licenceId, std::to_string(licence));
    };
    return {.keys = std::move(keys),
            .element = element.element,
            .end = element.end,
            .attributes = std::move(attributes)};
}

}  // namespace core
