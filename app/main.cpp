// The zorvic program: the params and generate commands, and their exit statuses.
#include <unistd.h>

#include <csignal>
#include <cstring>

#include <filesystem>
#include <iostream>

#include "app/check_report.h"
#include "app/check_run.h"
#include "app/command_line.h"
#include "app/frame_session.h"
#include "app/page_json.h"
#include "app/print_output.h"
#include "app/terminal_messages.h"
#include "app/terminal_progress.h"
#include "app/work_directory.h"
#include "core/checks/frame_check_run.h"
#include "host/calendar/date_time.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"
#include "host/ui/control.h"
#include "host/ui/user_input.h"

namespace {

namespace fs = std::filesystem;

// The item of the page's output kind (rgReportKind) that writes the declaration file.
constexpr int kDeclarationFileItem = 1;

// The program lies in bin/ of its build or install tree; modules are in lib/ beside it and the
// project's own report templates in reports/.
fs::path installRoot() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : self.parent_path().parent_path();
}

// A named options file must be there to be read, unless this run is to create it; one that is
// there must be readable. Silently reading nothing would run with defaults the user never chose.
void checkOptionsFile(const app::CommandLine& line) {
    if (!line.optionsFile) return;
    const std::string& path = *line.optionsFile;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        if (line.saveOptions) return;
        throw app::UsageError("--options: the options file " + path + " does not exist (--save-options creates it)");
    }
    if (error) throw app::UsageError("--options: cannot read the options file " + path + ": " + error.message());
    if (status.type() != fs::file_type::regular)
        throw app::UsageError("--options: " + path + " is not a file that options can be read from");
    if (::access(path.c_str(), R_OK) != 0)
        throw app::UsageError("--options: cannot read the options file " + path + ": " + std::strerror(errno));
}

// The exit status of a run stopped by a signal, as a shell reports a process the signal ended.
int stoppedStatus() {
    try {
        host::throwIfStopRequested();
    } catch (const host::StopRequested& stop) {
        return 128 + (stop.signal() > 0 ? stop.signal() : SIGINT);
    }
    return 0;
}

int runParams(const app::CommandLine& line) {
    checkOptionsFile(line);
    app::FrameSession session(line.module, (installRoot() / "lib").string());
    if (!line.clients.empty())
        session.frame().chooseClient(line.clients.front(), std::to_string(line.clients.front()));
    session.readOptions(line.optionsFile);
    session.applySettings(line.settings);
    std::cout << (line.json ? app::pageAsJson(session.frame()) : app::pageAsText(session.frame()));
    return 0;
}

// The database library serves every run of a generate command and is shut down once, when the
// command is done: it cannot start again in the same process.
class DatabaseLibrary {
public:
    DatabaseLibrary() = default;
    ~DatabaseLibrary() {
        if (used_) host::FirebirdDatabase::shutdown();
    }
    DatabaseLibrary(const DatabaseLibrary&) = delete;
    DatabaseLibrary& operator=(const DatabaseLibrary&) = delete;

    void used() { used_ = true; }

private:
    bool used_ = false;
};

// What a generate run hands the host for its length: the print output as the preview and, once
// opened, the host database. However the run ends, even when saving the options fails, the host
// is left as it was found: the preview removed, the database detached and closed.
class RunAttachments {
public:
    RunAttachments(app::PrintOutputFile& output, DatabaseLibrary& library) : library_(library) {
        host::installReportPreview(&output);
    }
    ~RunAttachments() {
        host::installReportPreview(nullptr);
        host::MainDM().attachDatabase(nullptr);
        database_.reset();
    }
    RunAttachments(const RunAttachments&) = delete;
    RunAttachments& operator=(const RunAttachments&) = delete;

    // The database client sets handlers of its own for SIGINT and SIGTERM while it attaches, and
    // a stop it takes in that moment shuts the engine down under the attach. The signals wait
    // until ours are back; the client's threads, started meanwhile, never take them.
    void openDatabase(const std::string& connection) {
        const host::StopSignalsHeld held;
        // Ours are back before the signals are let through.
        struct Reinstall {
            ~Reinstall() { host::installStopSignals(); }
        } reinstall;
        library_.used();
        database_ = std::make_unique<host::FirebirdDatabase>(connection);
        host::MainDM().attachDatabase(database_.get());
    }

private:
    DatabaseLibrary& library_;
    std::unique_ptr<host::FirebirdDatabase> database_;
};

// One organization's run in a generate command. When the command names several, the run's files
// and lines carry the organization's id, and only the last run saves the options.
struct Organization {
    std::optional<int> client;
    bool oneOfSeveral = false;
    bool last = true;

    std::string tag() const { return oneOfSeveral ? std::to_string(*client) : std::string(); }
    std::string linePrefix() const { return oneOfSeveral ? "client " + tag() + ": " : std::string(); }
};

// A run that ends so ends the command: a mistake in the command line or the page is every
// organization's, and a stop is the user's wish for the whole command.
bool endsTheCommand(int status) { return status == 2 || (status != 0 && host::stopRequested()); }

// The tables a checked run reads, of the module's form.
const core::checks::FormTables* checkedTables(app::FrameSession& session) {
    const core::checks::FormTables* tables = core::checks::formTablesOfModule(session.moduleName());
    if (!tables) throw app::UsageError(session.moduleName() + " is none of the declaration forms that can be checked");
    return tables;
}

// The check of a run just collected and written into its private directory. `check` prints the
// report on stdout and leaves nothing; generate --check says the findings on stderr (stdout keeps
// its paths alone) and moves the file to where the user wanted it unless errors forbid it. Either
// way the status is the check's: a script notices a declaration written in spite of errors.
// `declaration` is the file the run wrote, `previousQuarter` last quarter's balances (none: the
// continuity is not checked).
int checkRun(const app::CommandLine& line, app::FrameSession& session, const app::WorkDirectory& workDirectory,
             const Organization& organization, const core::checks::PrivateDeclarationDirectory& privateDirectory,
             app::TerminalMessages& messages, const std::string& declaration,
             std::optional<core::checks::DeclarationBalances> previousQuarter) {
    auto& frame = session.frame();
    const core::checks::FormTables* tables = checkedTables(session);
    const int client = organization.client.value_or(-1);
    core::checks::CheckedRun run = core::checks::checkedRun(frame, *tables, workDirectory.path(), client, declaration);
    run.previousQuarter = std::move(previousQuarter);
    const core::checks::Findings findings = core::checks::checkDeclaration(run);
    const int status = findings.exitStatus();
    const app::CheckedDeclaration checked{session.moduleName(), std::string(tables->form), client};
    if (line.report) app::writeReportFile(*line.report, app::findingsAsHtml(findings, checked));
    if (line.command == app::CommandLine::Command::Check) {
        std::cout << (line.json ? app::findingsAsJson(findings, checked) : app::findingsAsText(findings))
                  << std::flush;
        return status;
    }
    if (!findings.empty()) {
        std::string report = app::findingsAsText(findings);
        report.pop_back();
        messages.say(report);
    }
    if (findings.errors() > 0 && !line.ignoreErrors) {
        messages.say("the declaration was not written: the check found errors (--ignore-errors writes it anyway)");
        return status;
    }
    if (!declaration.empty())
        std::cout << app::moveDeclaration(declaration, privateDirectory.userDirectory()) << "\n" << std::flush;
    return status;
}

int runGenerate(const app::CommandLine& line, const Organization& organization, app::TerminalMessages& messages,
                app::TerminalProgress& progress, DatabaseLibrary& library) {
    checkOptionsFile(line);
    app::WorkDirectory::sweepAbandoned();
    auto& mainDM = host::MainDM();
    mainDM.setReportId(line.reportId);
    mainDM.OwnerId = line.ownerId;
    if (line.date) mainDM.setToday(host::parseDate(*line.date));
    const fs::path root = installRoot();
    host::HostConfig().setReportPath(
        host::withTrailingDelimiter(line.reportDir ? *line.reportDir : (root / "reports").string()));

    app::FrameSession session(line.module, (root / "lib").string());
    auto& frame = session.frame();
    const std::optional<int>& client = organization.client;
    frame.chooseClient(client.value_or(-1), client ? std::to_string(*client) : std::string{});
    session.readOptions(line.optionsFile);

    // Each organization's tables stay apart, for the user to open each.
    std::optional<std::string> workDir = line.workDir;
    if (workDir && organization.oneOfSeveral) workDir = (fs::path(*workDir) / organization.tag()).string();

    std::unique_ptr<app::WorkDirectory> workDirectory;
    // Reset before the options are saved: they keep the user's directory, not the private one.
    std::unique_ptr<core::checks::PrivateDeclarationDirectory> privateDirectory;
    // A checked run's: the declaration it wrote, and last quarter's balances.
    std::string declaration;
    std::optional<core::checks::DeclarationBalances> previousQuarter;
    app::PrintOutputFile printOutput(line.preview, organization.tag());
    RunAttachments attachments(printOutput, library);
    int status = 0;
    try {
        {
            // Gone before anything below or in a handler prints: no line starts behind it.
            const app::TerminalProgress::Showing showing = progress.show(organization.linePrefix());
            session.applySettings(line.settings);
            const bool checking = line.command == app::CommandLine::Command::Check || line.check;
            if (checking) {
                auto* kind = dynamic_cast<host::ui::ItemsControl*>(frame.page().find("rgReportKind"));
                // A check is of the file that would be filed, whatever the page prints otherwise.
                if (kind && kind->itemIndex() != kDeclarationFileItem) {
                    if (line.check)
                        throw app::UsageError("--check checks the declaration file, but the page asks for the print "
                                              "form (rgReportKind=0)");
                    if (auto refusal = host::ui::applyUserValue(*kind, std::to_string(kDeclarationFileItem)))
                        throw app::UsageError(*refusal);
                }
                privateDirectory = std::make_unique<core::checks::PrivateDeclarationDirectory>(frame, line.check);
            }
            // The page's own output kind decides; a preview file asked for a declaration file would
            // be silently left unwritten.
            if (const auto* kind = dynamic_cast<const host::ui::ItemsControl*>(frame.page().find("rgReportKind"));
                line.preview && kind && kind->itemIndex() == 1)
                throw app::UsageError("--preview names a print form file, but the page asks for the declaration "
                                      "file (rgReportKind=1)");
            // The page is checked before anything is opened; the generate step shows what is wrong.
            if (frame.GetErrorMessage({}).empty()) {
                // A wrong file is said before a long collection, not after it.
                if (privateDirectory && line.previous)
                    previousQuarter = app::readPreviousQuarter(*line.previous, frame, *checkedTables(session));
                if (line.database.empty()) throw app::UsageError("name the host database with --db");
                workDirectory = std::make_unique<app::WorkDirectory>(workDir);
                mainDM.setWorkDirectory(workDirectory->path());
                attachments.openDatabase(line.database);
            }
            frame.SetTMPTablesDatabaseName();
            frame.bbtnGenerateClick(nullptr);
            // Taken before last quarter's run makes a file of its own.
            declaration = frame.producedPath();
            if (privateDirectory && !previousQuarter && app::declaresBalances(frame, *checkedTables(session)))
                previousQuarter = app::collectPreviousQuarter(frame, *checkedTables(session));
        }
        // A checked run's path is the check's to say.
        if (privateDirectory) {
            if (!workDirectory) throw app::UsageError("the page is not ready for a check");
            status = checkRun(line, session, *workDirectory, organization, *privateDirectory, messages, declaration,
                              std::move(previousQuarter));
        }
        // A print form with nothing to print ends silently: no path, no message, success. Each path
        // goes out at once: whoever reads them can take an organization's file while the next runs.
        else if (!frame.producedPath().empty())
            std::cout << frame.producedPath() << "\n" << std::flush;
        else if (!printOutput.written().empty())
            std::cout << printOutput.written() << "\n" << std::flush;
    } catch (const host::GenerateAborted&) {
        status = 2;
    } catch (const host::StopRequested& stop) {
        messages.say("stopped: nothing was written");
        status = stoppedStatus();
    } catch (const app::UsageError& e) {
        messages.say(e.what());
        status = 2;
    } catch (const app::WorkDirectory::Failure& e) {
        messages.say(e.what());
        status = 1;
    } catch (const std::exception& e) {
        // A failure that a stop caused (a read cut short) is the stop, not an error to report.
        if (host::stopRequested()) {
            messages.say("stopped: nothing was written");
            status = stoppedStatus();
        } else {
            messages.say(app::terminalText(e.what()));
            status = 1;
        }
    }
    // The page's directory is the user's again before the options are saved.
    privateDirectory.reset();
    const bool lastRun = organization.last || endsTheCommand(status);
    if (line.saveOptions && line.optionsFile && lastRun && !host::stopRequested()) {
        try {
            frame.SaveOptions();
            session.options().saveToFile(*line.optionsFile);
        } catch (const std::exception& e) {
            messages.say(app::terminalText(e.what()));
            if (status == 0) status = 1;
        }
    }
    // Tables in a directory the user named stay for the user to open.
    if (workDirectory && !workDirectory->kept()) frame.DropTMPTables();
    return status;
}

// The exit status of a command that an exception ended, its reason said on stderr. Called in a
// handler, for the exception being handled.
int failureStatus(app::TerminalMessages& messages) {
    try {
        throw;
    } catch (const app::UsageError& e) {
        messages.say(e.what());
        return 2;
    } catch (const host::EncodingError& e) {
        messages.say(e.what());
        return 2;
    } catch (const host::DateRangeError& e) {
        messages.say(std::string("--date: ") + e.what());
        return 2;
    } catch (const std::exception& e) {
        messages.say(app::terminalText(e.what()));
        return 1;
    }
}

// A declaration for each organization in turn, each a run of its own; the first status that is
// not 0 is the command's.
int runGenerateForEach(const app::CommandLine& line, app::TerminalMessages& messages,
                       app::TerminalProgress& progress) {
    DatabaseLibrary library;
    if (line.clients.size() <= 1) {
        Organization only;
        if (!line.clients.empty()) only.client = line.clients.front();
        return runGenerate(line, only, messages, progress, library);
    }
    int commandStatus = 0;
    for (std::size_t i = 0; i < line.clients.size(); ++i) {
        const Organization organization{line.clients[i], true, i + 1 == line.clients.size()};
        messages.setLinePrefix(organization.linePrefix());
        int status = 0;
        if (host::stopRequested()) {
            // The stop came between two runs: this organization and the rest are not begun.
            messages.say("stopped: nothing was written");
            status = stoppedStatus();
        } else {
            try {
                status = runGenerate(line, organization, messages, progress, library);
            } catch (const std::exception&) {
                status = failureStatus(messages);
            }
        }
        messages.setLinePrefix({});
        if (commandStatus == 0) commandStatus = status;
        if (endsTheCommand(status)) break;
    }
    return commandStatus;
}

}  // namespace

int main(int argc, char** argv) {
    // From the first moment a stop is a request the run carries out cleanly, not a kill.
    host::installStopSignals();
    const app::ParseResult parsed = app::parseCommandLine(argc, argv);
    std::cout << parsed.out;
    std::cerr << parsed.err;
    if (!parsed.commandLine) return parsed.exitStatus;
    const app::CommandLine& line = *parsed.commandLine;

    app::TerminalProgress progress;
    app::TerminalMessages messages(&progress);
    host::ui::setMessageService(&messages);
    try {
        return line.command == app::CommandLine::Command::Params ? runParams(line)
                                                                   : runGenerateForEach(line, messages, progress);
    } catch (const std::exception&) {
        return failureStatus(messages);
    }
}
