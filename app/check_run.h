#pragma once

// What a check adds to a generate run: the private directory the checked declaration is written
// into, what the run's page chose, and the move of a checked file to where the user wanted it.

#include <string>

#include "core/checks/declaration_balances.h"
#include "core/checks/declaration_checks.h"
#include "host/frame/report_frame.h"

namespace app {

// The page's directory pointed at a fresh private directory for the length of a run, and set
// back as it was, with the directory and all in it removed, however the run ends: the options
// saved after the run keep the user's directory, and nothing of a checked file is left behind.
class PrivateDeclarationDirectory {
public:
    // Throws std::runtime_error when the page has no directory or no directory can be made, and
    // with `userDirectoryWritten` when the page's own directory cannot take the file: said before
    // the collection, not after it.
    PrivateDeclarationDirectory(host::TReportFrame& frame, bool userDirectoryWritten);
    ~PrivateDeclarationDirectory();
    PrivateDeclarationDirectory(const PrivateDeclarationDirectory&) = delete;
    PrivateDeclarationDirectory& operator=(const PrivateDeclarationDirectory&) = delete;

    // The page's directory as the user left it (host text).
    const std::string& userDirectory() const { return userDirectory_; }

private:
    host::TReportFrame& frame_;
    std::string userDirectory_;
    std::string path_;
};

// The run as the page chose it, for the checks; `declaration` is the written file (may be empty).
core::checks::CheckedRun checkedRun(host::TReportFrame& frame, const core::checks::FormTables& tables,
                                    const std::string& workDirectory, int client, const std::string& declaration);

// Last quarter's closing balances from its declaration file (--previous), read before anything is
// collected: a file of another form or quarter, or none at all, is said at once. Throws UsageError
// naming the file and what is wrong with it, and for a form that declares no balances.
core::checks::DeclarationBalances readPreviousQuarter(const std::string& path, host::TReportFrame& frame,
                                                      const core::checks::FormTables& tables);

// Whether the run's declaration has balances for the continuity check: forms 11, 12 and 05,
// unless the page leaves the balances out.
bool declaresBalances(host::TReportFrame& frame, const core::checks::FormTables& tables);

// Last quarter's closing balances collected from the database by the frame itself, into a work
// directory and an output directory of their own, both removed afterwards.
core::checks::DeclarationBalances collectPreviousQuarter(host::TReportFrame& frame,
                                                         const core::checks::FormTables& tables);

// Moves the checked declaration into `directory` (the page's text, host text; empty: the current
// directory) under its own name and returns the new absolute path. A move across file systems
// copies into "<name>.part" and renames it, so that no truncated declaration bears the name.
// Throws std::runtime_error naming the target when it cannot.
std::string moveDeclaration(const std::string& path, const std::string& directory);

}  // namespace app
