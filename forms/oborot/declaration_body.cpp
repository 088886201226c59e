// The body of the form 05 declaration file.
#include "core/declaration_file/text_forming.h"
#include "forms/oborot/report_frame.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace forms::oborot {

using host::W;
using host::XMLCheckStr;

namespace {

// The turnover columns, each read once per row, in the order of the sums below.
enum Column { OstBegin, PrixProiz, PrixOpt, PrixImport, PrixRet, PrixOther, PrixMove,
              RasxOpt, RasxRozn, RasxExport, RasxRet, RasxMove, RasxOther, ColumnCount };
const char* const kColumns[ColumnCount] = {"OST_BEGIN", "PRIX_PROIZ", "PRIX_OPT",    "PRIX_IMPORT", "PRIX_RET",
                                           "PRIX_OTHER", "PRIX_MOVE", "RASX_OPT",    "RASX_ROZN",   "RASX_EXPORT",
                                           "RASX_RET",  "RASX_MOVE",  "RASX_OTHER"};

// The figures of a row element, attribute by attribute, with the columns each one adds up in
// the order given. The single receipts and disposals do not stand in the same order: returns
// come before other receipts but after other disposals.
struct Figure {
    const char* attribute;
    std::vector<std::pair<Column, int>> terms;
};
const std::vector<Figure> kFigures = {
    {"П000000000007", {{OstBegin, 1}}},
    {"П000000000008", {{PrixProiz, 1}}},
    {"П000000000009", {{PrixOpt, 1}}},
    {"П000000000010", {{PrixImport, 1}}},
    {"П000000000011", {{PrixProiz, 1}, {PrixOpt, 1}, {PrixImport, 1}}},
    {"П000000000012", {{PrixRet, 1}}},
    {"П000000000013", {{PrixOther, 1}}},
    {"П000000000014", {{PrixMove, 1}}},
    {"П000000000015", {{PrixProiz, 1}, {PrixOpt, 1}, {PrixImport, 1}, {PrixOther, 1}, {PrixMove, 1}, {PrixRet, 1}}},
    {"П000000000016", {{RasxOpt, 1}}},
    {"П000000000017", {{RasxRozn, 1}}},
    {"П000000000018", {{RasxExport, 1}}},
    {"П000000000019", {{RasxOpt, 1}, {RasxRozn, 1}, {RasxExport, 1}}},
    {"П000000000020", {{RasxOther, 1}}},
    {"П000000000021", {{RasxRet, 1}}},
    {"П000000000022", {{RasxMove, 1}}},
    {"П000000000023", {{RasxOpt, 1}, {RasxRozn, 1}, {RasxExport, 1}, {RasxRet, 1}, {RasxMove, 1}, {RasxOther, 1}}},
    {"П000000000024",
     {{OstBegin, 1}, {PrixProiz, 1}, {PrixOpt, 1}, {PrixImport, 1}, {PrixRet, 1}, {PrixOther, 1}, {PrixMove, 1},
      {RasxOpt, -1}, {RasxRozn, -1}, {RasxExport, -1}, {RasxRet, -1}, {RasxMove, -1}, {RasxOther, -1}}},
};

std::vector<std::string> rowColumns() {
    std::vector<std::string> columns = {"MANUF_NAME", "MANUF_INN", "MANUF_KPP"};
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return columns;
}

}  // namespace

// Under a product kind every turnover row is an element of its own, whatever its producer.
class TurnoverRows final : public core::wholesale::KindContent {
public:
    TurnoverRows() : KindContent({}, rowColumns()) {
        for (const auto& figure : kFigures) attributes_.push_back(W(figure.attribute));
    }

    void setDecimals(int decimals) { decimals_ = decimals; }

    void resolve(host::LocalDataSet& rows) override {
        name_ = rows.fieldIndex("MANUF_NAME");
        inn_ = rows.fieldIndex("MANUF_INN");
        kpp_ = rows.fieldIndex("MANUF_KPP");
        for (int c = 0; c < ColumnCount; ++c) columns_[c] = rows.fieldIndex(kColumns[c]);
    }
    void openGroup(std::size_t, core::DeclarationWriter&, host::LocalDataSet&, int) override {}
    void closeGroup(std::size_t, core::DeclarationWriter&) override {}

    void writeRow(core::DeclarationWriter& out, host::LocalDataSet& rows, int number) override {
        for (int c = 0; c < ColumnCount; ++c) values_[c] = rows.field(columns_[c]).toDouble();
        out.text(producer_).attribute(number_, std::to_string(number));
        out.attribute(nameAttr_, XMLCheckStr(rows.field(name_).toText()));
        out.attribute(innAttr_, XMLCheckStr(rows.field(inn_).toText()));
        const std::string kpp = rows.field(kpp_).toText();
        if (!kpp.empty()) out.attribute(kppAttr_, XMLCheckStr(kpp));
        for (std::size_t f = 0; f < kFigures.size(); ++f) {
            // Sums are formed from the values as stored, in extended precision, and rounded once.
            long double sum = 0;
            for (const auto& [column, sign] : kFigures[f].terms) sum += sign * static_cast<long double>(values_[column]);
            out.attribute(attributes_[f], XMLCheckStr(core::declarationNumber(static_cast<double>(sum), decimals_)));
        }
        out.line("/>");
    }

private:
    const std::string producer_ = W("<СведПроизвИмпорт");
    const std::string number_ = W("ПN");
    const std::string nameAttr_ = W("П000000000004");
    const std::string innAttr_ = W("П000000000005");
    const std::string kppAttr_ = W("П000000000006");
    std::vector<std::string> attributes_;
    int decimals_ = 0;
    int name_ = -1;
    int inn_ = -1;
    int kpp_ = -1;
    int columns_[ColumnCount] = {};
    double values_[ColumnCount] = {};
};

TZorvicOborotReport::TZorvicOborotReport()
    : DeclarationFrame(kProfile),
      qClientSum("qClientSum", kClientSumSql, true),
      rows_(std::make_unique<TurnoverRows>()),
      section_(kCollection.resultTable, {W("НаличиеОборота")}, *rows_) {}

TZorvicOborotReport::~TZorvicOborotReport() = default;

void TZorvicOborotReport::openBodySources() {
    try {
        // The turnover table is read through the section's grouped reads.
        section_.prepare(tblResult.databaseName());
        tblObosob.open();
    } catch (...) {
        closeBodySources();
        throw;
    }
}

void TZorvicOborotReport::closeBodySources() noexcept {
    section_.close();
    try {
        tblObosob.close();
    } catch (...) {
        // Read only here: closing has nothing to write that could fail.
    }
}

void TZorvicOborotReport::writeDataSection(core::DeclarationWriter& out, const FileContext& context) {
    rows_->setDecimals(context.decimals);
    section_.write(out, tblObosob);
}

}  // namespace forms::oborot
