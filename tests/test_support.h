#pragma once

// What the tests share: scratch directories, a small disk, file and options helpers, and running
// a program with what it prints caught.

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace zorvic_test {

// A directory of each test's own: ctest runs the tests side by side.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvic-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch directory");
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// A nearly full disk for one test: a small file system of its own, mounted in a mount namespace
// of the test process (ctest runs each test in a process of its own), so it vanishes with the
// process whatever happens, and the programs the test starts see it too. Needs root, as the
// test script has; elsewhere `available()` is false and the test says it was skipped.
class SmallDisk {
public:
    explicit SmallDisk(std::size_t bytes) {
        static const bool privateMounts =
            unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        if (!privateMounts) return;
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        mounted_ = mount("tmpfs", (scratch_ / "").c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) umount2((scratch_ / "").c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool available() const { return mounted_; }
    std::filesystem::path operator/(const std::string& name) const { return scratch_ / name; }

private:
    ScratchDir scratch_;
    bool mounted_ = false;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The keys of one section of an options text, in the order the text lists them, with their
// values as written.
inline std::vector<std::pair<std::string, std::string>> sectionEntries(const std::string& iniText,
                                                                       const std::string& section) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::istringstream lines(iniText);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            inSection = line == "[" + section + "]";
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string::npos)
            entries.emplace_back(trimmed(line.substr(0, eq)), trimmed(line.substr(eq + 1)));
    }
    return entries;
}

// How a run's stderr is caught.
enum class ErrorStream {
    Apart,       // a pipe of its own: Outcome::err
    IntoOutput,  // the pipe of stdout, as a shell's 2>&1: everything in Outcome::out, in order
    Terminal,    // a pseudo-terminal that passes bytes as they are (no line ending added): Outcome::err
};

struct RunOptions {
    ErrorStream stderrTo = ErrorStream::Apart;
    // The embedded database engine's threads may still be winding down when a program exits,
    // which the leak checker of a sanitizer build cannot stop safely: runs that open a database
    // have it off, and leaks are checked in process.
    bool leakChecks = false;
    // NAME=value entries that the program's environment takes instead of the test's own.
    std::vector<std::string> environment;

    RunOptions& errorsTo(ErrorStream to) {
        stderrTo = to;
        return *this;
    }
    RunOptions& checkingLeaks() {
        leakChecks = true;
        return *this;
    }
    RunOptions& setting(std::string entry) {
        environment.push_back(std::move(entry));
        return *this;
    }
};

struct Outcome {
    int status = -1;  // the exit status; -1 when a signal ended the program
    int signal = 0;   // the signal that ended it
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A program started with nothing to read, what it prints caught as it comes. The tests start
// programs from a process that may hold threads of the database engine, so the child is made
// with posix_spawn: nothing but the new program runs in it.
class RunningProgram {
public:
    explicit RunningProgram(const std::vector<std::string>& arguments, RunOptions options = {}) {
        int outPipe[2];
        if (::pipe2(outPipe, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
        out_ = outPipe[0];
        int errWrite = -1;
        if (options.stderrTo == ErrorStream::Apart) {
            int errPipe[2];
            if (::pipe2(errPipe, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
            err_ = errPipe[0];
            errWrite = errPipe[1];
        } else if (options.stderrTo == ErrorStream::Terminal) {
            errWrite = openTerminal();
        }

        std::vector<std::string> environment = options.environment;
        if (!options.leakChecks) environment.emplace_back("ASAN_OPTIONS=detect_leaks=0");
        const auto replaced = [&environment](const char* entry) {
            for (const auto& own : environment)
                if (std::strncmp(entry, own.c_str(), own.find('=') + 1) == 0) return true;
            return false;
        };
        for (char** entry = environ; *entry; ++entry)
            if (!replaced(*entry)) environment.emplace_back(*entry);
        std::vector<char*> argv;
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& entry : environment) envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
        posix_spawn_file_actions_adddup2(&actions, errWrite >= 0 ? errWrite : outPipe[1], 2);
        const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(outPipe[1]);
        if (errWrite >= 0) ::close(errWrite);
        if (failed != 0) {
            pid_ = -1;
            throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(failed));
        }
    }
    ~RunningProgram() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (int fd : {out_, err_})
            if (fd >= 0) ::close(fd);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    pid_t pid() const { return pid_; }

    // Reads what the program prints until it is done, and how it ended.
    Outcome finish() {
        Outcome outcome;
        std::string* into[] = {&outcome.out, &outcome.err};
        int* fds[] = {&out_, &err_};
        while (out_ >= 0 || err_ >= 0) {
            pollfd waiting[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
            if (::poll(waiting, 2, -1) < 0) {
                if (errno == EINTR) continue;
                break;
            }
            for (int i = 0; i < 2; ++i) {
                if (*fds[i] < 0 || waiting[i].revents == 0) continue;
                char chunk[4096];
                const ssize_t got = ::read(*fds[i], chunk, sizeof chunk);
                if (got < 0 && errno == EINTR) continue;
                // A terminal whose other side every process closed says EIO rather than the end.
                if (got <= 0) {
                    ::close(*fds[i]);
                    *fds[i] = -1;
                    continue;
                }
                into[i]->append(chunk, static_cast<std::size_t>(got));
            }
        }
        int raw = 0;
        while (::waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        if (WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
        if (WIFSIGNALED(raw)) outcome.signal = WTERMSIG(raw);
        return outcome;
    }

private:
    // The parent's side is err_; the child's is returned. Raw: the program's bytes come through
    // as written, with no carriage return put before each line feed.
    int openTerminal() {
        err_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128];
        if (err_ < 0 || ::grantpt(err_) != 0 || ::unlockpt(err_) != 0 || ::ptsname_r(err_, name, sizeof name) != 0)
            throw std::runtime_error("cannot make a pseudo-terminal");
        const int terminal = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (terminal < 0) throw std::runtime_error("cannot open the pseudo-terminal " + std::string(name));
        termios mode{};
        ::tcgetattr(terminal, &mode);
        ::cfmakeraw(&mode);
        ::tcsetattr(terminal, TCSANOW, &mode);
        return terminal;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
};

// Runs a shell command line to its end: what it printed and how it ended.
inline Outcome runProgram(const std::string& commandLine, RunOptions options = {}) {
    return RunningProgram({"/bin/sh", "-c", commandLine}, options).finish();
}

// What a program wrote to a terminal, taken apart: the status lines it drew ("\r", the text,
// "\x1b[K"; an empty one clears the line), in order, and everything else it printed. Not tidy
// when something was printed while a status line stood, so that it would start behind it, or a
// status line was left standing at the end.
struct TerminalWriting {
    std::vector<std::string> statusLines;
    std::string printed;
    bool tidy = true;
};

inline TerminalWriting takeApart(const std::string& bytes) {
    TerminalWriting writing;
    bool standing = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (bytes[at] == '\r') {
            const std::size_t end = bytes.find("\x1b[K", at);
            if (end == std::string::npos) {
                writing.tidy = false;
                writing.printed += bytes.substr(at);
                break;
            }
            std::string line = bytes.substr(at + 1, end - at - 1);
            standing = !line.empty();
            if (standing) writing.statusLines.push_back(std::move(line));
            at = end + 3;
            continue;
        }
        if (standing) writing.tidy = false;
        const std::size_t next = std::min(bytes.find('\r', at), bytes.size());
        writing.printed += bytes.substr(at, next - at);
        at = next;
    }
    if (standing) writing.tidy = false;
    return writing;
}

}  // namespace zorvic_test
