// The text-forming functions of the declaration file.
#include "core/declaration_file/text_forming.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <limits>
#include <vector>

namespace core {

std::string DoubleQuotedStr(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    out += s;
    out += '"';
    return out;
}

std::string CellString(std::string_view s, std::size_t n) {
    if (s.size() >= n) return std::string(s.substr(0, n));
    return std::string(n - s.size(), '0') + std::string(s);
}

std::string apostrophesReplaced(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\'') c = '"';
    return out;
}

namespace {

// The number of the declaration format from the value's exact binary form, for the values that
// have one small enough: `value` is m * 2^e with a whole m of 53 bits, so |value| * 10^decimals
// is a whole number and a fraction of at most 2^-100 granularity, and the half-way test is
// exact. Printing with 30 digits more than kept, as the general way does, decides the same:
// only a fraction within 10^-30 of a half could round differently there, and none of these
// values has one. Empty when the value is too large or too small to be handled so.
std::string exactNumber(double value, int decimals) {
    static constexpr std::uint64_t kPowers[] = {1,      10,      100,      1000,      10000,
                                                100000, 1000000, 10000000, 100000000, 1000000000};
    if (decimals >= static_cast<int>(std::size(kPowers))) return {};
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;  // |value| = mantissa / 2^shift
    if (mantissa != 0 && (shift > 100 || shift < 0)) return {};
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * kPowers[decimals];
    unsigned __int128 whole = scaled;
    if (mantissa != 0 && shift > 0) {
        whole = scaled >> shift;
        const unsigned __int128 rest = scaled - (whole << shift);
        if (rest >= (static_cast<unsigned __int128>(1) << (shift - 1))) ++whole;
    }
    if (whole > std::numeric_limits<std::uint64_t>::max()) return {};
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(whole)).ptr;
    std::string text(digits, end);
    const auto places = static_cast<std::size_t>(decimals);
    if (text.size() <= places) text.insert(0, places + 1 - text.size(), '0');
    if (places > 0) text.insert(text.size() - places, 1, '.');
    if (std::signbit(value) && whole != 0) text.insert(0, 1, '-');
    return text;
}

}  // namespace

std::string declarationNumber(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(value)) value = 0;
    if (std::string exact = exactNumber(value, decimals); !exact.empty()) return exact;
    const bool negative = std::signbit(value);
    // The magnitude's decimal expansion, far enough past the last kept digit to tell an exact
    // half from a value just below or above it.
    std::vector<char> buffer(400);
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals + 30, std::fabs(value));
    std::string digits(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t point = digits.find('.');
    std::string kept = digits.substr(0, point) + digits.substr(point + 1, static_cast<std::size_t>(decimals));
    const bool roundUp = digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (roundUp) {
        std::size_t i = kept.size();
        while (i > 0) {
            --i;
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
            if (i == 0) kept.insert(kept.begin(), '1');
        }
    }
    const std::size_t whole = kept.size() - static_cast<std::size_t>(decimals);
    std::string text = kept.substr(0, whole);
    if (decimals > 0) text += "." + kept.substr(whole);
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    return negative && !zero ? "-" + text : text;
}

}  // namespace core
