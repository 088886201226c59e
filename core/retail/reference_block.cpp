#include "core/retail/reference_block.h"

#include <string>

#include "core/declaration_file/text_forming.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core::retail {

using host::W;
using host::XMLCheckStr;

namespace {

struct Names {
    std::string producer = W("<ПроизводителиИмпортеры ");
    std::string producerEnd = W("</ПроизводителиИмпортеры>");
    std::string producerId = W("ИДПроизвИмп");
    std::string name = W("П000000000004");
    std::string inn = W("П000000000005");
    std::string kpp = W("П000000000006");
    std::string person = W("<ФЛ");
    std::string legalEntity = W("<ЮЛ");
    std::string supplierInn = W("П000000000009");
    std::string supplierKpp = W("П000000000010");
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

}  // namespace

void writeProducers(DeclarationWriter& out, host::LocalQuery& producers, ProducerRequisites requisites) {
    writeProducers(out, producers, requisites, names().producerId);
}

void writeProducers(DeclarationWriter& out, host::LocalQuery& producers, ProducerRequisites requisites,
                    const std::string& idAttribute) {
    const Names& n = names();
    struct Closing {
        host::LocalQuery& query;
        ~Closing() { query.close(); }
    } closing{producers};
    producers.open();
    const int id = producers.fieldIndex("MANUF_ID");
    const int name = producers.fieldIndex("MANUF_NAME");
    const int inn = producers.fieldIndex("MANUF_INN");
    const int kpp = producers.fieldIndex("MANUF_KPP");
    for (; !producers.eof(); producers.next()) {
        const std::string producerId = producers.field(id).toText();
        if (producerId.empty()) continue;
        const std::string producerKpp = producers.field(kpp).toText();
        out.text(n.producer).attribute(idAttribute, XMLCheckStr(producerId));
        out.attribute(n.name, XMLCheckStr(producers.field(name).toText()));
        if (requisites == ProducerRequisites::ChildElement) {
            out.line(">");
            out.text(producerKpp.empty() ? n.person : n.legalEntity);
        }
        out.attribute(n.inn, XMLCheckStr(producers.field(inn).toText()));
        if (!producerKpp.empty()) out.attribute(n.kpp, XMLCheckStr(producerKpp));
        out.line("/>");
        // The next start tag follows on the same line.
        if (requisites == ProducerRequisites::ChildElement) out.text(n.producerEnd);
    }
}

void writeSupplierRequisites(DeclarationWriter& out, host::LocalDataSet& suppliers) {
    const Names& n = names();
    const std::string inn = apostrophesReplaced(suppliers.fieldByName("CL_INN").toText());
    if (suppliers.fieldByName("CL_IS_IP").toInteger() == 1) {
        out.text(n.person).attribute(n.supplierInn, XMLCheckStr(CellString(inn, 12)));
    } else {
        const std::string kpp = apostrophesReplaced(suppliers.fieldByName("CL_KPP").toText());
        out.text(n.legalEntity).attribute(n.supplierInn, XMLCheckStr(CellString(inn, 10)));
        out.attribute(n.supplierKpp, XMLCheckStr(CellString(kpp, 9)));
    }
    out.line("/>");
}

}  // namespace core::retail
