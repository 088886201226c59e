// The report engine: templates loaded from files, variables holding expression texts, data
// sections with groups and sums, pages with "page N of M", bands shown by a variable, and the
// hand-over of the prepared report to the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/local/local_table.h"
#include "host/local/work_table_catalog.h"
#include "host/report/page_sink.h"
#include "host/report/report_engine.h"
#include "host/report/report_error.h"
#include "host/report/report_expression.h"
#include "host/text/cp1251.h"
#include "test_support.h"

namespace {

using host::LocalTable;
using host::PreparedPage;
using host::PreparedText;
using host::ReportEngine;
using host::ReportError;
using host::Variant;

// A line of the purchases work table, as the data collection leaves it.
struct Purchase {
    std::string kind;  // VIDPROD_KOD
    int subdivision;   // SUPERPLACE_CL_ID
    std::string supplier;
    double quantity;
    int isret = 0;
};

int columnIndex(const std::string& table, const std::string& column) {
    const auto* columns = host::workTableColumns(table);
    for (size_t i = 0; i < columns->size(); ++i)
        if ((*columns)[i].name == column) return static_cast<int>(i);
    throw std::runtime_error("no column " + column);
}

std::vector<std::string> textsOf(const PreparedPage& page) {
    std::vector<std::string> out;
    for (const auto& t : page.texts) out.push_back(t.text);
    return out;
}

std::vector<std::string> allTexts(const host::PreparedReport& report) {
    std::vector<std::string> out;
    for (const auto& page : report.pages)
        for (const auto& t : page.texts) out.push_back(t.text);
    return out;
}

// Expressions evaluated outside any page and data row, over variables of the test's own.
class VariablesOnly final : public host::ExpressionScope {
public:
    std::map<std::string, std::string> variables;

    bool variableExpression(const std::string& name, std::string& expression) override {
        const auto it = variables.find(name);
        if (it == variables.end()) return false;
        expression = it->second;
        return true;
    }
    bool isDataset(const std::string&) override { return false; }
    Variant field(const std::string& dataset, const std::string&) override { return outside(dataset); }
    Variant pageNumber() override { return Variant(0); }
    Variant totalPages() override { return Variant(0); }
    Variant lineNumber() override { return Variant(0); }
    Variant sum(const host::ExprNode&, const std::string& dataset) override { return outside(dataset); }
    Variant count(const std::string& dataset) override { return outside(dataset); }
    Variant lookup(const std::string& dataset, const std::string&, const Variant&, const std::string&) override {
        return outside(dataset);
    }

private:
    [[noreturn]] static Variant outside(const std::string& dataset) { throw ReportError("no dataset " + dataset); }
};

class ReportEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        purchases_.setDatabaseName(dir());
        subdivisions_.setDatabaseName(dir());
    }
    void TearDown() override {
        purchases_.close();
        subdivisions_.close();
    }

    std::string dir() const { return (scratch_ / "").string(); }

    void fillPurchases(const std::vector<Purchase>& rows) {
        LocalTable table("ZorvicBuy");
        table.setDatabaseName(dir());
        table.open();
        for (const auto& row : rows) {
            table.append();
            table.setField(columnIndex("ZorvicBuy", "VIDPROD_KOD"), Variant(row.kind));
            table.setField(columnIndex("ZorvicBuy", "SUPERPLACE_CL_ID"), Variant(row.subdivision));
            table.setField(columnIndex("ZorvicBuy", "CL_NAME"), Variant(host::W(row.supplier)));
            table.setField(columnIndex("ZorvicBuy", "QUANTITY"), Variant(row.quantity));
            table.setField(columnIndex("ZorvicBuy", "ISRET"), Variant(row.isret));
            table.post();
        }
        table.close();
    }

    void fillSubdivisions() {
        LocalTable table("ZorvicBuyObosob");
        table.setDatabaseName(dir());
        table.open();
        const struct {
            int id;
            const char* name;
            const char* kpp;
        } rows[] = {{7, "Магазин №1", "770101001"}, {9, "Склад", "770102002"}};
        for (const auto& row : rows) {
            table.append();
            table.setField(0, Variant(row.id));
            table.setField(1, Variant(host::W(row.name)));
            table.setField(2, Variant(std::string(row.kpp)));
            table.post();
        }
        table.close();
    }

    // Writes the template (UTF-8 JSON) and loads it.
    void load(const std::string& json) {
        zorvic_test::writeFile(scratch_ / "Test.fr3", json);
        ASSERT_TRUE(engine_.loadFromFile((scratch_ / "Test.fr3").string(), false));
    }

    void openAndRegister() {
        purchases_.open();
        engine_.registerDataset("tblResult", purchases_);
    }

    zorvic_test::ScratchDir scratch_;
    LocalTable purchases_{"ZorvicBuy"};
    LocalTable subdivisions_{"ZorvicBuyObosob"};
    ReportEngine engine_;
};

// --- templates and variables -------------------------------------------------------------------

TEST_F(ReportEngineTest, MissingTemplateFailsWhenPreparedOrAtOnceWhenAskedTo) {
    const std::string missing = (scratch_ / "NoSuch.fr3").string();
    engine_.variables().setVariable("OLD", Variant("'x'"));
    EXPECT_FALSE(engine_.loadFromFile(missing, false));
    EXPECT_FALSE(engine_.variables().contains("OLD"));  // the load replaces the variables too
    engine_.variables().setVariable("INN", Variant("'007700000001'"));
    EXPECT_THROW(engine_.prepareReport(true), ReportError);
    EXPECT_TRUE(engine_.preparedReport().pages.empty());

    EXPECT_THROW(engine_.loadFromFile(missing, true), ReportError);
}

TEST_F(ReportEngineTest, BrokenTemplatesFailNamingTheProblem) {
    zorvic_test::writeFile(scratch_ / "Bad.fr3", "{ \"reportTitle\": ");
    EXPECT_THROW(engine_.loadFromFile((scratch_ / "Bad.fr3").string(), false), ReportError);
    try {
        engine_.loadFromText(R"({"reportTitle": {"height": 5, "texts": [{"width": 5, "height": 5, "txt": "a"}]}})");
        FAIL() << "an unknown key was accepted";
    } catch (const ReportError& e) {
        EXPECT_NE(std::string(e.what()).find("\"txt\""), std::string::npos) << e.what();
    }
}

TEST_F(ReportEngineTest, VariablesAreExpressionTextsAndQuotedLiteralsAreText) {
    load(R"({
      "variables": {"CORRNUM": "''", "OTC_YEAR": "'1999'", "TITLE": "'Декларация за ' + OTC_YEAR"},
      "reportTitle": {"height": 20, "texts": [
        {"width": 100, "height": 5, "text": "[TITLE] год, период [OTC_PERIOD]"},
        {"top": 5, "width": 100, "height": 5, "text": "[FullName]|[CORRNUM]|[N + 1]|[FIXED(N / 4, 2)]|[OTC_YEAR + 1]"}]}
    })");
    auto& vars = engine_.variables();
    EXPECT_EQ(vars.expression("OTC_YEAR"), "'1999'");  // the template's own value

    vars.setVariable("OTC_YEAR", Variant("'2010'"));
    vars.setVariable("otc_period", Variant("'6'"));
    vars.setVariable("FullName", Variant(host::W("'ООО \"Ромашка\" и ''Лютик'''")));
    vars.setVariable("N", Variant("41"));

    // The quoted year joins as text, the unquoted number adds.
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()),
              (std::vector<std::string>{"Декларация за 2010 год, период 6",
                                        "ООО \"Ромашка\" и 'Лютик'||42|10.25|20101"}));

    // Loading again brings the template's variables back.
    ASSERT_TRUE(engine_.loadFromFile((scratch_ / "Test.fr3").string(), false));
    EXPECT_EQ(vars.expression("OTC_YEAR"), "'1999'");
    EXPECT_FALSE(vars.contains("N"));
}

TEST(ReportExpressionTest, NumbersCompareAsNumbersAndTextsAsText) {
    VariablesOnly scope;
    scope.variables = {{"N", "41"}, {"SHOW_GOODS", "'1'"}};
    // Through a variable, as templates use them: a blank variable is the empty text.
    const auto value = [&](const std::string& expression) {
        scope.variables["X"] = expression;
        return scope.evaluate("X");
    };
    EXPECT_TRUE(value("N").isInteger());
    EXPECT_TRUE(value("SHOW_GOODS").isText());
    EXPECT_EQ(value("2 + 3 * 4 - -1"), Variant(15));
    EXPECT_EQ(value("(2 + 3) * 4 / 8"), Variant(2.5));
    EXPECT_EQ(value("'a' + N"), Variant("a41"));
    EXPECT_EQ(value("10 > 9"), Variant(1));
    EXPECT_EQ(value("'10' > '9'"), Variant(0));
    EXPECT_EQ(value("SHOW_GOODS = '1' and not (N <> 41)"), Variant(1));
    EXPECT_EQ(value("SHOW_GOODS = 2 or N <= 40"), Variant(0));
    EXPECT_EQ(value("SHOW_GOODS = 1"), Variant(1));  // a text and a number compare as texts
    EXPECT_EQ(value("IIF(N >= 41, 'много', 'мало')"), Variant("много"));
    EXPECT_EQ(value("FIXED(-0.0001, 2)"), Variant("0.00"));
    EXPECT_EQ(value("'it''s'"), Variant("it's"));
    EXPECT_EQ(value("  "), Variant(""));
    for (const char* bad : {"1 / 0", "'open", "N +", "NOSUCH(1)", "SUM(1)", "FIXED('x', 2)", "X"}) {
        scope.variables["X"] = bad;
        EXPECT_THROW(scope.evaluate("X"), ReportError) << bad;
    }
}

TEST_F(ReportEngineTest, UnknownNamesAndBadExpressionsFailThePreparation) {
    load(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "[NOSUCH]"}]}})");
    EXPECT_THROW(engine_.prepareReport(true), ReportError);
    load(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "[A +]"}]}})");
    EXPECT_THROW(engine_.prepareReport(true), ReportError);
    load(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "[tblResult.\"QUANTITY\"]"}]}})");
    EXPECT_THROW(engine_.prepareReport(true), ReportError);  // nothing registered under that name
    fillPurchases({{"200", 7, "a", 1}});
    engine_.registerDataset("tblResult", purchases_);  // registered, but not open: read, closed again
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()), std::vector<std::string>{"1"});
    EXPECT_FALSE(purchases_.active());
}

// --- data sections, groups and sums ------------------------------------------------------------

TEST_F(ReportEngineTest, GroupsBreakWhereTheConditionChangesAndSumOverTheirRows) {
    fillPurchases({{"200", 7, "Поставщик А", 1.5},
                   {"200", 7, "Поставщик Б", 2},
                   {"261", 7, "Поставщик В", 0.25},
                   {"200", 9, "Поставщик Г", 10}});
    load(R"({
      "reportTitle": {"height": 6, "texts": [{"width": 90, "height": 6, "text": "Всего строк: [COUNT(tblResult)]"}]},
      "data": [{
        "dataset": "tblResult",
        "groups": [{"condition": "tblResult.\"VIDPROD_KOD\"",
                    "header": {"height": 6, "texts": [{"width": 90, "height": 6, "text": "Вид [tblResult.\"VIDPROD_KOD\"]"}]},
                    "footer": {"height": 6, "texts": [{"width": 90, "height": 6,
                               "text": "Итого [tblResult.\"VIDPROD_KOD\"]: [SUM(tblResult.\"QUANTITY\")]"}]}}],
        "band": {"height": 5, "texts": [
          {"width": 60, "height": 5, "text": "[LINE#]. [tblResult.\"CL_NAME\"]"},
          {"left": 60, "width": 30, "height": 5, "align": "right", "text": "[FIXED(tblResult.\"QUANTITY\", 3)]"}]}
      }],
      "reportSummary": {"height": 6, "texts": [{"width": 90, "height": 6,
                        "text": "Всего: [SUM(tblResult.\"QUANTITY\" * 2) / 2]"}]}
    })");
    openAndRegister();
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()),
              (std::vector<std::string>{"Всего строк: 4",
                                        "Вид 200", "1. Поставщик А", "1.500", "2. Поставщик Б", "2.000", "Итого 200: 3.5",
                                        "Вид 261", "3. Поставщик В", "0.250", "Итого 261: 0.25",
                                        "Вид 200", "4. Поставщик Г", "10.000", "Итого 200: 10",
                                        "Всего: 13.75"}));
    // The rows were read, not consumed: preparing again gives the same report.
    const auto first = allTexts(engine_.preparedReport());
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()), first);
}

TEST_F(ReportEngineTest, OrderByBringsScatteredGroupsTogetherKeepingTableOrderAmongEquals) {
    fillPurchases({{"261", 9, "Г", 8}, {"200", 7, "А", 1}, {"", 9, "Д", 3}, {"200", 10, "Б", 2}, {"200", 7, "В", 4}});
    load(R"({
      "data": [{
        "dataset": "tblResult",
        "orderBy": ["tblResult.\"VIDPROD_KOD\"", "tblResult.\"SUPERPLACE_CL_ID\""],
        "groups": [{"condition": "tblResult.\"VIDPROD_KOD\"",
                    "footer": {"height": 5, "texts": [{"width": 90, "height": 5,
                               "text": "Итого [tblResult.\"VIDPROD_KOD\"]: [SUM(tblResult.\"QUANTITY\")]"}]}}],
        "band": {"height": 5, "texts": [{"width": 60, "height": 5, "text": "[tblResult.\"CL_NAME\"]"}]}
      }]
    })");
    openAndRegister();
    engine_.prepareReport(true);
    // Empty kind first; subdivision 10 after 7 by value, not by text; А before В as in the table.
    EXPECT_EQ(allTexts(engine_.preparedReport()),
              (std::vector<std::string>{"Д", "Итого : 3", "А", "В", "Б", "Итого 200: 7", "Г", "Итого 261: 8"}));

    EXPECT_THROW(engine_.loadFromText(R"({"data": [{"dataset": "tblResult", "orderBy": "x", "band": {"height": 5}}]})"),
                 ReportError);
}

// A chain's quarter does not fit in memory: its rows wait in a file, and the sort, the groups,
// the sums and the lookups read them back out of order. The pages are those of rows held.
TEST_F(ReportEngineTest, OrderByPutsNegativeNumbersAndFractionsInTheirPlace) {
    fillPurchases({{"200", 7, "три", 3}, {"200", 7, "минус половина", -0.5}, {"200", 7, "минус пять", -5},
                   {"200", 7, "ноль", 0}, {"200", 7, "два с четвертью", 2.25}, {"200", 7, "минус ноль", -0.0},
                   {"200", 7, "минус шесть", -6}});
    load(R"({"data": [{"dataset": "tblResult", "orderBy": ["tblResult.\"QUANTITY\""],
                       "band": {"height": 5, "texts": [{"width": 60, "height": 5, "text": "[tblResult.\"CL_NAME\"]"}]}}]})");
    openAndRegister();
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()),
              (std::vector<std::string>{"минус шесть", "минус пять", "минус половина", "ноль", "минус ноль",
                                        "два с четвертью", "три"}));
}

TEST_F(ReportEngineTest, RowsKeptInATemporaryFileLayOutTheSamePages) {
    std::vector<Purchase> rows;
    for (int i = 0; i < 3000; ++i)
        rows.push_back({i % 7 == 0 ? "261" : (i % 3 ? "200" : "212"), i % 2 ? 7 : 9,
                        "Поставщик " + std::to_string((i * 7919) % 3000), 0.5 * (i % 11), i % 13 == 0});
    fillPurchases(rows);
    fillSubdivisions();
    load(R"({
      "pageHeader": {"height": 8, "texts": [{"width": 90, "height": 8, "text": "Стр. [PAGE#] из [TOTALPAGES#]"}]},
      "data": [{
        "dataset": "tblResult",
        "orderBy": ["tblResult.\"SUPERPLACE_CL_ID\"", "tblResult.\"VIDPROD_KOD\"", "tblResult.\"CL_NAME\""],
        "groups": [
          {"condition": "tblResult.\"SUPERPLACE_CL_ID\"",
           "header": {"height": 6, "texts": [{"width": 150, "height": 6, "text":
             "[LOOKUP(tblObosob, 'CL_ID', tblResult.\"SUPERPLACE_CL_ID\", 'CL_NAME')]"}]},
           "footer": {"height": 6, "texts": [{"width": 90, "height": 6, "text": "[SUM(tblResult.\"QUANTITY\")] [COUNT()]"}]}},
          {"condition": "tblResult.\"VIDPROD_KOD\"",
           "footer": {"height": 6, "texts": [{"width": 90, "height": 6, "text": "[tblResult.\"VIDPROD_KOD\"]: [SUM(tblResult.\"QUANTITY\")]"}]}}],
        "band": {"height": 5, "texts": [{"width": 60, "height": 5, "text": "[LINE#] [tblResult.\"CL_NAME\"] [tblResult.\"ISRET\"]"}]}
      }]
    })");
    openAndRegister();
    subdivisions_.open();
    engine_.registerDataset("tblObosob", subdivisions_);
    engine_.prepareReport(true);
    const host::PreparedReport held = engine_.preparedReport();
    ASSERT_GT(held.pages.size(), 50u);
    engine_.setHeldRowsLimit(1);
    engine_.prepareReport(true);
    const host::PreparedReport kept = engine_.preparedReport();
    ASSERT_EQ(kept.pages.size(), held.pages.size());
    for (std::size_t p = 0; p < held.pages.size(); ++p) ASSERT_EQ(textsOf(kept.pages[p]), textsOf(held.pages[p])) << "page " << p + 1;
    // Nothing of the file is left beside the work tables and the template.
    for (const auto& entry : std::filesystem::directory_iterator(dir()))
        EXPECT_TRUE(entry.path().extension() == ".db" || entry.path().extension() == ".fr3") << entry.path();
}

TEST_F(ReportEngineTest, NestedGroupsFiltersAndLookupsBuildTheSubdivisionHeaders) {
    fillPurchases({{"200", 7, "А", 1}, {"200", 7, "Б", 2, 1}, {"200", 9, "В", 4}, {"261", 9, "Г", 8}});
    fillSubdivisions();
    // The subdivision header text of the printed declarations, returns rows told apart.
    load(R"({
      "data": [{
        "dataset": "tblResult",
        "filter": "tblResult.\"QUANTITY\" < 8",
        "groups": [
          {"condition": "tblResult.\"SUPERPLACE_CL_ID\"",
           "header": {"height": 6, "texts": [{"width": 150, "height": 6, "text":
             "[IIF(tblResult.\"ISRET\" <> '0', 'возвраты по', 'по')] обособленному подразделению: [LOOKUP(tblObosob, 'CL_ID', tblResult.\"SUPERPLACE_CL_ID\", 'CL_NAME')] КПП: [LOOKUP(tblObosob, 'CL_ID', tblResult.\"SUPERPLACE_CL_ID\", 'CL_KPP')]"}]},
           "footer": {"height": 6, "texts": [{"width": 90, "height": 6, "text": "Подразделение: [SUM(tblResult.\"QUANTITY\")]"}]}},
          {"condition": "tblResult.\"ISRET\"",
           "footer": {"height": 6, "texts": [{"width": 90, "height": 6, "text": "ret [tblResult.\"ISRET\"]: [SUM(tblResult.\"QUANTITY\")] из [COUNT()]"}]}}],
        "band": {"height": 5, "texts": [{"width": 60, "height": 5, "text": "[tblResult.\"CL_NAME\"]"}]}
      }],
      "reportSummary": {"height": 6, "texts": [{"width": 90, "height": 6,
                        "text": "[SUM(tblResult.\"QUANTITY\")] / первое подразделение [tblObosob.\"CL_NAME\"]"}]}
    })");
    openAndRegister();
    subdivisions_.open();
    engine_.registerDataset("tblObosob", subdivisions_);
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()),
              (std::vector<std::string>{"по обособленному подразделению: Магазин №1 КПП: 770101001",
                                        "А", "ret 0: 1 из 1", "Б", "ret 1: 2 из 1", "Подразделение: 3",
                                        "по обособленному подразделению: Склад КПП: 770102002",
                                        "В", "ret 0: 4 из 1", "Подразделение: 4",
                                        // outside its section the dataset reads all its rows again
                                        "15 / первое подразделение Магазин №1"}));
}

// --- pages ----------------------------------------------------------------------------------------

TEST_F(ReportEngineTest, LongReportsBreakIntoPagesWithWholeBandsAndPageNOfM) {
    std::vector<Purchase> rows;
    for (int i = 1; i <= 92; ++i) rows.push_back({i <= 40 ? "200" : "261", 7, "Строка " + std::to_string(i), 1});
    fillPurchases(rows);
    // A4 with 10 mm margins: 277 mm of page, 12 of header, 8 of footer: 257 mm of body.
    load(R"({
      "page": {"size": "A4", "orientation": "portrait", "margins": {"left": 10, "top": 10, "right": 10, "bottom": 10}},
      "pageHeader": {"height": 12, "texts": [{"width": 190, "height": 6, "text": "Закупки"}]},
      "pageFooter": {"height": 8, "texts": [{"top": 2, "width": 190, "height": 6, "align": "right",
                     "text": "Страница [PAGE#] из [TOTALPAGES#]"}]},
      "reportTitle": {"height": 30, "texts": [{"width": 190, "height": 30, "fontSize": 14, "bold": true, "text": "Заголовок"}]},
      "data": [{"dataset": "tblResult",
                "groups": [{"condition": "tblResult.\"VIDPROD_KOD\"",
                            "header": {"height": 9, "startNewPage": true,
                                       "texts": [{"width": 190, "height": 9, "text": "Вид [tblResult.\"VIDPROD_KOD\"]"}]}}],
                "band": {"height": 9, "texts": [{"width": 190, "height": 9, "frame": "all", "text": "[tblResult.\"CL_NAME\"]"}]}}],
      "reportSummary": {"height": 40, "texts": [{"width": 190, "height": 40, "text": "Итог [SUM(tblResult.\"QUANTITY\")]"}]}
    })");
    openAndRegister();
    engine_.prepareReport(true);
    const auto& report = engine_.preparedReport();
    const size_t pageCount = report.pages.size();
    // The title alone on page 1 (the first kind starts a new page), 27 + 13 rows of the first
    // kind, 27 + 25 of the second, and the summary on a page of its own.
    ASSERT_EQ(pageCount, 6u);

    const double bodyTop = 10 + 12, bodyBottom = 297 - 10 - 8;
    std::vector<std::string> lines;
    for (size_t p = 0; p < pageCount; ++p) {
        const auto texts = textsOf(report.pages[p]);
        SCOPED_TRACE("page " + std::to_string(p + 1));
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts.front(), "Закупки");
        EXPECT_EQ(texts.back(), "Страница " + std::to_string(p + 1) + " из " + std::to_string(pageCount));
        EXPECT_DOUBLE_EQ(report.pages[p].texts.back().top, bodyBottom + 2);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Заголовок"), p == 0 ? 1 : 0);
        for (size_t i = 1; i + 1 < report.pages[p].texts.size(); ++i) {
            const PreparedText& t = report.pages[p].texts[i];
            EXPECT_GE(t.top, bodyTop - 1e-9) << t.text;
            EXPECT_LE(t.top + t.height, bodyBottom + 1e-9) << t.text;  // never cut at the page's end
            if (t.text.rfind("Строка ", 0) == 0) lines.push_back(t.text);
        }
    }
    ASSERT_EQ(lines.size(), 92u);
    for (int i = 0; i < 92; ++i) EXPECT_EQ(lines[i], "Строка " + std::to_string(i + 1));

    // The second kind begins a page of its own; the summary, too tall for what is left, moved whole.
    const auto isOnPageStart = [&](const std::string& text) {
        for (const auto& page : report.pages)
            if (page.texts.size() > 1 && page.texts[1].text == text) return true;
        return false;
    };
    EXPECT_TRUE(isOnPageStart("Вид 261"));
    EXPECT_TRUE(isOnPageStart("Итог 92"));
    const auto& beforeLast = report.pages[pageCount - 2].texts;
    EXPECT_EQ(beforeLast[beforeLast.size() - 2].text, "Строка 92");

    // Shown to a preview that takes the pages as they are laid out, the same pages come one at a
    // time, the count known before the first, and none is kept by the engine; walked again, the
    // same once more.
    const host::PreparedReport whole = report;
    struct Streaming final : host::ReportPreview {
        void show(const host::PreparedReport&) override { ADD_FAILURE() << "handed the whole report"; }
        bool takesPagesAsLaidOut() const override { return true; }
        void showPages(const host::ReportPages& pages) override {
            count = pages.pageCount();
            for (int walk = 0; walk < 2; ++walk) {
                host::PageFunction keep([&](const PreparedPage& page) { walks[walk].push_back(textsOf(page)); });
                pages.walk(keep);
            }
        }
        int count = 0;
        std::vector<std::vector<std::string>> walks[2];
    } streaming;
    host::installReportPreview(&streaming);
    engine_.showReport();
    host::installReportPreview(nullptr);
    EXPECT_TRUE(engine_.preparedReport().pages.empty());
    EXPECT_EQ(streaming.count, static_cast<int>(pageCount));
    ASSERT_EQ(streaming.walks[0].size(), pageCount);
    for (size_t p = 0; p < pageCount; ++p) EXPECT_EQ(streaming.walks[0][p], textsOf(whole.pages[p])) << "page " << p + 1;
    EXPECT_EQ(streaming.walks[1], streaming.walks[0]);
}

TEST_F(ReportEngineTest, HeadersStayWithTheirFirstRowAndRepeatOnTheirSectionsNextPages) {
    // The body of an A5 page is 190 mm: the section's header (10), the first kind's header (8) and
    // 16 rows (10 each) reach 188, where the second kind's header would fit but not its first row.
    std::vector<Purchase> rows;
    for (int i = 1; i <= 16; ++i) rows.push_back({"200", 7, "А" + std::to_string(i), 1});
    for (int i = 1; i <= 20; ++i) rows.push_back({"261", 7, "Б" + std::to_string(i), 1});
    fillPurchases(rows);
    load(R"({
      "page": {"size": "A5", "margins": {"left": 10, "top": 10, "right": 10, "bottom": 10}},
      "data": [{"dataset": "tblResult",
                "header": {"height": 10, "repeatOnNewPage": true,
                           "texts": [{"width": 120, "height": 10, "text": "Колонки"}]},
                "groups": [{"condition": "tblResult.\"VIDPROD_KOD\"",
                            "header": {"height": 8, "repeatOnNewPage": true,
                                       "texts": [{"width": 120, "height": 8, "text": "Вид [tblResult.\"VIDPROD_KOD\"]"}]}}],
                "band": {"height": 10, "texts": [{"width": 120, "height": 10, "text": "[tblResult.\"CL_NAME\"]"}]}}]
    })");
    openAndRegister();
    engine_.prepareReport(true);
    const auto& pages = engine_.preparedReport().pages;
    ASSERT_EQ(pages.size(), 3u);
    const auto first = textsOf(pages[0]);
    EXPECT_EQ(first.size(), 18u);
    EXPECT_EQ(first.back(), "А16");  // the next kind's header went with its first row
    // The section's header again (the first kind has ended), the second kind with 17 rows.
    const auto second = textsOf(pages[1]);
    ASSERT_EQ(second.size(), 19u);
    EXPECT_EQ(std::vector<std::string>(second.begin(), second.begin() + 3),
              (std::vector<std::string>{"Колонки", "Вид 261", "Б1"}));
    EXPECT_DOUBLE_EQ(pages[1].texts[0].top, 10);
    // Mid-group, both headers repeat, showing the group they head.
    EXPECT_EQ(textsOf(pages[2]), (std::vector<std::string>{"Колонки", "Вид 261", "Б18", "Б19", "Б20"}));
}

TEST_F(ReportEngineTest, PreparingWithoutClearingAddsPagesNumberedOn) {
    load(R"({"pageFooter": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "[PAGE#]/[TOTALPAGES#]"}]},
             "reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "[PART]"}]}})");
    engine_.variables().setVariable("PART", Variant(host::W("'первая'")));
    engine_.prepareReport(true);
    engine_.variables().setVariable("PART", Variant(host::W("'вторая'")));
    engine_.prepareReport(false);
    ASSERT_EQ(engine_.preparedReport().pages.size(), 2u);
    EXPECT_EQ(textsOf(engine_.preparedReport().pages[1]), (std::vector<std::string>{"вторая", "2/2"}));
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()), (std::vector<std::string>{"вторая", "1/1"}));
}

// --- visibility -----------------------------------------------------------------------------------

TEST_F(ReportEngineTest, BandsAndTextsShowByVariablesAndFields) {
    fillPurchases({{"200", 7, "А", 1}, {"200", 7, "Б", 2, 1}});
    // The goods details of the retail forms: hidden unless SHOW_GOODS is '1'.
    load(R"({
      "variables": {"SHOW_GOODS": "'0'"},
      "data": [{"dataset": "tblResult",
                "groups": [{"condition": "tblResult.\"VIDPROD_KOD\"",
                            "header": {"name": "GroupHeaderKod", "height": 5, "visible": false,
                                       "visibleWhen": "SHOW_GOODS = '1'",
                                       "texts": [{"width": 50, "height": 5, "text": "Вид [tblResult.\"VIDPROD_KOD\"]"}]},
                            "footer": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "Итого [SUM(tblResult.\"QUANTITY\")]"}]}}],
                "band": {"name": "Data", "height": 0,
                         "child": {"name": "DataChild", "height": 5, "visible": false, "visibleWhen": "SHOW_GOODS = '1'",
                                   "texts": [{"width": 50, "height": 5, "text": "[tblResult.\"CL_NAME\"]"},
                                             {"left": 50, "width": 20, "height": 5, "text": "возврат",
                                              "visibleWhen": "tblResult.\"ISRET\" = 1"}]}}}],
      "reportSummary": {"height": 5, "visible": false, "texts": [{"width": 50, "height": 5, "text": "скрыт"}]}
    })");
    openAndRegister();
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()), (std::vector<std::string>{"Итого 3"}));

    engine_.variables().setVariable("SHOW_GOODS", Variant("'1'"));
    engine_.prepareReport(true);
    EXPECT_EQ(allTexts(engine_.preparedReport()),
              (std::vector<std::string>{"Вид 200", "А", "Б", "возврат", "Итого 3"}));
}

// --- preview ----------------------------------------------------------------------------------------

class RecordingPreview : public host::ReportPreview {
public:
    void show(const host::PreparedReport& report) override {
        ++shown;
        texts = allTexts(report);
    }
    int shown = 0;
    std::vector<std::string> texts;
};

TEST_F(ReportEngineTest, ShowHandsThePreparedPagesToThePreview) {
    load(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "Год [OTC_YEAR]"}]}})");
    engine_.variables().setVariable("OTC_YEAR", Variant("'2010'"));
    engine_.prepareReport(true);
    EXPECT_THROW(engine_.showPreparedReport(), ReportError);  // no preview anywhere

    RecordingPreview installed;
    host::installReportPreview(&installed);
    engine_.showPreparedReport();
    EXPECT_EQ(installed.shown, 1);
    EXPECT_EQ(installed.texts, (std::vector<std::string>{"Год 2010"}));
    host::installReportPreview(nullptr);
}

}  // namespace
