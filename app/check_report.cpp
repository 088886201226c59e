// The findings of a check written out as readable text or as JSON.
#include "app/check_report.h"

#include <nlohmann/json.hpp>

#include "host/text/cp1251.h"

namespace app {
namespace {

using core::checks::Finding;
using core::checks::Severity;
using host::cp1251ToUtf8;

std::string subjectText(const core::checks::Subject& subject) {
    std::string text = cp1251ToUtf8(subject.name);
    if (!subject.inn.empty()) text += (text.empty() ? "" : ", ") + std::string("ИНН ") + cp1251ToUtf8(subject.inn);
    if (!subject.kpp.empty()) text += (text.empty() ? "" : ", ") + std::string("КПП ") + cp1251ToUtf8(subject.kpp);
    return text;
}

}  // namespace

std::string findingsSummary(const core::checks::Findings& findings) {
    if (findings.empty()) return "Ошибок и предупреждений нет.\n";
    return "Ошибок: " + std::to_string(findings.errors()) + ", предупреждений: " + std::to_string(findings.warnings()) +
           ".\n";
}

std::string findingsAsText(const core::checks::Findings& findings) {
    core::checks::Findings sorted = findings;
    sorted.sort();
    std::string text;
    for (const Severity severity : {Severity::Error, Severity::Warning}) {
        if (sorted.count(severity) == 0) continue;
        text += std::string(severity == Severity::Error ? "ОШИБКИ" : "ПРЕДУПРЕЖДЕНИЯ") + " (" +
                std::to_string(sorted.count(severity)) + ")\n";
        const std::string* subdivision = nullptr;
        for (const Finding& finding : sorted.items()) {
            if (finding.severity != severity) continue;
            if (!subdivision || *subdivision != finding.where.subdivision) {
                subdivision = &finding.where.subdivision;
                text += subdivision->empty() ? std::string("  Организация\n")
                                             : "  Подразделение: " + cp1251ToUtf8(*subdivision) + "\n";
            }
            std::string head = subjectText(finding.where.subject);
            const std::string place = cp1251ToUtf8(finding.where.place);
            if (!place.empty()) head += (head.empty() ? "" : " — ") + place;
            text += "    - " + (head.empty() ? std::string() : head + ": ") + cp1251ToUtf8(finding.message) + " [" +
                    finding.rule + "]\n";
            if (!finding.fix.empty()) text += "      Что сделать: " + cp1251ToUtf8(finding.fix) + "\n";
        }
    }
    return text + findingsSummary(sorted);
}

std::string findingsAsJson(const core::checks::Findings& findings, const CheckedDeclaration& declaration) {
    core::checks::Findings sorted = findings;
    sorted.sort();
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (const Finding& finding : sorted.items()) {
        items.push_back({{"severity", finding.severity == Severity::Error ? "error" : "warning"},
                         {"rule", finding.rule},
                         {"subdivision", cp1251ToUtf8(finding.where.subdivision)},
                         {"subject",
                          {{"name", cp1251ToUtf8(finding.where.subject.name)},
                           {"inn", cp1251ToUtf8(finding.where.subject.inn)},
                           {"kpp", cp1251ToUtf8(finding.where.subject.kpp)}}},
                         {"place", cp1251ToUtf8(finding.where.place)},
                         {"message", cp1251ToUtf8(finding.message)},
                         {"fix", cp1251ToUtf8(finding.fix)}});
    }
    nlohmann::ordered_json report = {{"module", declaration.module},
                                     {"form", declaration.form},
                                     {"client", declaration.client},
                                     {"errors", sorted.errors()},
                                     {"warnings", sorted.warnings()},
                                     {"exitStatus", sorted.exitStatus()},
                                     {"findings", std::move(items)}};
    return report.dump(2) + "\n";
}

}  // namespace app
