#include "app/work_directory.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace app {

namespace fs = std::filesystem;

WorkDirectory::WorkDirectory(const std::optional<std::string>& requested) : kept_(requested.has_value()) {
    if (requested) {
        path_ = fs::absolute(*requested).string();
        std::error_code error;
        fs::create_directories(path_, error);
        if (error) throw std::runtime_error("cannot make the work directory " + path_ + ": " + error.message());
        // Found out now rather than after the host queries ran.
        const fs::path probe = fs::path(path_) / ".zorvic-write-test";
        std::ofstream(probe).put('x');
        if (!fs::exists(probe)) throw std::runtime_error("cannot write into the work directory " + path_);
        fs::remove(probe, error);
    } else {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zorvic-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary work directory in " + pattern + ": " + std::strerror(errno));
        path_ = pattern;
    }
    if (path_.back() != '/') path_ += '/';
}

WorkDirectory::~WorkDirectory() {
    if (kept_) return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

}  // namespace app
