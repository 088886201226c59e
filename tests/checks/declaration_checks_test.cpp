// The checks of a collected declaration over work tables filled by hand: each rule on a table
// that breaks exactly it and on one that does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/checks/declaration_checks.h"
#include "host/calendar/date_time.h"
#include "host/local/local_table.h"
#include "host/text/cp1251.h"
#include "test_support.h"
#include "work_table_column.h"

namespace {

using core::checks::CheckedRun;
using core::checks::Findings;
using core::checks::Severity;
using host::Variant;
using host::W;
using Row = std::map<std::string, Variant>;

Variant day(const char* text) { return Variant(host::parseDate(text)); }

class DeclarationChecks : public ::testing::Test {
protected:
    void fill(const std::string& table, const std::vector<Row>& rows) {
        zorvic_test::fillWorkTable((scratch / "").string(), table, rows);
    }

    // The work tables' findings of `module` for the first quarter of 2024.
    Findings check(const char* module, int precision = 2) {
        CheckedRun run;
        run.tables = core::checks::formTablesOfModule(module);
        run.workDirectory = (scratch / "").string();
        run.year = 2024;
        run.quarterIndex = 0;
        run.precision = precision;
        Findings findings;
        core::checks::checkWorkTables(findings, run);
        return findings;
    }

    static std::vector<std::string> rules(const Findings& findings) {
        std::vector<std::string> all;
        for (const auto& finding : findings.items()) all.push_back(finding.rule);
        return all;
    }

    zorvic_test::ScratchDir scratch;
};

// A purchase of form 07 from a resident supplier with a licence in force, of a kind the form takes.
Row purchase(std::map<std::string, Variant> changes = {}) {
    Row row{{"SUPERPLACE_CL_ID", 1},           {"VIDPROD_KOD", "200"},          {"VIDPROD_NAME", W("Водка")},
            {"CL_ID", 10},                     {"CL_IS_IP", 0},                 {"CL_NAME", W("Опт")},
            {"CL_INN", "7707083893"},          {"CL_KPP", "773601001"},         {"CL_COUNTRY_KOD", "643"},
            {"CL_LIC_SERIES", "A"},            {"CL_LIC_NUMBER", "123"},        {"CL_LIC_DATE", day("01.01.2023")},
            {"CL_LIC_GOOD_DATE", day("31.12.2025")}, {"MANUF_ID", 20},          {"MANUF_NAME", W("Завод")},
            {"MANUF_INN", "7736050003"},       {"MANUF_KPP", "773601001"},      {"EXT_DOC_DATE", day("15.02.2024")},
            {"EXT_DOCINDEX", "N1"},            {"QUANTITY", 12.5},              {"ISRET", 0}};
    for (auto& [name, value] : changes) row[name] = value;
    return row;
}

const Row kStore{{"CL_ID", 1}, {"CL_NAME", W("Магазин")}, {"CL_KPP", "773602001"}};

TEST_F(DeclarationChecks, ARightPurchaseFindsNothing) {
    fill("ZorvicBuyObosob", {kStore});
    fill("ZorvicBuy", {purchase(), purchase({{"EXT_DOCINDEX", "N2"}, {"CL_COUNTRY_KOD", "112"},
                                             {"CL_ID", 11}, {"CL_INN", ""}, {"CL_KPP", ""},
                                             {"CL_LIC_NUMBER", ""}, {"CL_LIC_DATE", Variant::null()},
                                             {"CL_LIC_GOOD_DATE", Variant::null()}})});
    const Findings findings = check("pZorvicBuy");
    EXPECT_TRUE(findings.empty()) << rules(findings).front();
}

TEST_F(DeclarationChecks, EachBrokenRuleIsFoundOnceWithItsSubdivisionAndSubject) {
    const std::vector<std::pair<std::map<std::string, Variant>, std::string>> cases = {
        {{{"CL_INN", "7707083894"}}, "inn-check-digit"},
        {{{"CL_KPP", "77360100"}}, "kpp-shape"},
        {{{"MANUF_INN", "7736050004"}}, "inn-check-digit"},  // a producer's
        {{{"EXT_DOC_DATE", day("01.04.2024")}, {"CL_LIC_GOOD_DATE", day("31.12.2030")}}, "document-date"},
        {{{"EXT_DOC_DATE", day("15.03.2024")}, {"CL_LIC_DATE", day("16.03.2024")}}, "counterparty-licence-period"},
        {{{"CL_LIC_NUMBER", ""}, {"CL_LIC_DATE", Variant::null()}, {"CL_LIC_GOOD_DATE", Variant::null()}},
         "counterparty-licence-missing"},
        {{{"VIDPROD_KOD", "261"}}, "product-kind"},
        {{{"QUANTITY", 0.001}}, "empty-line"},
    };
    for (const auto& [changes, rule] : cases) {
        SCOPED_TRACE(rule);
        for (const auto& entry : std::filesystem::directory_iterator(scratch / "")) std::filesystem::remove(entry.path());
        fill("ZorvicBuyObosob", {kStore});
        // The same document twice: a finding about it is said once.
        fill("ZorvicBuy", {purchase(changes), purchase(changes)});
        const Findings findings = check("pZorvicBuy");
        ASSERT_EQ(rules(findings), std::vector<std::string>{rule});
        EXPECT_EQ(findings.items()[0].where.subdivision, W("Магазин"));
        // A check digit the format's pattern takes is a likely mistake, not a refusal.
        EXPECT_EQ(findings.exitStatus(), rule == "empty-line" || rule == "inn-check-digit" ? 4 : 3);
    }
}

TEST_F(DeclarationChecks, TheSameNumbersUnderTwoIdsAndAWrongSubdivisionKpp) {
    fill("ZorvicBuyObosob", {{{"CL_ID", 1}, {"CL_NAME", W("Магазин")}, {"CL_KPP", "7736A"}}});
    fill("ZorvicBuy", {purchase(), purchase({{"CL_ID", 12}, {"CL_NAME", W("Опт второй")}})});
    const std::vector<std::string> found = rules(check("pZorvicBuy"));
    EXPECT_EQ(std::count(found.begin(), found.end(), "same-inn-kpp"), 1) << found.size();
    EXPECT_EQ(std::count(found.begin(), found.end(), "kpp-shape"), 1);
}

Row turnover(std::map<std::string, double> values) {
    Row row{{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "200"}, {"MANUF_NAME", W("Завод")},
            {"MANUF_INN", "7736050003"}, {"MANUF_KPP", "773601001"}};
    for (const auto& [column, value] : values) row[column] = value;
    return row;
}

TEST_F(DeclarationChecks, TurnoverRowsMustBalanceAsPrintedNotGoNegativeAndHoldSomething) {
    fill("ZorvicOborotObosob", {kStore});
    fill("ZorvicOborot", {
                              turnover({{"OST_BEGIN", 10}, {"PRIX_OPT", 5}, {"RASX_ROZN", 15}}),  // right, closes at 0
                              turnover({{"OST_BEGIN", 1}, {"RASX_ROZN", 2}}),                     // -1 at the end
                              turnover({}),                                                       // nothing
                              // 0.006 + 0.006 prints 0.01 + 0.01, the closing 0.012 prints 0.01
                              turnover({{"OST_BEGIN", 0.006}, {"PRIX_OPT", 0.006}}),
                          });
    EXPECT_EQ(rules(check("pZorvicOborot")), (std::vector<std::string>{"negative-closing", "empty-line", "balance"}));
    // With more decimals the same rows add up as printed.
    EXPECT_EQ(rules(check("pZorvicOborot", 3)), (std::vector<std::string>{"negative-closing", "empty-line"}));
}

TEST_F(DeclarationChecks, BalancesAtWholeUnitsAndAtSevenDecimals) {
    auto refill = [&](const std::vector<Row>& rows) {
        for (const auto& entry : std::filesystem::directory_iterator(scratch / "")) std::filesystem::remove(entry.path());
        fill("ZorvicOborotObosob", {kStore});
        fill("ZorvicOborot", rows);
    };
    // 0.4 + 0.4 prints 0 + 0 at p = 0, the closing 0.8 prints 1; a row of only 0.4 prints nothing.
    refill({turnover({{"OST_BEGIN", 0.4}, {"PRIX_OPT", 0.4}}), turnover({{"OST_BEGIN", 0.4}})});
    EXPECT_EQ(rules(check("pZorvicOborot", 0)), (std::vector<std::string>{"balance", "empty-line"}));
    // At p = 7 every figure of 7 decimals is one the format refuses, whether or not it balances:
    // the fix of each says to lower the precision.
    refill({turnover({{"OST_BEGIN", 1.0000001}, {"RASX_ROZN", 0.5}})});
    const Findings seven = check("pZorvicOborot", 7);
    ASSERT_EQ(rules(seven), std::vector<std::string>{"number-limits"});
    EXPECT_NE(seven.items()[0].fix.find(W("Точность расчета")), std::string::npos);
    // Figures of 5 decimals or fewer pass at p = 7 and balance.
    refill({turnover({{"OST_BEGIN", 1.25}, {"PRIX_OPT", 0.00001}, {"RASX_ROZN", 0.5}})});
    const Findings passing = check("pZorvicOborot", 7);
    EXPECT_TRUE(passing.empty()) << passing.items()[0].message;
}

TEST_F(DeclarationChecks, ForeignCounterpartiesAndFormsWithoutLicencesAskNoLicence) {
    fill("ZorvicRoznBeerObosob", {{{"CL_ID", 1}, {"CL_NAME", W("Магазин")}}});
    fill("ZorvicRoznBeerBuy", {{{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "500"}, {"CL_ID", 10}, {"CL_IS_IP", 0},
                                {"CL_NAME", W("Пивоварня")}, {"CL_INN", "7707083893"}, {"CL_KPP", "773601001"},
                                {"EXT_DOC_DATE", day("15.02.2024")}, {"EXT_DOCINDEX", "1"}, {"QUANTITY", 3.0}}});
    const std::vector<std::string> found = rules(check("pZorvicRoznBeer"));
    EXPECT_EQ(std::count(found.begin(), found.end(), "counterparty-licence-missing"), 0);

    // Form 11 has no place for a foreign supplier: its missing numbers are errors, its licence is
    // not asked for.
    fill("ZorvicRoznObosob", {kStore});
    fill("ZorvicRoznBuy", {purchase({{"CL_COUNTRY_KOD", "051"}, {"CL_INN", ""}, {"CL_KPP", ""}, {"CL_LIC_NUMBER", ""},
                                     {"CL_LIC_DATE", Variant::null()}, {"CL_LIC_GOOD_DATE", Variant::null()}})});
    EXPECT_EQ(rules(check("pZorvicRozn")), (std::vector<std::string>{"inn-missing", "kpp-missing"}));
}

TEST_F(DeclarationChecks, OnlyLicensedProductsAskForTheCounterpartysLicence) {
    const std::map<std::string, Variant> noLicence{
        {"CL_LIC_SERIES", ""}, {"CL_LIC_NUMBER", ""}, {"CL_LIC_DATE", Variant::null()}, {"CL_LIC_GOOD_DATE", Variant::null()}};
    auto unlicensed = [&](std::map<std::string, Variant> changes) {
        changes.insert(noLicence.begin(), noLicence.end());
        return purchase(changes);
    };
    // Beer and cider from a brewery without a licence, and a licence that had expired by the day
    // of a beer delivery: neither is held against it.
    fill("ZorvicBuyObosob", {kStore});
    fill("ZorvicBuy", {unlicensed({{"VIDPROD_KOD", "500"}}), unlicensed({{"VIDPROD_KOD", "260"}}),
                       purchase({{"CL_ID", 12}, {"CL_INN", "7736050003"}, {"VIDPROD_KOD", "510"},
                                 {"CL_LIC_GOOD_DATE", day("01.02.2024")}})});
    EXPECT_TRUE(check("pZorvicBuy").empty()) << rules(check("pZorvicBuy")).front();
    // The same supplier's vodka is.
    fill("ZorvicBuy", {unlicensed({{"VIDPROD_KOD", "500"}}), unlicensed({{"VIDPROD_KOD", "200"}, {"EXT_DOCINDEX", "N2"}})});
    EXPECT_EQ(rules(check("pZorvicBuy")), std::vector<std::string>{"counterparty-licence-missing"});

    // Form 08: a carrier needs a licence for ethyl alcohol, not for bottled products.
    fill("ZorvicTransportObosob", {kStore});
    fill("ZorvicTransport", {unlicensed({{"VIDPROD_KOD", W("АП")}, {"VIDTRANS_KOD", W("АТ")}})});
    EXPECT_TRUE(check("pZorvicTransport").empty()) << rules(check("pZorvicTransport")).front();
    fill("ZorvicTransport", {unlicensed({{"VIDPROD_KOD", W("ЭС")}, {"VIDTRANS_KOD", W("АТ")}})});
    EXPECT_EQ(rules(check("pZorvicTransport")), std::vector<std::string>{"counterparty-licence-missing"});
}

// Form 08: the waybill's date as well as the document's, and the letter codes of its transport
// kinds and product groups.
TEST_F(DeclarationChecks, TransportWaybillsAndLetterCodes) {
    fill("ZorvicTransportObosob", {kStore});
    fill("ZorvicTransport", {purchase({{"VIDPROD_KOD", W("АП")}, {"VIDTRANS_KOD", W("АТ")}, {"TN_INDEX", "T1"},
                                       {"TN_DATE", day("31.03.2024")}})});
    EXPECT_TRUE(check("pZorvicTransport").empty()) << rules(check("pZorvicTransport")).front();

    for (const auto& entry : std::filesystem::directory_iterator(scratch / "")) std::filesystem::remove(entry.path());
    fill("ZorvicTransportObosob", {kStore});
    // A waybill of the next quarter; the numeric codes of the host's own lists, not the format's.
    fill("ZorvicTransport", {purchase({{"VIDPROD_KOD", "200"}, {"VIDTRANS_KOD", "1"}, {"TN_INDEX", "T2"},
                                       {"TN_DATE", day("01.04.2024")}})});
    const Findings findings = check("pZorvicTransport");
    EXPECT_EQ(rules(findings), (std::vector<std::string>{"waybill-date", "transport-kind", "product-group"}));
    EXPECT_NE(findings.items()[0].where.place.find("T2"), std::string::npos);
}

TEST(DeclarationCheckOptions, GoodsDetailAndOnlyMovementAreErrorsAHighPrecisionAloneIsNot) {
    CheckedRun run;
    run.tables = core::checks::formTablesOfModule("pZorvicRozn");
    // The wholesale forms' own default: each figure with more decimals than the format takes is
    // found by itself, the page's precision is not.
    run.precision = 7;
    Findings none;
    core::checks::checkPageOptions(none, run);
    EXPECT_TRUE(none.empty());
    run.goodsDetail = true;
    run.onlyMovement = true;
    Findings all;
    core::checks::checkPageOptions(all, run);
    EXPECT_EQ(all.errors(), 2u);
    EXPECT_EQ(all.warnings(), 0u);
}

TEST(DeclarationCheckOptions, ModulesAreKnownByNameOrFile) {
    EXPECT_EQ(core::checks::formTablesOfModule("pZorvicOborot")->form, "05");
    EXPECT_EQ(core::checks::formTablesOfModule("/x/lib/libpZorvicRoznBeer.so")->form, "12");
    EXPECT_EQ(core::checks::formTablesOfModule("pZorvicNone"), nullptr);
}

}  // namespace
