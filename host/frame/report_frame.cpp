// The host's base report frame: its page, options and generate step.
#include "host/frame/report_frame.h"

#include "host/data/main_dm.h"
#include "host/progress/run_progress.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"

namespace host {

namespace {

void addPage(ui::ControlPage& page, const char* name, const char* caption, bool visible = true) {
    auto& tab = page.add<ui::Decoration>(ui::ControlKind::TabPage, name, W(caption));
    tab.setVisible(visible);
}

}  // namespace

TReportFrame::TReportFrame() {
    // The host's window: the local page first, then its selection pages. The filter page is
    // hidden until a report asks for it.
    addPage(base_, "tsLocal", "Параметры");
    addPage(base_, "tsClients", "Клиенты");
    addPage(base_, "tsClients2", "Клиенты (2)");
    addPage(base_, "tsManagerGroups", "Группы менеджеров");
    addPage(base_, "tsStorage", "Места хранения");
    addPage(base_, "tsFilter", "Фильтр", false);
    addPage(base_, "tsAddProps", "Дополнительные свойства");
    addPage(base_, "tsReportInfo", "Об отчете");
    addPage(base_, "tsExecuteInfo", "Выполнение");
    base_.add<ui::Decoration>(ui::ControlKind::Frame, "frmPrecision1", W("Точность"));
    base_.add<ui::CheckBox>("ShowReportEnable", W("Показывать отчет"), true);
    base_.add<ui::CheckBox>("chbPreview", W("Предварительный просмотр"));
    base_.add<ui::CheckBox>("chbRecalc", W("Пересчитывать данные"));
    auto& byName = base_.add<ui::Edit>("edtByName");
    byName.setCaption(W("От имени"));
}

TReportFrame::~TReportFrame() = default;

void TReportFrame::QueryBeforeOpen(HostDataSet&) {}
void TReportFrame::QueryAfterOpen(HostDataSet&) {}

void TReportFrame::SaveOptions() {
    if (options_) SaveOptions(*options_);
}

void TReportFrame::ReadOptions() {
    if (options_) ReadOptions(*options_);
}

void TReportFrame::SaveOptions(MemIniFile&) {}
void TReportFrame::ReadOptions(MemIniFile&) {}
void TReportFrame::SetReportTablesPath() {}
std::string TReportFrame::GetErrorMessage(const std::string& text) { return text; }
void TReportFrame::SetReportOptions() {}
std::string TReportFrame::GetReportName() { return HostConfig().ReportPath() + reportName_ + ".fr3"; }
void TReportFrame::FillDataTable() {}
void TReportFrame::SetTMPTablesDatabaseName() {}
void TReportFrame::DropTMPTables() {}
void TReportFrame::ExecuteView() {}
void TReportFrame::RptExportData() {}

void TReportFrame::bbtnGenerateClick(ui::Control*) {
    producedPath_.clear();
    const std::string errors = GetErrorMessage({});
    if (!errors.empty()) {
        ui::showMessageBox(errors, W("Параметры отчета"));
        throw GenerateAborted(errors);
    }
    checkBeforeCollection();
    if (dataStale_ || chbRecalc().checked()) {
        // Collection appends; only an emptied table gives the new period's rows alone.
        enterStage(RunStage::Collecting);
        runClearScript();
        FillDataTable();
        dataStale_ = false;
    }
}

void TReportFrame::runClearScript() {
    if (sqlClearTables.empty()) return;
    auto& engine = MainDM().LocalEngine();
    const std::string directory = MainDM().GetPath(TMainDM::WorkDirectory);
    for (const auto& statement : sqlClearTables) engine.execute(directory, statement);
}

std::string TReportFrame::GetReportParam(int type) const {
    // Both are the report's name: its options live in the section of that name.
    return type == rpSection || type == rpReportName ? reportName_ : std::string{};
}

std::string TReportFrame::GetSQLText(const std::string& key) const { return MainDM().Database().sqlText(key); }

void TReportFrame::chooseClient(int id, const std::string& shownName) {
    ByNameClientId = id;
    edtByName().setText(shownName);
}

}  // namespace host
