// The move of a checked declaration into the user's directory.
#include "app/check_run.h"

#include <filesystem>
#include <stdexcept>

namespace app {

namespace fs = std::filesystem;

std::string moveDeclaration(const std::string& path, const std::string& directory) {
    const fs::path target = fs::absolute(fs::path(directory.empty() ? std::string(".") : directory) /
                                         fs::path(path).filename());
    std::error_code error;
    fs::rename(path, target, error);
    if (!error) return target.string();
    // Another file system: copied under a name that is not the declaration's, then renamed.
    const fs::path part = target.string() + ".part";
    fs::copy_file(path, part, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(part, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(part, ignored);
        throw std::runtime_error("cannot write the declaration " + target.string() + ": " + error.message());
    }
    fs::remove(path, error);
    return target.string();
}

}  // namespace app
