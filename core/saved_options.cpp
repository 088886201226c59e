#include <cmath>

#include "core/declaration_frame.h"

namespace core {
namespace {

constexpr const char* kCommonSection = "Common";
constexpr const char* kClientSelectionKey = "AlkoClientSelection";

int whole(const SpinEdit& spin) { return static_cast<int>(std::trunc(spin.value())); }

}  // namespace

// Keys are the controls' names, read in the order they are written. A value out of a control's
// range is handed to it unchanged: the control applies its own rule.
void DeclarationFrame::ReadOptions(host::MemIniFile& ini) {
    const std::string section = GetReportParam(host::rpSection);
    auto& c = controls_;
    c.seYear.setValue(ini.readInteger(section, "seYear", profile_.defaultYear));
    c.rgTypePeriod.setItemIndex(ini.readInteger(section, "rgTypePeriod", 0));
    if (!profile_.fileOnly) c.rgReportKind.setItemIndex(ini.readInteger(section, "rgReportKind", 0));
    c.dePath.setText(ini.readString(section, "dePath", {}));
    c.edNalOrganName.setText(ini.readString(section, "edNalOrganName", {}));
    c.seNalOrganKod.setValue(ini.readInteger(section, "seNalOrganKod", 0));
    c.cbVidDoc.setItemIndex(ini.readInteger(section, "cbVidDoc", 0));
    c.seCorrNumber.setValue(ini.readInteger(section, "seCorrNumber", 1));
    c.seCalcPrecision.setValue(ini.readInteger(section, "seCalcPrecision", profile_.defaultCalcPrecision));
    c.edRukFam.setText(ini.readString(section, "edRukFam", {}));
    c.edRukName.setText(ini.readString(section, "edRukName", {}));
    c.edRukOtc.setText(ini.readString(section, "edRukOtc", {}));
    c.edBuhFam.setText(ini.readString(section, "edBuhFam", {}));
    c.edBuhName.setText(ini.readString(section, "edBuhName", {}));
    c.edBuhOtc.setText(ini.readString(section, "edBuhOtc", {}));
    c.cbSuperplace.setChecked(ini.readBool(section, "cbSuperplace", false));
    if (profile_.retailOptions) {
        c.cbUseSelClients->setChecked(ini.readBool(section, "cbUseSelClients", false));
        c.cbGroupByArticul->setChecked(ini.readBool(section, "cbGroupByArticul", false));
        c.cbShowNullNetto->setChecked(ini.readBool(section, "cbShowNullNetto", false));
        c.cbOnlyMove->setChecked(ini.readBool(section, "cbOnlyMove", false));
    }
    if (profile_.producerChoice) {
        c.rgManufacturer->setItemIndex(ini.readInteger(section, "rgManufacturer", 0));
        c.rgVidProd->setItemIndex(ini.readInteger(section, "rgVidProd", 0));
    }

    if (profile_.retailOptions) FClientSelection = ini.readBool(kCommonSection, kClientSelectionKey, false);
    if (profile_.commonSelectionShowsPage && ini.readBool(kCommonSection, kClientSelectionKey, false))
        basePage("tsClients").setVisible(true);

    ChangeEnabled();
}

void DeclarationFrame::SaveOptions(host::MemIniFile& ini) {
    const std::string section = GetReportParam(host::rpSection);
    const auto& c = controls_;
    ini.writeInteger(section, "seYear", whole(c.seYear));
    ini.writeInteger(section, "rgTypePeriod", c.rgTypePeriod.itemIndex());
    if (!profile_.fileOnly) ini.writeInteger(section, "rgReportKind", c.rgReportKind.itemIndex());
    ini.writeString(section, "dePath", c.dePath.text());
    ini.writeString(section, "edNalOrganName", c.edNalOrganName.text());
    ini.writeInteger(section, "seNalOrganKod", whole(c.seNalOrganKod));
    ini.writeInteger(section, "cbVidDoc", c.cbVidDoc.itemIndex());
    ini.writeInteger(section, "seCorrNumber", whole(c.seCorrNumber));
    ini.writeInteger(section, "seCalcPrecision", whole(c.seCalcPrecision));
    ini.writeString(section, "edRukFam", c.edRukFam.text());
    ini.writeString(section, "edRukName", c.edRukName.text());
    ini.writeString(section, "edRukOtc", c.edRukOtc.text());
    ini.writeString(section, "edBuhFam", c.edBuhFam.text());
    ini.writeString(section, "edBuhName", c.edBuhName.text());
    ini.writeString(section, "edBuhOtc", c.edBuhOtc.text());
    ini.writeBool(section, "cbSuperplace", c.cbSuperplace.checked());
    if (profile_.retailOptions) {
        ini.writeBool(section, "cbUseSelClients", c.cbUseSelClients->checked());
        ini.writeBool(section, "cbGroupByArticul", c.cbGroupByArticul->checked());
        ini.writeBool(section, "cbShowNullNetto", c.cbShowNullNetto->checked());
        ini.writeBool(section, "cbOnlyMove", c.cbOnlyMove->checked());
    }
    if (profile_.producerChoice) {
        ini.writeInteger(section, "rgManufacturer", c.rgManufacturer->itemIndex());
        ini.writeInteger(section, "rgVidProd", c.rgVidProd->itemIndex());
    }
}

}  // namespace core
