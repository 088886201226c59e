#pragma once

#include <string>

#include "core/form_profile.h"
#include "core/parameters_page.h"
#include "host/frame/report_frame.h"

namespace core {

// What the six declaration frames share: the parameters page with its enabling rules, validation
// and saved options, the event handlers, and the generate flow that dispatches to the file or the
// print form. Each form's frame class derives from it with its own profile.
class DeclarationFrame : public host::TReportFrame {
public:
    explicit DeclarationFrame(const FormProfile& profile);

    const FormProfile& profile() const { return profile_; }
    const ParametersPage& controls() const { return controls_; }

    void SaveOptions(host::MemIniFile& ini) override;
    void ReadOptions(host::MemIniFile& ini) override;
    std::string GetErrorMessage(const std::string& text) override;
    void SetReportOptions() override {}
    std::string GetReportName() override;
    void ExecuteView() override {}
    void bbtnGenerateClick(host::ui::Control* sender) override;

    void ChangeEnabled();

    // The two outputs; each form's frame writes its own declaration and print form.
    virtual void MakeFile();
    virtual void PrintReport();

    // Event handlers of the page.
    void edtByNameChange(host::ui::Control& sender);
    void seYearChange(host::ui::Control& sender);
    void rgTypePeriodClick(host::ui::Control& sender);
    void seCalcPrecisionChange(host::ui::Control& sender);
    void cbSuperplaceClick(host::ui::Control& sender);
    void rgManufacturerClick(host::ui::Control& sender);
    void rgVidProdClick(host::ui::Control& sender);
    void cbUseSelClientsClick(host::ui::Control& sender);
    void cbOnlyMoveClick(host::ui::Control& sender);
    void rgReportKindClick(host::ui::Control& sender);
    void cbVidDocChange(host::ui::Control& sender);

protected:
    bool FClientSelection = false;

private:
    void wireHandlers();
    void applyFormDifferences();

    const FormProfile& profile_;
    ParametersPage controls_;
};

}  // namespace core
