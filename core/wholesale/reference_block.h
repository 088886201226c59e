#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "core/declaration_file/declaration_writer.h"
#include "host/local/local_dataset.h"
#include "host/local/local_query.h"

namespace core::wholesale {

// The reference block pieces of the purchase and delivery declarations (forms 07 and 06).

// One "ПроизводителиИмпортеры" element per row of the producers query (MANUF_ID, MANUF_NAME,
// MANUF_INN, MANUF_KPP) that has a producer id. The query is opened here and closed again
// however writing ends.
void writeProducers(DeclarationWriter& out, host::LocalQuery& producers);

// What the counterparty element of a form is called (windows-1251): "<Поставщики", "ИдПостав",
// "</Поставщики>" in form 07.
struct CounterpartyNames {
    std::string element;
    std::string id;
    std::string end;
};

// One element per counterparty of `clients` (the counterparties query, CL_ID first, one
// counterparty's rows adjacent): a foreign one row by row with its country and address, a
// resident one with every licence of its adjacent rows, its address and taxpayer numbers. The
// query is left past its last row.
void writeCounterparties(DeclarationWriter& out, host::LocalDataSet& clients, const CounterpartyNames& names);

// The licences the counterparty elements list, by counterparty and exact licence date, each
// with its id in the file (its row number in the counterparties query); of equal ones the first.
class LicenceIndex {
public:
    // Reads `clients` once, as writeCounterparties does.
    explicit LicenceIndex(host::LocalDataSet& clients);

    std::optional<int> find(std::int64_t counterparty, double licenceDate) const;

private:
    std::map<std::pair<std::int64_t, double>, int> ids_;
};

}  // namespace core::wholesale
