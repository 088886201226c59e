// The closed code lists of the declaration forms, and the limits of their numbers.
#include "core/checks/format_codes.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "core/checks/embedded_data.h"
#include "core/declaration_file/text_forming.h"
#include "host/text/cp1251.h"

namespace core::checks {

const std::vector<std::string>& declarationForms() {
    static const std::vector<std::string> forms{"11", "12", "08", "07", "06", "05"};
    return forms;
}

namespace {

bool isForm(std::string_view form) {
    const auto& forms = declarationForms();
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

const std::pair<std::string_view, CodeList> kListNames[] = {
    {"licensed-activity", CodeList::LicensedActivity},
    {"unlicensed-activity", CodeList::UnlicensedActivity},
    {"transport-kind", CodeList::TransportKind},
    {"product-group", CodeList::ProductGroup},
    {"licence-free", CodeList::LicenceFree},
};

using Lists = std::map<std::pair<std::string, CodeList>, std::vector<Code>>;

// The rows of one data file: comment lines (#) and blank ones skipped, the first other line the
// column header, which must be `header` exactly.
void readRows(std::string_view text, std::string_view file, std::string_view header, std::size_t columns,
              const std::function<void(const std::vector<std::string_view>&, const std::string&)>& row) {
    bool headerSeen = false;
    std::size_t lineNumber = 0;
    for (std::string_view line : split(text, '\n')) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::string where = std::string(file) + ", line " + std::to_string(lineNumber) + ": ";
        if (!headerSeen) {
            if (line != header)
                throw std::runtime_error(where + "the column header is not \"" + std::string(header) + "\"");
            headerSeen = true;
            continue;
        }
        const auto cells = split(line, '\t');
        if (cells.size() != columns)
            throw std::runtime_error(where + std::to_string(cells.size()) + " columns instead of " +
                                     std::to_string(columns));
        row(cells, where);
    }
    if (!headerSeen) throw std::runtime_error(std::string(file) + ": no column header");
}

void addCode(Lists& lists, std::string_view formsCell, CodeList list, std::string_view code, std::string_view name,
             const std::string& where) {
    if (code.empty()) throw std::runtime_error(where + "no code");
    const std::string hostCode = host::utf8ToCp1251(code, "code");
    const std::string hostName = host::utf8ToCp1251(name, "name");
    const auto forms = split(formsCell, ' ');
    for (std::string_view form : forms) {
        if (!isForm(form)) throw std::runtime_error(where + "\"" + std::string(form) + "\" is not a form's number");
        auto& codes = lists[{std::string(form), list}];
        const bool twice = std::any_of(codes.begin(), codes.end(), [&](const Code& c) { return c.code == hostCode; });
        if (twice)
            throw std::runtime_error(where + "code " + std::string(code) + " listed twice for form " +
                                     std::string(form));
        codes.push_back(Code{hostCode, hostName});
    }
}

}  // namespace

CodeTables CodeTables::parse(std::string_view productKindsTsv, std::string_view formCodesTsv) {
    CodeTables tables;
    readRows(productKindsTsv, "product_kinds.tsv", "code\tforms\tname", 3,
             [&](const std::vector<std::string_view>& cells, const std::string& where) {
                 addCode(tables.lists_, cells[1], CodeList::ProductKind, cells[0], cells[2], where);
             });
    readRows(formCodesTsv, "form_codes.tsv", "list\tforms\tcode\tname", 4,
             [&](const std::vector<std::string_view>& cells, const std::string& where) {
                 const auto* known = std::find_if(std::begin(kListNames), std::end(kListNames),
                                                  [&](const auto& entry) { return entry.first == cells[0]; });
                 if (known == std::end(kListNames))
                     throw std::runtime_error(where + "\"" + std::string(cells[0]) + "\" is not a known list");
                 addCode(tables.lists_, cells[1], known->second, cells[2], cells[3], where);
             });
    return tables;
}

const CodeTables& CodeTables::embedded() {
    static const CodeTables tables = parse(data::productKindsTsv(), data::formCodesTsv());
    return tables;
}

const std::vector<Code>& CodeTables::allowed(std::string_view form, CodeList list) const {
    if (!isForm(form)) throw std::invalid_argument("\"" + std::string(form) + "\" is not a declaration form's number");
    static const std::vector<Code> none;
    const auto it = lists_.find({std::string(form), list});
    return it == lists_.end() ? none : it->second;
}

const Code* CodeTables::find(std::string_view form, CodeList list, std::string_view code) const {
    const auto& codes = allowed(form, list);
    const auto it = std::find_if(codes.begin(), codes.end(), [&](const Code& c) { return c.code == code; });
    return it == codes.end() ? nullptr : &*it;
}

std::string CodeTables::name(CodeList list, std::string_view code) const {
    for (const auto& [key, codes] : lists_) {
        if (key.second != list) continue;
        for (const Code& c : codes)
            if (c.code == code && !c.name.empty()) return c.name;
    }
    return {};
}

namespace {

std::string listCaption(CodeList list) {
    switch (list) {
        case CodeList::ProductKind: return host::W("Код вида продукции");
        case CodeList::LicensedActivity: return host::W("Вид деятельности по лицензии");
        case CodeList::UnlicensedActivity: return host::W("Вид нелицензируемой деятельности");
        case CodeList::TransportKind: return host::W("Код вида перевозки");
        case CodeList::ProductGroup: return host::W("Вид продукции");
        case CodeList::LicenceFree: return host::W("Продукция без лицензии");
    }
    return {};
}

std::string_view ruleOf(CodeList list) {
    switch (list) {
        case CodeList::ProductKind: return "product-kind";
        case CodeList::LicensedActivity:
        case CodeList::UnlicensedActivity: return "activity-kind";
        case CodeList::TransportKind: return "transport-kind";
        case CodeList::ProductGroup: return "product-group";
        case CodeList::LicenceFree: return "licence-free";
    }
    return {};
}

}  // namespace

void reportCode(Findings& findings, const Where& where, std::string_view form, CodeList list, std::string_view code,
                const CodeTables& tables) {
    if (tables.find(form, list, code)) return;
    std::string message = listCaption(list) + host::W(" «") + std::string(code) + host::W("»");
    if (const std::string name = tables.name(list, code); !name.empty()) message += host::W(" (") + name + ')';
    message += host::W(" не допускается в форме ") + std::string(form);
    std::string others;
    for (const std::string& other : declarationForms()) {
        if (other == form || !tables.find(other, list, code)) continue;
        if (!others.empty()) others += ", ";
        others += other;
    }
    message += others.empty() ? host::W("; такого кода нет ни в одной форме") : host::W("; он есть в формах ") + others;
    std::string allowed;
    for (const Code& c : tables.allowed(form, list)) {
        if (!allowed.empty()) allowed += ", ";
        allowed += c.code;
    }
    std::string fix = list == CodeList::ProductKind
                          ? host::W("Исправьте вид продукции в карточке товара или уберите товар из этой формы")
                          : host::W("Исправьте код в справочнике");
    if (!allowed.empty()) fix += host::W("; форма ") + std::string(form) + host::W(" принимает: ") + allowed;
    findings.add(Severity::Error, ruleOf(list), where, message, fix);
}

DecimalMeasure measureDecimal(std::string_view text) {
    DecimalMeasure measure;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t wholeStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    std::string_view whole = text.substr(wholeStart, i - wholeStart);
    std::string_view fraction;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        fraction = text.substr(fractionStart, i - fractionStart);
    }
    if (i != text.size() || (whole.empty() && fraction.empty())) return measure;
    measure.lexical = true;
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    const std::size_t lastDigit = fraction.find_last_not_of('0');
    fraction = lastDigit == std::string_view::npos ? std::string_view{} : fraction.substr(0, lastDigit + 1);
    measure.fractionDigits = static_cast<int>(fraction.size());
    measure.totalDigits = static_cast<int>(whole.size() + fraction.size());
    return measure;
}

bool numberFits(double value, int precision, const DecimalLimits& limits) {
    return measureDecimal(declarationNumber(value, precision)).fits(limits);
}

void reportNumber(Findings& findings, const Where& where, std::string_view what, double value, int precision,
                  const DecimalLimits& limits) {
    const std::string printed = declarationNumber(value, precision);
    const DecimalMeasure measure = measureDecimal(printed);
    if (measure.fits(limits)) return;
    std::string message = std::string(what) + ": " + printed;
    if (measure.fractionDigits > limits.fractionDigits)
        message += host::W(" — ") + std::to_string(measure.fractionDigits) +
                   host::W(" знаков после запятой, допускается не более ") + std::to_string(limits.fractionDigits);
    else
        message += host::W(" — ") + std::to_string(measure.totalDigits) + host::W(" цифр, допускается не более ") +
                   std::to_string(limits.totalDigits);
    const std::string fix =
        measure.fractionDigits > limits.fractionDigits
            ? host::W("Уменьшите «Точность расчета количества» до ") + std::to_string(limits.fractionDigits) +
                  host::W(" знаков")
            : host::W("Проверьте количество и объем в документах: такое значение не может быть верным");
    findings.add(Severity::Error, "number-limits", where, message, fix);
}

}  // namespace core::checks
