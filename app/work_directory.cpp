// The run's work directory: made or taken, locked, checked for writing, removed when temporary.
#include "app/work_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace app {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockName = ".zorvic-lock";
// Temporary directories are made under a name the sweep never looks at and take their final
// name only once locked, so a sweep cannot take a directory that a run is still setting up.
constexpr const char* kNewPrefix = ".zorvic-new-";
constexpr const char* kWorkPrefix = "zorvic-work-";

std::string temporaryRoot() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

std::string reason() { return std::strerror(errno); }

int openLock(const std::string& directory, int flags) {
    return ::open((fs::path(directory) / kLockName).c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0600);
}

}  // namespace

WorkDirectory::WorkDirectory(const std::optional<std::string>& requested) : kept_(requested.has_value()) {
    if (requested) {
        path_ = fs::absolute(*requested).string();
        std::error_code error;
        fs::create_directories(path_, error);
        if (error) throw Failure("cannot make the work directory " + path_ + ": " + error.message());
        lock();
        probe();
    } else {
        std::string pattern = temporaryRoot() + "/" + kNewPrefix + "XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw Failure("cannot make a temporary work directory in " + temporaryRoot() + ": " + reason());
        path_ = pattern;
        try {
            lock();
        } catch (...) {
            fs::remove_all(path_);
            throw;
        }
        const std::string named = temporaryRoot() + "/" + kWorkPrefix + pattern.substr(pattern.size() - 6);
        if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, named.c_str(), RENAME_NOREPLACE) == 0) path_ = named;
    }
    if (path_.back() != '/') path_ += '/';
}

WorkDirectory::~WorkDirectory() {
    if (!kept_) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    if (lock_ >= 0) ::close(lock_);
}

void WorkDirectory::lock() {
    lock_ = openLock(path_, O_RDWR | O_CREAT);
    if (lock_ < 0) throw Failure("cannot write into the work directory " + path_ + ": " + reason());
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        const std::string why = reason();
        ::close(lock_);
        lock_ = -1;
        if (held) throw InUse("the work directory " + path_ + " is in use by another run");
        throw Failure("cannot lock the work directory " + path_ + ": " + why);
    }
}

// Found out now rather than after the host queries ran. The probe is made new and never through
// a link someone left at its name.
void WorkDirectory::probe() const {
    const std::string probe = (fs::path(path_) / ".zorvic-write-test").string();
    ::unlink(probe.c_str());
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) throw Failure("cannot write into the work directory " + path_ + ": " + reason());
    const bool written = ::write(fd, "x", 1) == 1;
    const std::string why = written ? std::string() : reason();
    ::close(fd);
    ::unlink(probe.c_str());
    if (!written) throw Failure("cannot write into the work directory " + path_ + ": " + why);
}

void WorkDirectory::sweepAbandoned() {
    const std::string root = temporaryRoot();
    DIR* listing = ::opendir(root.c_str());
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::strncmp(entry->d_name, kWorkPrefix, std::strlen(kWorkPrefix)) != 0) continue;
        const std::string directory = root + "/" + entry->d_name;
        struct stat info {};
        if (::lstat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) continue;
        const int fd = openLock(directory, O_RDONLY);
        if (fd < 0) continue;
        // A live run holds its lock until its directory is gone.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            std::error_code ignored;
            fs::remove_all(directory, ignored);
        }
        ::close(fd);
    }
    ::closedir(listing);
}

}  // namespace app
