// The turnover figures of forms 11, 12 and 05, and how a row's figures are summed and written.
#include "core/declaration_file/turnover_figures.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "core/declaration_file/text_forming.h"
#include "host/text/cp1251.h"

namespace core {

namespace {

using Columns = std::vector<const char*>;

// A figure before it is named: the columns it adds and those it takes off.
struct Sum {
    Columns added;
    Columns takenOff;
    bool balance;
};

// The receipts as forms 11 and 05 declare them: the opening balance, each receipt and their
// totals; then the `disposals` (their total last) and the closing balance, which adds the
// receipts in an order of its own and takes off the disposals in the order of their total.
std::vector<Sum> sums(const std::vector<Columns>& disposals) {
    std::vector<Sum> all = {{{"OST_BEGIN"}, {}, true}};
    for (const Columns& receipt :
         std::vector<Columns>{{"PRIX_PROIZ"}, {"PRIX_OPT"}, {"PRIX_IMPORT"}, {"PRIX_PROIZ", "PRIX_OPT", "PRIX_IMPORT"},
                              {"PRIX_RET"}, {"PRIX_OTHER"}, {"PRIX_MOVE"},
                              {"PRIX_PROIZ", "PRIX_OPT", "PRIX_IMPORT", "PRIX_OTHER", "PRIX_MOVE", "PRIX_RET"}})
        all.push_back({receipt, {}, false});
    for (const Columns& disposal : disposals) all.push_back({disposal, {}, false});
    all.push_back({{"OST_BEGIN", "PRIX_PROIZ", "PRIX_OPT", "PRIX_IMPORT", "PRIX_RET", "PRIX_OTHER", "PRIX_MOVE"},
                   disposals.back(),
                   true});
    return all;
}

// The figures, their attributes numbered on from `first`: "П" and twelve digits.
std::vector<Figure> numbered(std::int64_t first, const std::vector<Sum>& sums) {
    std::vector<Figure> figures;
    for (const Sum& sum : sums) {
        char code[24];
        std::snprintf(code, sizeof code, "%012lld", static_cast<long long>(first++));
        Figure figure{host::W("П") + code, {}, sum.balance};
        for (const char* column : sum.added) figure.terms.push_back({column, 1});
        for (const char* column : sum.takenOff) figure.terms.push_back({column, -1});
        figures.push_back(std::move(figure));
    }
    return figures;
}

}  // namespace

std::vector<Figure> retailMovementFigures(bool moves) {
    std::vector<Sum> all = sums({{"RASX_ROZN"}, {"RASX_OTHER"}, {"RASX_RET"}, {"RASX_MOVE"},
                                 {"RASX_ROZN", "RASX_RET", "RASX_MOVE", "RASX_OTHER"}});
    if (!moves) {
        auto isMove = [](std::string_view column) { return column.ends_with("_MOVE"); };
        for (Sum& sum : all) {
            std::erase_if(sum.added, isMove);
            std::erase_if(sum.takenOff, isMove);
        }
        std::erase_if(all, [](const Sum& sum) { return sum.added.empty() && sum.takenOff.empty(); });
    }
    return numbered(100000000006, all);
}

std::vector<Figure> wholesaleTurnoverFigures() {
    return numbered(7, sums({{"RASX_OPT"}, {"RASX_ROZN"}, {"RASX_EXPORT"}, {"RASX_OPT", "RASX_ROZN", "RASX_EXPORT"},
                             {"RASX_OTHER"}, {"RASX_RET"}, {"RASX_MOVE"},
                             {"RASX_OPT", "RASX_ROZN", "RASX_EXPORT", "RASX_RET", "RASX_MOVE", "RASX_OTHER"}}));
}

FigureWriter::FigureWriter(GroupedWalk& walk, const std::vector<Figure>& figures) {
    for (const auto& figure : figures) {
        Prepared prepared{figure.attribute, {}, figure.balance};
        for (const auto& term : figure.terms) prepared.terms.emplace_back(walk.column(term.column), term.sign);
        figures_.push_back(std::move(prepared));
    }
}

void FigureWriter::write(DeclarationWriter& out, const GroupRow& row, int decimals, bool withBalances) const {
    for (const auto& figure : figures_) {
        if (figure.balance && !withBalances) continue;
        // Sums are formed from the values as stored, in extended precision, and rounded once.
        long double sum = 0;
        for (const auto& [column, sign] : figure.terms) sum += sign * static_cast<long double>(row[column].toDouble());
        // A number is digits, a point and a sign: nothing to escape.
        out.attribute(figure.attribute, declarationNumber(static_cast<double>(sum), decimals));
    }
}

}  // namespace core
