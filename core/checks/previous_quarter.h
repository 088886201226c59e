// Collecting the quarter before a run's own from the host database, for the continuity check.
#pragma once

#include <string>
#include <string_view>

#include "core/checks/declaration_balances.h"
#include "host/frame/report_frame.h"

namespace core::checks {

// Runs `frame` once more, as its page stands but for the period, which is set to the quarter
// before the page's (the first quarter's is the fourth of the year before): its work tables go
// into `workDirectory`, its declaration into `outputDirectory`, both the caller's to make and to
// remove. Returns the closing balances of that declaration, read back as the file prints them;
// a quarter in which the organization had nothing to declare closes with nothing.
//
// The page's period and directory, the host's work directory and the frame's tables are set back
// as they were however the run ends, and the frame's own collection marked stale; the file the
// frame last produced is the previous quarter's afterwards, so take this run's before.
// Throws what the collection throws, and BalanceFileError when the file cannot be read back.
DeclarationBalances collectPreviousQuarter(host::TReportFrame& frame, std::string_view form,
                                           const std::string& workDirectory, const std::string& outputDirectory);

// The same into a work directory and an output directory of its own in the temporary directory,
// removed afterwards.
DeclarationBalances collectPreviousQuarter(host::TReportFrame& frame, std::string_view form);

}  // namespace core::checks
