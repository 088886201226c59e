// Applying a user's change of one control.
#include "host/ui/user_input.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "host/text/cp1251.h"

namespace host::ui {
namespace {

std::optional<int> parseIndex(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Decimal digits with an optional sign and fraction, as a user types them on the page: no
// exponent, no hexadecimal, no "inf", which a general number reader would take.
std::optional<double> parseNumber(const std::string& text) {
    std::size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
    std::size_t digits = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) ++digits;
    if (at < text.size() && text[at] == '.')
        for (++at; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) ++digits;
    if (digits == 0 || at != text.size()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string rangeText(const SpinEdit& spin) { return spin.format(spin.minValue()) + " to " + spin.format(spin.maxValue()); }

std::optional<std::string> applyItems(ItemsControl& control, const std::string& value) {
    const auto index = parseIndex(value);
    const int count = static_cast<int>(control.items().size());
    if (!index || *index < 0 || *index >= count)
        return control.name() + " takes an item index from 0 to " + std::to_string(count - 1) + ", not \"" + value + "\"";
    control.setItemIndex(*index);
    return std::nullopt;
}

std::optional<std::string> applySpin(SpinEdit& spin, const std::string& value) {
    if (value.empty()) {
        spin.setText({});
        return std::nullopt;
    }
    const auto number = parseNumber(value);
    if (!number) return spin.name() + " takes a number, not \"" + value + "\"";
    if (spin.numbers() == SpinEdit::Numbers::Whole && std::trunc(*number) != *number)
        return spin.name() + " takes a whole number, not \"" + value + "\"";
    if (!spin.inRange(*number)) return spin.name() + " takes a number from " + rangeText(spin) + ", not \"" + value + "\"";
    spin.setValue(*number);
    return std::nullopt;
}

std::optional<std::string> applyCheck(CheckBox& box, const std::string& value) {
    if (value != "true" && value != "false") return box.name() + " takes true or false, not \"" + value + "\"";
    box.setChecked(value == "true");
    return std::nullopt;
}

std::optional<std::string> applyText(TextEdit& edit, const std::string& value) {
    std::string text;
    try {
        text = utf8ToCp1251(value, edit.name());
    } catch (const EncodingError& e) {
        return e.what();
    }
    if (edit.maxLength() > 0 && static_cast<int>(text.size()) > edit.maxLength())
        return edit.name() + " takes at most " + std::to_string(edit.maxLength()) + " characters, \"" + value +
               "\" has " + std::to_string(text.size());
    edit.setText(std::move(text));
    return std::nullopt;
}

}  // namespace

std::optional<std::string> applyUserValue(Control& control, const std::string& value) {
    if (!control.visible()) return control.name() + " is hidden and cannot be changed";
    if (!control.enabled()) return control.name() + " is disabled and cannot be changed";
    switch (control.kind()) {
        case ControlKind::RadioGroup:
        case ControlKind::ComboBox: return applyItems(static_cast<ItemsControl&>(control), value);
        case ControlKind::SpinEdit: return applySpin(static_cast<SpinEdit&>(control), value);
        case ControlKind::CheckBox: return applyCheck(static_cast<CheckBox&>(control), value);
        case ControlKind::Edit:
        case ControlKind::DirectoryEdit: return applyText(static_cast<TextEdit&>(control), value);
        default: return control.name() + " is a " + kindName(control.kind()) + " and has no value to set";
    }
}

}  // namespace host::ui
