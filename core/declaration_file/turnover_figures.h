// The figures of a turnover row: the balances, receipts and disposals forms 11, 12 and 05 declare.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/grouped_walk.h"

namespace core {

// One attribute of a turnover row: the signed sum of turnover columns, added in the order listed.
struct Figure {
    struct Term {
        const char* column;
        int sign;  // +1 or -1
    };
    std::string attribute;  // windows-1251
    std::vector<Term> terms;
    bool balance;  // an opening or closing balance: left out when only the movement is declared
};

// The movement element of form 11; without `moves`, of form 12: beer knows no moves between
// subdivisions, so its figures are form 11's without them, the attributes numbered on.
std::vector<Figure> retailMovementFigures(bool moves);
// A producer line of form 05.
std::vector<Figure> wholesaleTurnoverFigures();

// Writes the figures of the rows of a walk, each column read once per row however many figures
// add it up.
class FigureWriter {
public:
    FigureWriter(GroupedWalk& walk, const std::vector<Figure>& figures);
    void write(DeclarationWriter& out, const GroupRow& row, int decimals, bool withBalances) const;

private:
    struct Prepared {
        std::string attribute;
        std::vector<std::pair<std::size_t, int>> terms;  // where the column stands in the row, sign
        bool balance;
    };
    std::vector<Prepared> figures_;
};

}  // namespace core
