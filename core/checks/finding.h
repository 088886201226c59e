// What a check before filing finds: one finding, and the findings of one declaration.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core::checks {

// All text of a finding is host text (windows-1251), like every other message of the modules:
// the names and numbers it quotes come from the host database in that encoding, and the program
// turns the whole into UTF-8 at its border (host::cp1251ToUtf8), as it does with validation lines.

// Error: the regulator would refuse the file. Warning: the file would pass, but the value is very
// likely a mistake.
enum class Severity { Error, Warning };

// "ошибка" / "предупреждение", host text.
std::string severityText(Severity severity);

// The counterparty, producer, carrier or receiver a finding concerns; all empty when it concerns
// none (a row's number, the form's own header).
struct Subject {
    std::string name;
    std::string inn;
    std::string kpp;

    bool empty() const { return name.empty() && inn.empty() && kpp.empty(); }
};

// Where in the declaration a finding stands: the subdivision (empty for the organization as a
// whole), the subject, and the document (number and date) or row.
struct Where {
    std::string subdivision;
    Subject subject;
    std::string place;
};

struct Finding {
    Severity severity = Severity::Error;
    // Short and stable ("inn-check-digit"): what a caller filters or counts by, never shown alone.
    std::string rule;
    Where where;
    // What is wrong, and what to do about it: Russian, host text.
    std::string message;
    std::string fix;
};

// The findings of one declaration, in the order they were made until sorted.
class Findings {
public:
    void add(Finding finding);
    void add(Severity severity, std::string_view rule, const Where& where, std::string message, std::string fix);

    const std::vector<Finding>& items() const { return items_; }
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    std::size_t count(Severity severity) const;
    std::size_t errors() const { return count(Severity::Error); }
    std::size_t warnings() const { return count(Severity::Warning); }

    // What a run that checked ends with: 0 nothing found, 3 at least one error, 4 warnings only.
    int exitStatus() const;

    // Errors before warnings; within each, the organization's own (no subdivision) first, then
    // subdivision by subdivision in the order of their names; the order found otherwise.
    void sort();

private:
    std::vector<Finding> items_;
};

// The exit statuses of a check.
inline constexpr int kNothingFound = 0;
inline constexpr int kErrorsFound = 3;
inline constexpr int kWarningsOnly = 4;

}  // namespace core::checks
