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

std::string subdivisionOf(const Subdivisions& subdivisions, const WorkRows& rows) {
    const std::string id = rows.text("SUPERPLACE_CL_ID");
    const auto found = subdivisions.find(id);
    return found != subdivisions.end() ? found->second : id;
}

std::string documentPlace(const WorkRows& rows, const char* numberColumn, const char* dateColumn, const char* what) {
    std::string place = W(what);
    const std::string number = rows.text(numberColumn);
    if (!number.empty()) place += W(" № ") + number;
    if (const auto date = rows.date(dateColumn)) place += W(" от ") + host::formatDate(*date);
    return place;
}

Subdivisions checkSubdivisions(Findings& findings, const CheckedRun& run) {
    Subdivisions names;
    const auto rules = numberRules(run.tables->form, Party::Subdivision);
    WorkRows obosob(run.workDirectory, std::string(run.tables->obosob));
    while (obosob.next()) {
        const std::string name = obosob.text("CL_NAME");
        names[obosob.text("CL_ID")] = name;
        if (rules && rules->kpp)
            reportKpp(findings, Where{name, {}, W("КПП обособленного подразделения")}, obosob.text("CL_KPP"),
                      *rules->kpp);
    }
    return names;
}

// Each counterparty and producer once, by its id: the numbers are the card's, whatever row.
class PartyCheck {
public:
    PartyCheck(Findings& findings, std::string_view form, bool counterparties, bool producers)
        : findings_(findings), form_(form), counterparties_(counterparties), producers_(producers) {}

    void row(const WorkRows& rows, const std::string& subdivision) {
        if (counterparties_ && rows.has("CL_ID")) {
            std::string id = rows.text("CL_ID");
            if (!seenCounterparties_.contains(id)) {
                const std::string country = rows.text("CL_COUNTRY_KOD");
                const bool resident = country.empty() || country == kResidentCountryCode;
                // Forms 11 and 12 list every supplier with its Russian numbers: they have no place
                // for a foreign one, and the file gets zeros where its numbers are missing.
                if (resident || form_ == "11" || form_ == "12") {
                    const Subject subject{rows.text("CL_NAME"), rows.text("CL_INN"), rows.text("CL_KPP")};
                    const bool individual = rows.number("CL_IS_IP") != 0;
                    const Party party = form_ == "08" ? Party::Carrier
                                        : individual  ? Party::SupplierIndividual
                                                      : Party::Supplier;
                    report(party, Where{subdivision, subject, W("карточка контрагента")});
                    counterpartyList_.push_back({id, subject});
                }
                seenCounterparties_.insert(std::move(id));
            }
        }
        if (producers_ && rows.has("MANUF_INN")) {
            Subject subject{rows.text("MANUF_NAME"), rows.text("MANUF_INN"), rows.text("MANUF_KPP")};
            std::string id = rows.has("MANUF_ID") ? rows.text("MANUF_ID") : subject.name + '\n' + subject.inn;
            if (seenProducers_.insert(id).second) {
                const Party party = form_ == "12" && subject.inn.size() == kPersonInnWidth ? Party::ProducerIndividual
                                                                                           : Party::Producer;
                report(party, Where{subdivision, subject, W("карточка производителя")});
                producerList_.push_back({std::move(id), std::move(subject)});
            }
        }
        // Form 08: a receiver in Russia is written with its numbers, one abroad without.
        if (rows.has("BUYER_ID") && !rows.text("BUYER_INN").empty() && seenReceivers_.insert(rows.text("BUYER_ID")).second)
            report(Party::Receiver, Where{subdivision,
                                          {rows.text("BUYER_NAME"), rows.text("BUYER_INN"), rows.text("BUYER_KPP")},
                                          W("карточка получателя")});
    }

    void finish() {
        if (!counterpartyList_.empty())
            reportSameNumbers(findings_, {}, form_ == "08" ? W("перевозчики") : W("контрагенты"), counterpartyList_);
        if (!producerList_.empty()) reportSameNumbers(findings_, {}, W("производители"), producerList_);
    }

private:
    void report(Party party, const Where& where) {
        const auto rules = numberRules(form_, party);
        if (!rules) return;
        if (rules->inn) reportInn(findings_, where, where.subject.inn, *rules->inn);
        if (rules->kpp) reportKpp(findings_, where, where.subject.kpp, *rules->kpp);
    }

    Findings& findings_;
    std::string_view form_;
    bool counterparties_, producers_;
    std::set<std::string> seenCounterparties_, seenProducers_, seenReceivers_;
    std::vector<ListedParty> counterpartyList_, producerList_;
};

// A licence as the file names it, by its registration number; series and number only where the
// card has none, as hosts often leave series and number empty.
std::string licenceName(const WorkRows& rows) {
    if (std::string registration = rows.text("CL_LIC_REG_NUMBER"); !registration.empty()) return registration;
    std::string name = rows.text("CL_LIC_SERIES");
    const std::string number = rows.text("CL_LIC_NUMBER");
    if (!name.empty() && !number.empty()) name += ' ';
    return name + number;
}

// A resident counterparty's licence on the document's day; one without any licence is said once.
// Only the rows of products whose turnover is licensed count: a brewery or a carrier of bottled
// wine has no licence to show.
class LicenceCheck {
public:
    LicenceCheck(Findings& findings, std::string_view form) : findings_(findings), form_(form) {}

    void row(const WorkRows& rows, const std::string& subdivision) {
        if (!rows.has("CL_LIC_DATE") || !rows.has("CL_LIC_GOOD_DATE")) return;
        const std::string country = rows.text("CL_COUNTRY_KOD");
        if (!country.empty() && country != kResidentCountryCode) return;
        if (codes_.find(form_, CodeList::LicenceFree, rows.text("VIDPROD_KOD"))) return;
        const auto from = rows.date("CL_LIC_DATE");
        const auto to = rows.date("CL_LIC_GOOD_DATE");
        if (!from && !to && rows.text("CL_LIC_NUMBER").empty()) {
            if (unlicensed_.insert(rows.text("CL_ID")).second)
                findings_.add(Severity::Error, "counterparty-licence-missing",
                              Where{subdivision, subject(rows), documentPlace(rows, "EXT_DOCINDEX", "EXT_DOC_DATE", "документ")},
                              W("У контрагента-резидента нет лицензии."),
                              W("Внесите лицензию контрагента в его карточку."));
            return;
        }
        const auto day = rows.date("EXT_DOC_DATE");
        if (!day) return;
        const bool before = from && day->days < from->days;
        const bool after = to && day->days > to->days;
        if (!before && !after) return;
        std::string place = documentPlace(rows, "EXT_DOCINDEX", "EXT_DOC_DATE", "документ");
        const std::string licence = licenceName(rows);
        if (!said_.insert({rows.text("CL_ID"), place, licence}).second) return;
        findings_.add(Severity::Error, "counterparty-licence-period", Where{subdivision, subject(rows), std::move(place)},
                      W("Документ датирован ") + host::formatDate(*day) + W(", а лицензия ") + licence +
                          W(" действует с ") +
                          (from ? host::formatDate(*from) : std::string("?")) + W(" по ") +
                          (to ? host::formatDate(*to) : std::string("?")) + ".",
                      W("Проверьте дату документа и даты лицензии контрагента."));
    }

private:
    static Subject subject(const WorkRows& rows) {
        return {rows.text("CL_NAME"), rows.text("CL_INN"), rows.text("CL_KPP")};
    }

    Findings& findings_;
    std::string_view form_;
    const CodeTables& codes_ = CodeTables::embedded();
    std::set<std::string> unlicensed_;
    std::set<std::tuple<std::string, std::string, std::string>> said_;
};

class DateCheck {
public:
    DateCheck(Findings& findings, const CheckedRun& run)
        : findings_(findings), period_(reportingPeriod(run.year, run.quarterIndex)),
          quarter_(host::formatDate(period_.first) + " - " + host::formatDate(period_.last)) {}

    void row(const WorkRows& rows, const std::string& subdivision) {
        check(rows, subdivision, "EXT_DOC_DATE", "EXT_DOCINDEX", "документ", "document-date");
        if (rows.has("TN_DATE"))
            check(rows, subdivision, "TN_DATE", "TN_INDEX", "товарно-транспортная накладная", "waybill-date");
    }

private:
    void check(const WorkRows& rows, const std::string& subdivision, const char* dateColumn, const char* numberColumn,
               const char* what, const char* rule) {
        const auto day = rows.date(dateColumn);
        if (!day || (day->days >= period_.first.days && day->days <= period_.last.days)) return;
        std::string place = documentPlace(rows, numberColumn, dateColumn, what);
        if (!said_.insert(std::string(rule) + place).second) return;
        findings_.add(Severity::Error, rule, Where{subdivision, {}, std::move(place)},
                      W("Дата ") + host::formatDate(*day) + W(" вне отчетного периода ") + quarter_ + ".",
                      W("Проверьте дату документа или выбранный период."));
    }

    Findings& findings_;
    ReportingPeriod period_;
    std::string quarter_;
    std::set<std::string> said_;
};

// Each code once per subdivision, whichever table holds it: one check spans the tables.
class CodeCheck {
public:
    CodeCheck(Findings& findings, std::string_view form) : findings_(findings), form_(form) {}

    void row(const WorkRows& rows, const std::string& subdivision) {
        if (form_ == "08") {
            check(rows, subdivision, "VIDTRANS_KOD", CodeList::TransportKind);
            check(rows, subdivision, "VIDPROD_KOD", CodeList::ProductGroup);
        } else {
            check(rows, subdivision, "VIDPROD_KOD", CodeList::ProductKind);
        }
    }

private:
    void check(const WorkRows& rows, const std::string& subdivision, const char* column, CodeList list) {
        if (!rows.has(column)) return;
        const std::string code = rows.text(column);
        if (!said_.insert({std::string(column) + code, subdivision}).second) return;
        reportCode(findings_, Where{subdivision, {}, W("код ") + code + " " + rows.text("VIDPROD_NAME")}, form_, list,
                   code);
    }

    Findings& findings_;
    std::string_view form_;
    std::set<std::pair<std::string, std::string>> said_;
};

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

// The movement rows' quantities: a line with nothing in it, a figure the format refuses.
class QuantityCheck {
public:
    QuantityCheck(Findings& findings, int precision) : findings_(findings), precision_(precision) {}

    void row(const WorkRows& rows, const std::string& subdivision) {
        const double quantity = rows.number("QUANTITY");
        const bool empty = printed(quantity, precision_) == 0;
        if (!empty && numberFits(quantity, precision_)) return;
        const Where where{subdivision,
                          {rows.text("CL_NAME"), rows.text("CL_INN"), rows.text("CL_KPP")},
                          documentPlace(rows, "EXT_DOCINDEX", "EXT_DOC_DATE", "документ")};
        if (!empty) {
            reportNumber(findings_, where, W("Объем"), quantity, precision_);
            return;
        }
        // An empty line is said once per document and counterparty, however many rows it has.
        if (emptySaid_.insert({where.subdivision, where.subject.name, where.place}).second)
            findings_.add(Severity::Warning, "empty-line", where,
                          W("Строка документа с нулевым объемом: в декларации она будет пустой."),
                          W("Проверьте количество в документе или удалите пустую строку."));
    }

private:
    Findings& findings_;
    int precision_;
    std::set<std::tuple<std::string, std::string, std::string>> emptySaid_;
};

std::string turnoverPlace(const WorkRows& rows) {
    std::string place = W("оборот: код ") + rows.text("VIDPROD_KOD");
    const std::string articul = rows.text("ARTICUL");
    if (!articul.empty()) place += W(", артикул ") + articul;
    return place;
}

// Per turnover row: the figures as printed must add up to the closing balance as printed, the
// closing balance must not be negative, and a row must declare something.
void checkBalance(Findings& findings, const CheckedRun& run, const WorkRows& rows, const std::string& subdivision) {
    static const char* const kReceipts[] = {"PRIX_PROIZ", "PRIX_OPT", "PRIX_IMPORT", "PRIX_RET", "PRIX_MOVE", "PRIX_OTHER"};
    static const char* const kDisposals[] = {"RASX_OPT", "RASX_ROZN", "RASX_EXPORT", "RASX_RET", "RASX_MOVE", "RASX_OTHER"};
    const int p = run.precision;
    const double tolerance = 0.5 * std::pow(10.0, -p);
    const Where where{subdivision, {rows.text("MANUF_NAME"), rows.text("MANUF_INN"), rows.text("MANUF_KPP")},
                      turnoverPlace(rows)};
    const double opening = rows.number("OST_BEGIN");
    double closing = opening, printedSum = printed(opening, p);
    bool anything = printed(opening, p) != 0;
    reportNumber(findings, where, W("Остаток на начало"), opening, p);
    auto add = [&](const char* column, double sign) {
        if (!rows.has(column)) return;
        const double value = rows.number(column);
        closing += sign * value;
        printedSum += sign * printed(value, p);
        anything = anything || printed(value, p) != 0;
        reportNumber(findings, where, column, value, p);
    };
    for (const char* column : kReceipts) add(column, 1);
    for (const char* column : kDisposals) add(column, -1);
    // A closing balance the rounding makes out of figures that print as nothing is no empty row.
    anything = anything || (!run.onlyMovement && printed(closing, p) != 0);
    if (!anything) {
        findings.add(Severity::Warning, "empty-line", where,
                     W("Строка оборота без остатков и движения: в декларации она будет пустой."),
                     W("Проверьте, нужна ли эта продукция в декларации."));
        return;
    }
    // Without the balances in the file neither of these can be told.
    if (run.onlyMovement) return;
    if (printed(closing, p) < 0) {
        findings.add(Severity::Error, "negative-closing", where,
                     W("Отрицательный остаток на конец периода: ") + decimal(closing, p) + ".",
                     W("Проверьте остаток на начало и документы прихода и расхода за период."));
        return;
    }
    if (std::fabs(printedSum - printed(closing, p)) > tolerance)
        findings.add(Severity::Warning, "balance", where,
                     W("Округленные остаток на начало, приход и расход не сходятся с остатком на конец ") +
                         W("(расхождение ") + decimal(printedSum - printed(closing, p), p) + ").",
                     W("Увеличьте точность расчета или проверьте количества в документах."));
}

}  // namespace

void checkWorkTables(Findings& findings, const CheckedRun& run) {
    const FormTables& tables = *run.tables;
    const Subdivisions subdivisions = checkSubdivisions(findings, run);
    // Forms 11 and 12 list the producers of their turnover, the others those of their movement.
    const bool producersInTurnover = !tables.turnover.empty();
    CodeCheck codes(findings, tables.form);
    {
        PartyCheck parties(findings, tables.form, true, !producersInTurnover);
        LicenceCheck licences(findings, tables.form);
        DateCheck dates(findings, run);
        QuantityCheck quantities(findings, run.precision);
        WorkRows movement(run.workDirectory, std::string(tables.movement));
        while (movement.next()) {
            const std::string subdivision = subdivisionOf(subdivisions, movement);
            parties.row(movement, subdivision);
            licences.row(movement, subdivision);
            dates.row(movement, subdivision);
            codes.row(movement, subdivision);
            quantities.row(movement, subdivision);
        }
        parties.finish();
    }
    PartyCheck producers(findings, tables.form, false, true);
    WorkRows turnover(run.workDirectory, std::string(tables.turnover));
    while (turnover.next()) {
        const std::string subdivision = subdivisionOf(subdivisions, turnover);
        if (producersInTurnover) producers.row(turnover, subdivision);
        codes.row(turnover, subdivision);
        checkBalance(findings, run, turnover, subdivision);
    }
    producers.finish();
}

}  // namespace core::checks
