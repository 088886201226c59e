// The continuity of balances from the outside, on the demo database: against last quarter's file
// written by the program itself, against last quarter collected anew, and bad --previous files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "host/text/cp1251.h"
#include "checks/demo_database_suite.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using zorvic_test::Outcome;

class ContinuityCommand : public zorvic_test::DemoSuite {
protected:
    // The program for `client`'s quarter, with its temporary directory in `temp`.
    Outcome zorvic(const std::string& command, const std::string& module, int client, int year, int quarter,
                   const std::string& more = "") {
        fs::create_directories(temp / "");
        const std::string line = std::string(ZORVIC_BIN_DIR "/zorvic ") + command + " " + module + " --db " +
                                 database() + " --client " + std::to_string(client) +
                                 " --date 15.01.2025 --set seYear=" + std::to_string(year) +
                                 " --set rgTypePeriod=" + std::to_string(quarter) + " " + more;
        return zorvic_test::runProgram(line, zorvic_test::RunOptions().setting("TMPDIR=" + (temp / "").string()));
    }

    // The declaration of a quarter, written into a directory of its own; its path.
    fs::path written(const std::string& module, int client, int year, int quarter) {
        const fs::path directory = out / (module + std::to_string(year) + "-" + std::to_string(quarter));
        fs::create_directories(directory);
        const Outcome run = zorvic("generate", module, client, year, quarter,
                                   "--set rgReportKind=1 --set dePath=" + (directory / "").string());
        EXPECT_EQ(run.status, 0) << run.err;
        return fs::path(run.out.substr(0, run.out.find('\n')));
    }

    // The continuity findings of a check's JSON report.
    static std::vector<json> continuity(const Outcome& run) {
        std::vector<json> found;
        const json report = json::parse(run.out);
        for (const auto& finding : report["findings"])
            if (finding["rule"] == "continuity") found.push_back(finding);
        return found;
    }

    // Nothing of the check's or last quarter's run left in the temporary directory.
    bool leftBehind() {
        for (const auto& entry : fs::directory_iterator(temp / ""))
            if (entry.path().filename().string().starts_with("zorvic-")) return true;
        return false;
    }

    zorvic_test::ScratchDir temp;
    zorvic_test::ScratchDir out;
};

// The file with one closing balance (the first of the attribute's) set to `value`.
fs::path withClosing(const fs::path& file, const std::string& attribute, const std::string& value,
                     const fs::path& into) {
    std::string text = zorvic_test::readFile(file);
    const std::string key = host::W(attribute) + "=\"";
    const std::size_t at = text.find(key);
    EXPECT_NE(at, std::string::npos) << attribute;
    if (at == std::string::npos) return file;
    const std::size_t from = at + key.size();
    text.replace(from, text.find('"', from) - from, value);
    std::ofstream(into, std::ios::binary) << text;
    return into;
}

struct Form {
    const char* module;
    int client;
    const char* closing;  // the closing balance's attribute
};
constexpr Form kForms[] = {{"pZorvicOborot", 1, "П000000000024"},
                           {"pZorvicRozn", 30, "П100000000020"},
                           {"pZorvicRoznBeer", 30, "П100000000018"}};

TEST_F(ContinuityCommand, LastQuartersOwnFileContinuesIntoThisOneAndAChangedClosingIsFound) {
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.module);
        const fs::path first = written(form.module, form.client, 2024, 0);
        const Outcome clean = zorvic("check", form.module, form.client, 2024, 1, "--json --previous " + first.string());
        ASSERT_TRUE(clean.status == 0 || clean.status == 4) << clean.err;
        EXPECT_TRUE(continuity(clean).empty()) << clean.out;

        const fs::path changed = withClosing(first, form.closing, "123.45600", out / "changed.xml");
        const Outcome found = zorvic("check", form.module, form.client, 2024, 1, "--json --previous " + changed.string());
        EXPECT_EQ(found.status, 4) << found.err;
        const std::vector<json> findings = continuity(found);
        ASSERT_EQ(findings.size(), 1u) << found.out;
        EXPECT_EQ(findings[0]["severity"], "warning");
        const std::string message = findings[0]["message"];
        EXPECT_NE(message.find("(1 квартал 2024 года) 123.456"), std::string::npos) << message;
        // Form 12's first producer closed at zero and is gone from the second quarter: the
        // finding says this declaration lacks it.
        const bool gone = std::string(form.module) == "pZorvicRoznBeer";
        EXPECT_NE(message.find(gone ? "а в этой декларации этого подразделения, кода и производителя нет"
                                    : "Остаток на начало квартала "),
                  std::string::npos)
            << message;
        EXPECT_FALSE(findings[0]["subdivision"].get<std::string>().empty());
        EXPECT_FALSE(findings[0]["subject"]["inn"].get<std::string>().empty());
        EXPECT_FALSE(leftBehind());
    }

    // generate --check says it on stderr and, warnings being no errors, writes the declaration.
    const fs::path first = written("pZorvicOborot", 1, 2024, 0);
    const fs::path changed = withClosing(first, "П000000000024", "1.0", out / "changed.xml");
    const fs::path target = out / "second";
    fs::create_directories(target);
    const Outcome generated = zorvic("generate --check", "pZorvicOborot", 1, 2024, 1,
                                     "--set rgReportKind=1 --set dePath=" + (target / "").string() +
                                         " --previous " + changed.string());
    EXPECT_EQ(generated.status, 4);
    EXPECT_NE(generated.err.find("[continuity]"), std::string::npos) << generated.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 1);

    // The wholesaler's own form 11 is no quarter of the retailer's: said once, nothing compared.
    const fs::path wholesalers = written("pZorvicRozn", 1, 2024, 0);
    const Outcome another = zorvic("check", "pZorvicRozn", 30, 2024, 1, "--json --previous " + wholesalers.string());
    const std::vector<json> said = continuity(another);
    ASSERT_EQ(said.size(), 1u) << another.out;
    EXPECT_NE(said[0]["message"].get<std::string>().find("другой организации, ИНН 3662145780"), std::string::npos);
}

TEST_F(ContinuityCommand, LastQuarterCollectedFromTheDatabaseAgreesWithItsFile) {
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.module);
        // The demo's quarters follow each other: the second opens with what the first closed, and
        // the first with the fourth of 2023, its opening balances entered on its last day.
        for (int quarter : {0, 1}) {
            const Outcome run = zorvic("check", form.module, form.client, 2024, quarter, "--json");
            ASSERT_TRUE(run.status == 0 || run.status == 4) << run.err;
            EXPECT_TRUE(continuity(run).empty()) << quarter << run.out;
        }
        EXPECT_FALSE(leftBehind());
    }
    // The page's own period stays what it was: the options saved after the check of the second
    // quarter keep it, and so does the declaration moved into the page's directory.
    const fs::path options = out / "options.ini";
    const fs::path target = out / "saved";
    fs::create_directories(target);
    const Outcome saved =
        zorvic("generate --check --save-options --options " + options.string(), "pZorvicOborot", 1, 2024, 1,
               "--set rgReportKind=1 --set dePath=" + (target / "").string());
    ASSERT_TRUE(saved.status == 0 || saved.status == 4) << saved.err;
    const std::string ini = zorvic_test::readFile(options);
    EXPECT_NE(ini.find("rgTypePeriod = 1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("seYear = 2024"), std::string::npos) << ini;
    EXPECT_NE(ini.find(target.string()), std::string::npos) << ini;
    EXPECT_NE(saved.out.find("_064_"), std::string::npos) << saved.out;
    EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 1);

    // Collected, last quarter is what its own file says: the first quarter's check reads the same
    // with the fourth quarter of 2023 collected and with that quarter's file.
    const Outcome collected = zorvic("check", "pZorvicOborot", 1, 2024, 0, "--json");
    const fs::path q4 = written("pZorvicOborot", 1, 2023, 3);
    const Outcome fromFile = zorvic("check", "pZorvicOborot", 1, 2024, 0, "--json --previous " + q4.string());
    EXPECT_EQ(collected.out, fromFile.out);
}

TEST_F(ContinuityCommand, ABadPreviousFileIsRefusedBeforeAnythingIsCollected) {
    const fs::path first = written("pZorvicOborot", 1, 2024, 0);
    const fs::path retail = written("pZorvicRozn", 30, 2024, 0);
    const fs::path notes = out / "notes.txt";
    std::ofstream(notes) << "остатки\n";
    struct Case {
        std::string file;
        int quarter;
        const char* said;
    };
    const Case cases[] = {
        {notes.string(), 1, "файл не прочитан как XML"},
        {retail.string(), 1, "это декларация по форме 11, а проверяется форма 05"},
        {first.string(), 2, "это декларация за 1 квартал 2024 года, а нужна за предыдущий квартал, 2 квартал 2024"},
        // The first quarter's previous is the fourth of the year before.
        {first.string(), 0, "нужна за предыдущий квартал, 4 квартал 2023 года"},
        {(out / "none.xml").string(), 1, "файла нет"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        for (const char* command : {"check", "generate --check"}) {
            const Outcome run = zorvic(command, "pZorvicOborot", 1, 2024, c.quarter,
                                       "--set rgReportKind=1 --set dePath=" + (out / "").string() + " --previous " +
                                           c.file);
            EXPECT_EQ(run.status, 2) << run.err;
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("--previous " + c.file + ": "), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
            // Refused before the collection: no work tables, no private directory.
            EXPECT_FALSE(leftBehind());
        }
    }
    // Only a check takes it, of one organization, and of a form with balances.
    EXPECT_EQ(zorvic("generate", "pZorvicOborot", 1, 2024, 1, "--previous " + first.string()).status, 2);
    const Outcome params = zorvic_test::runProgram(std::string(ZORVIC_BIN_DIR "/zorvic params pZorvicOborot --previous ") +
                                                   first.string());
    EXPECT_EQ(params.status, 2);
    EXPECT_NE(params.err.find("--previous"), std::string::npos) << params.err;
    EXPECT_EQ(zorvic("generate --check", "pZorvicOborot", 1, 2024, 1, "--client 2 --previous " + first.string()).status,
              2);
    const Outcome purchases = zorvic("check", "pZorvicBuy", 1, 2024, 1, "--previous " + first.string());
    EXPECT_EQ(purchases.status, 2);
    EXPECT_NE(purchases.err.find("form 07 declares no balances"), std::string::npos) << purchases.err;
}

}  // namespace
