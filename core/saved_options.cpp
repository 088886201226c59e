// The parameters page in the options file: one list of the saved controls drives both reading
// and saving, each value read and written as its control's kind says.
#include <cmath>

#include "core/declaration_frame.h"

namespace core {
namespace {

constexpr const char* kCommonSection = "Common";
constexpr const char* kClientSelectionKey = "AlkoClientSelection";

// A saved control: its key is its name, its value's kind is its control's kind. Listed in the
// order the options file has them.
struct SavedControl {
    const char* name;
    // The value when the file has none; the year and the precision come from the form.
    int fallback;
    enum class Fallback { Fixed, FormYear, FormPrecision } from = Fallback::Fixed;
    enum class Only { Always, WithOutputChoice, Retail, ProducerChoice } only = Only::Always;
};

const SavedControl kSavedControls[] = {
    {"seYear", 0, SavedControl::Fallback::FormYear},
    {"rgTypePeriod", 0},
    {"rgReportKind", 0, SavedControl::Fallback::Fixed, SavedControl::Only::WithOutputChoice},
    {"dePath", 0},
    {"edNalOrganName", 0},
    {"seNalOrganKod", 0},
    {"cbVidDoc", 0},
    {"seCorrNumber", 1},
    {"seCalcPrecision", 0, SavedControl::Fallback::FormPrecision},
    {"edRukFam", 0},
    {"edRukName", 0},
    {"edRukOtc", 0},
    {"edBuhFam", 0},
    {"edBuhName", 0},
    {"edBuhOtc", 0},
    {"cbSuperplace", 0},
    {"cbUseSelClients", 0, SavedControl::Fallback::Fixed, SavedControl::Only::Retail},
    {"cbGroupByArticul", 0, SavedControl::Fallback::Fixed, SavedControl::Only::Retail},
    {"cbShowNullNetto", 0, SavedControl::Fallback::Fixed, SavedControl::Only::Retail},
    {"cbOnlyMove", 0, SavedControl::Fallback::Fixed, SavedControl::Only::Retail},
    {"rgManufacturer", 0, SavedControl::Fallback::Fixed, SavedControl::Only::ProducerChoice},
    {"rgVidProd", 0, SavedControl::Fallback::Fixed, SavedControl::Only::ProducerChoice},
};

bool savedIn(const SavedControl& saved, const FormProfile& profile) {
    switch (saved.only) {
        case SavedControl::Only::Always: return true;
        case SavedControl::Only::WithOutputChoice: return !profile.fileOnly;
        case SavedControl::Only::Retail: return profile.retailOptions;
        case SavedControl::Only::ProducerChoice: return profile.producerChoice;
    }
    return false;
}

int fallbackOf(const SavedControl& saved, const FormProfile& profile) {
    switch (saved.from) {
        case SavedControl::Fallback::Fixed: return saved.fallback;
        case SavedControl::Fallback::FormYear: return profile.defaultYear;
        case SavedControl::Fallback::FormPrecision: return profile.defaultCalcPrecision;
    }
    return saved.fallback;
}

}  // namespace

// A value out of a control's range is handed to it unchanged: the control applies its own rule.
void DeclarationFrame::ReadOptions(host::MemIniFile& ini) {
    const std::string section = GetReportParam(host::rpSection);
    for (const auto& saved : kSavedControls) {
        if (!savedIn(saved, profile_)) continue;
        host::ui::Control& control = page().get<host::ui::Control>(saved.name);
        const int fallback = fallbackOf(saved, profile_);
        if (auto* spin = dynamic_cast<SpinEdit*>(&control))
            spin->setValue(ini.readInteger(section, saved.name, fallback));
        else if (auto* choice = dynamic_cast<host::ui::ItemsControl*>(&control))
            choice->setItemIndex(ini.readInteger(section, saved.name, fallback));
        else if (auto* text = dynamic_cast<host::ui::TextEdit*>(&control))
            text->setText(ini.readString(section, saved.name, {}));
        else if (auto* box = dynamic_cast<CheckBox*>(&control))
            box->setChecked(ini.readBool(section, saved.name, fallback != 0));
    }

    if (profile_.retailOptions) FClientSelection = ini.readBool(kCommonSection, kClientSelectionKey, false);
    if (profile_.commonSelectionShowsPage && ini.readBool(kCommonSection, kClientSelectionKey, false))
        basePage("tsClients").setVisible(true);

    ChangeEnabled();
}

void DeclarationFrame::SaveOptions(host::MemIniFile& ini) {
    const std::string section = GetReportParam(host::rpSection);
    for (const auto& saved : kSavedControls) {
        if (!savedIn(saved, profile_)) continue;
        const host::ui::Control& control = page().get<host::ui::Control>(saved.name);
        if (const auto* spin = dynamic_cast<const SpinEdit*>(&control))
            ini.writeInteger(section, saved.name, static_cast<int>(std::trunc(spin->value())));
        else if (const auto* choice = dynamic_cast<const host::ui::ItemsControl*>(&control))
            ini.writeInteger(section, saved.name, choice->itemIndex());
        else if (const auto* text = dynamic_cast<const host::ui::TextEdit*>(&control))
            ini.writeString(section, saved.name, text->text());
        else if (const auto* box = dynamic_cast<const CheckBox*>(&control))
            ini.writeBool(section, saved.name, box->checked());
    }
}

}  // namespace core
