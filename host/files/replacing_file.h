#pragma once

// A file that appears under its name only when it is complete: written under a temporary name
// beside it, flushed to the disk, renamed, and the directory flushed too, so that neither a
// failure nor a power cut leaves a truncated file under the name a user asked for.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/host_api.h"

namespace host {

class HOST_API FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HOST_API ReplacingFile {
public:
    // Creates "<path><suffix>" (a stale one of that name is replaced; a link there is not
    // followed). Throws FileWriteError naming the file and the system's reason.
    explicit ReplacingFile(std::string path, std::string suffix = ".part");
    // Without commit(), the temporary file is removed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Throws FileWriteError on any error, a full disk included.
    void write(std::string_view bytes);
    void write(const void* data, std::size_t size) { write(std::string_view(static_cast<const char*>(data), size)); }

    // For a library that writes the file by its name itself: the descriptor is closed now and
    // commit() flushes what the library wrote there.
    void releaseForLibrary();

    // Flushes, closes, gives the file its name. Throws FileWriteError; the temporary file is then
    // removed and nothing is left under the name.
    void commit();
    // Removes the temporary file now; never throws.
    void discard() noexcept;

    const std::string& path() const { return path_; }
    const std::string& temporaryPath() const { return temporary_; }

private:
    [[noreturn]] void fail(const std::string& what, int error);

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    bool pending_ = true;
};

// Flushes a directory's entries (after a file in it was created, renamed or removed); errors are
// thrown as FileWriteError.
HOST_API void syncDirectoryOf(const std::string& path);

}  // namespace host
