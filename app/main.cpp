// The zorvic program: the params and generate commands, and their exit statuses.
#include <unistd.h>

#include <pthread.h>

#include <csignal>
#include <cstring>

#include <filesystem>
#include <iostream>

#include "app/command_line.h"
#include "app/frame_session.h"
#include "app/page_json.h"
#include "app/print_output.h"
#include "app/terminal_messages.h"
#include "app/work_directory.h"
#include "host/calendar/date_time.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"
#include "host/ui/control.h"

namespace {

namespace fs = std::filesystem;

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
    if (line.client) session.frame().chooseClient(*line.client, std::to_string(*line.client));
    session.readOptions(line.optionsFile);
    session.applySettings(line.settings);
    std::cout << (line.json ? app::pageAsJson(session.frame()) : app::pageAsText(session.frame()));
    return 0;
}

// What a generate run hands the host for its length: the print output as the preview and, once
// opened, the host database. However the run ends, even when saving the options fails, the host
// is left as it was found: the preview removed, the database detached and closed, and the
// database library shut down.
class RunAttachments {
public:
    explicit RunAttachments(app::PrintOutputFile& output) { host::installReportPreview(&output); }
    ~RunAttachments() {
        host::installReportPreview(nullptr);
        host::MainDM().attachDatabase(nullptr);
        if (database_) {
            database_.reset();
            host::FirebirdDatabase::shutdown();
        }
    }
    RunAttachments(const RunAttachments&) = delete;
    RunAttachments& operator=(const RunAttachments&) = delete;

    // The database client sets handlers of its own for SIGINT and SIGTERM while it attaches, and
    // a stop it takes in that moment shuts the engine down under the attach. The signals wait
    // until ours are back; the client's threads, started meanwhile, never take them.
    void openDatabase(const std::string& connection) {
        sigset_t stops;
        sigset_t previous;
        sigemptyset(&stops);
        sigaddset(&stops, SIGINT);
        sigaddset(&stops, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stops, &previous);
        struct Restore {
            const sigset_t& mask;
            ~Restore() {
                host::installStopSignals();
                pthread_sigmask(SIG_SETMASK, &mask, nullptr);
            }
        } restore{previous};
        database_ = std::make_unique<host::FirebirdDatabase>(connection);
        host::MainDM().attachDatabase(database_.get());
    }

private:
    std::unique_ptr<host::FirebirdDatabase> database_;
};

int runGenerate(const app::CommandLine& line) {
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
    frame.chooseClient(line.client.value_or(-1), line.client ? std::to_string(*line.client) : std::string{});
    session.readOptions(line.optionsFile);

    std::unique_ptr<app::WorkDirectory> workDirectory;
    app::PrintOutputFile printOutput(line.preview);
    RunAttachments attachments(printOutput);
    int status = 0;
    try {
        session.applySettings(line.settings);
        // The page's own output kind decides; a preview file asked for a declaration file would be
        // silently left unwritten.
        if (const auto* kind = dynamic_cast<const host::ui::ItemsControl*>(frame.page().find("rgReportKind"));
            line.preview && kind && kind->itemIndex() == 1)
            throw app::UsageError("--preview names a print form file, but the page asks for the declaration file "
                                  "(rgReportKind=1)");
        // The page is checked before anything is opened; the generate step shows what is wrong.
        if (frame.GetErrorMessage({}).empty()) {
            if (line.database.empty()) throw app::UsageError("name the host database with --db");
            workDirectory = std::make_unique<app::WorkDirectory>(line.workDir);
            mainDM.setWorkDirectory(workDirectory->path());
            attachments.openDatabase(line.database);
        }
        frame.SetTMPTablesDatabaseName();
        frame.bbtnGenerateClick(nullptr);
        // A print form with nothing to print ends silently: no path, no message, success.
        if (!frame.producedPath().empty())
            std::cout << frame.producedPath() << "\n";
        else if (!printOutput.written().empty())
            std::cout << printOutput.written() << "\n";
    } catch (const host::GenerateAborted&) {
        status = 2;
    } catch (const host::StopRequested& stop) {
        std::cerr << "stopped: nothing was written\n";
        status = stoppedStatus();
    } catch (const app::UsageError& e) {
        std::cerr << e.what() << "\n";
        status = 2;
    } catch (const app::WorkDirectory::Failure& e) {
        std::cerr << e.what() << "\n";
        status = 1;
    } catch (const std::exception& e) {
        // A failure that a stop caused (a read cut short) is the stop, not an error to report.
        if (host::stopRequested()) {
            std::cerr << "stopped: nothing was written\n";
            status = stoppedStatus();
        } else {
            std::cerr << app::terminalText(e.what()) << "\n";
            status = 1;
        }
    }
    if (line.saveOptions && line.optionsFile && !host::stopRequested()) {
        try {
            frame.SaveOptions();
            session.options().saveToFile(*line.optionsFile);
        } catch (const std::exception& e) {
            std::cerr << app::terminalText(e.what()) << "\n";
            if (status == 0) status = 1;
        }
    }
    // Tables in a directory the user named stay for the user to open.
    if (workDirectory && !workDirectory->kept()) frame.DropTMPTables();
    return status;
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

    app::TerminalMessages messages;
    host::ui::setMessageService(&messages);
    try {
        return line.command == app::CommandLine::Command::Params ? runParams(line) : runGenerate(line);
    } catch (const app::UsageError& e) {
        std::cerr << e.what() << "\n";
        return 2;
    } catch (const host::EncodingError& e) {
        std::cerr << e.what() << "\n";
        return 2;
    } catch (const host::DateRangeError& e) {
        std::cerr << "--date: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << app::terminalText(e.what()) << "\n";
        return 1;
    }
}
