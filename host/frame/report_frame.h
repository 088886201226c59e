#pragma once

// The host's base report frame the plug-ins derive from.

#include <stdexcept>
#include <string>
#include <vector>

#include "host/data/host_database.h"
#include "host/host_api.h"
#include "host/options/mem_ini_file.h"
#include "host/ui/control.h"

namespace host {

// Ends a generate step quietly after the host has shown why (the validation lines went through
// the message service); nothing was collected or written.
class HOST_API GenerateAborted : public std::runtime_error {
public:
    explicit GenerateAborted(const std::string& lines) : std::runtime_error(lines) {}
};

enum TReportParamType { rpSection = 0, rpReportName = 1 };

// The host's base report frame. A plug-in derives its frame from it, puts its parameters on the
// local page and overrides the virtual operations it needs; the host drives the frame through
// them. The base frame owns the host's part of the window: the client field, the check boxes
// beside it and the selection pages.
class HOST_API TReportFrame {
public:
    TReportFrame();
    virtual ~TReportFrame();
    TReportFrame(const TReportFrame&) = delete;
    TReportFrame& operator=(const TReportFrame&) = delete;

    // The virtual operations, in the order of the host's slot table.
    virtual void QueryBeforeOpen(HostDataSet& dataSet);
    virtual void QueryAfterOpen(HostDataSet& dataSet);
    virtual void SaveOptions();   // into the options file the host handed over
    virtual void ReadOptions();   // from the options file the host handed over
    virtual void SaveOptions(MemIniFile& ini);
    virtual void ReadOptions(MemIniFile& ini);
    virtual void SetReportTablesPath();
    // The base text: what the caller passed in.
    virtual std::string GetErrorMessage(const std::string& text);
    virtual void SetReportOptions();
    // The report's template: the report directory, the report's name, ".fr3".
    virtual std::string GetReportName();
    virtual void FillDataTable();
    virtual void SetTMPTablesDatabaseName();
    virtual void DropTMPTables();
    virtual void ExecuteView();
    virtual void RptExportData();

    // The generate step: validation through GetErrorMessage (a non-empty result is shown by the
    // message service and the step ends with GenerateAborted), then, when the data are stale or
    // recalculation is ticked, the clear script and FillDataTable.
    virtual void bbtnGenerateClick(ui::Control* sender);
    // Between the validation and the collection: what would make the output fail is found before
    // a long collection rather than after it. Throws to end the step.
    virtual void checkBeforeCollection() {}

    // Marks the collected data stale.
    void NeedRecalcData() { dataStale_ = true; }

    // 0: the options-file section of this report; 1: the report's name.
    std::string GetReportParam(int type) const;
    std::string GetSQLText(const std::string& key) const;

    int ByNameClientId = -1;
    // The host's choice of the organization: the client field shows it and its change handler runs.
    void chooseClient(int id, const std::string& shownName);

    // The frame's own parameters (page tsLocal), in page order.
    ui::ControlPage& page() { return page_; }
    const ui::ControlPage& page() const { return page_; }
    // The controls of the base frame that plug-ins change or read.
    ui::ControlPage& baseControls() { return base_; }
    const ui::ControlPage& baseControls() const { return base_; }

    // Set by the host after creating the frame: the report's name ("ZorvicRozn") and the
    // options file that ReadOptions()/SaveOptions() use.
    void setReportName(std::string name) { reportName_ = std::move(name); }
    void setOptionsFile(MemIniFile* ini) { options_ = ini; }

    // The statements of the clear-tables script (sqlClearTables), one per work table.
    std::vector<std::string> sqlClearTables;

    // The file or preview the last generate step produced, for the host to report.
    const std::string& producedPath() const { return producedPath_; }

protected:
    void setProducedPath(std::string path) { producedPath_ = std::move(path); }

public:
    ui::CheckBox& chbRecalc() const { return base_.get<ui::CheckBox>("chbRecalc"); }
    ui::CheckBox& ShowReportEnable() const { return base_.get<ui::CheckBox>("ShowReportEnable"); }
    ui::Edit& edtByName() const { return base_.get<ui::Edit>("edtByName"); }
    ui::Decoration& basePage(const std::string& name) const { return base_.get<ui::Decoration>(name); }

private:
    // Runs the clear-tables script through the host's local table engine.
    void runClearScript();

    ui::ControlPage page_;
    ui::ControlPage base_;
    std::string reportName_;
    MemIniFile* options_ = nullptr;
    bool dataStale_ = true;
    std::string producedPath_;
};

}  // namespace host
