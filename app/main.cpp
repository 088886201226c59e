#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "app/command_line.h"
#include "app/frame_session.h"
#include "app/page_json.h"
#include "app/preview_file.h"
#include "app/terminal_messages.h"
#include "app/work_directory.h"
#include "host/calendar/date_time.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"
#include "host/local/sqlite_local_engine.h"
#include "host/text/cp1251.h"

namespace {

namespace fs = std::filesystem;

// The program lies in bin/ of its build or install tree; modules are in lib/ beside it and the
// project's own report templates in reports/.
fs::path installRoot() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : self.parent_path().parent_path();
}

int runParams(const app::CommandLine& line) {
    app::FrameSession session(line.module, (installRoot() / "lib").string());
    if (line.client) session.frame().chooseClient(*line.client, std::to_string(*line.client));
    session.readOptions(line.optionsFile);
    session.applySettings(line.settings);
    std::cout << (line.json ? app::pageAsJson(session.frame()) : app::pageAsText(session.frame()));
    return 0;
}

int runGenerate(const app::CommandLine& line, const app::TerminalMessages& messages) {
    auto& mainDM = host::MainDM();
    mainDM.setReportId(line.reportId);
    mainDM.OwnerId = line.ownerId;
    if (line.date) mainDM.setToday(host::parseDate(*line.date));
    const fs::path root = installRoot();
    mainDM.setReportNamePrefix(host::withTrailingDelimiter((root / "reports").string()));
    host::HostConfig().setReportPath(
        host::withTrailingDelimiter(line.reportDir ? *line.reportDir : (root / "reports").string()));

    app::FrameSession session(line.module, (root / "lib").string());
    auto& frame = session.frame();
    frame.chooseClient(line.client.value_or(-1), line.client ? std::to_string(*line.client) : std::string{});
    session.readOptions(line.optionsFile);

    host::SqliteLocalEngine localEngine;
    mainDM.attachLocalEngine(&localEngine);
    app::PreviewFile preview(line.preview);
    host::installReportPreview(&preview);
    std::unique_ptr<host::FirebirdDatabase> database;
    std::unique_ptr<app::WorkDirectory> workDirectory;
    int status = 0;
    try {
        session.applySettings(line.settings);
        // The page is checked before anything is opened; the generate step shows what is wrong.
        if (frame.GetErrorMessage({}).empty()) {
            if (line.database.empty()) throw app::UsageError("name the host database with --db");
            workDirectory = std::make_unique<app::WorkDirectory>(line.workDir);
            mainDM.setWorkDirectory(workDirectory->path());
            database = std::make_unique<host::FirebirdDatabase>(line.database);
            mainDM.attachDatabase(database.get());
        }
        frame.SetTMPTablesDatabaseName();
        frame.bbtnGenerateClick(nullptr);
        // A print form with nothing to print ends silently: no path, no message, success.
        if (!frame.producedPath().empty())
            std::cout << frame.producedPath() << "\n";
        else if (!preview.written().empty())
            std::cout << preview.written() << "\n";
        else if (messages.shown() > 0)
            status = 1;
    } catch (const host::GenerateAborted&) {
        status = 2;
    } catch (const app::UsageError& e) {
        std::cerr << e.what() << "\n";
        status = 2;
    } catch (const std::exception& e) {
        std::cerr << host::cp1251ToUtf8(e.what()) << "\n";
        status = 1;
    }
    if (line.saveOptions && line.optionsFile) {
        frame.SaveOptions();
        session.options().saveToFile(*line.optionsFile);
    }
    // Tables in a directory the user named stay for the user to open.
    if (workDirectory && !workDirectory->kept()) frame.DropTMPTables();
    host::installReportPreview(nullptr);
    mainDM.attachDatabase(nullptr);
    mainDM.attachLocalEngine(nullptr);
    if (database) {
        database.reset();
        host::FirebirdDatabase::shutdown();
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const app::ParseResult parsed = app::parseCommandLine(argc, argv);
    std::cout << parsed.out;
    std::cerr << parsed.err;
    if (!parsed.commandLine) return parsed.exitStatus;
    const app::CommandLine& line = *parsed.commandLine;

    app::TerminalMessages messages;
    host::ui::setMessageService(&messages);
    try {
        return line.command == app::CommandLine::Command::Params ? runParams(line) : runGenerate(line, messages);
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
        std::cerr << host::cp1251ToUtf8(e.what()) << "\n";
        return 1;
    }
}
