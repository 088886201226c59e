#pragma once

// A frame's run made ready for the checks: the private directory its declaration is written into,
// and what its page chose.

#include <string>

#include "core/checks/declaration_checks.h"
#include "host/frame/report_frame.h"

namespace core::checks {

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

// The page's output kind set to the declaration file for the length of a check, whatever the page
// printed otherwise, and set back as it was: a check is of the file that would be filed, and the
// user's choice stays the user's.
class DeclarationFileChosen {
public:
    // Throws std::runtime_error with the page's refusal when the kind cannot be changed.
    explicit DeclarationFileChosen(host::TReportFrame& frame);
    ~DeclarationFileChosen();
    DeclarationFileChosen(const DeclarationFileChosen&) = delete;
    DeclarationFileChosen& operator=(const DeclarationFileChosen&) = delete;

private:
    host::TReportFrame& frame_;
    int userItem_ = -1;  // -1: the kind was the file already, or the page has none
};

// The run as the page chose it, for the checks; `declaration` is the written file (may be empty).
CheckedRun checkedRun(host::TReportFrame& frame, const FormTables& tables, const std::string& workDirectory, int client,
                      const std::string& declaration);

}  // namespace core::checks
