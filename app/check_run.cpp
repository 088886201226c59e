// Last quarter's balances for the continuity check, from its file or collected again, and the move
// of a checked declaration into the user's directory.
#include "app/check_run.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "app/frame_session.h"
#include "app/terminal_messages.h"
#include "core/checks/frame_check_run.h"
#include "core/checks/previous_quarter.h"
#include "host/text/cp1251.h"

namespace app {

namespace fs = std::filesystem;

core::checks::DeclarationBalances readPreviousQuarter(const std::string& path, host::TReportFrame& frame,
                                                      const core::checks::FormTables& tables) {
    if (tables.turnover.empty())
        throw UsageError("--previous: form " + std::string(tables.form) +
                         " declares no balances; the continuity of balances is checked in forms 11, 12 and 05");
    const core::checks::CheckedRun run = core::checks::checkedRun(frame, tables, {}, -1, {});
    try {
        return core::checks::readPreviousDeclaration(
            path, tables.form, {static_cast<int>(std::trunc(run.year)), run.quarterIndex});
    } catch (const core::checks::BalanceFileError& e) {
        throw UsageError("--previous " + path + ": " + terminalText(e.what()));
    }
}

bool declaresBalances(host::TReportFrame& frame, const core::checks::FormTables& tables) {
    return !tables.turnover.empty() && !core::checks::checkedRun(frame, tables, {}, -1, {}).onlyMovement;
}

core::checks::DeclarationBalances collectPreviousQuarter(host::TReportFrame& frame,
                                                         const core::checks::FormTables& tables) {
    return core::checks::collectPreviousQuarter(frame, tables.form);
}

std::string moveDeclaration(const std::string& path, const std::string& directory) {
    const fs::path target = fs::absolute(fs::path(directory.empty() ? std::string(".") : directory) /
                                         fs::path(path).filename());
    std::error_code error;
    fs::rename(path, target, error);
    if (!error) return target.string();
    // Another file system: copied under a name that is not the declaration's, then renamed.
    const fs::path part = target.string() + ".part";
    fs::copy_file(path, part, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(part, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(part, ignored);
        throw std::runtime_error("cannot write the declaration " + target.string() + ": " + error.message());
    }
    fs::remove(path, error);
    return target.string();
}

}  // namespace app
