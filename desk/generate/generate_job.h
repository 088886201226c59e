#pragma once

// One press of the generate or the check button: the frame run for each chosen organization, off
// the window's thread.

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/checks/finding.h"
#include "desk/connection/host_database_choice.h"
#include "desk/organizations/organization_list.h"

namespace host {
class TReportFrame;
class PageFile;
}  // namespace host

namespace desk {

// What one organization's run gave.
struct GenerateOutcome {
    Organization organization;
    QString filePath;                                     // the declaration file, when written
    std::shared_ptr<const host::PageFile> report;         // the print form, when laid out
    QString error;                                        // why the run ended without its output
    QStringList messages;                                 // the frame's message boxes, in order
    std::optional<core::checks::Findings> findings;       // a check's findings, when it got to its end
    bool stopped = false;                                 // Cancel ended it
    bool ran = false;                                     // false: a Cancel came before its turn

    // Ended well, but with nothing to show: a print form without pages to print.
    bool nothing() const {
        return ran && !stopped && error.isEmpty() && filePath.isEmpty() && !report && !findings;
    }
};

// What a check needs besides the frame: which form's tables to read, and where they are.
struct CheckRequest {
    std::string module;         // the module's name, "pZorvicBuy"
    std::string workDirectory;  // the frame's work tables
};

// Runs the frame once per organization on a thread of its own. The window keeps its hands off the
// frame meanwhile (the page is disabled); the host database is opened for each organization, so
// each reads the data as they are at that moment, and is only read. Cancel asks the run to stop at
// its next row, line or page: the frame then leaves nothing under a declaration's name.
class GenerateJob : public QObject {
    Q_OBJECT
public:
    // workDirectory: where the frame's work tables are (the frame is already pointed at it).
    GenerateJob(host::TReportFrame& frame, HostDatabaseChoice database, std::vector<Organization> organizations,
                QObject* parent = nullptr);
    ~GenerateJob() override;

    // Makes the run a check, before it starts: each organization's declaration is written into a
    // private directory and checked, then removed with the directory; the page is set to the file
    // for the run and is the user's again after it.
    void checkInstead(CheckRequest request);
    bool checking() const { return check_.has_value(); }
    // The run has collected and written, and is checking now.
    bool checkingNow() const { return checkingNow_; }

    void start();
    void cancel();
    bool running() const { return running_; }
    // Which organization is being run now, from 0.
    int current() const { return current_; }
    int count() const { return static_cast<int>(organizations_.size()); }

signals:
    // On the window's thread, once, when every organization had its turn or Cancel ended the rest.
    void finished();

public:
    const std::vector<GenerateOutcome>& outcomes() const { return outcomes_; }

private:
    void run();
    GenerateOutcome runOne(const Organization& organization);

    host::TReportFrame& frame_;
    HostDatabaseChoice database_;
    std::vector<Organization> organizations_;
    std::vector<GenerateOutcome> outcomes_;
    std::atomic<bool> running_{false};
    std::atomic<int> current_{0};
    std::optional<CheckRequest> check_;
    std::atomic<bool> checkingNow_{false};
    std::thread thread_;
};

}  // namespace desk
