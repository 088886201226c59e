// Parsing the zorvic command line: its commands, options and their checks.
#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>

#include "host/report/report_export.h"

namespace app {
namespace {

void addSetOption(CLI::App& command, std::vector<std::string>& settings) {
    command.add_option("--set", settings, "change one control of the parameters page, CONTROL=VALUE")
        ->type_name("CONTROL=VALUE")
        ->allow_extra_args(false);
}

// Returns the --client option: taken once or more, one ID each time.
CLI::Option* addCommonOptions(CLI::App& command, CommandLine& line, std::vector<std::string>& clients,
                              const char* what) {
    command.add_option("MODULE", line.module, "plug-in name (pZorvicRozn ...) or module file")->required();
    command.add_option("--options", line.optionsFile, "the options file (INI, UTF-8)");
    return command.add_option("--client", clients, what)->type_name("ID")->allow_extra_args(false);
}

// What the help of generate says after its options: how a command for several organizations
// runs, fails and names its files.
constexpr const char* kSeveralClients = R"(Several organizations: --client may be given more than once, an ID once only. Each organization is
a run of its own, in the order given, and stdout gets each one's path on a line of its own. With
several, every line a run says on stderr starts with "client ID: ", a print form's file carries
the ID before its extension (--preview out.pdf gives out.1.pdf, out.60.pdf), and --work-dir DIR
keeps each organization's tables in DIR/ID. When one organization fails (exit status 1) the
others still run; a mistake in the command line or the page (exit status 2) and a stop end the
command at that organization. The exit status is the first one that is not 0. --save-options
writes the page back once, after the last run; every run reads the options file as it was given.

On a terminal, stderr shows how far the run has got on one status line, cleared before anything
else is printed; never when stderr is a file or a pipe.
)";

// Identifiers are typed as decimal numbers: read as the option parser would, "010" would be
// organization 8 and "0x0A" organization 10, a declaration for somebody else.
std::optional<int> decimalInteger(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '-') ++begin;
    if (begin == end) return std::nullopt;
    for (const char* c = begin; c != end; ++c)
        if (*c < '0' || *c > '9') return std::nullopt;
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

ParseResult parseCommandLine(int argc, char** argv) {
    CommandLine line;
    std::vector<std::string> generateSettings;
    std::vector<std::string> paramsSettings;
    std::vector<std::string> generateClients;
    std::vector<std::string> paramsClients;
    std::optional<std::string> reportId;
    std::optional<std::string> ownerId;

    CLI::App cli{"zorvic: quarterly declarations on the turnover of alcoholic products", "zorvic"};
    cli.require_subcommand(1);

    auto* generate = cli.add_subcommand("generate", "collect the data and write the declaration or its print form");
    addCommonOptions(*generate, line, generateClients,
                     "the organization the declaration is made for (ID_CLIENTS); repeat it for several");
    generate->add_option("--db", line.database, "the host database: a file path, or host:path for a server");
    generate->add_flag("--save-options", line.saveOptions, "write the page back into the options file after the run");
    addSetOption(*generate, generateSettings);
    generate->add_option("--report-id", reportId, "the report identifier bound as Report_ID");
    generate->add_option("--owner-id", ownerId, "the owner identifier bound as Owner_ID");
    generate->add_option("--work-dir", line.workDir, "directory of the work tables (kept when given)");
    generate->add_option("--report-dir", line.reportDir, "directory of the report templates");
    generate->add_option("--date", line.date, "the date taken as today, DD.MM.YYYY");
    generate->add_option("--preview", line.preview, "where the print form goes (.html, .pdf, .xlsx, .rtf)");
    generate->add_flag("--check", line.check,
                       "check the declaration before it is written: with errors (exit status 3) it is not written");
    generate->add_flag("--ignore-errors", line.ignoreErrors,
                       "with --check: write the declaration whatever was found, and still report the findings");
    generate->add_option("--report", line.report, "with --check: the findings also as an HTML page in this file");
    generate->add_option("--previous", line.previous,
                         "with --check: last quarter's declaration file, for the continuity of the balances "
                         "(forms 11, 12, 05; without it last quarter is collected from the database)");
    generate->footer(kSeveralClients);

    // The same collection as generate's; the declaration goes into a private directory for its own
    // check and is removed with it, so nothing is written.
    std::vector<std::string> checkSettings;
    std::vector<std::string> checkClients;
    std::optional<std::string> checkReportId;
    std::optional<std::string> checkOwnerId;
    auto* check = cli.add_subcommand("check", "collect as generate does and check the declaration; writes nothing "
                                              "but the report (exit status 0 nothing found, 3 errors, 4 warnings only)");
    addCommonOptions(*check, line, checkClients, "the organization the declaration is made for (ID_CLIENTS)")
        ->option_text("ID");
    check->add_option("--db", line.database, "the host database: a file path, or host:path for a server");
    addSetOption(*check, checkSettings);
    check->add_option("--report-id", checkReportId, "the report identifier bound as Report_ID");
    check->add_option("--owner-id", checkOwnerId, "the owner identifier bound as Owner_ID");
    check->add_option("--work-dir", line.workDir, "directory of the work tables (kept when given)");
    check->add_option("--date", line.date, "the date taken as today, DD.MM.YYYY");
    check->add_flag("--json", line.json, "print the findings as one JSON object");
    check->add_option("--report", line.report, "the findings also as an HTML page in this file");
    check->add_option("--previous", line.previous,
                      "last quarter's declaration file, for the continuity of the balances (forms 11, 12, 05; "
                      "without it last quarter is collected from the database)");

    auto* params = cli.add_subcommand("params", "show the parameters page as the options and changes leave it");
    // One page, one organization: its help shows no repetition.
    addCommonOptions(*params, line, paramsClients, "the organization the page is shown for (ID_CLIENTS)")
        ->option_text("ID");
    addSetOption(*params, paramsSettings);
    params->add_flag("--json", line.json, "print the page as one JSON object");

    ParseResult result;
    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        result.out = cli.help();
        return result;
    } catch (const CLI::ParseError& e) {
        result.exitStatus = 2;
        result.err = std::string(e.what()) + "\n";
        return result;
    }

    const bool isGenerate = generate->parsed();
    const bool isCheck = check->parsed();
    line.command = isGenerate ? CommandLine::Command::Generate
                   : isCheck  ? CommandLine::Command::Check
                              : CommandLine::Command::Params;
    const std::vector<std::string>& clients = isGenerate ? generateClients : isCheck ? checkClients : paramsClients;
    if (!isGenerate && clients.size() > 1) {
        result.exitStatus = 2;
        result.err = std::string("--client: ") + (isCheck ? "check" : "params") +
                     " takes one organization; give --client once\n";
        return result;
    }
    if (line.ignoreErrors && !line.check) {
        result.exitStatus = 2;
        result.err = "--ignore-errors goes with --check\n";
        return result;
    }
    if (line.report && isGenerate && !line.check) {
        result.exitStatus = 2;
        result.err = "--report goes with --check\n";
        return result;
    }
    if (line.previous && isGenerate && !line.check) {
        result.exitStatus = 2;
        result.err = "--previous goes with --check: it is last quarter's declaration for the continuity check\n";
        return result;
    }
    if (line.previous && clients.size() > 1) {
        result.exitStatus = 2;
        result.err = "--previous: last quarter's declaration is one organization's; give --client once\n";
        return result;
    }
    if (isGenerate && line.check && clients.size() > 1 && line.report) {
        result.exitStatus = 2;
        result.err = "--report: one report file takes one organization's findings\n";
        return result;
    }
    if (line.check && line.preview) {
        result.exitStatus = 2;
        result.err = "--check checks the declaration file; it does not go with --preview\n";
        return result;
    }
    if (isCheck) {
        reportId = checkReportId;
        ownerId = checkOwnerId;
    }
    std::vector<std::pair<const char*, const std::string*>> integers;
    for (const auto& client : clients) integers.emplace_back("--client", &client);
    if (reportId) integers.emplace_back("--report-id", &*reportId);
    if (ownerId) integers.emplace_back("--owner-id", &*ownerId);
    for (const auto& [option, text] : integers) {
        if (decimalInteger(*text)) continue;
        result.exitStatus = 2;
        result.err = std::string(option) + " takes a whole decimal number, not \"" + *text + "\"\n";
        return result;
    }
    for (const auto& client : clients) {
        const int id = *decimalInteger(client);
        // The second run would write the same declaration again, or over the first one's print form.
        if (std::find(line.clients.begin(), line.clients.end(), id) != line.clients.end()) {
            result.exitStatus = 2;
            result.err = "--client: organization " + std::to_string(id) + " is named more than once\n";
            return result;
        }
        line.clients.push_back(id);
    }
    if (reportId) line.reportId = *decimalInteger(*reportId);
    if (ownerId) line.ownerId = *decimalInteger(*ownerId);
    for (const auto& setting : isGenerate ? generateSettings : isCheck ? checkSettings : paramsSettings) {
        const auto eq = setting.find('=');
        if (eq == std::string::npos || eq == 0) {
            result.exitStatus = 2;
            result.err = "--set takes CONTROL=VALUE, not \"" + setting + "\"\n";
            return result;
        }
        line.settings.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
    }
    // Refused before anything runs, not after a whole collection.
    if (line.preview && !host::exportFormatKnown(*line.preview)) {
        result.exitStatus = 2;
        result.err = "--preview: \"" + *line.preview + "\" does not end in .html, .htm, .pdf, .xlsx or .rtf\n";
        return result;
    }
    result.commandLine = std::move(line);
    return result;
}

}  // namespace app
