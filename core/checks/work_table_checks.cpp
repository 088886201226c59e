// The checks of a declaration's collected work tables: the numbers of its subdivisions,
// counterparties and producers, the counterparties' licences, the documents' dates, the product
// kind codes, and the turnover rows' balances.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "core/checks/declaration_checks.h"
#include "core/checks/format_codes.h"
#include "core/checks/taxpayer_numbers.h"
#include "core/checks/work_rows.h"
#include "core/declaration_facts.h"
#include "core/reporting_period.h"
#include "host/text/cp1251.h"

namespace core::checks {

using host::W;

namespace {

// The subdivisions' names by their id, as the findings name them.
using Subdivisions = std::map<std::string, std::string>;

std::string subdivisionOf(const Subdivisions& subdivisions, const WorkRows& rows, std::size_t row) {
    const std::string id = rows.text(row, "SUPERPLACE_CL_ID");
    const auto found = subdivisions.find(id);
    return found != subdivisions.end() ? found->second : id;
}

std::string documentPlace(const WorkRows& rows, std::size_t row, const char* numberColumn, const char* dateColumn,
                          const char* what) {
    std::string place = W(what);
    const std::string number = rows.text(row, numberColumn);
    if (!number.empty()) place += W(" № ") + number;
    if (const auto date = rows.date(row, dateColumn)) place += W(" от ") + host::formatDate(*date);
    return place;
}

Subdivisions checkSubdivisions(Findings& findings, const CheckedRun& run, const WorkRows& obosob) {
    Subdivisions names;
    const auto rules = numberRules(run.tables->form, Party::Subdivision);
    for (std::size_t row = 0; row < obosob.size(); ++row) {
        const std::string name = obosob.text(row, "CL_NAME");
        names[obosob.text(row, "CL_ID")] = name;
        if (rules && rules->kpp)
            reportKpp(findings, Where{name, {}, W("КПП обособленного подразделения")}, obosob.text(row, "CL_KPP"),
                      *rules->kpp);
    }
    return names;
}

// Each counterparty and producer once, by its id: the numbers are the card's, whatever row.
void checkParties(Findings& findings, const CheckedRun& run, const WorkRows& rows, const Subdivisions& subdivisions,
                  bool counterparties, bool producers) {
    const std::string_view form = run.tables->form;
    std::set<std::string> seenCounterparties, seenProducers, seenReceivers;
    std::vector<ListedParty> counterpartyList, producerList;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string subdivision = subdivisionOf(subdivisions, rows, row);
        if (counterparties && rows.has("CL_ID")) {
            const std::string id = rows.text(row, "CL_ID");
            const Subject subject{rows.text(row, "CL_NAME"), rows.text(row, "CL_INN"), rows.text(row, "CL_KPP")};
            const std::string country = rows.text(row, "CL_COUNTRY_KOD");
            const bool resident = country.empty() || country == kResidentCountryCode;
            // Forms 11 and 12 list every supplier with its Russian numbers: they have no place for
            // a foreign one, and the file gets zeros where its numbers are missing.
            const bool numbered = resident || form == "11" || form == "12";
            if (seenCounterparties.insert(id).second && numbered) {
                const bool individual = rows.number(row, "CL_IS_IP") != 0;
                const Party party = form == "08" ? Party::Carrier
                                    : individual ? Party::SupplierIndividual
                                                 : Party::Supplier;
                if (const auto rules = numberRules(form, party)) {
                    const Where where{subdivision, subject, W("карточка контрагента")};
                    if (rules->inn) reportInn(findings, where, subject.inn, *rules->inn);
                    if (rules->kpp) reportKpp(findings, where, subject.kpp, *rules->kpp);
                }
                counterpartyList.push_back({id, subject});
            }
        }
        if (producers && rows.has("MANUF_INN")) {
            const Subject subject{rows.text(row, "MANUF_NAME"), rows.text(row, "MANUF_INN"), rows.text(row, "MANUF_KPP")};
            const std::string id = rows.has("MANUF_ID") ? rows.text(row, "MANUF_ID") : subject.name + '\n' + subject.inn;
            if (seenProducers.insert(id).second) {
                const Party party = form == "12" && subject.inn.size() == kPersonInnWidth ? Party::ProducerIndividual
                                                                                          : Party::Producer;
                if (const auto rules = numberRules(form, party)) {
                    const Where where{subdivision, subject, W("карточка производителя")};
                    if (rules->inn) reportInn(findings, where, subject.inn, *rules->inn);
                    if (rules->kpp) reportKpp(findings, where, subject.kpp, *rules->kpp);
                }
                producerList.push_back({id, subject});
            }
        }
        // Form 08: a receiver in Russia is written with its numbers, one abroad without.
        if (rows.has("BUYER_ID") && !rows.text(row, "BUYER_INN").empty() &&
            seenReceivers.insert(rows.text(row, "BUYER_ID")).second) {
            const Subject subject{rows.text(row, "BUYER_NAME"), rows.text(row, "BUYER_INN"), rows.text(row, "BUYER_KPP")};
            if (const auto rules = numberRules(form, Party::Receiver)) {
                const Where where{subdivision, subject, W("карточка получателя")};
                if (rules->inn) reportInn(findings, where, subject.inn, *rules->inn);
                if (rules->kpp) reportKpp(findings, where, subject.kpp, *rules->kpp);
            }
        }
    }
    if (!counterpartyList.empty())
        reportSameNumbers(findings, {}, form == "08" ? W("перевозчики") : W("контрагенты"), counterpartyList);
    if (!producerList.empty()) reportSameNumbers(findings, {}, W("производители"), producerList);
}

// A licence as the file names it, by its registration number; series and number only where the
// card has none, as hosts often leave series and number empty.
std::string licenceName(const WorkRows& rows, std::size_t row) {
    if (std::string registration = rows.text(row, "CL_LIC_REG_NUMBER"); !registration.empty()) return registration;
    std::string name = rows.text(row, "CL_LIC_SERIES");
    const std::string number = rows.text(row, "CL_LIC_NUMBER");
    if (!name.empty() && !number.empty()) name += ' ';
    return name + number;
}

// A resident counterparty's licence on the document's day; one without any licence is said once.
// Only the rows of products whose turnover is licensed count: a brewery or a carrier of bottled
// wine has no licence to show.
void checkLicences(Findings& findings, const CheckedRun& run, const WorkRows& rows, const Subdivisions& subdivisions) {
    if (!rows.has("CL_LIC_DATE") || !rows.has("CL_LIC_GOOD_DATE")) return;
    const CodeTables& codes = CodeTables::embedded();
    std::set<std::string> unlicensed;
    std::set<std::tuple<std::string, std::string, std::string>> said;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string country = rows.text(row, "CL_COUNTRY_KOD");
        if (!country.empty() && country != kResidentCountryCode) continue;
        if (codes.find(run.tables->form, CodeList::LicenceFree, rows.text(row, "VIDPROD_KOD"))) continue;
        const Subject subject{rows.text(row, "CL_NAME"), rows.text(row, "CL_INN"), rows.text(row, "CL_KPP")};
        const std::string subdivision = subdivisionOf(subdivisions, rows, row);
        const auto from = rows.date(row, "CL_LIC_DATE");
        const auto to = rows.date(row, "CL_LIC_GOOD_DATE");
        if (!from && !to && rows.text(row, "CL_LIC_NUMBER").empty()) {
            if (unlicensed.insert(rows.text(row, "CL_ID")).second)
                findings.add(Severity::Error, "counterparty-licence-missing",
                             Where{subdivision, subject, documentPlace(rows, row, "EXT_DOCINDEX", "EXT_DOC_DATE", "документ")},
                             W("У контрагента-резидента нет лицензии."),
                             W("Внесите лицензию контрагента в его карточку."));
            continue;
        }
        const auto day = rows.date(row, "EXT_DOC_DATE");
        if (!day) continue;
        const bool before = from && day->days < from->days;
        const bool after = to && day->days > to->days;
        if (!before && !after) continue;
        const std::string place = documentPlace(rows, row, "EXT_DOCINDEX", "EXT_DOC_DATE", "документ");
        const std::string licence = licenceName(rows, row);
        if (!said.insert({rows.text(row, "CL_ID"), place, licence}).second) continue;
        findings.add(Severity::Error, "counterparty-licence-period", Where{subdivision, subject, place},
                     W("Документ датирован ") + host::formatDate(*day) + W(", а лицензия ") + licence +
                         W(" действует с ") +
                         (from ? host::formatDate(*from) : std::string("?")) + W(" по ") +
                         (to ? host::formatDate(*to) : std::string("?")) + ".",
                     W("Проверьте дату документа и даты лицензии контрагента."));
    }
}

void checkDates(Findings& findings, const CheckedRun& run, const WorkRows& rows, const Subdivisions& subdivisions) {
    const ReportingPeriod period = reportingPeriod(run.year, run.quarterIndex);
    const std::string quarter = host::formatDate(period.first) + " - " + host::formatDate(period.last);
    std::set<std::string> said;
    auto check = [&](std::size_t row, const char* dateColumn, const char* numberColumn, const char* what,
                     const char* rule) {
        const auto day = rows.date(row, dateColumn);
        if (!day || (day->days >= period.first.days && day->days <= period.last.days)) return;
        const std::string place = documentPlace(rows, row, numberColumn, dateColumn, what);
        if (!said.insert(std::string(rule) + place).second) return;
        findings.add(Severity::Error, rule, Where{subdivisionOf(subdivisions, rows, row), {}, place},
                     W("Дата ") + host::formatDate(*day) + W(" вне отчетного периода ") + quarter + ".",
                     W("Проверьте дату документа или выбранный период."));
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        check(row, "EXT_DOC_DATE", "EXT_DOCINDEX", "документ", "document-date");
        if (rows.has("TN_DATE")) check(row, "TN_DATE", "TN_INDEX", "товарно-транспортная накладная", "waybill-date");
    }
}

// Each code once per subdivision, whichever table holds it: `said` spans the tables.
void checkCodes(Findings& findings, const CheckedRun& run, const WorkRows& rows, const Subdivisions& subdivisions,
                std::set<std::pair<std::string, std::string>>& said) {
    const std::string_view form = run.tables->form;
    auto check = [&](std::size_t row, const char* column, CodeList list) {
        if (!rows.has(column)) return;
        const std::string code = rows.text(row, column);
        const std::string subdivision = subdivisionOf(subdivisions, rows, row);
        if (!said.insert({std::string(column) + code, subdivision}).second) return;
        reportCode(findings, Where{subdivision, {}, W("код ") + code + " " + rows.text(row, "VIDPROD_NAME")}, form,
                   list, code);
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (form == "08") {
            check(row, "VIDTRANS_KOD", CodeList::TransportKind);
            check(row, "VIDPROD_KOD", CodeList::ProductGroup);
        } else {
            check(row, "VIDPROD_KOD", CodeList::ProductKind);
        }
    }
}

// The value as the file prints it with `precision` decimals.
double printed(double value, int precision) {
    const double scale = std::pow(10.0, precision);
    return std::round(value * scale) / scale;
}

std::string decimal(double value, int precision) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", precision, value);
    return text;
}

std::string turnoverPlace(const WorkRows& rows, std::size_t row) {
    std::string place = W("оборот: код ") + rows.text(row, "VIDPROD_KOD");
    const std::string articul = rows.text(row, "ARTICUL");
    if (!articul.empty()) place += W(", артикул ") + articul;
    return place;
}

// The movement rows' quantities: a line with nothing in it, a figure the format refuses.
void checkQuantities(Findings& findings, const CheckedRun& run, const WorkRows& rows, const Subdivisions& subdivisions) {
    // An empty line is said once per document and counterparty, however many rows it has.
    std::set<std::tuple<std::string, std::string, std::string>> emptySaid;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const double quantity = rows.number(row, "QUANTITY");
        const Where where{subdivisionOf(subdivisions, rows, row),
                          {rows.text(row, "CL_NAME"), rows.text(row, "CL_INN"), rows.text(row, "CL_KPP")},
                          documentPlace(rows, row, "EXT_DOCINDEX", "EXT_DOC_DATE", "документ")};
        if (printed(quantity, run.precision) == 0) {
            if (emptySaid.insert({where.subdivision, where.subject.name, where.place}).second)
                findings.add(Severity::Warning, "empty-line", where,
                             W("Строка документа с нулевым объемом: в декларации она будет пустой."),
                             W("Проверьте количество в документе или удалите пустую строку."));
        } else {
            reportNumber(findings, where, W("Объем"), quantity, run.precision);
        }
    }
}

// Per turnover row: the figures as printed must add up to the closing balance as printed, the
// closing balance must not be negative, and a row must declare something.
void checkBalances(Findings& findings, const CheckedRun& run, const WorkRows& rows, const Subdivisions& subdivisions) {
    static const char* const kReceipts[] = {"PRIX_PROIZ", "PRIX_OPT", "PRIX_IMPORT", "PRIX_RET", "PRIX_MOVE", "PRIX_OTHER"};
    static const char* const kDisposals[] = {"RASX_OPT", "RASX_ROZN", "RASX_EXPORT", "RASX_RET", "RASX_MOVE", "RASX_OTHER"};
    const int p = run.precision;
    const double tolerance = 0.5 * std::pow(10.0, -p);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const Where where{subdivisionOf(subdivisions, rows, row),
                          {rows.text(row, "MANUF_NAME"), rows.text(row, "MANUF_INN"), rows.text(row, "MANUF_KPP")},
                          turnoverPlace(rows, row)};
        const double opening = rows.number(row, "OST_BEGIN");
        double closing = opening, printedSum = printed(opening, p);
        bool anything = printed(opening, p) != 0;
        reportNumber(findings, where, W("Остаток на начало"), opening, p);
        for (const char* column : kReceipts) {
            if (!rows.has(column)) continue;
            const double value = rows.number(row, column);
            closing += value;
            printedSum += printed(value, p);
            anything = anything || printed(value, p) != 0;
            reportNumber(findings, where, column, value, p);
        }
        for (const char* column : kDisposals) {
            if (!rows.has(column)) continue;
            const double value = rows.number(row, column);
            closing -= value;
            printedSum -= printed(value, p);
            anything = anything || printed(value, p) != 0;
            reportNumber(findings, where, column, value, p);
        }
        if (!anything) {
            findings.add(Severity::Warning, "empty-line", where,
                         W("Строка оборота без остатков и движения: в декларации она будет пустой."),
                         W("Проверьте, нужна ли эта продукция в декларации."));
            continue;
        }
        // Without the balances in the file neither of these can be told.
        if (run.onlyMovement) continue;
        if (printed(closing, p) < 0) {
            findings.add(Severity::Error, "negative-closing", where,
                         W("Отрицательный остаток на конец периода: ") + decimal(closing, p) + ".",
                         W("Проверьте остаток на начало и документы прихода и расхода за период."));
            continue;
        }
        if (std::fabs(printedSum - printed(closing, p)) > tolerance)
            findings.add(Severity::Warning, "balance", where,
                         W("Округленные остаток на начало, приход и расход не сходятся с остатком на конец ") +
                             W("(расхождение ") + decimal(printedSum - printed(closing, p), p) + ").",
                         W("Увеличьте точность расчета или проверьте количества в документах."));
    }
}

}  // namespace

void checkWorkTables(Findings& findings, const CheckedRun& run) {
    const FormTables& tables = *run.tables;
    const WorkRows obosob(run.workDirectory, std::string(tables.obosob));
    const Subdivisions subdivisions = checkSubdivisions(findings, run, obosob);
    const WorkRows movement(run.workDirectory, std::string(tables.movement));
    const WorkRows turnover(run.workDirectory, std::string(tables.turnover));
    // Forms 11 and 12 list the producers of their turnover, the others those of their movement.
    const bool producersInTurnover = !tables.turnover.empty();
    checkParties(findings, run, movement, subdivisions, true, !producersInTurnover);
    if (producersInTurnover) checkParties(findings, run, turnover, subdivisions, false, true);
    checkLicences(findings, run, movement, subdivisions);
    checkDates(findings, run, movement, subdivisions);
    std::set<std::pair<std::string, std::string>> codesSaid;
    checkCodes(findings, run, movement, subdivisions, codesSaid);
    checkCodes(findings, run, turnover, subdivisions, codesSaid);
    checkQuantities(findings, run, movement, subdivisions);
    checkBalances(findings, run, turnover, subdivisions);
}

}  // namespace core::checks
