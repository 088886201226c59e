// The licences a reference block lists, and the ids by which a data section names them.
#pragma once

#include <compare>
#include <cstdint>
#include <map>

#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/form_names.h"
#include "host/data/variant.h"
#include "host/local/local_dataset.h"

namespace core {

// The licences of one declaration file: the reference block writes each as it lists it, with its
// row number in the counterparties query as its id, and the data section finds a licence by its
// holder and exact date. Only a licence the file lists can be named: an id no listed licence has
// would make the whole file refused.
class LicenceList {
public:
    // How the rows of one holder are told from the next: by the holder's id as a number (a
    // missing id reads as 0), or by the id exactly as the query gives it.
    enum class SameHolder { ByNumber, Exactly };

    LicenceList(const names::LicenceAttributes& attributes, SameHolder sameHolder)
        : attributes_(attributes), sameHolder_(sameHolder) {}

    // Forgets the licences of an earlier file.
    void clear() { ids_.clear(); }

    // The holder's rows of `clients` (CL_ID, CL_LIC_DATE, CL_LIC_GOOD_DATE, CL_LIC_REG_NUMBER,
    // CL_LIC_ORGAN), from the current one on: one "Лицензии" element for each row that has a
    // licence date. `clients` is left on the holder's last row.
    void writeHolder(DeclarationWriter& out, host::LocalDataSet& clients);

    // The id of the licence listed for `holder` with exactly `date`; 0 when none is.
    int find(std::int64_t holder, const host::Variant& date) const;

private:
    struct Key {
        std::int64_t holder;
        double days;
        friend auto operator<=>(const Key&, const Key&) = default;
    };

    void write(DeclarationWriter& out, host::LocalDataSet& clients, int date);

    const names::LicenceAttributes& attributes_;
    SameHolder sameHolder_;
    std::map<Key, int> ids_;
};

}  // namespace core
