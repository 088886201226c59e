// zorvic check on the demo database with its planted mistakes: every form of both organizations
// finds what was planted for it, with its severity, subdivision and card, and nothing else.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <nlohmann/json.hpp>

#include "checks/demo_database_suite.h"
#include "test_support.h"

namespace {

using nlohmann::json;
using zorvic_test::Outcome;

// A finding as told apart here: severity, rule, subdivision ("" the organization's own) and the
// INN of the card it concerns ("" none).
using Seen = std::tuple<std::string, std::string, std::string, std::string>;

const std::string kCentral = "Магазин «Центральный»";
const std::string kLeftBank = "Склад-магазин «Левобережный»";
const std::string kStore = "ООО «Продукты 24», магазин № 3";

class PlantedMistakes : public zorvic_test::PlantedSuite {
protected:
    // The JSON report of the first quarter of 2024; the program's exit status must be the one the
    // report gives, and the report must be `client`'s.
    static json check(const char* module, int client) {
        const Outcome run = zorvic_test::runProgram(std::string(ZORVIC_BIN_DIR "/zorvic check ") + module + " --db " +
                                                    database() + " --client " + std::to_string(client) +
                                                    " --set seYear=2024 --set rgTypePeriod=0 --json");
        EXPECT_TRUE(run.err.empty()) << run.err;
        json report = json::parse(run.out);
        EXPECT_EQ(report["exitStatus"], run.status);
        EXPECT_EQ(report["client"], client);
        return report;
    }

    static std::set<Seen> seen(const json& report) {
        std::set<Seen> all;
        for (const auto& f : report["findings"])
            all.emplace(f["severity"], f["rule"], f["subdivision"], f["subject"]["inn"]);
        return all;
    }

    static const json* finding(const json& report, const std::string& rule) {
        for (const auto& f : report["findings"])
            if (f["rule"] == rule) return &f;
        return nullptr;
    }

};

TEST_F(PlantedMistakes, TheWholesalersFormsFindWhatWasPlantedInThem) {
    {
        SCOPED_TRACE("form 08");
        const json report = check("pZorvicTransport", 1);
        EXPECT_EQ(report["exitStatus"], 3);
        EXPECT_EQ(seen(report), (std::set<Seen>{
                                    {"error", "schema", "", ""},  // the transport kind's code
                                    {"error", "waybill-date", kLeftBank, ""},
                                    {"error", "counterparty-licence-missing", kLeftBank, "366401227768"},
                                    {"error", "counterparty-licence-period", kLeftBank, "3662105434"},
                                    {"error", "transport-kind", kLeftBank, ""},
                                    {"warning", "inn-check-digit", kLeftBank, "3663107757"},  // a receiver
                                }));
        // The licence is named as the file names it, though the card has no series and number.
        const json* period = finding(report, "counterparty-licence-period");
        ASSERT_NE(period, nullptr);
        EXPECT_NE((*period)["message"].get<std::string>().find("36ПЕР0000112"), std::string::npos);
    }
    {
        SCOPED_TRACE("form 07");
        const json report = check("pZorvicBuy", 1);
        EXPECT_EQ(report["exitStatus"], 3);
        EXPECT_EQ(seen(report), (std::set<Seen>{
                                    {"error", "schema", "", ""},  // the supplier's KPP
                                    {"error", "document-date", kCentral, ""},
                                    {"error", "kpp-shape", kLeftBank, "3665011777"},
                                    {"warning", "empty-line", kLeftBank, "3665011777"},
                                }));
    }
    {
        SCOPED_TRACE("form 06");
        const json report = check("pZorvicDelivery", 1);
        EXPECT_EQ(report["exitStatus"], 3);
        EXPECT_EQ(seen(report), (std::set<Seen>{
                                    {"error", "counterparty-licence-missing", kCentral, "3664173020"},
                                    {"warning", "same-inn-kpp", "", "3664173020"},
                                    {"warning", "inn-check-digit", kLeftBank, "3663107757"},
                                }));
    }
    {
        SCOPED_TRACE("form 05");
        const json report = check("pZorvicOborot", 1);
        EXPECT_EQ(report["exitStatus"], 3);
        EXPECT_EQ(seen(report), (std::set<Seen>{
                                    {"error", "schema", "", ""},  // the written-off wine's decimals
                                    {"error", "number-limits", kCentral, "2352018469"},
                                    {"warning", "empty-line", kLeftBank, "2352018469"},
                                }));
    }
}

TEST_F(PlantedMistakes, TheRetailersFormsFindWhatWasPlantedInThem) {
    {
        SCOPED_TRACE("form 11");
        const json report = check("pZorvicRozn", 30);
        EXPECT_EQ(report["exitStatus"], 3);
        // The host answers only a licence in force, so the expired one is a missing one.
        EXPECT_EQ(seen(report), (std::set<Seen>{
                                    {"error", "organization-licence-missing", "", "3665099122"},
                                    {"error", "schema", "", ""},  // the licence's placeholders, the spirit's kind
                                    {"error", "product-kind", kStore, ""},
                                    {"error", "negative-closing", kStore, "1633027185"},
                                }));
    }
    {
        SCOPED_TRACE("form 12");
        const json report = check("pZorvicRoznBeer", 30);
        EXPECT_EQ(report["exitStatus"], 3);
        EXPECT_EQ(seen(report), (std::set<Seen>{
                                    {"error", "schema", "", ""},  // the supplier's KPP as zeros
                                    {"error", "document-date", kStore, ""},
                                    {"error", "kpp-missing", kStore, "3666128908"},
                                    {"warning", "empty-line", kStore, "3666128908"},       // the document line
                                    {"warning", "empty-line", kStore, "4824001792"},       // the turnover row
                                    {"warning", "inn-check-digit", kStore, "4824001792"},  // a producer
                                }));
    }
}

}  // namespace
