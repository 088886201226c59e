// Texts only the form 08 declaration writes: volumes and carriers' names.
#include "forms/transport/body_text.h"

#include <cmath>
#include <cstdio>

#include "host/data/hostapi.h"

namespace forms::transport {

namespace {

constexpr int kSignificantDigits = 15;
constexpr std::size_t kPatronymicLength = 1000;

// Leading and trailing blanks and control characters go.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

// The words before the first blank, `rest` keeping what follows it trimmed; without a blank
// there is no word and `rest` stays as it is.
std::string leadingWord(std::string& rest) {
    const std::size_t blank = rest.find(' ');
    if (blank == std::string::npos) return {};
    std::string word = rest.substr(0, blank);
    rest = std::string(trimmed(std::string_view(rest).substr(blank)));
    return word;
}

// At most `length` characters of escaped text; an entity the cut would split goes as a whole,
// so that the file stays well-formed.
std::string escapedPrefix(const std::string& text, std::size_t length) {
    if (text.size() <= length) return text;
    std::size_t cut = length;
    const std::size_t amp = text.rfind('&', cut - 1);
    if (amp != std::string::npos && text.find(';', amp) >= cut) cut = amp;
    return text.substr(0, cut);
}

}  // namespace

std::string volumeText(double value) {
    if (!std::isfinite(value)) value = 0;
    const bool negative = std::signbit(value);
    // The magnitude's decimal expansion, far enough past the last kept digit to tell an exact
    // half from a value just below or above it.
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.40f", std::fabs(value));
    const std::string digits(buffer, static_cast<std::size_t>(length));
    const std::size_t point = digits.find('.');
    // The value in tenths. The last digit kept is the tenths, or a digit of the whole part when
    // the significant digits run out before the point.
    std::string kept = digits.substr(0, point) + digits[point + 1];
    std::size_t last = kept.size() - 1;
    const std::size_t first = kept.find_first_not_of('0');
    if (first != std::string::npos && last - first >= static_cast<std::size_t>(kSignificantDigits))
        last = first + kSignificantDigits - 1;
    const bool roundUp = (last + 1 < kept.size() ? kept[last + 1] : digits[point + 2]) >= '5';
    for (std::size_t i = last + 1; i < kept.size(); ++i) kept[i] = '0';
    if (roundUp) {
        std::size_t i = last + 1;
        bool carry = true;
        while (carry && i > 0) {
            --i;
            carry = kept[i] == '9';
            kept[i] = carry ? '0' : static_cast<char>(kept[i] + 1);
        }
        if (carry) kept.insert(kept.begin(), '1');
    }
    const std::size_t whole = kept.size() - 1;
    const std::string text = kept.substr(0, whole) + "." + kept.substr(whole);
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    return negative && !zero ? "-" + text : text;
}

CarrierName splitCarrierName(std::string_view name) {
    std::string rest = host::XMLCheckStr(trimmed(name));
    CarrierName split;
    split.surname = leadingWord(rest);
    split.firstName = leadingWord(rest);
    split.patronymic = escapedPrefix(rest, kPatronymicLength);
    return split;
}

}  // namespace forms::transport
