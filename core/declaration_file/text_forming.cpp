// The text-forming functions of the declaration file.
#include "core/declaration_file/text_forming.h"

#include <cmath>
#include <cstdio>
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

std::string declarationNumber(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(value)) value = 0;
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
