// The controls of the parameters page.
#include "host/ui/control.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace host::ui {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::RadioGroup: return "radioGroup";
        case ControlKind::SpinEdit: return "spinEdit";
        case ControlKind::DirectoryEdit: return "directoryEdit";
        case ControlKind::ComboBox: return "comboBox";
        case ControlKind::CheckBox: return "checkBox";
        case ControlKind::Edit: return "edit";
        case ControlKind::GroupBox: return "groupBox";
        case ControlKind::Label: return "label";
        case ControlKind::TabPage: return "tabPage";
        case ControlKind::Frame: return "frame";
    }
    return "control";
}

Control::Control(ControlKind kind, std::string name, std::string caption)
    : kind_(kind), name_(std::move(name)), caption_(std::move(caption)) {}

void Control::fireChange() {
    if (handler_) handler_(*this);
}

ItemsControl::ItemsControl(ControlKind kind, std::string name, std::string caption, std::vector<std::string> items,
                           int itemIndex)
    : Control(kind, std::move(name), std::move(caption)), items_(std::move(items)), itemIndex_(itemIndex) {}

void ItemsControl::setItemIndex(int index) {
    const int fitted = fitIndex(index);
    if (fitted == itemIndex_) return;
    itemIndex_ = fitted;
    fireChange();
}

int RadioGroup::fitIndex(int index) const {
    const int count = static_cast<int>(items().size());
    if (index < -1) return -1;
    if (index >= count) return count - 1;
    return index;
}

int ComboBox::fitIndex(int index) const {
    return index >= 0 && index < static_cast<int>(items().size()) ? index : -1;
}

SpinEdit::SpinEdit(std::string name, Numbers numbers, double minValue, double maxValue, int maxLength, double value)
    : Control(ControlKind::SpinEdit, std::move(name)), numbers_(numbers), min_(minValue), max_(maxValue),
      maxLength_(maxLength), text_(format(value)) {}

std::string SpinEdit::format(double value) const {
    char buf[48];
    if (numbers_ == Numbers::Whole)
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(std::trunc(value)));
    else
        std::snprintf(buf, sizeof buf, "%.10g", value);
    return buf;
}

double SpinEdit::value() const {
    char* end = nullptr;
    const double parsed = std::strtod(text_.c_str(), &end);
    if (text_.empty() || end != text_.c_str() + text_.size() || !std::isfinite(parsed)) return min_;
    return numbers_ == Numbers::Whole ? std::trunc(parsed) : parsed;
}

void SpinEdit::setValue(double value) {
    if (min_ != max_) value = std::min(std::max(value, min_), max_);
    setText(format(value));
}

void SpinEdit::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    fireChange();
}

void CheckBox::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    fireChange();
}

void TextEdit::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    fireChange();
}

Control* ControlPage::find(const std::string& name) const {
    for (const auto& control : controls_)
        if (control->name() == name) return control.get();
    return nullptr;
}

void ControlPage::adopt(std::unique_ptr<Control> control) {
    if (find(control->name())) throw std::logic_error("the page already has a control " + control->name());
    controls_.push_back(std::move(control));
}

void ControlPage::missing(const std::string& name) {
    throw std::logic_error("the page has no control " + name + " of the kind asked for");
}

}  // namespace host::ui
