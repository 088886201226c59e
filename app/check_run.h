#pragma once

// Last quarter's balances for the continuity check, and the move of a checked declaration from its
// private directory to where the user wanted it.

#include <string>

#include "core/checks/declaration_balances.h"
#include "core/checks/declaration_checks.h"
#include "core/checks/frame_check_run.h"
#include "host/frame/report_frame.h"

namespace app {

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
