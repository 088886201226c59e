// Drawing a run's progress on the terminal's status line, from a thread of its own.
#include "app/terminal_progress.h"

#include <sys/ioctl.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"

namespace app {
namespace {

constexpr auto kRedrawEvery = std::chrono::milliseconds(200);
constexpr const char* kClearToEnd = "\x1b[K";

// A terminal that cannot move along its line (an editor's shell buffer says TERM=dumb) would
// show every redraw as a new piece of text.
bool showsAStatusLine(int fd) {
    if (!::isatty(fd)) return false;
    const char* term = std::getenv("TERM");
    return !(term && std::strcmp(term, "dumb") == 0);
}

// A line wider than the terminal wraps, and a carriage return then goes back to the start of its
// last row only: the rows above would stay. Cut to the width, in characters of UTF-8.
std::string fitted(const std::string& line, int fd) {
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return line;
    const std::size_t room = size.ws_col - 1;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(line[at]) & 0xC0) != 0x80;
        if (starts && characters++ == room) return line.substr(0, at);
    }
    return line;
}

}  // namespace

TerminalProgress::TerminalProgress(int fd) : fd_(fd), onTerminal_(showsAStatusLine(fd)) {}

TerminalProgress::~TerminalProgress() { stop(); }

TerminalProgress::Showing TerminalProgress::show(std::string label) {
    stop();
    if (!onTerminal_) return Showing(*this);
    label_ = std::move(label);
    // Stop signals belong to the run's own thread. While the database client attaches, its own
    // handlers are in place and the signals are held back for them never to run; a thread of ours
    // taking a signal then would hand it to them.
    const host::StopSignalsHeld held;
    try {
        drawing_ = std::thread([this] { draw(); });
    } catch (const std::system_error&) {
        // No thread to spare: the run goes on without its status line.
    }
    return Showing(*this);
}

void TerminalProgress::stop() noexcept {
    if (drawing_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        drawing_.join();
        const std::lock_guard lock(mutex_);
        stopping_ = false;
        clearLine();
    }
    // The next run, or the desktop program's bar, starts from nothing.
    host::enterStage(host::RunStage::Idle);
}

std::unique_lock<std::mutex> TerminalProgress::quiet() {
    std::unique_lock lock(mutex_);
    clearLine();
    return lock;
}

void TerminalProgress::draw() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kRedrawEvery, [this] { return stopping_; })) {
        const std::string text = host::progressText(host::readProgress());
        const std::string line = text.empty() ? std::string() : label_ + text;
        if (line == shown_) continue;
        if (line.empty()) {
            clearLine();
            continue;
        }
        write("\r" + fitted(line, fd_) + kClearToEnd);
        shown_ = line;
    }
}

void TerminalProgress::clearLine() {
    if (shown_.empty()) return;
    write(std::string("\r") + kClearToEnd);
    shown_.clear();
}

void TerminalProgress::write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        // A terminal that is gone takes no status line; the run does not depend on it.
        if (wrote <= 0) return;
        done += static_cast<std::size_t>(wrote);
    }
}

}  // namespace app
