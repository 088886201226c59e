// The program under hostile conditions: shared or planted work directories, odd numbers on the
// command line, stop signals, leftovers of killed runs, options files that are not there.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "host/local/local_table.h"
#include "host/local/local_table_error.h"
#include "host/options/mem_ini_file.h"
#include "host/text/cp1251.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

using zorvic_test::Outcome;

using zorvic_test::shellQuoted;

Outcome run(const std::string& command) { return zorvic_test::runProgram(command); }

std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    if (!fs::exists(directory)) return names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string declarationIn(const fs::path& directory) {
    for (const auto& name : namesIn(directory))
        if (name.size() > 4 && name.substr(name.size() - 4) == ".xml") return zorvic_test::readFile(directory / name);
    return {};
}

class RunSafety : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        const Outcome made = run("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + database());
        ASSERT_EQ(made.status, 0) << made.out << made.err;
    }
    static void TearDownTestSuite() { delete scratch; }
    static std::string database() { return (*scratch / "demo.fdb").string(); }

    static std::string zorvic(const std::string& module, const std::string& arguments) {
        return std::string(ZORVIC_BIN_DIR "/zorvic generate ") + module + " --db " + database() +
               " --set seYear=2024 --date 15.04.2024 " + arguments;
    }
    // Form 07 of the demo organization into `out`, its tables in `work`.
    static Outcome purchases(const fs::path& out, const fs::path& work, const std::string& extra = {},
                             const std::string& client = "1") {
        fs::create_directories(out);
        return run(zorvic("pZorvicBuy", "--client " + client + " --set rgReportKind=1 --set dePath=" + shellQuoted(out.string()) +
                                            " --work-dir " + shellQuoted(work.string()) + " " + extra));
    }

    zorvic_test::ScratchDir here;
    static zorvic_test::ScratchDir* scratch;
};

zorvic_test::ScratchDir* RunSafety::scratch = nullptr;

TEST_F(RunSafety, AWorkDirectoryInUseIsRefusedAndWhatWasLeftInOneCannotChangeTheDeclaration) {
    const Outcome clean = purchases(here / "clean", here / "clean-work");
    ASSERT_EQ(clean.status, 0) << clean.err;
    const std::string expected = declarationIn(here / "clean");
    ASSERT_FALSE(expected.empty());

    // Another run holds the directory: this one says so and touches nothing.
    const fs::path busy = here / "занятый";
    fs::create_directories(busy);
    const int lock = ::open((busy / ".zorvic-lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const Outcome refused = purchases(here / "busy-out", busy);
    ::close(lock);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("занятый is in use by another run"), std::string::npos) << refused.err;
    EXPECT_EQ(namesIn(busy), std::vector<std::string>{".zorvic-lock"});
    EXPECT_TRUE(namesIn(here / "busy-out").empty());

    // A kept directory whose movement table carries a trigger that doubles every row and whose
    // subdivision table holds a stranger's row.
    const fs::path planted = here / "planted";
    fs::create_directories(planted);
    ASSERT_EQ(purchases(here / "first", planted).status, 0);
    const Outcome trigger = run("sqlite3 " + shellQuoted((planted / "ZorvicBuy.db").string()) +
                                " \"create trigger twice after insert on ZorvicBuy when new.ISRET >= 0 begin "
                                "insert into ZorvicBuy select * from ZorvicBuy where rowid = new.rowid; end;\"" +
                                " && sqlite3 " + shellQuoted((planted / "ZorvicBuyObosob.db").string()) +
                                " \"insert into ZorvicBuyObosob (CL_ID, CL_NAME) values (999, 'STRANGER')\"");
    ASSERT_EQ(trigger.status, 0) << trigger.err;
    const Outcome again = purchases(here / "again", planted);
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(declarationIn(here / "again"), expected);
}

TEST_F(RunSafety, LinksPlantedInTheWorkDirectoryAreNeverWrittenThrough) {
    const fs::path work = here / "work";
    fs::create_directories(work);
    const fs::path victim = here / "victim";
    zorvic_test::writeFile(victim, "precious");
    fs::create_symlink(victim, work / ".zorvic-write-test");
    fs::create_symlink(victim, work / "ZorvicBuy.db");
    fs::create_symlink(victim, work / "ZorvicBuyObosob.db");
    const Outcome result = purchases(here / "out", work);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(zorvic_test::readFile(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(work / "ZorvicBuy.db"));

    // Reading a table whose file is a link is refused by the engine itself.
    fs::remove(work / "ZorvicBuy.db");
    fs::create_symlink(victim, work / "ZorvicBuy.db");
    host::LocalTable table("ZorvicBuy");
    table.setDatabaseName(work.string() + "/");
    try {
        table.open();
        ADD_FAILURE() << "a link was opened as a work table";
    } catch (const host::LocalTableError& error) {
        EXPECT_NE(std::string(error.what()).find("symbolic link"), std::string::npos) << error.what();
    }
    EXPECT_EQ(zorvic_test::readFile(victim), "precious");
}

TEST_F(RunSafety, NumbersOnTheCommandLineAreDecimal) {
    const Outcome one = purchases(here / "one", here / "w1");
    const Outcome padded = purchases(here / "padded", here / "w2", {}, "01");
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(padded.status, 0) << padded.err;
    EXPECT_EQ(declarationIn(here / "padded"), declarationIn(here / "one")) << "01 is organization 1";

    for (const std::string& bad : {std::string("--client 0x01"), std::string("--client 1e0"),
                                   std::string("--client ' 1'"), std::string("--report-id 0x10"),
                                   std::string("--owner-id 1.5"), std::string("--set seYear=0x7E8"),
                                   std::string("--set seYear=2.024e3"), std::string("--set seCalcPrecision=inf")}) {
        const Outcome refused = run(zorvic("pZorvicBuy", "--client 1 --set rgReportKind=1 " + bad));
        EXPECT_EQ(refused.status, 2) << bad << ": " << refused.err;
        EXPECT_FALSE(refused.err.empty()) << bad;
    }
    const Outcome octal = run(std::string(ZORVIC_BIN_DIR "/zorvic params pZorvicBuy --json --client 010"));
    EXPECT_EQ(octal.status, 0) << octal.err;
}

TEST_F(RunSafety, OptionsFilesThatAreNotThereOrNotFilesAndPreviewsThatWouldBeIgnored) {
    const fs::path options = here / "zorvic.ini";
    const Outcome missing = run(zorvic("pZorvicBuy", "--client 1 --options " + shellQuoted(options.string())));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("does not exist"), std::string::npos) << missing.err;

    const Outcome params = run(std::string(ZORVIC_BIN_DIR "/zorvic params pZorvicBuy --json --options ") +
                               shellQuoted(options.string()));
    EXPECT_EQ(params.status, 2) << params.err;

    const Outcome created = purchases(here / "out", here / "work", "--options " + shellQuoted(options.string()) +
                                                                       " --save-options");
    EXPECT_EQ(created.status, 0) << created.err;
    EXPECT_NE(zorvic_test::readFile(options).find("[ZorvicBuy]"), std::string::npos);
    EXPECT_FALSE(fs::exists(options.string() + ".tmp"));

    fs::create_directories(here / "folder.ini");
    const Outcome directory = run(zorvic("pZorvicBuy", "--client 1 --options " + shellQuoted((here / "folder.ini").string())));
    EXPECT_EQ(directory.status, 2) << directory.err;

    const Outcome preview = run(zorvic("pZorvicBuy", "--client 1 --set rgReportKind=1 --preview " +
                                                         shellQuoted((here / "p.pdf").string())));
    EXPECT_EQ(preview.status, 2);
    EXPECT_NE(preview.err.find("--preview"), std::string::npos) << preview.err;
    EXPECT_FALSE(fs::exists(here / "p.pdf"));
}

TEST_F(RunSafety, OptionsThatCannotBeSavedFailTheRunWhichStillEndsInOrder) {
    // The options file reads, but a directory stands where its replacement would be written.
    const fs::path options = here / "zorvic.ini";
    zorvic_test::writeFile(options, "");
    fs::create_directories(options.string() + ".tmp");
    const fs::path temporary = here / "tmp";
    fs::create_directories(temporary);
    fs::create_directories(here / "out");
    const Outcome result = run("TMPDIR=" + shellQuoted(temporary.string()) + " " +
                               zorvic("pZorvicBuy", "--client 1 --set rgReportKind=1 --set dePath=" +
                                                        shellQuoted((here / "out").string()) + " --options " +
                                                        shellQuoted(options.string()) + " --save-options"));
    EXPECT_EQ(result.status, 1) << result.out << result.err;
    EXPECT_NE(result.err.find("cannot save the options file " + options.string()), std::string::npos) << result.err;
    EXPECT_FALSE(declarationIn(here / "out").empty()) << "the declaration was complete before the saving";
    EXPECT_TRUE(namesIn(temporary).empty()) << "the run's temporary work directory stays behind";
}

TEST_F(RunSafety, NamesTypedInCyrillicComeBackReadable) {
    const std::string missing = (here / "нет-базы.fdb").string();
    const Outcome result = run(std::string(ZORVIC_BIN_DIR "/zorvic generate pZorvicBuy --client 1 --db ") + shellQuoted(missing));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(missing), std::string::npos) << result.err;
}

TEST_F(RunSafety, ADirectoryThatCannotTakeTheFileIsSaidBeforeTheCollection) {
    const fs::path work = here / "work";
    const Outcome result = run(zorvic("pZorvicBuy", "--client 1 --set rgReportKind=1 --set dePath=" +
                                                        shellQuoted((here / "nowhere").string()) + " --work-dir " +
                                                        shellQuoted(work.string())));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Не удалось создать файл"), std::string::npos) << result.err;
    for (const auto& name : namesIn(work)) EXPECT_EQ(name.find("ZorvicBuy"), std::string::npos) << "collected: " << name;
}

TEST_F(RunSafety, TemporaryWorkDirectoriesOfDeadRunsAreSweptLiveOnesAreNot) {
    const fs::path tmp = here / "tmp";
    for (const char* name : {"zorvic-work-dead01", "zorvic-work-live01", "zorvic-work-nolock", "zorvic-test-other"}) {
        fs::create_directories(tmp / name);
        zorvic_test::writeFile(tmp / name / "ZorvicBuy.db", std::string(4096, 'x'));
    }
    zorvic_test::writeFile(tmp / "zorvic-work-dead01" / ".zorvic-lock", "");
    const int live = ::open((tmp / "zorvic-work-live01" / ".zorvic-lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    const Outcome result =
        run("TMPDIR=" + shellQuoted(tmp.string()) + " " + zorvic("pZorvicBuy", "--client 1 --set rgReportKind=1 --set dePath=" +
                                                                               shellQuoted(tmp.string())));
    ::close(live);
    EXPECT_EQ(result.status, 0) << result.err;
    const auto left = namesIn(tmp);
    EXPECT_EQ(std::count(left.begin(), left.end(), "zorvic-work-dead01"), 0);
    for (const char* kept : {"zorvic-work-live01", "zorvic-work-nolock", "zorvic-test-other"})
        EXPECT_EQ(std::count(left.begin(), left.end(), kept), 1) << kept;
    // The run's own directory went too; only the declaration is new.
    EXPECT_EQ(left.size(), 4u) << ::testing::PrintToString(left);
}

TEST(OptionsFile, AFailedSaveLeavesTheFileAndNoTemporaryOne) {
    zorvic_test::ScratchDir dir;
    fs::create_directories(dir / "taken");
    zorvic_test::writeFile(dir / "taken" / "inside", "x");
    host::MemIniFile ini;
    ini.loadFromText("[Common]\nA=1\n");
    EXPECT_THROW(ini.saveToFile((dir / "taken").string()), std::runtime_error);
    EXPECT_FALSE(fs::exists(dir / "taken.tmp"));
    EXPECT_THROW(ini.loadFromFile((dir / "taken").string()), std::runtime_error);
}

// A quarter big enough that a stop can land in the collection or in the writing.
class StopSignal : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        const std::string db = (*scratch / "scale.fdb").string();
        const Outcome made = run("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + db + " >/dev/null && bash " +
                                 ZORVIC_SOURCE_DIR "/demo/fill_scale.sh " + db + " 20000");
        ASSERT_EQ(made.status, 0) << made.err;
    }
    static void TearDownTestSuite() { delete scratch; }
    static zorvic_test::ScratchDir* scratch;
};

zorvic_test::ScratchDir* StopSignal::scratch = nullptr;

// Starts the program, signals it after `delay`, and returns how it ended.
Outcome signalledRun(const std::vector<std::string>& arguments, int signal, std::chrono::milliseconds delay,
                     zorvic_test::RunOptions options = {}) {
    zorvic_test::RunningProgram program(arguments, options);
    const pid_t child = program.pid();
    // Counted from the moment the program catches the signal: before that, while the loader is
    // still at work, the signal would end it as it ends any process.
    const auto caught = [child, signal] {
        std::ifstream status("/proc/" + std::to_string(child) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
        return 0ull;
    };
    for (int wait = 0; wait < 1000 && !caught(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(delay);
    ::kill(child, signal);
    return program.finish();
}

TEST_F(StopSignal, AStopAtAnyStageLeavesNoDeclarationAndNoTemporaryFiles) {
    int stopped = 0;
    int step = 0;
    for (const int delay : {0, 100, 250, 400, 600, 800, 1100, 1500}) {
        const int signal = (step++ % 2) ? SIGINT : SIGTERM;
        zorvic_test::ScratchDir dir;
        fs::create_directories(dir / "out");
        fs::create_directories(dir / "tmp");
        ::setenv("TMPDIR", (dir / "tmp").c_str(), 1);
        const Outcome ended = signalledRun({ZORVIC_BIN_DIR "/zorvic", "generate", "pZorvicBuy", "--db",
                                            (*scratch / "scale.fdb").string(), "--client", "1", "--set", "seYear=2024",
                                            "--set", "rgReportKind=1", "--set", "dePath=" + (dir / "out").string()},
                                           signal, std::chrono::milliseconds(delay));
        const int status = ended.signal ? 1000 + ended.signal : ended.status;
        ::unsetenv("TMPDIR");
        SCOPED_TRACE("signal " + std::to_string(signal) + " after " + std::to_string(delay) + " ms");
        const auto written = namesIn(dir / "out");
        if (status == 0) {
            ASSERT_EQ(written.size(), 1u);
            EXPECT_NE(declarationIn(dir / "out").find(host::W("</Файл>")), std::string::npos);
        } else {
            EXPECT_EQ(status, 128 + signal);
            EXPECT_TRUE(written.empty()) << ::testing::PrintToString(written);
            ++stopped;
        }
        EXPECT_TRUE(namesIn(dir / "tmp").empty()) << ::testing::PrintToString(namesIn(dir / "tmp"));
    }
    EXPECT_GT(stopped, 0) << "no signal landed before the end of the run";
}

// The print form of the big quarter takes seconds: the status line is up when the stop comes, and
// the second organization never starts.
TEST_F(StopSignal, AStopOnATerminalClearsTheStatusLineBeforeSayingSoAndEndsEveryOrganization) {
    zorvic_test::ScratchDir dir;
    const fs::path pdf = dir / "form.pdf";
    const Outcome ended = signalledRun({ZORVIC_BIN_DIR "/zorvic", "generate", "pZorvicBuy", "--db",
                                        (*scratch / "scale.fdb").string(), "--client", "1", "--client", "60", "--set",
                                        "seYear=2024", "--preview", pdf.string()},
                                       SIGINT, std::chrono::milliseconds(1000),
                                       zorvic_test::RunOptions().errorsTo(zorvic_test::ErrorStream::Terminal).setting("TERM=xterm"));
    EXPECT_EQ(ended.status, 130) << ended.out << ended.err;
    EXPECT_EQ(ended.out, "");
    const zorvic_test::TerminalWriting writing = zorvic_test::takeApart(ended.err);
    EXPECT_TRUE(writing.tidy) << ::testing::PrintToString(ended.err);
    EXPECT_EQ(writing.printed, "client 1: stopped: nothing was written\n");
    ASSERT_FALSE(writing.statusLines.empty()) << "the stop came before any status line";
    for (const auto& line : writing.statusLines) EXPECT_EQ(line.rfind("client 1: ", 0), 0u) << line;
    EXPECT_TRUE(namesIn(dir / "").empty()) << ::testing::PrintToString(namesIn(dir / ""));
}

}  // namespace
