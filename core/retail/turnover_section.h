#pragma once

#include <string>
#include <vector>

#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/grouped_rows.h"
#include "host/local/local_dataset.h"
#include "host/local/local_query.h"
#include "host/local/local_table.h"

namespace core::retail {

// One attribute of the "Движение" element: the signed sum of turnover columns it declares,
// added in the order listed.
struct MovementFigure {
    struct Term {
        const char* column;
        int sign;  // +1 or -1
    };
    const char* attribute;  // UTF-8 source, "П100000000006"
    std::vector<Term> terms;
    bool balance;  // an opening or closing balance: left out when only the movement is declared
};

// What the start tag of a "Поставщик" carries after the supplier's id, up to and including its
// ">" and the line break. `purchases` stands on the supplier block's first purchase; it holds
// CL_ID, the supplier keys' columns and the columns of the product element.
class SupplierTagEnd {
public:
    virtual ~SupplierTagEnd() = default;
    virtual void write(DeclarationWriter& out, host::LocalDataSet& purchases) = 0;
};

// The options of one run.
struct SectionOptions {
    int decimals;         // of the declaration number format
    bool groupByArticul;  // products and movements carry their article and net volume
    bool onlyMove;        // no opening and closing balances
    bool subdivisionKpp;  // a subdivision carries its KPP (not for an entrepreneur in form 12)
};

// The data section of the retail declarations: per subdivision its turnover by product kind and
// producer; per producer the purchases from each supplier, then one movement element per
// turnover row. The turnover and purchase tables are read in groups of equal keys, each group
// in the order of its first row and its rows in table order, so rows that came out of order are
// brought together rather than dropped or repeated; each group is one indexed read.
class TurnoverSection {
public:
    // `supplierKeys` together are the key of a supplier block, one block per value of all of them
    // (CL_ID, and in form 11 also the licence day); `movement` lists the figures of the movement
    // element in order.
    TurnoverSection(std::string turnoverTable, std::string purchaseTable, std::vector<GroupKey> supplierKeys,
                    const std::vector<MovementFigure>& movement);

    // Gives both tables the indexes of the grouped reads. Index creation needs the tables
    // unread, so this comes before anything reads them.
    void prepare(const std::string& directory);
    // Writes one "ОбъемОборота" per row of `subdivisions`, in table order.
    void write(DeclarationWriter& out, host::LocalTable& subdivisions, const SectionOptions& options,
               SupplierTagEnd* supplierTag);
    void close() noexcept;

private:
    struct KeyColumn {
        int index;
        GroupKey::As as;
    };
    struct Figure {
        std::string attribute;
        std::vector<std::pair<std::size_t, int>> terms;  // index into the row's values, sign
        bool balance;
    };

    void resolveTurnoverColumns();
    void resolvePurchaseColumns();
    void writeSupplierBlocks(DeclarationWriter& out, const std::vector<host::Variant>& producerGroup,
                             const SectionOptions& options, SupplierTagEnd* supplierTag);
    void writeProduct(DeclarationWriter& out, const SectionOptions& options);
    void writeMovement(DeclarationWriter& out, const SectionOptions& options);

    std::string turnoverTable_;
    std::string purchaseTable_;
    std::vector<GroupKey> supplierKeys_;
    const std::vector<MovementFigure>& movement_;

    host::LocalQuery turnover_;
    host::LocalQuery purchases_;
    bool turnoverResolved_ = false;
    bool purchasesResolved_ = false;

    // Columns of the turnover rows.
    int kind_ = -1;
    int producer_ = -1;
    int turnoverArticul_ = -1;
    int turnoverNetto_ = -1;
    std::vector<int> figureColumns_;
    std::vector<Figure> figures_;
    std::vector<double> figureValues_;

    // Columns of the purchase rows.
    std::vector<KeyColumn> supplierColumns_;
    int supplier_ = -1;
    int articul_ = -1;
    int netto_ = -1;
    int docDate_ = -1;
    int docNumber_ = -1;
    int quantity_ = -1;
};

}  // namespace core::retail
