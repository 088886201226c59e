#pragma once

// Texts only the form 08 declaration writes.

#include <string>
#include <string_view>

namespace forms::transport {

// Texts of the form 08 declaration that no other form writes. All text is windows-1251.

// A vehicle's volume: fixed point with exactly one digit after ".", at most 15 significant digits
// (digits past them become zeros), exact halves of the value as stored rounded away from zero,
// no thousands separator, and no minus sign on a value that rounds to zero.
std::string volumeText(double value);

// An individual carrier's name, escaped, as its "ФИО" element splits it: the surname and the
// first name are the words before the first and the second blank, the patronymic is the rest;
// a name with fewer blanks leaves the leading parts empty, so a single word is a patronymic.
struct CarrierName {
    std::string surname;
    std::string firstName;
    std::string patronymic;
};
CarrierName splitCarrierName(std::string_view name);

}  // namespace forms::transport
