// Taxpayer numbers (INN, KPP): what is wrong with one, and the findings of the declaration's.
#include "core/checks/taxpayer_numbers.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <utility>

#include "host/text/cp1251.h"

namespace core::checks {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isCapitalLatin(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isSmallLatin(char c) {
    return c >= 'a' && c <= 'z';
}
bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), isDigit);
}

std::string quoted(std::string_view value) {
    return host::W("«") + std::string(value) + host::W("»");
}

std::string number(std::size_t n) {
    return std::to_string(n);
}

}  // namespace

char innCheckDigit(std::string_view digits, std::size_t position) {
    // The weights of the tenth, eleventh and twelfth digit; each check digit is the weighted sum
    // of the digits before it, modulo 11, modulo 10.
    static constexpr int kWeights[] = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    const std::size_t count = position - 1;
    const int* weights = kWeights + (std::size(kWeights) - count);
    int sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += weights[i] * (digits[i] - '0');
    return static_cast<char>('0' + sum % 11 % 10);
}

InnCheck checkInn(std::string_view inn, InnKind kind) {
    if (inn.empty()) return {InnProblem::Empty};
    for (std::size_t i = 0; i < inn.size(); ++i)
        if (!isDigit(inn[i])) return {InnProblem::NotDigits, i + 1};
    const bool lengthFits =
        (inn.size() == 10 && kind != InnKind::Individual) || (inn.size() == 12 && kind != InnKind::LegalEntity);
    if (!lengthFits)
        return {InnProblem::WrongLength, 0, 0,
                kind == InnKind::LegalEntity  ? 10u
                : kind == InnKind::Individual ? 12u
                                              : 0u};
    if (inn[0] == '0' && inn[1] == '0') return {InnProblem::StartsWith00};
    for (std::size_t position = inn.size() == 10 ? 10 : 11; position <= inn.size(); ++position) {
        const char expected = innCheckDigit(inn, position);
        if (inn[position - 1] != expected) return {InnProblem::WrongCheckDigit, position, expected};
    }
    return {};
}

KppCheck checkKpp(std::string_view kpp) {
    if (kpp.empty()) return {KppProblem::Empty};
    if (kpp.size() != 9) return {KppProblem::WrongLength};
    bool letters = false;
    for (std::size_t i = 0; i < kpp.size(); ++i) {
        const char c = kpp[i];
        if (i == 4 || i == 5) {
            if (isSmallLatin(c)) return {KppProblem::LowerCaseReason, i + 1};
            if (!isDigit(c) && !isCapitalLatin(c)) return {KppProblem::BadReasonCharacter, i + 1};
            letters = letters || isCapitalLatin(c);
        } else if (!isDigit(c)) {
            return {KppProblem::NotDigit, i + 1};
        }
    }
    if (letters) return {KppProblem::LettersInReason, 5};
    if (kpp[0] == '0' && kpp[1] == '0') return {KppProblem::StartsWith00, 1};
    return {};
}

std::string innProblemText(const InnCheck& check, std::string_view value) {
    const std::string inn = host::W("ИНН ") + quoted(value);
    switch (check.problem) {
        case InnProblem::None: return {};
        case InnProblem::Empty: return host::W("ИНН не указан");
        case InnProblem::NotDigits:
            return inn + host::W(": знак ") + number(check.position) +
                   host::W(" — не цифра; ИНН состоит только из цифр");
        case InnProblem::WrongLength:
            if (check.expectedLength == 10)
                return inn + host::W(": ") + number(value.size()) + host::W(" цифр, а у ИНН организации их 10");
            if (check.expectedLength == 12)
                return inn + host::W(": ") + number(value.size()) + host::W(" цифр, а у ИНН физического лица их 12");
            return inn + host::W(": ") + number(value.size()) +
                   host::W(" цифр; у ИНН организации их 10, у ИНН физического лица 12");
        case InnProblem::StartsWith00:
            return inn + host::W(" начинается с «00», формат декларации такой ИНН не принимает");
        case InnProblem::WrongCheckDigit:
            return inn + host::W(": неверная контрольная цифра (") + number(check.position) +
                   host::W("-я цифра должна быть ") + std::string(1, check.expected) +
                   host::W("), такого ИНН не существует");
    }
    return {};
}

std::string kppProblemText(const KppCheck& check, std::string_view value) {
    const std::string kpp = host::W("КПП ") + quoted(value);
    switch (check.problem) {
        case KppProblem::None: return {};
        case KppProblem::Empty: return host::W("КПП не указан");
        case KppProblem::WrongLength: return kpp + host::W(": ") + number(value.size()) + host::W(" знаков вместо 9");
        case KppProblem::NotDigit:
            return kpp + host::W(": знак ") + number(check.position) +
                   host::W(" — не цифра; цифрами должны быть знаки 1–4 и 7–9");
        case KppProblem::BadReasonCharacter:
            return kpp + host::W(": знак ") + number(check.position) +
                   host::W(" — ни цифра, ни заглавная латинская буква");
        case KppProblem::LowerCaseReason:
            return kpp + host::W(": знак ") + number(check.position) +
                   host::W(" — строчная латинская буква; в КПП буквы только заглавные");
        case KppProblem::LettersInReason:
            return kpp + host::W(
                             " содержит буквы в 5–6 знаках: такой КПП бывает, но формат декларации "
                             "принимает КПП только из цифр");
        case KppProblem::StartsWith00:
            return kpp + host::W(" начинается с «00», формат декларации такой КПП не принимает");
    }
    return {};
}

std::optional<NumberRules> numberRules(std::string_view form, Party party) {
    const auto is = [&](std::initializer_list<std::string_view> forms) {
        return std::find(forms.begin(), forms.end(), form) != forms.end();
    };
    if (!is({"11", "12", "08", "07", "06", "05"}))
        throw std::invalid_argument("\"" + std::string(form) + "\" is not a declaration form's number");
    // Where a foreign number may stand instead of an INN (a Belarusian payer's account number, a
    // Kazakh BIN or IIN), the file takes any text of these lengths.
    const InnRule anyNumber{InnKind::Either, false, 1, 20, false, true};
    switch (party) {
        case Party::Organization: return NumberRules{kLegalInn, kRequiredKpp};
        case Party::OrganizationIndividual:
            if (is({"12", "08"})) return NumberRules{kIndividualInn, std::nullopt};
            return std::nullopt;
        case Party::Subdivision: return NumberRules{std::nullopt, is({"12", "05"}) ? kOptionalKpp : kRequiredKpp};
        case Party::Producer:
            if (is({"12"})) return NumberRules{kLegalInn, kRequiredKpp};
            if (is({"05"})) return NumberRules{InnRule{InnKind::Either, false, 5, 20, false, true}, kOptionalKpp};
            if (is({"11", "07", "06"})) return NumberRules{anyNumber, kOptionalKpp};
            return std::nullopt;
        case Party::ProducerIndividual:
            if (is({"12"})) return NumberRules{anyNumber, std::nullopt};
            if (is({"08"})) return std::nullopt;
            return numberRules(form, Party::Producer);
        case Party::Supplier:
            if (is({"11", "12", "07", "06"})) return NumberRules{kLegalInn, kRequiredKpp};
            return std::nullopt;
        case Party::SupplierIndividual:
            if (is({"11", "12"})) return NumberRules{anyNumber, std::nullopt};
            if (is({"07", "06"})) return NumberRules{kIndividualInn, std::nullopt};
            return std::nullopt;
        case Party::Carrier:
            if (is({"08"}))
                return NumberRules{InnRule{InnKind::Either, false, 0, 50, true, false}, KppRule{false, 50, false}};
            return std::nullopt;
        case Party::Receiver:
            if (is({"08"})) return NumberRules{InnRule{InnKind::Either, false, 10, 12, true, true}, kOptionalKpp};
            return std::nullopt;
    }
    return std::nullopt;
}

void reportInn(Findings& findings, const Where& where, std::string_view inn, const InnRule& rule) {
    if (inn.empty()) {
        if (rule.required)
            findings.add(Severity::Error, "inn-missing", where, host::W("ИНН не указан, а файл требует его"),
                         host::W("Укажите ИНН в карточке клиента"));
        return;
    }
    const InnCheck check = checkInn(inn, rule.kind);
    const std::string fixNumber = host::W("Сверьте ИНН с документами клиента и исправьте его в карточке клиента");
    if (rule.formatPattern) {
        if (check.problem == InnProblem::WrongCheckDigit)
            findings.add(Severity::Warning, "inn-check-digit", where, innProblemText(check, inn), fixNumber);
        else if (!check.ok())
            findings.add(Severity::Error, "inn-format", where, innProblemText(check, inn), fixNumber);
        return;
    }
    if (inn.size() < rule.minLength || inn.size() > rule.maxLength) {
        findings.add(Severity::Error, "inn-format", where,
                     host::W("ИНН ") + quoted(inn) + host::W(": ") + number(inn.size()) +
                         host::W(" знаков, формат декларации допускает здесь от ") + number(rule.minLength) +
                         host::W(" до ") + number(rule.maxLength),
                     fixNumber);
        return;
    }
    // Where other text may stand, a number that is no INN is a warning; a foreign registration
    // number is anything but 10 or 12 digits.
    const bool russianLooking = allDigits(inn) && (inn.size() == 10 || inn.size() == 12);
    if (check.ok() || (!rule.russian && !russianLooking)) return;
    findings.add(Severity::Warning, check.problem == InnProblem::WrongCheckDigit ? "inn-check-digit" : "inn-shape",
                 where, innProblemText(check, inn), fixNumber);
}

void reportKpp(Findings& findings, const Where& where, std::string_view kpp, const KppRule& rule) {
    if (kpp.empty()) {
        if (rule.required)
            findings.add(Severity::Error, "kpp-missing", where, host::W("КПП не указан, а файл требует его"),
                         host::W("Укажите КПП в карточке клиента (у организации он есть всегда)"));
        return;
    }
    const KppCheck check = checkKpp(kpp);
    const std::string fixNumber = host::W("Сверьте КПП с документами клиента и исправьте его в карточке клиента");
    if (rule.formatPattern) {
        if (check.problem == KppProblem::LettersInReason)
            findings.add(Severity::Error, "kpp-letters", where, kppProblemText(check, kpp),
                         host::W("Сверьте КПП с документами клиента; если в нем действительно буквы, "
                                 "уточните у регулятора, какой КПП указывать в декларации"));
        else if (!check.ok())
            findings.add(Severity::Error, check.shapeOk() ? "kpp-format" : "kpp-shape", where,
                         kppProblemText(check, kpp), fixNumber);
        return;
    }
    if (kpp.size() > rule.maxLength) {
        findings.add(Severity::Error, "kpp-format", where,
                     host::W("КПП ") + quoted(kpp) + host::W(": ") + number(kpp.size()) +
                         host::W(" знаков, формат декларации допускает здесь не более ") + number(rule.maxLength),
                     fixNumber);
        return;
    }
    if (check.problem == KppProblem::LettersInReason) return;  // a right KPP, and the file takes any text
    if (!check.ok())
        findings.add(Severity::Warning, check.shapeOk() ? "kpp-format" : "kpp-shape", where, kppProblemText(check, kpp),
                     fixNumber);
}

void reportSameNumbers(Findings& findings, std::string_view subdivision, std::string_view listName,
                       const std::vector<ListedParty>& parties) {
    // In the order each pair is first met, so that the findings follow the block.
    std::map<std::pair<std::string, std::string>, std::vector<const ListedParty*>> byNumbers;
    std::vector<std::pair<std::string, std::string>> order;
    for (const ListedParty& party : parties) {
        if (party.subject.inn.empty()) continue;
        auto key = std::make_pair(party.subject.inn, party.subject.kpp);
        auto& group = byNumbers[key];
        if (group.empty()) order.push_back(key);
        const bool knownId =
            std::any_of(group.begin(), group.end(), [&](const ListedParty* p) { return p->id == party.id; });
        if (!knownId) group.push_back(&party);
    }
    for (const auto& key : order) {
        const auto& group = byNumbers[key];
        if (group.size() < 2) continue;
        std::string ids;
        for (const ListedParty* party : group) {
            if (!ids.empty()) ids += ", ";
            ids += party->id;
        }
        std::string numbers = host::W("ИНН ") + key.first;
        if (!key.second.empty()) numbers += host::W(", КПП ") + key.second;
        findings.add(Severity::Warning, "same-inn-kpp", Where{std::string(subdivision), group.front()->subject, {}},
                     std::string(listName) + host::W(": ") + numbers + host::W(" указаны под разными кодами (") + ids +
                         host::W("); их обороты будут показаны как обороты разных контрагентов"),
                     host::W("Объедините карточки одного контрагента или исправьте ИНН/КПП в ошибочной"));
    }
}

}  // namespace core::checks
