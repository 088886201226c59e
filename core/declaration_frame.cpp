// The shared declaration frame: its construction, event handlers and generate flow.
#include "core/declaration_frame.h"

#include "core/declaration_facts.h"

#include "host/data/main_dm.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"

namespace core {

using host::ui::Control;

DeclarationFrame::DeclarationFrame(const FormProfile& profile)
    : tblObosob(profile.collection->obosobTable),
      tblResult(profile.collection->resultTable),
      tblResultOborot(profile.collection->resultOborotTable.empty()
                          ? nullptr
                          : std::make_unique<host::LocalTable>(profile.collection->resultOborotTable)),
      profile_(profile),
      plan_(*profile.collection),
      controls_(buildParametersPage(page(), profile)) {
    sqlClearTables = plan_.clearScript;
    applyFormDifferences();
    wireHandlers();
    // Data collected for another quarter must never reach a declaration: always collect anew.
    chbRecalc().setChecked(true);
}

void DeclarationFrame::applyFormDifferences() {
    basePage("frmPrecision1").setVisible(false);
    basePage("tsFilter").setVisible(true);
    if (profile_.hidesClientsPage) basePage("tsClients").setVisible(false);
    ShowReportEnable().setChecked(profile_.showReportEnabled);
}

void DeclarationFrame::wireHandlers() {
    auto on = [this](Control& control, void (DeclarationFrame::*handler)(Control&)) {
        control.setHandler([this, handler](Control& sender) { (this->*handler)(sender); });
    };
    on(edtByName(), &DeclarationFrame::edtByNameChange);
    on(controls_.seYear, &DeclarationFrame::seYearChange);
    on(controls_.rgTypePeriod, &DeclarationFrame::rgTypePeriodClick);
    on(controls_.seCalcPrecision, &DeclarationFrame::seCalcPrecisionChange);
    on(controls_.cbSuperplace, &DeclarationFrame::cbSuperplaceClick);
    if (controls_.rgManufacturer) on(*controls_.rgManufacturer, &DeclarationFrame::rgManufacturerClick);
    if (controls_.rgVidProd) on(*controls_.rgVidProd, &DeclarationFrame::rgVidProdClick);
    if (profile_.retailOptions) {
        on(*controls_.cbUseSelClients, &DeclarationFrame::cbUseSelClientsClick);
        on(*controls_.cbGroupByArticul, &DeclarationFrame::cbUseSelClientsClick);
        on(*controls_.cbShowNullNetto, &DeclarationFrame::cbUseSelClientsClick);
        on(*controls_.cbOnlyMove, &DeclarationFrame::cbOnlyMoveClick);
    }
    on(controls_.rgReportKind, &DeclarationFrame::rgReportKindClick);
    on(controls_.cbVidDoc, &DeclarationFrame::cbVidDocChange);
}

void DeclarationFrame::edtByNameChange(Control&) { NeedRecalcData(); }
void DeclarationFrame::seYearChange(Control&) { NeedRecalcData(); }
void DeclarationFrame::rgTypePeriodClick(Control&) { NeedRecalcData(); }
void DeclarationFrame::seCalcPrecisionChange(Control&) { NeedRecalcData(); }
void DeclarationFrame::cbSuperplaceClick(Control&) { NeedRecalcData(); }
void DeclarationFrame::rgManufacturerClick(Control&) { NeedRecalcData(); }
void DeclarationFrame::rgVidProdClick(Control&) { NeedRecalcData(); }

void DeclarationFrame::cbUseSelClientsClick(Control&) {
    NeedRecalcData();
    ChangeEnabled();
}

void DeclarationFrame::cbOnlyMoveClick(Control&) {
    NeedRecalcData();
    ChangeEnabled();
}

void DeclarationFrame::rgReportKindClick(Control&) { ChangeEnabled(); }
void DeclarationFrame::cbVidDocChange(Control&) { ChangeEnabled(); }

std::string DeclarationFrame::GetReportName() {
    return host::HostConfig().ReportPath() + GetReportParam(host::rpReportName) + ".fr3";
}

void DeclarationFrame::bbtnGenerateClick(Control* sender) {
    TReportFrame::bbtnGenerateClick(sender);
    if (controls_.rgReportKind.itemIndex() == kDeclarationFile)
        MakeFile();
    else
        PrintReport();
}


}  // namespace core
