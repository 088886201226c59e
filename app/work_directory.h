#pragma once

#include <optional>
#include <string>

namespace app {

// The directory of the work tables for one run: the one the user named, kept afterwards so that
// the tables can be opened; or a fresh temporary one, removed with everything in it at the end.
class WorkDirectory {
public:
    // Throws std::runtime_error naming the directory when it cannot be made or written to.
    explicit WorkDirectory(const std::optional<std::string>& requested);
    ~WorkDirectory();
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    const std::string& path() const { return path_; }
    bool kept() const { return kept_; }

private:
    std::string path_;
    bool kept_;
};

}  // namespace app
