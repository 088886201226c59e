// The opening and closing balances a written declaration of form 11, 12 or 05 declares.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/checks/finding.h"

namespace core::checks {

// A file that cannot serve as a declaration's balances. The text is host text (windows-1251) and
// says what is wrong without the file's name, which the caller adds as the user typed it.
class BalanceFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The quarter a declaration is for: its year and the page's quarter item (0..3).
struct Quarter {
    int year = 0;
    int index = 0;

    bool operator==(const Quarter&) const = default;
};

// The quarter before: the first quarter's is the fourth of the year before. An item outside 0..3
// counts as the fourth quarter, as the period choice takes it.
Quarter quarterBefore(Quarter quarter);
// "1 квартал 2024 года", host text.
std::string quarterText(Quarter quarter);

// The balances of one subdivision, product kind and producer, summed over the lines the file
// gives them (with goods detail, one per article), each line's figure as the file prints it.
struct BalanceLine {
    // As the file prints them: the subdivision's name and KPP upper-cased, the kind code.
    std::string subdivisionName;
    std::string subdivisionKpp;
    std::string kind;
    Subject producer;
    double opening = 0;
    double closing = 0;
};

// The lines by subdivision, kind and producer (balanceKey); all text is host text.
struct DeclarationBalances {
    std::string form;
    Quarter quarter;
    // The organization's INN as the file gives it.
    std::string organizationInn;
    // Whether the file has its balances at all: one made with "Не выгружать остатки" has none.
    bool withBalances = true;
    // The decimals of the figures as the file prints them (the most any figure has).
    int decimals = 0;
    std::map<std::string, BalanceLine> lines;
};

// The key a line is matched by between two declarations: the subdivision by its KPP and name,
// the kind, and the producer by its INN and KPP, or by its name when it has no numbers.
std::string balanceKey(const BalanceLine& line);

// Reads the balances of a declaration file written by this program, of any form that declares
// them (11, 12, 05). Throws BalanceFileError when the file cannot be read, is no XML, is no
// declaration or is one of a form without balances.
DeclarationBalances readDeclarationBalances(const std::string& path);

// The balances of the declaration filed for the quarter before `quarter` in `form`: throws
// BalanceFileError also when the file is another form's, another quarter's or has no balances.
DeclarationBalances readPreviousDeclaration(const std::string& path, std::string_view form, Quarter quarter);

}  // namespace core::checks
