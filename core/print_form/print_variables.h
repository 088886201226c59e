#pragma once

// The variables of the print forms and how each form differs in them.

#include <string>

#include "core/parameters_page.h"
#include "host/calendar/date_time.h"
#include "host/report/report_engine.h"

namespace core {

// How a form's print form differs in the variables it is given.
struct PrintVariableKind {
    // Form 12: the address row has the one-line address too, the entrepreneur mark is looked up,
    // and an empty KPP text is left unset as an empty INN is.
    bool addressLineAndEntrepreneur = false;
    // Forms 11 and 12: the goods detail switches.
    bool goodsSwitches = false;
};

// The organization's requisites from the host database, each looked up and set only when the
// host answers a value; a skipped one does not stop the following lookups.
void setOrganizationVariables(host::ReportVariables& variables, int client, const host::DateTime& quarterEnd,
                              const PrintVariableKind& kind);

// The responsible persons, tax authority, document kind and period as the page shows them.
void setPageVariables(host::ReportVariables& variables, const ParametersPage& page, const PrintVariableKind& kind);

// A text as the literal of a report expression. The engine reads a doubled quote inside a
// literal as one quote, so typed text prints as typed, apostrophes included.
std::string reportLiteral(const std::string& text);

}  // namespace core
