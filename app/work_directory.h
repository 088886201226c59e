#pragma once

// The directory of the work tables for one run, locked for that run.

#include <optional>
#include <stdexcept>
#include <string>

namespace app {

// The directory of the work tables for one run: the one the user named, kept afterwards so that
// the tables can be opened; or a fresh temporary one, removed with everything in it at the end.
// Either is locked while the run lasts: two runs filling the same tables would each write the
// other's rows into its declaration.
class WorkDirectory {
public:
    // The directory cannot serve this run; the text names it as typed (UTF-8).
    class Failure : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };
    class InUse : public Failure {
    public:
        using Failure::Failure;
    };

    // Throws InUse when another run holds the directory, Failure naming the directory when it
    // cannot be made or written to.
    explicit WorkDirectory(const std::optional<std::string>& requested);
    ~WorkDirectory();
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    const std::string& path() const { return path_; }
    bool kept() const { return kept_; }

    // Removes the temporary work directories that runs killed outright left behind in the
    // temporary directory: those whose lock nobody holds any more.
    static void sweepAbandoned();

private:
    void lock();
    void probe() const;

    std::string path_;
    bool kept_;
    int lock_ = -1;
};

}  // namespace app
