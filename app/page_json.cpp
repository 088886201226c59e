// The parameters page written out as JSON or as readable lines.
#include "app/page_json.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "host/text/cp1251.h"

namespace app {
namespace {

using host::cp1251ToUtf8;
using host::ui::Control;
using host::ui::ControlKind;
using nlohmann::ordered_json;

ordered_json number(double value) {
    if (std::trunc(value) == value && std::abs(value) < 1e15) return static_cast<long long>(value);
    return value;
}

ordered_json describe(const Control& control) {
    ordered_json item;
    item["name"] = control.name();
    item["kind"] = host::ui::kindName(control.kind());
    if (!control.caption().empty()) item["caption"] = cp1251ToUtf8(control.caption());
    switch (control.kind()) {
        case ControlKind::RadioGroup:
        case ControlKind::ComboBox: {
            const auto& list = static_cast<const host::ui::ItemsControl&>(control);
            ordered_json items = ordered_json::array();
            for (const auto& text : list.items()) items.push_back(cp1251ToUtf8(text));
            item["items"] = items;
            item["value"] = list.itemIndex();
            break;
        }
        case ControlKind::SpinEdit:
            item["value"] = number(static_cast<const host::ui::SpinEdit&>(control).value());
            break;
        case ControlKind::CheckBox: item["value"] = static_cast<const host::ui::CheckBox&>(control).checked(); break;
        case ControlKind::Edit:
        case ControlKind::DirectoryEdit:
            item["value"] = cp1251ToUtf8(static_cast<const host::ui::TextEdit&>(control).text());
            break;
        default: break;
    }
    item["enabled"] = control.enabled();
    item["visible"] = control.visible();
    if (control.kind() == ControlKind::SpinEdit) {
        const auto& spin = static_cast<const host::ui::SpinEdit&>(control);
        item["min"] = number(spin.minValue());
        item["max"] = number(spin.maxValue());
        if (spin.maxLength() > 0) item["maxLength"] = spin.maxLength();
    }
    if (control.kind() == ControlKind::Edit || control.kind() == ControlKind::DirectoryEdit) {
        const auto& edit = static_cast<const host::ui::TextEdit&>(control);
        if (edit.maxLength() > 0) item["maxLength"] = edit.maxLength();
    }
    return item;
}

std::vector<std::string> errorLines(host::TReportFrame& frame) {
    std::vector<std::string> lines;
    std::istringstream text(frame.GetErrorMessage({}));
    for (std::string line; std::getline(text, line, '\r');) lines.push_back(cp1251ToUtf8(line));
    return lines;
}

}  // namespace

std::string pageAsJson(host::TReportFrame& frame) {
    ordered_json controls = ordered_json::array();
    for (const auto& control : frame.page().controls()) controls.push_back(describe(*control));
    for (const auto& control : frame.baseControls().controls()) controls.push_back(describe(*control));
    ordered_json page;
    page["controls"] = controls;
    page["errors"] = errorLines(frame);
    return page.dump(2) + "\n";
}

std::string pageAsText(host::TReportFrame& frame) {
    std::ostringstream out;
    auto line = [&out](const Control& control) {
        const ordered_json item = describe(control);
        out << control.name() << " (" << item["kind"].get<std::string>() << ")";
        if (item.contains("caption")) out << " \"" << item["caption"].get<std::string>() << "\"";
        if (item.contains("value")) out << " = " << item["value"].dump();
        if (!control.enabled()) out << " [disabled]";
        if (!control.visible()) out << " [hidden]";
        out << "\n";
    };
    for (const auto& control : frame.page().controls()) line(*control);
    for (const auto& control : frame.baseControls().controls()) line(*control);
    for (const auto& error : errorLines(frame)) out << "error: " << error << "\n";
    return out.str();
}

}  // namespace app
