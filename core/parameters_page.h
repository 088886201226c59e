#pragma once

// The parameters page of a declaration frame: its controls and how it is built.

#include "core/form_profile.h"
#include "host/ui/control.h"

namespace core {

using host::ui::CheckBox;
using host::ui::ComboBox;
using host::ui::Decoration;
using host::ui::DirectoryEdit;
using host::ui::Edit;
using host::ui::RadioGroup;
using host::ui::SpinEdit;

// The controls of a declaration frame's parameters page. The retail options exist in forms 11
// and 12 only, the producer choice in all forms but 08; elsewhere those pointers are null.
struct ParametersPage {
    RadioGroup& rgTypePeriod;
    SpinEdit& seYear;
    RadioGroup& rgReportKind;
    Decoration& lbPath;
    DirectoryEdit& dePath;
    ComboBox& cbVidDoc;
    SpinEdit& seCorrNumber;
    SpinEdit& seCalcPrecision;
    CheckBox& cbSuperplace;
    CheckBox* cbUseSelClients;
    CheckBox* cbGroupByArticul;
    CheckBox* cbShowNullNetto;
    CheckBox* cbOnlyMove;
    Edit& edRukFam;
    Edit& edRukName;
    Edit& edRukOtc;
    Edit& edBuhFam;
    Edit& edBuhName;
    Edit& edBuhOtc;
    Edit& edNalOrganName;
    SpinEdit& seNalOrganKod;
    RadioGroup* rgManufacturer;
    RadioGroup* rgVidProd;
};

// Puts the page's controls, in page order, with their captions, items, ranges and start values.
ParametersPage buildParametersPage(host::ui::ControlPage& page, const FormProfile& profile);

}  // namespace core
