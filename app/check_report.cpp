// The findings of a check written out as readable text or as JSON.
#include "app/check_report.h"

#include <nlohmann/json.hpp>

#include <stdexcept>

#include "host/files/replacing_file.h"
#include "host/text/cp1251.h"
#include "host/text/xml_escape.h"

namespace app {
namespace {

using core::checks::Finding;
using core::checks::Severity;
using host::cp1251ToUtf8;

// The page is HTML; an XML-safe text is safe in it.
std::string escaped(const std::string& text) { return host::XMLCheckStr(text); }

}  // namespace

std::string subjectText(const core::checks::Subject& subject) {
    std::string text = cp1251ToUtf8(subject.name);
    if (!subject.inn.empty()) text += (text.empty() ? "" : ", ") + std::string("ИНН ") + cp1251ToUtf8(subject.inn);
    if (!subject.kpp.empty()) text += (text.empty() ? "" : ", ") + std::string("КПП ") + cp1251ToUtf8(subject.kpp);
    return text;
}

std::string findingsAsHtml(const core::checks::Findings& findings, const CheckedDeclaration& declaration) {
    core::checks::Findings sorted = findings;
    sorted.sort();
    const std::string title = "Проверка декларации: форма " + declaration.form + ", " + declaration.module +
                              ", организация " + std::to_string(declaration.client);
    std::string html = "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                       escaped(title) +
                       "</title>\n<style>body{font-family:sans-serif}table{border-collapse:collapse;width:100%}"
                       "td,th{border:1px solid #999;padding:4px;vertical-align:top;text-align:left}"
                       "h2.error{color:#a00}h2.warning{color:#a60}</style>\n</head>\n<body>\n<h1>" +
                       escaped(title) + "</h1>\n";
    for (const Severity severity : {Severity::Error, Severity::Warning}) {
        if (sorted.count(severity) == 0) continue;
        const bool error = severity == Severity::Error;
        html += std::string("<h2 class=\"") + (error ? "error\">Ошибки" : "warning\">Предупреждения") + " (" +
                std::to_string(sorted.count(severity)) + ")</h2>\n<table>\n<tr><th>Подразделение</th><th>Кого "
                "касается</th><th>Где</th><th>Что не так</th><th>Что сделать</th><th>Правило</th></tr>\n";
        for (const Finding& finding : sorted.items()) {
            if (finding.severity != severity) continue;
            const std::string subdivision =
                finding.where.subdivision.empty() ? "Организация" : cp1251ToUtf8(finding.where.subdivision);
            html += "<tr><td>" + escaped(subdivision) + "</td><td>" + escaped(subjectText(finding.where.subject)) +
                    "</td><td>" + escaped(cp1251ToUtf8(finding.where.place)) + "</td><td>" +
                    escaped(cp1251ToUtf8(finding.message)) + "</td><td>" + escaped(cp1251ToUtf8(finding.fix)) +
                    "</td><td>" + escaped(finding.rule) + "</td></tr>\n";
        }
        html += "</table>\n";
    }
    std::string summary = findingsSummary(sorted);
    summary.pop_back();
    return html + "<p>" + escaped(summary) + "</p>\n</body>\n</html>\n";
}

void writeReportFile(const std::string& path, const std::string& text) {
    try {
        host::ReplacingFile file(path);
        file.write(text);
        file.commit();
    } catch (const host::FileWriteError& error) {
        throw std::runtime_error(std::string("--report: ") + error.what());
    }
}

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
