// Running the frame for each chosen organization on a thread of its own, to generate or to check.
#include "desk/generate/generate_job.h"

#include <QMetaObject>
#include <stdexcept>

#include "app/terminal_messages.h"
#include "core/checks/declaration_checks.h"
#include "core/checks/frame_check_run.h"
#include "core/checks/previous_quarter.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"
#include "host/frame/report_frame.h"
#include "host/progress/run_progress.h"
#include "host/report/page_file.h"
#include "host/report/report_engine.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"

namespace desk {
namespace {

// The frame's message boxes during a run, kept for the window to show when the run is over: a
// dialog cannot be opened from the run's thread.
class KeptMessages final : public host::ui::MessageService {
public:
    void show(const std::string& text, const std::string&) override {
        messages.push_back(QString::fromStdString(app::terminalText(text)).trimmed());
    }
    QStringList messages;
};

// The print form the frame shows, kept for the preview window in a page file: the pages are
// written out here, on the run's thread, as the engine lays them out, so the window never waits
// for them and never holds a long report whole.
class KeptReport final : public host::ReportPreview {
public:
    void show(const host::PreparedReport& report) override { showPages(host::HeldPages(report)); }
    void showPages(const host::ReportPages& pages) override { kept = std::make_shared<const host::PageFile>(pages); }
    std::shared_ptr<const host::PageFile> kept;
};

}  // namespace

GenerateJob::GenerateJob(host::TReportFrame& frame, HostDatabaseChoice database,
                         std::vector<Organization> organizations, QObject* parent)
    : QObject(parent), frame_(frame), database_(std::move(database)), organizations_(std::move(organizations)) {}

GenerateJob::~GenerateJob() {
    if (thread_.joinable()) {
        host::requestStop(0);
        thread_.join();
    }
}

void GenerateJob::checkInstead(CheckRequest request) { check_ = std::move(request); }

void GenerateJob::start() {
    host::clearStopRequest();
    running_ = true;
    thread_ = std::thread([this] { run(); });
}

void GenerateJob::cancel() {
    if (running_) host::requestStop(0);
}

void GenerateJob::run() {
    for (size_t i = 0; i < organizations_.size(); ++i) {
        current_ = static_cast<int>(i);
        if (host::stopRequested()) {
            GenerateOutcome skipped;
            skipped.organization = organizations_[i];
            skipped.stopped = true;
            outcomes_.push_back(std::move(skipped));
            continue;
        }
        outcomes_.push_back(runOne(organizations_[i]));
    }
    host::enterStage(host::RunStage::Idle);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (thread_.joinable()) thread_.join();
            running_ = false;
            host::clearStopRequest();
            emit finished();
        },
        Qt::QueuedConnection);
}

GenerateOutcome GenerateJob::runOne(const Organization& organization) {
    GenerateOutcome outcome;
    outcome.organization = organization;
    outcome.ran = true;
    KeptMessages messages;
    KeptReport report;
    host::ui::setMessageService(&messages);
    host::installReportPreview(&report);
    std::unique_ptr<host::FirebirdDatabase> database;
    // A check's hold on the page: the private directory goes first, then the output kind is the
    // user's again.
    std::optional<core::checks::DeclarationFileChosen> fileChosen;
    std::optional<core::checks::PrivateDeclarationDirectory> privateDirectory;
    checkingNow_ = false;
    try {
        // Another organization's rows may be in the work tables.
        if (frame_.ByNameClientId != organization.id) frame_.NeedRecalcData();
        frame_.chooseClient(organization.id, host::utf8ToCp1251(organization.name.toStdString(), "the organization's name"));
        const core::checks::FormTables* tables = nullptr;
        if (check_) {
            tables = core::checks::formTablesOfModule(check_->module);
            if (!tables) throw std::runtime_error(host::W("Эту форму проверить нельзя: ") + check_->module);
            fileChosen.emplace(frame_);
            privateDirectory.emplace(frame_, false);
        }
        database = openHostDatabase(database_);
        host::MainDM().attachDatabase(database.get());
        frame_.bbtnGenerateClick(nullptr);
        if (check_) {
            checkingNow_ = true;
            // The checks read the organization's requisites through the database still attached.
            core::checks::CheckedRun run =
                core::checks::checkedRun(frame_, *tables, check_->workDirectory, organization.id, frame_.producedPath());
            // Last quarter collected once more, for the continuity of the balances.
            if (!tables->turnover.empty() && !run.onlyMovement)
                run.previousQuarter = core::checks::collectPreviousQuarter(frame_, tables->form);
            outcome.findings = core::checks::checkDeclaration(run);
        } else {
            outcome.filePath = QString::fromStdString(frame_.producedPath());
            outcome.report = report.kept;
        }
    } catch (const host::StopRequested&) {
        outcome.stopped = true;
    } catch (const host::GenerateAborted&) {
        // The frame said why in its message box.
        outcome.error = messages.messages.isEmpty() ? QStringLiteral("Параметры отчета заданы не полностью.")
                                                    : messages.messages.takeLast();
    } catch (const std::exception& error) {
        // A read cut short by the stop is the stop, not an error of its own.
        if (host::stopRequested()) outcome.stopped = true;
        else outcome.error = QString::fromStdString(app::terminalText(error.what())).trimmed();
    }
    checkingNow_ = false;
    privateDirectory.reset();
    fileChosen.reset();
    host::MainDM().attachDatabase(nullptr);
    database.reset();
    host::installReportPreview(nullptr);
    host::ui::setMessageService(nullptr);
    outcome.messages = messages.messages;
    return outcome;
}

}  // namespace desk
