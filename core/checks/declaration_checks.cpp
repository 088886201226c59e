// The check of one collected declaration: the page's options, the organization, the file, and
// the order the findings are reported in.
#include "core/checks/declaration_checks.h"

#include <cmath>
#include <cstdio>
#include <future>
#include <map>
#include <vector>

#include "core/checks/continuity_checks.h"
#include "core/checks/format_codes.h"
#include "core/checks/schema_validation.h"
#include "core/checks/taxpayer_numbers.h"
#include "core/organization_lookups.h"
#include "core/reporting_period.h"
#include "host/text/cp1251.h"

namespace core::checks {

using host::W;

namespace {

constexpr FormTables kForms[] = {
    {"pZorvicRozn", "11", "ZorvicRoznObosob", "ZorvicRoznBuy", "ZorvicRoznOborot"},
    {"pZorvicRoznBeer", "12", "ZorvicRoznBeerObosob", "ZorvicRoznBeerBuy", "ZorvicRoznBeerOborot"},
    {"pZorvicTransport", "08", "ZorvicTransportObosob", "ZorvicTransport", ""},
    {"pZorvicBuy", "07", "ZorvicBuyObosob", "ZorvicBuy", ""},
    {"pZorvicDelivery", "06", "ZorvicDeliveryObosob", "ZorvicDelivery", ""},
    {"pZorvicOborot", "05", "ZorvicOborotObosob", "", "ZorvicOborot"},
};

}  // namespace

const FormTables* formTablesOfModule(std::string_view module) {
    if (const auto slash = module.find_last_of('/'); slash != std::string_view::npos) module.remove_prefix(slash + 1);
    if (module.starts_with("lib")) module.remove_prefix(3);
    if (const auto dot = module.find('.'); dot != std::string_view::npos) module = module.substr(0, dot);
    for (const FormTables& form : kForms)
        if (form.module == module) return &form;
    return nullptr;
}

void checkPageOptions(Findings& findings, const CheckedRun& run) {
    const Where organization{};
    if (run.goodsDetail)
        findings.add(Severity::Error, "goods-detail", organization,
                     W("Включена детализация по товарам: артикул и объем тары (Нетто) в формате декларации не "
                       "предусмотрены, такой файл годится только для проверки."),
                     W("Снимите \"Детализировать по товарам\" и сформируйте декларацию заново."));
    if (run.onlyMovement)
        findings.add(Severity::Error, "only-movement", organization,
                     W("Включено \"Не выгружать остатки\": в файле нет остатков на начало и конец периода, такой "
                       "файл годится только для проверки."),
                     W("Снимите \"Не выгружать остатки\" и сформируйте декларацию заново."));
    // A precision above the format's 5 decimals is not held against the page by itself: most figures
    // have fewer decimals than that anyway, and each one that has more is its own finding, which
    // says to lower the precision.
}

void checkOrganization(Findings& findings, const CheckedRun& run) {
    const std::string_view form = run.tables->form;
    const host::DateTime end = quarterEnd(run.year, run.quarterIndex);
    const OrganizationLookups lookups{run.client, end};
    const std::string name = lookupText(lookups.name());
    const std::string inn = lookupText(lookups.inn());
    const std::string kpp = lookupText(lookups.kpp());
    const Where where{{}, {name, inn, kpp}, W("реквизиты организации")};

    bool entrepreneur = false;
    if (form == "12") {
        const host::Variant mark = lookups.entrepreneurMark();
        entrepreneur = !mark.isNullOrEmpty() && mark.toInteger() != 0;
    }
    if (const auto rules = numberRules(form, entrepreneur ? Party::OrganizationIndividual : Party::Organization)) {
        if (rules->inn) reportInn(findings, where, inn, *rules->inn);
        if (rules->kpp) reportKpp(findings, where, kpp, *rules->kpp);
    }

    // Form 12 declares no licence of the organization.
    if (form == "12") return;
    const Where licence{{}, where.subject, W("лицензия организации")};
    const std::string number = lookupText(lookups.licenceNumber());
    const host::Variant start = lookups.licenceStart();
    const host::Variant finish = lookups.licenceEnd();
    const host::Variant kind = lookups.activityKind();
    const std::string quarterEndText = host::formatDate(end);
    if (number.empty() || start.isNullOrEmpty() || finish.isNullOrEmpty() || kind.isNullOrEmpty()) {
        findings.add(Severity::Error, "organization-licence-missing", licence,
                     W("У организации нет лицензии, действующей на ") + quarterEndText +
                         W(": в файл попадут заглушки (\"-\", 00.00.0000), которые формат не принимает."),
                     W("Внесите лицензию организации с датами начала и окончания в карточку клиента."));
        return;
    }
    const host::DateTime from = start.toDateTime();
    const host::DateTime to = finish.toDateTime();
    if (end.days < from.days || end.days > to.days)
        findings.add(Severity::Error, "organization-licence-expired", licence,
                     W("Лицензия ") + number + W(" действует с ") + host::formatDate(from) + W(" по ") +
                         host::formatDate(to) + W(" и не действует на конец периода ") + quarterEndText + ".",
                     W("Проверьте даты лицензии в карточке клиента или внесите действующую лицензию."));
    char code[24];
    std::snprintf(code, sizeof code, "%02lld", static_cast<long long>(kind.toInteger()));
    reportCode(findings, licence, form, CodeList::LicensedActivity, code);
}

namespace {

void reportSchemaProblems(Findings& findings, std::vector<SchemaProblem> problems) {
    // One finding per kind of problem: a refused attribute that every line of the file carries
    // would otherwise bury everything else. The first place is named, and how many more there are.
    struct Seen {
        SchemaProblem first;
        std::size_t count = 0;
    };
    std::vector<Seen> seen;
    std::map<std::string, std::size_t> byMessage;
    for (SchemaProblem& problem : problems) {
        const auto [at, added] = byMessage.emplace(problem.message, seen.size());
        if (added) seen.push_back({std::move(problem), 0});
        ++seen[at->second].count;
    }
    for (const Seen& one : seen) {
        const SchemaProblem& problem = one.first;
        std::string place = W("файл");
        if (problem.line > 0) place += W(", строка ") + std::to_string(problem.line);
        std::string message;
        try {
            if (!problem.element.empty()) place += ", " + host::utf8ToCp1251(problem.element, "element");
            if (!problem.attribute.empty())
                place += W(", атрибут ") + host::utf8ToCp1251(problem.attribute, "attribute");
            message = host::utf8ToCp1251(problem.message, "message");
        } catch (const host::EncodingError&) {
            message = W("значение, которое схема формата не принимает");
        }
        if (one.count > 1) place += W(" (то же еще мест: ") + std::to_string(one.count - 1) + ")";
        findings.add(Severity::Error, "schema", Where{{}, {}, place}, W("Схема формата: ") + message,
                     W("Исправьте в базе или на странице параметров то, из чего получено это значение."));
    }
}

}  // namespace

void checkFile(Findings& findings, const std::string& path, std::string_view form) {
    reportSchemaProblems(findings, validateDeclaration(path, form));
}

Findings checkDeclaration(const CheckedRun& run) {
    // The file is read by a thread of its own while the tables are: on a chain's quarter each
    // takes seconds, and neither needs the other.
    std::future<std::vector<SchemaProblem>> file;
    if (run.declarationPath)
        file = std::async(std::launch::async, [path = *run.declarationPath, form = std::string(run.tables->form)] {
            return validateDeclaration(path, form);
        });
    // Should a table's check throw, the future's end waits for the file's reading.
    Findings findings;
    checkPageOptions(findings, run);
    checkOrganization(findings, run);
    checkWorkTables(findings, run);
    if (file.valid()) reportSchemaProblems(findings, file.get());
    checkContinuity(findings, run);
    findings.sort();
    return findings;
}

}  // namespace core::checks
