#pragma once

// The zorvic command line: what it asks for and how it is parsed.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {

// What the zorvic command line asks for; texts as typed (UTF-8).
struct CommandLine {
    enum class Command { Generate, Params, Check };

    Command command = Command::Params;
    std::string module;
    std::string database;
    // The organizations, in the order given: generate makes a declaration for each, params takes
    // one at most. None: the frame's "no client" (-1).
    std::vector<int> clients;
    std::optional<std::string> optionsFile;
    bool saveOptions = false;
    std::vector<std::pair<std::string, std::string>> settings;  // control, value, in the order given
    int reportId = 0;
    int ownerId = 0;
    std::optional<std::string> workDir;
    std::optional<std::string> reportDir;
    std::optional<std::string> date;
    std::optional<std::string> preview;
    bool json = false;
    // generate --check: check before writing; with errors nothing is written unless ignoreErrors.
    bool check = false;
    bool ignoreErrors = false;
    // check, generate --check: the findings also as an HTML page in this file.
    std::optional<std::string> report;
    // check, generate --check: last quarter's declaration file, whose closing balances this
    // quarter must open with; none: last quarter is collected from the database.
    std::optional<std::string> previous;
};

// The outcome of parsing: the command line, or the exit status and what to print
// (help on stdout, a reason on stderr).
struct ParseResult {
    std::optional<CommandLine> commandLine;
    int exitStatus = 0;
    std::string out;
    std::string err;
};

ParseResult parseCommandLine(int argc, char** argv);

}  // namespace app
