// One generate command for several organizations: each gets what a run of its own would give,
// one's failure does not cost the others, and their files and lines never mix.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using zorvic_test::Outcome;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    if (!fs::exists(directory)) return names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The demo holds two organizations of the host: the trading company (client 1) and the
// entrepreneur selling beer (client 60). Client 999 is nobody: its run finds no data.
class SeveralClients : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        const Outcome made = zorvic_test::runProgram("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + database());
        ASSERT_EQ(made.status, 0) << made.out << made.err;
    }
    static void TearDownTestSuite() { delete scratch; }
    static std::string database() { return (*scratch / "demo.fdb").string(); }

    static Outcome generate(const std::string& module, const std::string& arguments) {
        return zorvic_test::runProgram(std::string(ZORVIC_BIN_DIR "/zorvic generate ") + module + " --db " + database() +
                                       " --set seYear=2024 --date 15.04.2024 " + arguments);
    }
    // Form 07's declaration files of the clients into `out`.
    static Outcome declarations(const std::string& clients, const fs::path& out, const std::string& extra = {}) {
        fs::create_directories(out);
        return generate("pZorvicBuy", clients + " --set rgReportKind=1 --set dePath=" +
                                          zorvic_test::shellQuoted(out.string()) + " " + extra);
    }

    zorvic_test::ScratchDir here;
    static zorvic_test::ScratchDir* scratch;
};

zorvic_test::ScratchDir* SeveralClients::scratch = nullptr;

TEST_F(SeveralClients, EachOrganizationGetsWhatARunOfItsOwnWrites) {
    const Outcome one = declarations("--client 1", here / "one");
    const Outcome sixty = declarations("--client 60", here / "sixty");
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(sixty.status, 0) << sixty.err;

    const fs::path work = here / "work";
    const Outcome both = declarations("--client 60 --client 1", here / "both", "--work-dir " + work.string());
    ASSERT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(both.err, "");
    // One path a line, in the order the organizations were given.
    const auto paths = lines(both.out);
    ASSERT_EQ(paths.size(), 2u) << both.out;
    EXPECT_EQ(zorvic_test::readFile(paths[0]), zorvic_test::readFile(lines(sixty.out).at(0)));
    EXPECT_EQ(zorvic_test::readFile(paths[1]), zorvic_test::readFile(lines(one.out).at(0)));
    EXPECT_NE(zorvic_test::readFile(paths[0]), zorvic_test::readFile(paths[1]));
    EXPECT_EQ(namesIn(here / "both").size(), 2u);
    // Each organization's tables stay apart in the kept work directory.
    EXPECT_EQ(namesIn(work), (std::vector<std::string>{"1", "60"}));
    EXPECT_TRUE(fs::exists(work / "1" / "ZorvicBuy.db"));
    EXPECT_TRUE(fs::exists(work / "60" / "ZorvicBuy.db"));

    // Print forms: the id goes before the extension, the requested name itself is never written.
    const Outcome printedOne = generate("pZorvicRoznBeer", "--client 1 --preview " + (here / "alone-1.html").string());
    const Outcome printedSixty = generate("pZorvicRoznBeer", "--client 60 --preview " + (here / "alone-60.html").string());
    const Outcome printedBoth = generate("pZorvicRoznBeer", "--client 1 --client 60 --preview " + (here / "form.html").string());
    ASSERT_EQ(printedOne.status, 0) << printedOne.err;
    ASSERT_EQ(printedSixty.status, 0) << printedSixty.err;
    ASSERT_EQ(printedBoth.status, 0) << printedBoth.err;
    EXPECT_EQ(printedBoth.out, (here / "form.1.html").string() + "\n" + (here / "form.60.html").string() + "\n");
    EXPECT_FALSE(fs::exists(here / "form.html"));
    EXPECT_EQ(zorvic_test::readFile(here / "form.1.html"), zorvic_test::readFile(here / "alone-1.html"));
    EXPECT_EQ(zorvic_test::readFile(here / "form.60.html"), zorvic_test::readFile(here / "alone-60.html"));

    // Without --preview, the default names in the current directory carry the ids too.
    const fs::path current = here / "current";
    fs::create_directories(current);
    const Outcome defaults = zorvic_test::runProgram(
        "cd " + zorvic_test::shellQuoted(current.string()) + " && " ZORVIC_BIN_DIR "/zorvic generate pZorvicRoznBeer --db " +
        database() + " --set seYear=2024 --date 15.04.2024 --client 1 --client 60");
    ASSERT_EQ(defaults.status, 0) << defaults.err;
    EXPECT_EQ(namesIn(current), (std::vector<std::string>{"ZorvicRoznBeer.1.html", "ZorvicRoznBeer.60.html"}));
}

TEST_F(SeveralClients, AFailingOrganizationIsNamedAndTheOthersStillRun) {
    const Outcome alone = declarations("--client 999", here / "alone");
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(alone.err, "Отчет не содержит данных.\n") << "one --client says it as it always did";

    const Outcome run = declarations("--client 1 --client 999 --client 60", here / "out");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "client 999: Отчет не содержит данных.\n");
    const auto paths = lines(run.out);
    ASSERT_EQ(paths.size(), 2u) << run.out;
    EXPECT_NE(paths[0].find("_3662145780_"), std::string::npos) << paths[0];
    EXPECT_NE(paths[1].find("_362500884171_"), std::string::npos) << paths[1];
    EXPECT_EQ(namesIn(here / "out").size(), 2u);

    // The exit status is the first failure's: a work directory in use (1) before a mistake of
    // the page (2) that ends the command.
    const fs::path work = here / "work";
    fs::create_directories(work / "1");
    const int lock = ::open((work / "1" / ".zorvic-lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const Outcome busy = declarations("--client 1 --client 60", here / "busy", "--work-dir " + work.string());
    ::close(lock);
    EXPECT_EQ(busy.status, 1);
    EXPECT_EQ(busy.err, "client 1: the work directory " + (work / "1").string() + " is in use by another run\n");
    EXPECT_EQ(lines(busy.out).size(), 1u) << busy.out;
}

TEST_F(SeveralClients, AMistakeEveryOrganizationWouldMeetIsSaidOnceAndEndsTheCommand) {
    const Outcome refused = declarations("--client 1 --client 60", here / "out", "--set seYear=3000");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err.rfind("client 1: seYear", 0), 0u) << refused.err;
    EXPECT_EQ(lines(refused.err).size(), 1u) << refused.err;

    const Outcome unchosen = generate("pZorvicBuy", "--client 1 --client 60 --set seYear=");
    EXPECT_EQ(unchosen.status, 2);
    EXPECT_EQ(unchosen.err, "client 1: Не выбран отчетный год\n");

    const Outcome unknown = generate("pZorvicNope", "--client 1 --client 60");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(lines(unknown.err).size(), 1u) << unknown.err;
    EXPECT_EQ(unknown.err.rfind("client 1: ", 0), 0u) << unknown.err;

    // The same organization twice would write its declaration twice; refused before anything runs.
    for (const char* twice : {"--client 1 --client 60 --client 1", "--client 1 --client 01"}) {
        const Outcome repeated = declarations(twice, here / "twice");
        EXPECT_EQ(repeated.status, 2) << twice;
        EXPECT_EQ(repeated.err, "--client: organization 1 is named more than once\n") << twice;
        EXPECT_TRUE(namesIn(here / "twice").empty()) << twice;
    }
    const Outcome params = zorvic_test::runProgram(ZORVIC_BIN_DIR "/zorvic params pZorvicBuy --json --client 1 --client 60",
                                                   zorvic_test::RunOptions().checkingLeaks());
    EXPECT_EQ(params.status, 2);
    EXPECT_EQ(params.out, "");
    EXPECT_NE(params.err.find("--client"), std::string::npos) << params.err;
}

TEST_F(SeveralClients, OptionsAreSavedOnceAfterTheLastRun) {
    // Not there yet: no run is refused for it, and the last one makes it.
    const fs::path options = here / "zorvic.ini";
    const Outcome made = declarations("--client 1 --client 60", here / "made",
                                      "--options " + options.string() + " --save-options --set edRukFam=Соколов");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(lines(made.out).size(), 2u);
    const auto saved = zorvic_test::sectionEntries(zorvic_test::readFile(options), "ZorvicBuy");
    EXPECT_NE(std::find(saved.begin(), saved.end(), std::pair<std::string, std::string>{"edRukFam", "Соколов"}),
              saved.end());

    // A save that cannot be made is tried, and said, once: by the last organization's run.
    fs::create_directories(options.string() + ".tmp");
    const Outcome unsaved = declarations("--client 1 --client 60", here / "unsaved",
                                         "--options " + options.string() + " --save-options");
    EXPECT_EQ(unsaved.status, 1);
    EXPECT_EQ(lines(unsaved.out).size(), 2u) << "both declarations were written before the saving";
    EXPECT_EQ(lines(unsaved.err).size(), 1u) << unsaved.err;
    EXPECT_EQ(unsaved.err.rfind("client 60: cannot save the options file " + options.string(), 0), 0u) << unsaved.err;
}

}  // namespace
