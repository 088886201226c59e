// A file that appears under its name only when complete.
#include "host/files/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace host {
namespace {

std::string directoryOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string reason(int error) { return std::strerror(error); }

}  // namespace

void syncDirectoryOf(const std::string& path) {
    const std::string directory = directoryOf(path);
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw FileWriteError("cannot open the directory " + directory + ": " + reason(errno));
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot flush a directory at all; there is nothing more to do there.
    if (synced != 0 && error != EINVAL && error != ENOTSUP)
        throw FileWriteError("cannot flush the directory " + directory + ": " + reason(error));
}

ReplacingFile::ReplacingFile(std::string path, std::string suffix)
    : path_(std::move(path)), temporary_(path_ + suffix) {
    // A part left by a run that was killed is ours to replace; unlink never follows a link.
    if (::unlink(temporary_.c_str()) != 0 && errno != ENOENT) {
        pending_ = false;
        throw FileWriteError("cannot write " + temporary_ + ": " + reason(errno));
    }
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        pending_ = false;
        throw FileWriteError("cannot create " + temporary_ + ": " + reason(errno));
    }
}

ReplacingFile::~ReplacingFile() { discard(); }

void ReplacingFile::discard() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (pending_) ::unlink(temporary_.c_str());
    pending_ = false;
}

void ReplacingFile::fail(const std::string& what, int error) {
    discard();
    throw FileWriteError(what + ": " + reason(error));
}

void ReplacingFile::write(std::string_view bytes) {
    if (fd_ < 0) throw FileWriteError("cannot write " + temporary_ + ": the file is closed");
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail("cannot write " + temporary_, errno);
        }
        if (written == 0) fail("cannot write " + temporary_, ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void ReplacingFile::releaseForLibrary() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void ReplacingFile::commit() {
    if (!pending_) throw FileWriteError("cannot write " + temporary_ + ": the file was given up");
    if (fd_ < 0) {
        // Written by a library through its name: open it again to flush what it wrote.
        fd_ = ::open(temporary_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd_ < 0) fail("cannot open " + temporary_, errno);
    }
    if (::fsync(fd_) != 0) fail("cannot write " + temporary_, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("cannot write " + temporary_, errno);
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) fail("cannot name the file " + path_, errno);
    pending_ = false;
    syncDirectoryOf(path_);
}

}  // namespace host
