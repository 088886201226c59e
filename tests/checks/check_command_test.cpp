// zorvic check and generate --check from the outside, on the demo database: the exit statuses,
// the report's shapes, and what is written or left; and the demo pair, which must find nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <nlohmann/json.hpp>

#include "checks/demo_database_suite.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using zorvic_test::Outcome;

class CheckCommand : public zorvic_test::DemoSuite {
protected:
    // The program with its temporary directory in `temp`, for the test to see what is left there.
    Outcome zorvic(const std::string& command, const std::string& module, const std::string& settings,
                   const std::string& db = database()) {
        fs::create_directories(temp / "");
        const std::string line = std::string(ZORVIC_BIN_DIR "/zorvic ") + command + " " + module + " --db " + db +
                                 " --client 1 --date 15.04.2024 --set seYear=2024 --set rgTypePeriod=0 " + settings;
        return zorvic_test::runProgram(line, zorvic_test::RunOptions().setting("TMPDIR=" + (temp / "").string()));
    }

    std::vector<fs::path> filesIn(const fs::path& directory) {
        std::vector<fs::path> found;
        if (fs::exists(directory))
            for (const auto& entry : fs::directory_iterator(directory)) found.push_back(entry.path());
        return found;
    }

    bool privateDirectoryLeft() {
        for (const auto& entry : filesIn(temp / ""))
            if (entry.filename().string().starts_with("zorvic-check-")) return true;
        return false;
    }

    zorvic_test::ScratchDir temp;
    zorvic_test::ScratchDir out;
};

TEST_F(CheckCommand, EveryFormIsCheckedWithAStatusTheFindingsGiveAndNothingLeftBehind) {
    for (const char* module :
         {"pZorvicRozn", "pZorvicRoznBeer", "pZorvicTransport", "pZorvicBuy", "pZorvicDelivery", "pZorvicOborot"}) {
        SCOPED_TRACE(module);
        const Outcome text = zorvic("check", module, "");
        EXPECT_TRUE(text.status == 0 || text.status == 3 || text.status == 4) << text.status << text.err;
        ASSERT_FALSE(text.out.empty());
        const std::string last = text.out.substr(text.out.rfind('\n', text.out.size() - 2) + 1);
        EXPECT_TRUE(last.starts_with(text.status == 0 ? "Ошибок и предупреждений нет." : "Ошибок: ")) << last;

        const Outcome asJson = zorvic("check", module, "--json");
        ASSERT_EQ(asJson.status, text.status) << asJson.err;
        const json report = json::parse(asJson.out);
        EXPECT_EQ(report["exitStatus"], asJson.status);
        EXPECT_EQ(report["module"], module);
        std::size_t errors = 0;
        for (const auto& finding : report["findings"]) {
            for (const char* key : {"severity", "rule", "subdivision", "subject", "place", "message", "fix"})
                EXPECT_TRUE(finding.contains(key)) << key;
            errors += finding["severity"] == "error";
        }
        EXPECT_EQ(report["errors"], errors);
        EXPECT_FALSE(privateDirectoryLeft());
    }
}

// The demo pair comes out clean in every quarter: the wholesaler's four forms and the retailer's
// two, as the demo script runs them. A finding here is a false alarm or a demo that stopped being
// believable.
TEST_F(CheckCommand, TheDemoOrganizationsDeclarationsFindNothingInAnyQuarter) {
    const std::pair<const char*, int> declarations[] = {{"pZorvicRozn", 30},   {"pZorvicRoznBeer", 30},
                                                        {"pZorvicTransport", 1}, {"pZorvicBuy", 1},
                                                        {"pZorvicDelivery", 1},  {"pZorvicOborot", 1}};
    for (const auto& [module, client] : declarations)
        for (int quarter = 0; quarter < 4; ++quarter) {
            SCOPED_TRACE(std::string(module) + " quarter " + std::to_string(quarter + 1));
            const Outcome outcome = zorvic_test::runProgram(
                std::string(ZORVIC_BIN_DIR "/zorvic check ") + module + " --db " + database() +
                " --client " + std::to_string(client) + " --set seYear=2024 --set rgTypePeriod=" +
                std::to_string(quarter));
            EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
        }
}

TEST_F(CheckCommand, GoodsDetailMakesAFileForCheckingOnly) {
    const Outcome run = zorvic("check", "pZorvicRozn", "--set cbGroupByArticul=true --json");
    ASSERT_EQ(run.status, 3) << run.err;
    std::set<std::string> rules;
    const json report = json::parse(run.out);
    for (const auto& finding : report["findings"]) rules.insert(finding["rule"].get<std::string>());
    EXPECT_TRUE(rules.count("goods-detail"));
    // Артикул and Нетто are not in the format: the file itself is refused too.
    EXPECT_TRUE(rules.count("schema"));

    // The same findings as a page, every text escaped: the demo's names hold quotes.
    const fs::path page = out / "report.html";
    const Outcome withPage = zorvic("check", "pZorvicRozn", "--set cbGroupByArticul=true --report " + page.string());
    ASSERT_EQ(withPage.status, 3) << withPage.err;
    const std::string html = zorvic_test::readFile(page);
    EXPECT_NE(html.find("[facet"), std::string::npos);
    EXPECT_NE(html.find("goods-detail"), std::string::npos);
    EXPECT_EQ(html.find("\"Детализировать"), std::string::npos);
    EXPECT_NE(html.find("&quot;Детализировать по товарам&quot;"), std::string::npos);
    EXPECT_FALSE(fs::exists(page.string() + ".part"));
}

TEST_F(CheckCommand, GenerateCheckWritesNothingWithErrorsUnlessTheyAreIgnored) {
    const std::string settings = "--set rgReportKind=1 --set cbGroupByArticul=true --set dePath=" + (out / "").string();
    const Outcome refused = zorvic("generate --check", "pZorvicRozn", settings);
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("[goods-detail]"), std::string::npos) << refused.err;
    EXPECT_TRUE(filesIn(out / "").empty());

    const Outcome written = zorvic("generate --check --ignore-errors", "pZorvicRozn", settings);
    EXPECT_EQ(written.status, 3);
    EXPECT_NE(written.err.find("[goods-detail]"), std::string::npos);
    const std::vector<fs::path> files = filesIn(out / "");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(written.out, fs::absolute(files[0]).string() + "\n");
    EXPECT_FALSE(privateDirectoryLeft());

    // A directory that cannot take the file is said before anything is collected.
    const Outcome nowhere =
        zorvic("generate --check", "pZorvicBuy", "--set rgReportKind=1 --set dePath=" + (out / "missing").string());
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_EQ(nowhere.out, "");
    EXPECT_NE(nowhere.err.find("missing"), std::string::npos) << nowhere.err;

    // The print form is no declaration to check.
    EXPECT_EQ(zorvic("generate --check", "pZorvicBuy", "--set rgReportKind=0").status, 2);
    EXPECT_EQ(zorvic("generate --ignore-errors", "pZorvicBuy", "").status, 2);
    // The HTML report goes with a check only, and holds one organization's findings.
    EXPECT_EQ(zorvic("generate", "pZorvicBuy", "--report " + (out / "r.html").string()).status, 2);
    EXPECT_EQ(zorvic("generate --check", "pZorvicBuy", "--client 60 --report " + (out / "r.html").string()).status, 2);
    EXPECT_FALSE(fs::exists(out / "r.html"));
    // One organization's report at a time.
    EXPECT_EQ(zorvic("check", "pZorvicBuy", "--client 60").status, 2);
}

// The organization's own requisites, broken in a copy of the demo database.
TEST_F(CheckCommand, TheOrganizationsLicenceAndNumbersAreCheckedAsTheHostAnswersThem) {
    const fs::path changed = out / "changed.fdb";
    fs::copy_file(database(), changed);
    zorvic_test::writeFile(out / "change.sql",
                           "SET NAMES UTF8;\nCONNECT '" + changed.string() + "';\n"
                           "update CLIENT_LICENSES set DATE_END = '2023-12-31' where CLIENT_ID = 1;\n"
                           "update CLIENTS set KPP = '36620100' where ID_CLIENTS = 1;\ncommit;\n");
    const Outcome changing = zorvic_test::runProgram(
        "ISC_USER=SYSDBA ISC_PASSWORD=masterkey isql-fb -q -b -i " + zorvic_test::shellQuoted((out / "change.sql").string()),
        zorvic_test::RunOptions().errorsTo(zorvic_test::ErrorStream::IntoOutput));
    ASSERT_EQ(changing.status, 0) << changing.out;

    const Outcome run = zorvic("check", "pZorvicBuy", "--json", changed.string());
    ASSERT_EQ(run.status, 3) << run.err;
    const json report = json::parse(run.out);
    std::map<std::string, json> byRule;
    for (const auto& finding : report["findings"]) byRule.emplace(finding["rule"].get<std::string>(), finding);
    ASSERT_TRUE(byRule.count("organization-licence-missing")) << run.out;
    EXPECT_EQ(byRule["organization-licence-missing"]["subdivision"], "");
    EXPECT_EQ(byRule["organization-licence-missing"]["subject"]["inn"], "3662145780");
    ASSERT_TRUE(byRule.count("kpp-shape")) << run.out;
    EXPECT_EQ(byRule["kpp-shape"]["subject"]["kpp"], "36620100");

    // The same run on the demo as it is finds neither.
    const json demo = json::parse(zorvic("check", "pZorvicBuy", "--json").out);
    for (const auto& finding : demo["findings"]) {
        EXPECT_NE(finding["rule"], "organization-licence-missing");
        EXPECT_NE(finding["rule"], "kpp-shape");
    }
}

}  // namespace
