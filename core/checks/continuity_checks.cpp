// The continuity check: each opening balance of the quarter against the last quarter's closing.
#include "core/checks/continuity_checks.h"

#include <map>
#include <set>

#include "core/checks/work_rows.h"
#include "core/declaration_file/text_forming.h"
#include "host/text/cp1251.h"

namespace core::checks {

using host::W;

void compareBalances(Findings& findings, const DeclarationBalances& current, const DeclarationBalances& previous,
                     int decimals, const SubdivisionOfLine& subdivision) {
    const std::string before = W(" (") + quarterText(previous.quarter) + ")";
    // Another organization's balances would make every line a finding and none of them the point.
    if (!current.organizationInn.empty() && !previous.organizationInn.empty() &&
        current.organizationInn != previous.organizationInn) {
        findings.add(Severity::Warning, "continuity", Where{{}, {}, W("декларация за предыдущий квартал")},
                     W("Декларация за предыдущий квартал") + before + W(" — другой организации, ИНН ") +
                         previous.organizationInn + W(", а эта — ИНН ") + current.organizationInn +
                         W(": остатки не сверялись."),
                     W("Укажите декларацию этой организации за предыдущий квартал."));
        return;
    }
    std::set<std::string> keys;
    for (const auto& [key, line] : current.lines) keys.insert(key);
    for (const auto& [key, line] : previous.lines) keys.insert(key);
    for (const std::string& key : keys) {
        const auto now = current.lines.find(key);
        const auto then = previous.lines.find(key);
        const bool hereNow = now != current.lines.end();
        const bool hereThen = then != previous.lines.end();
        const std::string opening = declarationNumber(hereNow ? now->second.opening : 0.0, decimals);
        const std::string closing = declarationNumber(hereThen ? then->second.closing : 0.0, decimals);
        if (opening == closing) continue;
        const BalanceLine& line = hereNow ? now->second : then->second;
        const Where where{subdivision(line), line.producer, W("остаток на начало: код ") + line.kind};
        std::string message;
        if (!hereThen)
            message = W("Остаток на начало квартала ") + opening + W(", а в декларации за предыдущий квартал") +
                      before + W(" этого подразделения, кода и производителя нет: остаток на конец там нулевой.");
        else if (!hereNow)
            message = W("Остаток на конец предыдущего квартала") + before + " " + closing +
                      W(", а в этой декларации этого подразделения, кода и производителя нет: остаток на начало "
                        "считается нулевым.");
        else
            message = W("Остаток на начало квартала ") + opening +
                      W(" не равен остатку на конец предыдущего квартала") + before + " " + closing + ".";
        findings.add(Severity::Warning, "continuity", where, std::move(message),
                     W("Сверьте остатки на начало квартала в учете с декларацией за предыдущий квартал: исправьте "
                       "документы или ввод остатков либо подайте корректирующую декларацию за предыдущий квартал."));
    }
}

void checkContinuity(Findings& findings, const CheckedRun& run) {
    if (!run.previousQuarter || !run.declarationPath || run.onlyMovement) return;
    DeclarationBalances current;
    try {
        current = readDeclarationBalances(*run.declarationPath);
    } catch (const BalanceFileError&) {
        // A file this program cannot read back is the schema check's to report.
        return;
    }
    if (!current.withBalances) return;
    // The findings name a subdivision as the other checks do, by its name in the host database;
    // the file has it upper-cased.
    std::map<std::pair<std::string, std::string>, std::string> names;
    WorkRows obosob(run.workDirectory, std::string(run.tables->obosob));
    while (obosob.next()) {
        const std::string name = obosob.text("CL_NAME");
        const std::string upperName = host::upperCp1251(name);
        names.emplace(std::pair{host::upperCp1251(obosob.text("CL_KPP")), upperName}, name);
        // A file that leaves the KPP out (form 12 of an entrepreneur) names the subdivision alone.
        names.emplace(std::pair{std::string(), upperName}, name);
    }
    compareBalances(findings, current, *run.previousQuarter, run.precision, [&names](const BalanceLine& line) {
        const auto found = names.find({line.subdivisionKpp, line.subdivisionName});
        return found != names.end() ? found->second : line.subdivisionName;
    });
}

}  // namespace core::checks
