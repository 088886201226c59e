// The closed code lists of the declaration forms, and the limits of their numbers.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/checks/finding.h"

namespace core::checks {

// The attributes whose values the format takes only from a list.
enum class CodeList {
    ProductKind,         // П000000000003 "Код вида продукции" of forms 11, 12, 07, 06, 05
    LicensedActivity,    // ВидДеят of the organization's licence
    UnlicensedActivity,  // ВидДеят of the organization's activity without a licence
    TransportKind,       // form 08: П000000000002 "Код вида перевозки"
    ProductGroup,        // form 08: П000000000004 "Вид продукции"
    LicenceFree,         // the product kinds (form 08: groups) a counterparty needs no licence for
};

// One code a form takes, with its name; both host text. The name is empty where it is not known
// for certain.
struct Code {
    std::string code;
    std::string name;
};

// The lists as the project keeps them (core/checks/data/*.tsv, carried inside the program).
class CodeTables {
public:
    // Reads the two data files' text (UTF-8); throws std::runtime_error naming the file and line
    // of anything it cannot take: a missing column, a form that is none of the six, an unknown
    // list, a code listed twice for one form and list.
    static CodeTables parse(std::string_view productKindsTsv, std::string_view formCodesTsv);

    // The lists carried inside the program, read once.
    static const CodeTables& embedded();

    // What `form` takes in `list`, in the order of the data; empty where the form has no such
    // attribute (form 12 has no activity kinds, form 08 no product kind codes). Throws
    // std::invalid_argument for a form that is none of the six.
    const std::vector<Code>& allowed(std::string_view form, CodeList list) const;

    // The code as `form` takes it in `list`, or null when the form does not take it.
    const Code* find(std::string_view form, CodeList list, std::string_view code) const;

    // A code's name in `list` whatever form takes it; empty when the code is unknown or unnamed.
    std::string name(CodeList list, std::string_view code) const;

private:
    std::map<std::pair<std::string, CodeList>, std::vector<Code>> lists_;
};

// The six forms, as their numbers are written: "11", "12", "08", "07", "06", "05".
const std::vector<std::string>& declarationForms();

// An error finding when `form` does not take `code` in `list` (nothing when it does); it says
// which of the other forms take it, if any.
void reportCode(Findings& findings, const Where& where, std::string_view form, CodeList list, std::string_view code,
                const CodeTables& tables = CodeTables::embedded());

// The limits of a decimal attribute: at most `totalDigits` digits, `fractionDigits` of them after
// the point, counted as the value has them: neither leading zeros nor trailing zeros after the
// point count, as a schema validator counts them.
struct DecimalLimits {
    int totalDigits = 15;
    int fractionDigits = 5;
};

struct DecimalMeasure {
    bool lexical = false;  // an optional sign, digits, an optional point and digits, one digit at least
    int totalDigits = 0;
    int fractionDigits = 0;
    bool fits(const DecimalLimits& limits = {}) const {
        return lexical && totalDigits <= limits.totalDigits && fractionDigits <= limits.fractionDigits;
    }
};

DecimalMeasure measureDecimal(std::string_view text);

// Whether `value`, as the declaration writer prints it with `precision` decimals, fits.
bool numberFits(double value, int precision, const DecimalLimits& limits = {});

// An error finding when `value` printed with `precision` decimals does not fit; `what` names the
// figure (host text, "Остаток на начало отчетного периода").
void reportNumber(Findings& findings, const Where& where, std::string_view what, double value, int precision,
                  const DecimalLimits& limits = {});

}  // namespace core::checks
