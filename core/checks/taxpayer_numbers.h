// Taxpayer numbers (INN, KPP): what is wrong with one, and the findings of the declaration's.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/checks/finding.h"

namespace core::checks {

// A legal entity's INN has 10 digits, an individual's (an entrepreneur's) 12.
enum class InnKind { LegalEntity, Individual, Either };

enum class InnProblem {
    None,
    Empty,
    NotDigits,        // `position` is the first character that is not a digit
    WrongLength,      // a number of digits the kind does not have
    StartsWith00,     // the format allows no INN starting "00" (all zeros among them)
    WrongCheckDigit,  // `position` is the check digit that is wrong, `expected` the right one
};

struct InnCheck {
    InnProblem problem = InnProblem::None;
    std::size_t position = 0;  // 1-based
    char expected = 0;
    // Of WrongLength: the length the kind asks for, 0 when 10 and 12 both would do.
    std::size_t expectedLength = 0;
    bool ok() const { return problem == InnProblem::None; }
};

// The checks in the order a reader fixes them: characters, length, the format's "00", then the
// check digits (of a 12-digit number the eleventh first: the twelfth is computed over it).
InnCheck checkInn(std::string_view inn, InnKind kind = InnKind::Either);

// The check digit the digits before it give, with the weights of the digit at `position` (10 of
// a legal entity's INN, 11 or 12 of an individual's); `digits` holds at least position - 1 digits.
char innCheckDigit(std::string_view digits, std::size_t position);

// A KPP is 4 digits (the tax office), 2 digits or capital Latin letters (the reason), 3 digits.
// The declaration format is stricter: digits only, and not starting "00".
enum class KppProblem {
    None,
    Empty,
    WrongLength,
    NotDigit,            // `position` (1-4 or 7-9) is not a digit
    BadReasonCharacter,  // `position` (5 or 6) is neither a digit nor a capital Latin letter
    LowerCaseReason,     // `position` (5 or 6) is a small Latin letter
    LettersInReason,     // a right KPP, but letters at 5-6: the format refuses it
    StartsWith00,        // a right KPP in shape, but the format refuses "00" at its start
};

struct KppCheck {
    KppProblem problem = KppProblem::None;
    std::size_t position = 0;  // 1-based
    bool ok() const { return problem == KppProblem::None; }
    // The shape a KPP has, whether or not the format takes it.
    bool shapeOk() const {
        return problem == KppProblem::None || problem == KppProblem::LettersInReason ||
               problem == KppProblem::StartsWith00;
    }
};

KppCheck checkKpp(std::string_view kpp);

// What is wrong, as a sentence of host text; `value` is quoted in it. Empty for a right number.
std::string innProblemText(const InnCheck& check, std::string_view value);
std::string kppProblemText(const KppCheck& check, std::string_view value);

// What the declaration file demands of an INN where it stands.
struct InnRule {
    InnKind kind = InnKind::Either;
    // The format's own pattern: exactly 10 (legal entity) or 12 (individual) digits, not "00...".
    // Without it the file takes any text of minLength..maxLength characters.
    bool formatPattern = true;
    std::size_t minLength = 0;
    std::size_t maxLength = 0;
    // The value must be a Russian INN even where the file would take other text; where it need
    // not (a foreign producer's registration number) only a value of 10 or 12 digits is checked.
    bool russian = true;
    bool required = true;
};

struct KppRule {
    // The format's own pattern: 9 digits, not "00...". Without it any text up to maxLength.
    bool formatPattern = true;
    std::size_t maxLength = 9;
    bool required = true;
};

// The rules of the places the declarations hold numbers in.
inline constexpr InnRule kLegalInn{InnKind::LegalEntity, true, 10, 10, true, true};
inline constexpr InnRule kIndividualInn{InnKind::Individual, true, 12, 12, true, true};
inline constexpr KppRule kRequiredKpp{true, 9, true};
inline constexpr KppRule kOptionalKpp{true, 9, false};

// The parties whose numbers the declaration files hold.
enum class Party {
    Organization,            // the organization itself, a legal entity
    OrganizationIndividual,  // an entrepreneur filing for himself (forms 12 and 08 only)
    Subdivision,             // a subdivision's KPP in its turnover or transport section
    Producer,                // a producer or importer (a legal entity on form 12)
    ProducerIndividual,      // an individual producer (form 12 tells these apart)
    Supplier,                // a resident legal entity supplying (11, 12, 07) or receiving (06)
    SupplierIndividual,      // the same, an individual
    Carrier,                 // form 08: a carrier that is a legal entity
    Receiver,                // form 08: a receiver in Russia
};

// What a form's file demands of a party's numbers; a number the file has no place for is absent.
struct NumberRules {
    std::optional<InnRule> inn;
    std::optional<KppRule> kpp;
};

// Absent when the form holds no such party (a carrier on form 11, an entrepreneur filing form
// 07); throws std::invalid_argument for a form that is none of the six.
std::optional<NumberRules> numberRules(std::string_view form, Party party);

// A finding for `inn` where the format refuses it (error) or where it is no INN that can exist
// (warning); nothing for a right one.
void reportInn(Findings& findings, const Where& where, std::string_view inn, const InnRule& rule);
void reportKpp(Findings& findings, const Where& where, std::string_view kpp, const KppRule& rule);

// One entry of a reference block (suppliers, producers, carriers, receivers), with its id.
struct ListedParty {
    std::string id;
    Subject subject;
};

// A warning for every INN and KPP pair that two or more different ids of `parties` share: the
// same counterparty listed twice, whose figures the regulator would add up as two. `listName`
// names the block (host text). Entries with no INN are not compared.
void reportSameNumbers(Findings& findings, std::string_view subdivision, std::string_view listName,
                       const std::vector<ListedParty>& parties);

}  // namespace core::checks
