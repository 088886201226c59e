// The status line that shows a run's progress on a terminal.
#pragma once

#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace app {

// How far a run has got (host::readProgress), on one line of the terminal that stderr is, redrawn
// about five times a second when the reading changed. When stderr is a file or a pipe nothing is
// shown at all: other programs read it, and the bytes they get stay what they were.
//
// Whatever else goes to the terminal while a run is shown waits for quiet(): the status line is
// cleared first, so a message never starts behind half a status line.
class TerminalProgress {
public:
    // The status line of one run: shown from show() until this ends, however the run ends.
    class [[nodiscard]] Showing {
    public:
        explicit Showing(TerminalProgress& progress) : progress_(&progress) {}
        ~Showing() { progress_->stop(); }
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;

    private:
        TerminalProgress* progress_;
    };

    explicit TerminalProgress(int fd = STDERR_FILENO);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Shows the run's progress, each reading after the label, until the returned object ends.
    Showing show(std::string label);
    // Ends the showing: the line cleared, the drawing thread ended, the run's stage back to idle.
    void stop() noexcept;

    // While the returned lock is held the status line is off the terminal and stays off.
    std::unique_lock<std::mutex> quiet();

    bool onTerminal() const { return onTerminal_; }

private:
    void draw();
    void write(const std::string& bytes);
    void clearLine();

    const int fd_;
    const bool onTerminal_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::string label_;
    std::string shown_;  // what the status line says now; empty while it is clear
    std::thread drawing_;
};

}  // namespace app
