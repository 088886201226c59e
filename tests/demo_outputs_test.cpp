// The demo's six declarations and five print forms, byte for byte as kept in
// tests/expected/: a change to how the files are written that was meant to change nothing must
// change nothing. After a change that is meant to alter them, run the tests once with
// ZORVIC_WRITE_EXPECTED=1 to write the new files, and read their difference before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

int run(const std::string& command, std::string* output = nullptr) {
    const zorvic_test::Outcome outcome =
        zorvic_test::runProgram(command, zorvic_test::RunOptions().errorsTo(zorvic_test::ErrorStream::IntoOutput));
    if (output) *output = outcome.out;
    return outcome.status;
}

const fs::path kExpected = fs::path(ZORVIC_SOURCE_DIR) / "tests" / "expected";

class DemoOutputs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        std::string out;
        ASSERT_EQ(run("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + (*scratch / "demo.fdb").string(), &out), 0)
            << out;
    }
    static void TearDownTestSuite() { delete scratch; }

    // Each form as the demo files it: the retail ones by the retailer (client 30), the others by
    // the wholesaler (client 1).
    static std::string generate(const std::string& module, const std::string& settings) {
        const std::string client = std::string(module).starts_with("pZorvicRozn") ? "30" : "1";
        return std::string(ZORVIC_BIN_DIR "/zorvic generate ") + module + " --db " + (*scratch / "demo.fdb").string() +
               " --client " + client + " --date 15.04.2024 --set seYear=2024 --set rgTypePeriod=0 --set edRukFam=Соколов "
               "--set edBuhFam=Лебедева --set seNalOrganKod=7701 " +
               settings;
    }

    // Compares a produced file with the kept one, or keeps it when asked to.
    static void expectSame(const fs::path& produced, const std::string& keptName) {
        const fs::path kept = kExpected / keptName;
        const std::string bytes = zorvic_test::readFile(produced);
        ASSERT_FALSE(bytes.empty()) << produced;
        if (std::getenv("ZORVIC_WRITE_EXPECTED")) {
            fs::create_directories(kExpected);
            zorvic_test::writeFile(kept, bytes);
            return;
        }
        ASSERT_TRUE(fs::exists(kept)) << kept << " is not kept yet (ZORVIC_WRITE_EXPECTED=1 writes it)";
        EXPECT_TRUE(bytes == zorvic_test::readFile(kept)) << produced << " differs from " << kept;
    }

    static zorvic_test::ScratchDir* scratch;
};

zorvic_test::ScratchDir* DemoOutputs::scratch = nullptr;

TEST_F(DemoOutputs, DeclarationsAreAsKept) {
    for (const char* module :
         {"pZorvicRozn", "pZorvicRoznBeer", "pZorvicTransport", "pZorvicBuy", "pZorvicDelivery", "pZorvicOborot"}) {
        SCOPED_TRACE(module);
        const fs::path out = *scratch / module;
        fs::create_directories(out);
        const std::string kind = std::string(module) == "pZorvicTransport" ? "" : "--set rgReportKind=1 ";
        std::string said;
        ASSERT_EQ(run(generate(module, kind + "--set dePath=" + out.string()), &said), 0) << said;
        const std::vector<fs::path> files = [&] {
            std::vector<fs::path> found;
            for (const auto& entry : fs::directory_iterator(out)) found.push_back(entry.path());
            return found;
        }();
        ASSERT_EQ(files.size(), 1u);
        // The name carries a fresh GUID; the rest of it is the declaration's too.
        const std::string name = files[0].filename().string();
        static const std::regex kName(R"(^([A-Z0-9]+_\d*_\d+_15042024)_[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\.xml$)");
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(name, parts, kName)) << name;
        expectSame(files[0], std::string(module) + "--" + parts[1].str() + ".xml");
    }
}

TEST_F(DemoOutputs, PrintFormsAreAsKept) {
    for (const char* module : {"pZorvicRozn", "pZorvicRoznBeer", "pZorvicBuy", "pZorvicDelivery", "pZorvicOborot"}) {
        SCOPED_TRACE(module);
        const fs::path html = *scratch / (std::string(module) + ".html");
        std::string said;
        ASSERT_EQ(run(generate(module, "--set rgReportKind=0 --preview " + html.string()), &said), 0) << said;
        expectSame(html, std::string(module) + ".html");
    }
}

}  // namespace
