// What a check before filing finds: one finding, and the findings of one declaration.
#include "core/checks/finding.h"

#include <algorithm>

#include "host/text/cp1251.h"

namespace core::checks {

std::string severityText(Severity severity) {
    return host::W(severity == Severity::Error ? "ошибка" : "предупреждение");
}

void Findings::add(Finding finding) {
    items_.push_back(std::move(finding));
}

void Findings::add(Severity severity, std::string_view rule, const Where& where, std::string message, std::string fix) {
    items_.push_back(Finding{severity, std::string(rule), where, std::move(message), std::move(fix)});
}

std::size_t Findings::count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(items_.begin(), items_.end(), [&](const Finding& f) { return f.severity == severity; }));
}

int Findings::exitStatus() const {
    if (errors() > 0) return kErrorsFound;
    if (warnings() > 0) return kWarningsOnly;
    return kNothingFound;
}

void Findings::sort() {
    // Names compare by their windows-1251 bytes taken unsigned: the capitals А-Я and the small
    // а-я each stand in the alphabet's order there, after every Latin letter and digit.
    const auto byName = [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    };
    std::stable_sort(items_.begin(), items_.end(), [&](const Finding& a, const Finding& b) {
        if (a.severity != b.severity) return a.severity == Severity::Error;
        return byName(a.where.subdivision, b.where.subdivision);
    });
}

}  // namespace core::checks
