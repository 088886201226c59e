// The queries and licences of the forms that declare movements by counterparty.
#include "core/declaration_file/counterparty_frame.h"

#include "core/declaration_file/form_names.h"

namespace core {

CounterpartyFrame::CounterpartyFrame(const FormProfile& profile, const CounterpartyQueries& queries)
    : BodyFrame(profile),
      qResult("qResult", queries.result, true),
      // The reference block steps back in it and returns to its first row, so it holds its rows
      // rather than streaming them.
      qClients("qClients", queries.clients, false),
      // Read whole as the body's sources open, beside the walks' surveys.
      qManufacturers("qManufacturers", queries.manufacturers, false),
      qClientSum("qClientSum", queries.clientSum, true),
      licences_(names::shared().licenceAttributes, LicenceList::SameHolder::ByNumber) {}

}  // namespace core
