#pragma once

#include <string>

#include "core/declaration_file/declaration_writer.h"
#include "host/local/local_dataset.h"
#include "host/local/local_query.h"

namespace core::retail {

// The reference block pieces that the retail declarations (forms 11 and 12) write alike.

// How a producer's INN and KPP stand in its "ПроизводителиИмпортеры" element: as attributes of
// the element itself and the element empty (form 11), or in a "ЮЛ"/"ФЛ" child, the end tag
// left open on its line for whatever follows (form 12).
enum class ProducerRequisites { Attributes, ChildElement };

// One element per row of the producers query (MANUF_ID, MANUF_NAME, MANUF_INN, MANUF_KPP) that
// has a producer id. The query is opened here and closed again however writing ends.
void writeProducers(DeclarationWriter& out, host::LocalQuery& producers, ProducerRequisites requisites);
// The same with the producer id under another attribute name (windows-1251): the wholesale
// forms spell it "ИдПроизвИмп".
void writeProducers(DeclarationWriter& out, host::LocalQuery& producers, ProducerRequisites requisites,
                    const std::string& idAttribute);

// The supplier's "ФЛ" (CL_IS_IP = 1) or "ЮЛ" element with its INN and KPP fitted to their cells,
// from the current row of `suppliers`, and a line break.
void writeSupplierRequisites(DeclarationWriter& out, host::LocalDataSet& suppliers);

}  // namespace core::retail
