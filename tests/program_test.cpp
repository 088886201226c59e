// The zorvic program from the outside: what it prints and how it exits.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>

#include "test_support.h"

namespace {

using nlohmann::json;

using zorvic_test::Outcome;

// Nothing of these runs opens a database: the leak checker stays on.
Outcome runZorvic(const std::vector<std::string>& args) {
    std::string command = zorvic_test::shellQuoted(std::string(ZORVIC_BIN_DIR) + "/zorvic");
    for (const auto& arg : args) command += " " + zorvic_test::shellQuoted(arg);
    return zorvic_test::runProgram(command, zorvic_test::RunOptions().checkingLeaks());
}

const json* findControl(const json& page, const std::string& name) {
    for (const auto& control : page["controls"])
        if (control.value("name", "") == name) return &control;
    return nullptr;
}

struct ModuleCase {
    std::string module;
    std::string form;
};

const ModuleCase kModules[] = {{"pZorvicRozn", "11"},     {"pZorvicRoznBeer", "12"}, {"pZorvicTransport", "08"},
                               {"pZorvicBuy", "07"},      {"pZorvicDelivery", "06"}, {"pZorvicOborot", "05"}};

TEST(ProgramTest, ParamsJsonHoldsEveryControlOfThePageAndTheBaseFrame) {
    const std::set<std::string> kinds = {"radioGroup", "spinEdit", "directoryEdit", "comboBox", "checkBox",
                                         "edit",       "groupBox", "label",         "tabPage",  "frame"};
    for (const auto& [module, form] : kModules) {
        SCOPED_TRACE(module);
        const Outcome run = runZorvic({"params", module, "--json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const json page = json::parse(run.out);
        std::vector<std::string> names = {
            "rgTypePeriod", "gbPeriod", "lbYear", "seYear", "rgReportKind", "gbFileOptions", "lbPath", "dePath",
            "lbVidDoc", "cbVidDoc", "lbCorrNumber", "seCorrNumber", "lbCalcPrecision", "seCalcPrecision",
            "cbSuperplace", "gbManInfo", "gbRukInfo", "edRukFam", "edRukName", "edRukOtc", "gbBuh", "edBuhFam",
            "edBuhName", "edBuhOtc", "gbNalOrgan", "lbNalOrganName", "edNalOrganName", "lbNalOrganKod",
            "seNalOrganKod", "tsLocal", "tsClients", "tsClients2", "tsManagerGroups", "tsStorage", "tsFilter",
            "tsAddProps", "tsReportInfo", "tsExecuteInfo", "frmPrecision1", "ShowReportEnable", "chbPreview",
            "chbRecalc", "edtByName"};
        const bool retail = form == "11" || form == "12";
        if (retail) names.insert(names.end(), {"cbUseSelClients", "cbGroupByArticul", "cbShowNullNetto", "cbOnlyMove"});
        if (form != "08") names.insert(names.end(), {"rgManufacturer", "rgVidProd"});
        for (const auto& name : names) EXPECT_NE(findControl(page, name), nullptr) << name;
        EXPECT_EQ(findControl(page, "cbOnlyMove") != nullptr, retail);
        EXPECT_EQ(findControl(page, "rgManufacturer") != nullptr, form != "08");
        for (const auto& control : page["controls"]) {
            EXPECT_TRUE(kinds.count(control.value("kind", ""))) << control.dump();
            EXPECT_TRUE(control.contains("enabled") && control.contains("visible")) << control.dump();
        }

        // Without --options the frame still reads an empty options file.
        EXPECT_EQ((*findControl(page, "seYear"))["value"], form == "05" ? 2010 : 2012);
        EXPECT_EQ((*findControl(page, "rgReportKind"))["value"], form == "08" ? 1 : 0);
        EXPECT_EQ((*findControl(page, "seYear"))["max"], 2500);
        EXPECT_EQ((*findControl(page, "edRukFam"))["maxLength"], 60);
        EXPECT_EQ((*findControl(page, "rgTypePeriod"))["caption"], " Тип отчетного периода ");
        EXPECT_EQ((*findControl(page, "tsClients"))["visible"], !(retail || form == "05"));
        EXPECT_EQ(page["errors"], json::array({"Не выбран клиент \"От имени\""}));

        const Outcome chosen = runZorvic({"params", module, "--client", "7", "--json"});
        ASSERT_EQ(chosen.status, 0) << chosen.err;
        EXPECT_EQ(json::parse(chosen.out)["errors"], json::array());
    }
}

TEST(ProgramTest, SetChangesApplyInOrderAsAUsersWould) {
    const Outcome run = runZorvic({"params", "pZorvicRozn", "--set", "cbVidDoc=1", "--set", "seCorrNumber=5", "--set",
                                   "seCalcPrecision=0.5", "--set", "cbOnlyMove=true", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json page = json::parse(run.out);
    EXPECT_EQ((*findControl(page, "seCorrNumber"))["value"], 5);
    EXPECT_EQ((*findControl(page, "seCalcPrecision"))["value"], 0.5);
    EXPECT_EQ((*findControl(page, "rgReportKind"))["value"], 1);
    EXPECT_EQ((*findControl(page, "dePath"))["enabled"], true);
}

TEST(ProgramTest, RefusedSetEndsTheRunWithStatusTwoAndTheReason) {
    const std::vector<std::pair<std::string, std::string>> refusals = {
        {"seYear=2501", "seYear"},
        {"seYear=20x1", "seYear"},
        {"rgTypePeriod=4", "rgTypePeriod"},
        {"cbVidDoc=2", "cbVidDoc"},
        {"seCorrNumber=5", "seCorrNumber"},  // disabled for a primary declaration
        {"dePath=/tmp", "dePath"},           // disabled while the print form is chosen
        {"cbSuperplace=yes", "cbSuperplace"},
        {"edRukFam=" + std::string(61, 'N'), "edRukFam"},
        {"edRukFam=日本", "edRukFam"},
        {"gbPeriod=1", "gbPeriod"},
        {"seNoSuchControl=1", "seNoSuchControl"},
    };
    for (const auto& [setting, control] : refusals) {
        const Outcome run = runZorvic({"params", "pZorvicBuy", "--set", setting, "--json"});
        EXPECT_EQ(run.status, 2) << setting;
        EXPECT_EQ(run.out, "") << setting;
        EXPECT_NE(run.err.find(control), std::string::npos) << setting << ": " << run.err;
    }
}

TEST(ProgramTest, GenerateWithoutAClientPrintsTheValidationLinesAndExitsTwo) {
    const Outcome run = runZorvic({"generate", "pZorvicBuy"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Не выбран клиент \"От имени\"\n");

    const Outcome both = runZorvic({"generate", "pZorvicBuy", "--set", "seYear="});
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.err, "Не выбран отчетный год\nНе выбран клиент \"От имени\"\n");
}

TEST(ProgramTest, OptionsFileIsReadAndSavedBackWithOtherSectionsKept) {
    zorvic_test::ScratchDir dir;
    const auto options = dir / "options.ini";
    zorvic_test::writeFile(options, "[Common]\nAlkoClientSelection=1\n[ZorvicBuy]\nedRukFam=Петров\nseYear=2011\n");
    const Outcome run = runZorvic({"generate", "pZorvicBuy", "--options", options.string(), "--set", "rgTypePeriod=3",
                                   "--save-options"});
    EXPECT_EQ(run.status, 2) << run.err;
    const std::string saved = zorvic_test::readFile(options);
    const auto entries = zorvic_test::sectionEntries(saved, "ZorvicBuy");
    const auto value = [&](const std::string& key) {
        for (const auto& [k, v] : entries)
            if (k == key) return v;
        return std::string("<missing>");
    };
    EXPECT_EQ(value("seYear"), "2011");
    EXPECT_EQ(value("rgTypePeriod"), "3");
    EXPECT_EQ(value("edRukFam"), "Петров");
    EXPECT_EQ(zorvic_test::sectionEntries(saved, "Common"),
              (std::vector<std::pair<std::string, std::string>>{{"AlkoClientSelection", "1"}}));

    zorvic_test::writeFile(options, "[ZorvicBuy]\nedBuhFam=Grüße\n");
    const Outcome refused = runZorvic({"params", "pZorvicBuy", "--options", options.string(), "--json"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("edBuhFam"), std::string::npos) << refused.err;
}

TEST(ProgramTest, UnknownModuleExitsTwo) {
    for (const auto& args : {std::vector<std::string>{"params", "pZorvicNope", "--json"},
                             std::vector<std::string>{"generate", "pZorvicNope", "--client", "1"}}) {
        const Outcome run = runZorvic(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.out, "") << args[0];
        EXPECT_NE(run.err.find("pZorvicNope"), std::string::npos) << run.err;
    }
}

}  // namespace
