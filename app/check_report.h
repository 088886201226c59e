#pragma once

// The findings of a check, as the program prints them: readable text or one JSON object.

#include <string>

#include "core/checks/finding.h"

namespace app {

// What was checked, for the report's head and the JSON object.
struct CheckedDeclaration {
    std::string module;  // as the session names it
    std::string form;    // "11"
    int client = -1;
};

// UTF-8 text: errors, then warnings, each severity grouped by subdivision (the organization's own
// first), every finding with its subject, place, message and fix; a summary line last.
std::string findingsAsText(const core::checks::Findings& findings);

// One JSON object (UTF-8) and a line feed: the module, form, client, the counts, the exit status
// and the findings in the order of the text.
std::string findingsAsJson(const core::checks::Findings& findings, const CheckedDeclaration& declaration);

// A page of HTML (UTF-8) with the text's grouping: a table per severity, the subdivision, subject,
// place, message and fix of each finding in its own cell, every text escaped.
std::string findingsAsHtml(const core::checks::Findings& findings, const CheckedDeclaration& declaration);

// Writes `text` to `path` through "<path>.part", renamed when complete; throws std::runtime_error
// naming the file when it cannot.
void writeReportFile(const std::string& path, const std::string& text);

// Whom a finding concerns, as one text (UTF-8): "name, ИНН …, КПП …", the parts it has.
std::string subjectText(const core::checks::Subject& subject);

// The summary line alone: "Ошибок: 2, предупреждений: 1." or that nothing was found.
std::string findingsSummary(const core::checks::Findings& findings);

}  // namespace app
