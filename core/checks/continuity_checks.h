// The continuity of balances between quarters: this quarter opens with what the last one closed.
#pragma once

#include <functional>
#include <string>

#include "core/checks/declaration_balances.h"
#include "core/checks/declaration_checks.h"
#include "core/checks/finding.h"

namespace core::checks {

// The subdivision a finding is reported under, for a line as the file names it.
using SubdivisionOfLine = std::function<std::string(const BalanceLine&)>;

// Each opening balance of `current` against the closing balance of the same subdivision, kind
// and producer in `previous`, both as printed with `decimals` decimals; a line on one side only
// counts as zero on the other. A difference is a warning: the file would pass, but one of the
// two quarters is very likely wrong. Declarations of two organizations are not compared: that
// they are is the one warning.
void compareBalances(Findings& findings, const DeclarationBalances& current, const DeclarationBalances& previous,
                     int decimals, const SubdivisionOfLine& subdivision);

// The run's written declaration against the previous quarter's balances it carries; nothing when
// it carries none, has no file, or declares no balances ("Не выгружать остатки").
void checkContinuity(Findings& findings, const CheckedRun& run);

}  // namespace core::checks
