#pragma once

// The text-forming functions of the declaration file.

#include <string>
#include <string_view>
#include <vector>

namespace core {

// The text-forming functions of the declaration file. All text is windows-1251.

// s between two double-quote characters; nothing inside is escaped.
std::string DoubleQuotedStr(std::string_view s);

// s fitted to exactly n characters: its first n, or zeros in front.
std::string CellString(std::string_view s, std::size_t n);

// Every "'" replaced by a double-quote character.
std::string apostrophesReplaced(std::string_view s);

// The declaration number format: fixed point with exactly `decimals` digits after ".", exact
// halves of the value as stored rounded away from zero, no thousands separator, and no minus
// sign on a value that rounds to zero.
std::string declarationNumber(double value, int decimals);

// An address of the declaration on one line: the ten values (country code, postcode, region,
// district, city, locality, street, house, building, flat) each escaped in its element, the empty
// "Литера" before the flat, the elements separated by a lone CR.
std::string addressLine(const std::vector<std::string>& values);

}  // namespace core
