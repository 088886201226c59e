// The pieces several reference blocks are made of: producers, counterparties' opening tags,
// addresses and taxpayer numbers.
#pragma once

#include <string>

#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/form_names.h"
#include "host/local/local_dataset.h"
#include "host/local/local_query.h"

namespace core {

// How a producer's INN and KPP stand in its "ПроизводителиИмпортеры" element: as attributes of
// the element itself and the element empty (forms 11, 07, 06), or in a "ЮЛ"/"ФЛ" child, the end
// tag left open on its line for whatever follows (form 12).
enum class ProducerRequisites { Attributes, ChildElement };

// One element per row of the producers query (MANUF_ID, MANUF_NAME, MANUF_INN, MANUF_KPP) that
// has a producer id, the id under `idAttribute`. The query is one of the body's sources, open
// already.
void writeProducers(DeclarationWriter& out, host::LocalQuery& producers, ProducerRequisites requisites,
                    const std::string& idAttribute);

// The start tag of a counterparty's element from the current row of `clients`: its id (CL_ID)
// and, `withName`, its name (CL_NAME); no line break follows.
void openHolder(DeclarationWriter& out, const names::Holder& element, host::LocalDataSet& clients, bool withName);

// The counterparty's "ФЛ" (CL_IS_IP = 1) or "ЮЛ" element with its INN and KPP fitted to their
// cells, from the current row of `clients`, and a line break.
void writeRequisites(DeclarationWriter& out, host::LocalDataSet& clients);

// A counterparty's address from the current row of `clients`, one part a line between
// `wrapper`'s tags; the locality only for an address without a city.
void writeCounterpartyAddress(DeclarationWriter& out, host::LocalDataSet& clients, const names::Tags& wrapper);

}  // namespace core
