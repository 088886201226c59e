// Producers, counterparties' opening tags, addresses and taxpayer numbers of the reference blocks.
#include "core/declaration_file/reference_parts.h"

#include "core/declaration_facts.h"
#include "core/declaration_file/text_forming.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core {

using host::XMLCheckStr;

namespace {

// The address columns in the order of the address parts; the locality is written only without
// a city, and the flat follows the fixed "Литера".
constexpr const char* kAddressColumns[] = {"CL_COUNTRY_KOD", "CL_POST_INDEX",  "CL_REGION", "CL_DISTRICT_NAME",
                                           "CL_CITY_NAME",   "CL_NAS_PUNKT",   "CL_STREET_NAME", "CL_HOUSE",
                                           "CL_BUILDING",    "CL_APPARTMENT"};
constexpr std::size_t kLocality = 5;
constexpr std::size_t kFlat = 9;

}  // namespace

void writeProducers(DeclarationWriter& out, host::LocalQuery& producers, ProducerRequisites requisites,
                    const std::string& idAttribute) {
    const names::Shared& n = names::shared();
    const int id = producers.fieldIndex("MANUF_ID");
    const int name = producers.fieldIndex("MANUF_NAME");
    const int inn = producers.fieldIndex("MANUF_INN");
    const int kpp = producers.fieldIndex("MANUF_KPP");
    for (producers.first(); !producers.eof(); producers.next()) {
        const std::string producerId = producers.field(id).toText();
        if (producerId.empty()) continue;
        const std::string producerKpp = producers.field(kpp).toText();
        out.text(n.producers).attribute(idAttribute, XMLCheckStr(producerId));
        out.attribute(n.producerName, XMLCheckStr(producers.field(name).toText()));
        if (requisites == ProducerRequisites::ChildElement) {
            out.line(">");
            out.text(producerKpp.empty() ? n.person : n.legalEntity);
        }
        out.attribute(n.producerInn, XMLCheckStr(producers.field(inn).toText()));
        if (!producerKpp.empty()) out.attribute(n.producerKpp, XMLCheckStr(producerKpp));
        out.line("/>");
        // The next start tag follows on the same line.
        if (requisites == ProducerRequisites::ChildElement) out.text(n.producersEnd);
    }
}

void openHolder(DeclarationWriter& out, const names::Holder& element, host::LocalDataSet& clients, bool withName) {
    out.text(element.element).attribute(element.id, XMLCheckStr(clients.fieldByName("CL_ID").toText()));
    if (withName) out.attribute(names::shared().counterpartyName, XMLCheckStr(clients.fieldByName("CL_NAME").toText()));
    out.text(">");
}

void writeRequisites(DeclarationWriter& out, host::LocalDataSet& clients) {
    const names::Shared& n = names::shared();
    const std::string inn = apostrophesReplaced(clients.fieldByName("CL_INN").toText());
    if (clients.fieldByName("CL_IS_IP").toInteger() == 1) {
        out.text(n.person).attribute(n.requisiteInn, XMLCheckStr(CellString(inn, kPersonInnWidth)));
    } else {
        const std::string kpp = apostrophesReplaced(clients.fieldByName("CL_KPP").toText());
        out.text(n.legalEntity).attribute(n.requisiteInn, XMLCheckStr(CellString(inn, kLegalInnWidth)));
        out.attribute(n.requisiteKpp, XMLCheckStr(CellString(kpp, kKppWidth)));
    }
    out.line("/>");
}

void writeCounterpartyAddress(DeclarationWriter& out, host::LocalDataSet& clients, const names::Tags& wrapper) {
    const names::Shared& n = names::shared();
    out.line(wrapper.open);
    const bool withCity = !clients.fieldByName("CL_CITY_NAME").toText().empty();
    for (std::size_t i = 0; i < std::size(kAddressColumns); ++i) {
        if (i == kLocality && withCity) continue;
        if (i == kFlat) out.line(n.letter);
        const names::Tags& part = n.addressParts[i];
        out.line(part.open + XMLCheckStr(host::upperCp1251(clients.fieldByName(kAddressColumns[i]).toText())) +
                 part.close);
    }
    out.line(wrapper.close);
}

}  // namespace core
