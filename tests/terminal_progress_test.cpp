// The run's progress on the terminal's status line: drawn only on a terminal, out of the way of
// every message, gone when the run ends; and the program's stderr where it is no terminal.
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "app/terminal_messages.h"
#include "app/terminal_progress.h"
#include "host/progress/run_progress.h"
#include "host/text/cp1251.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A pseudo-terminal in the test's own process: the program's side to draw on, ours to read.
class PseudoTerminal {
public:
    PseudoTerminal() {
        ours_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128];
        if (ours_ < 0 || ::grantpt(ours_) != 0 || ::unlockpt(ours_) != 0 || ::ptsname_r(ours_, name, sizeof name) != 0)
            throw std::runtime_error("cannot make a pseudo-terminal");
        theirs_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios mode{};
        ::tcgetattr(theirs_, &mode);
        ::cfmakeraw(&mode);
        ::tcsetattr(theirs_, TCSANOW, &mode);
    }
    ~PseudoTerminal() {
        ::close(theirs_);
        ::close(ours_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int side() const { return theirs_; }
    void setWidth(unsigned short columns) {
        winsize size{};
        size.ws_row = 24;
        size.ws_col = columns;
        ::ioctl(theirs_, TIOCSWINSZ, &size);
    }

    // Everything that arrives within `patience`, or until `until` is among it.
    std::string read(std::chrono::milliseconds patience, const std::string& until = {}) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (until.empty() || received_.find(until) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd waiting{ours_, POLLIN, 0};
            if (::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
            char chunk[4096];
            const ssize_t got = ::read(ours_, chunk, sizeof chunk);
            if (got > 0) received_.append(chunk, static_cast<std::size_t>(got));
        }
        return std::exchange(received_, {});
    }

private:
    int ours_ = -1;
    int theirs_ = -1;
    std::string received_;
};

// Status lines are drawn on terminals that can move along their line; the tests' own
// environment may say otherwise.
class TerminalProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* term = std::getenv("TERM");
        if (term) savedTerm_ = term;
        ::setenv("TERM", "xterm", 1);
    }
    void TearDown() override {
        if (savedTerm_) ::setenv("TERM", savedTerm_->c_str(), 1);
        else ::unsetenv("TERM");
        host::enterStage(host::RunStage::Idle);
    }

private:
    std::optional<std::string> savedTerm_;
};

TEST_F(TerminalProgressTest, DrawsChangedReadingsStepsAsideForMessagesAndClearsTheLineAtTheEnd) {
    PseudoTerminal terminal;
    app::TerminalProgress progress(terminal.side());
    ASSERT_TRUE(progress.onTerminal());
    {
        const auto showing = progress.show("client 7: ");
        host::enterStage(host::RunStage::Collecting);
        for (int i = 0; i < 12345; ++i) host::advanceStage();
        const std::string first = "\rclient 7: Сбор данных — строк: 12 345\x1b[K";
        EXPECT_EQ(terminal.read(2s, first), first);
        // An unchanged reading is not drawn again.
        EXPECT_EQ(terminal.read(500ms), "");

        host::enterStage(host::RunStage::Exporting);
        host::advanceStage();
        const std::string second = "\rclient 7: Вывод печатной формы — страниц: 1\x1b[K";
        EXPECT_EQ(terminal.read(2s, second), second);

        {
            // A message's turn: the line is cleared, and stays so however the reading changes.
            const std::unique_lock quiet = progress.quiet();
            EXPECT_EQ(terminal.read(200ms), "\r\x1b[K");
            host::advanceStage();
            EXPECT_EQ(terminal.read(600ms), "");
        }
        const std::string third = "\rclient 7: Вывод печатной формы — страниц: 2\x1b[K";
        EXPECT_EQ(terminal.read(2s, third), third);
    }
    EXPECT_EQ(terminal.read(300ms), "\r\x1b[K");
    EXPECT_EQ(host::readProgress().stage, host::RunStage::Idle) << "the next run would start from this one's count";
    // Ended: nothing is drawn any more.
    host::enterStage(host::RunStage::Writing);
    EXPECT_EQ(terminal.read(500ms), "");
}

TEST_F(TerminalProgressTest, ALineWiderThanTheTerminalIsCutToItsWidth) {
    PseudoTerminal terminal;
    terminal.setWidth(16);
    app::TerminalProgress progress(terminal.side());
    const auto showing = progress.show({});
    host::enterStage(host::RunStage::LayingOut);
    // Fifteen characters, whatever their bytes: one column is left for the cursor.
    const std::string cut = "\rРазметка печатн\x1b[K";
    EXPECT_EQ(terminal.read(2s, cut), cut);
}

TEST_F(TerminalProgressTest, NothingIsDrawnWhereNoTerminalCanShowIt) {
    int pipe[2];
    ASSERT_EQ(::pipe2(pipe, O_CLOEXEC | O_NONBLOCK), 0);
    PseudoTerminal dumb;
    ::setenv("TERM", "dumb", 1);
    for (const int fd : {pipe[1], dumb.side()}) {
        app::TerminalProgress progress(fd);
        EXPECT_FALSE(progress.onTerminal());
        {
            const auto showing = progress.show("client 1: ");
            host::enterStage(host::RunStage::Collecting);
            host::advanceStage();
            std::this_thread::sleep_for(600ms);
        }
        EXPECT_EQ(host::readProgress().stage, host::RunStage::Idle);
    }
    char byte;
    EXPECT_EQ(::read(pipe[0], &byte, 1), -1) << "the pipe got a status line";
    EXPECT_EQ(dumb.read(100ms), "");
    ::close(pipe[0]);
    ::close(pipe[1]);
}

TEST_F(TerminalProgressTest, MessagesClearTheStatusLineAndCarryTheOrganizationsId) {
    PseudoTerminal terminal;
    app::TerminalProgress progress(terminal.side());
    app::TerminalMessages messages(&progress);
    const auto showing = progress.show({});
    host::enterStage(host::RunStage::Writing);
    const std::string status = "\rЗапись декларации — строк: 0\x1b[K";
    ASSERT_EQ(terminal.read(2s, status), status);

    ::testing::internal::CaptureStderr();
    messages.setLinePrefix("client 60: ");
    messages.show(host::W("Не выбран отчетный год\rНе выбран клиент\r"), {});
    const std::string cleared = terminal.read(200ms);
    messages.say("stopped: nothing was written");
    messages.setLinePrefix({});
    messages.say("the last line");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "client 60: Не выбран отчетный год\nclient 60: Не выбран клиент\n"
              "client 60: stopped: nothing was written\nthe last line\n");
    // The line may be drawn again once the message is out; what matters is the clear first.
    EXPECT_EQ(cleared.substr(0, 4), "\r\x1b[K") << "the message would have started behind the status line: " << cleared;
}

// --- the program ------------------------------------------------------------------------------

// A quarter whose print form takes seconds: long enough for the status line to be drawn.
class ProgramProgress : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        const zorvic_test::Outcome made =
            zorvic_test::runProgram("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + database() + " >/dev/null && bash " +
                                    ZORVIC_SOURCE_DIR "/demo/fill_scale.sh " + database() + " 20000");
        ASSERT_EQ(made.status, 0) << made.err;
    }
    static void TearDownTestSuite() { delete scratch; }
    static std::string database() { return (*scratch / "scale.fdb").string(); }

    static zorvic_test::Outcome printForm(const std::string& clients, const fs::path& pdf, zorvic_test::ErrorStream errors) {
        return zorvic_test::runProgram(std::string(ZORVIC_BIN_DIR "/zorvic generate pZorvicBuy --db ") + database() +
                                           " --set seYear=2024 --date 15.04.2024 " + clients + " --preview " +
                                           zorvic_test::shellQuoted(pdf.string()),
                                       zorvic_test::RunOptions().errorsTo(errors).setting("TERM=xterm"));
    }

    zorvic_test::ScratchDir here;
    static zorvic_test::ScratchDir* scratch;
};

zorvic_test::ScratchDir* ProgramProgress::scratch = nullptr;

bool knownStage(const std::string& line) {
    for (const char* stage : {"Сбор данных — строк: ", "Запись декларации — строк: ",
                              "Разметка печатной формы — страниц: ", "Вывод печатной формы — страниц: "})
        if (line.find(stage) != std::string::npos) return true;
    return false;
}

TEST_F(ProgramProgress, ATerminalSeesTheRunGoOnAPipeGetsExactlyWhatItGotBefore) {
    const auto onTerminal = printForm("--client 1", here / "tty.pdf", zorvic_test::ErrorStream::Terminal);
    ASSERT_EQ(onTerminal.status, 0) << onTerminal.err;
    EXPECT_EQ(onTerminal.out, (here / "tty.pdf").string() + "\n");
    const auto shown = zorvic_test::takeApart(onTerminal.err);
    EXPECT_TRUE(shown.tidy) << ::testing::PrintToString(onTerminal.err);
    EXPECT_EQ(shown.printed, "");
    ASSERT_FALSE(shown.statusLines.empty()) << "no status line in a run of seconds";
    for (const auto& line : shown.statusLines) EXPECT_TRUE(knownStage(line)) << line;

    const auto throughPipe = printForm("--client 1", here / "pipe.pdf", zorvic_test::ErrorStream::Apart);
    ASSERT_EQ(throughPipe.status, 0) << throughPipe.err;
    EXPECT_EQ(throughPipe.err, "");
    EXPECT_TRUE(fs::exists(here / "pipe.pdf"));

    // Several organizations: each one's lines carry its id, the first's line gone before the second's.
    const auto several = printForm("--client 1 --client 60", here / "both.pdf", zorvic_test::ErrorStream::Terminal);
    ASSERT_EQ(several.status, 0) << several.err;
    const auto both = zorvic_test::takeApart(several.err);
    EXPECT_TRUE(both.tidy) << ::testing::PrintToString(several.err);
    ASSERT_FALSE(both.statusLines.empty());
    EXPECT_EQ(both.statusLines.front().rfind("client 1: ", 0), 0u) << both.statusLines.front();
    for (const auto& line : both.statusLines)
        EXPECT_TRUE(line.rfind("client 1: ", 0) == 0 || line.rfind("client 60: ", 0) == 0) << line;
}

TEST_F(ProgramProgress, AFailureIsSaidOnALineOfItsOwnAndAPipeGetsItUnchanged) {
    // A directory stands at the file's name: that is found when the whole form has been written
    // beside it, long after the status line went up.
    const fs::path nowhere = here / "form.pdf";
    fs::create_directories(nowhere);
    zorvic_test::writeFile(nowhere / "inside", "x");
    const std::string message = "cannot name the file " + nowhere.string() + ": Is a directory\n";
    const auto onTerminal = printForm("--client 1", nowhere, zorvic_test::ErrorStream::Terminal);
    EXPECT_EQ(onTerminal.status, 1);
    const auto shown = zorvic_test::takeApart(onTerminal.err);
    EXPECT_TRUE(shown.tidy) << ::testing::PrintToString(onTerminal.err);
    EXPECT_FALSE(shown.statusLines.empty());
    EXPECT_EQ(shown.printed, message);

    const auto throughPipe = printForm("--client 1", nowhere, zorvic_test::ErrorStream::Apart);
    EXPECT_EQ(throughPipe.status, 1);
    EXPECT_EQ(throughPipe.err, message);
    EXPECT_EQ(throughPipe.out, "");
}

}  // namespace
