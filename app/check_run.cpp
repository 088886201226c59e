// The private directory of a checked declaration, the page's choices for the checks, and the
// move of a checked file into the user's directory.
#include "app/check_run.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "app/frame_session.h"
#include "app/terminal_messages.h"
#include "app/work_directory.h"
#include "core/checks/previous_quarter.h"
#include "host/text/cp1251.h"
#include "host/ui/control.h"

namespace app {

namespace fs = std::filesystem;

namespace {

host::ui::TextEdit& directoryEdit(host::TReportFrame& frame) {
    auto* edit = dynamic_cast<host::ui::TextEdit*>(frame.page().find("dePath"));
    if (!edit) throw std::runtime_error("the parameters page has no directory for the declaration (dePath)");
    return *edit;
}

// A fresh directory of the run's own in the temporary directory, removed with all in it.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (fs::temp_directory_path() / "zorvic-previous-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a private directory in " + fs::temp_directory_path().string());
        path_ = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

PrivateDeclarationDirectory::PrivateDeclarationDirectory(host::TReportFrame& frame, bool userDirectoryWritten)
    : frame_(frame) {
    host::ui::TextEdit& edit = directoryEdit(frame);
    if (userDirectoryWritten) {
        const std::string directory = edit.text().empty() ? std::string(".") : edit.text();
        if (::access(directory.c_str(), W_OK | X_OK) != 0)
            throw std::runtime_error(host::W("Не удалось создать файл в каталоге ") + directory + ": " +
                                     std::strerror(errno));
    }
    std::string pattern = (fs::temp_directory_path() / "zorvic-check-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a private directory in " +
                                                             fs::temp_directory_path().string());
    path_ = pattern;
    userDirectory_ = edit.text();
    edit.setText(path_ + "/");
}

PrivateDeclarationDirectory::~PrivateDeclarationDirectory() {
    directoryEdit(frame_).setText(userDirectory_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

core::checks::CheckedRun checkedRun(host::TReportFrame& frame, const core::checks::FormTables& tables,
                                    const std::string& workDirectory, int client, const std::string& declaration) {
    const host::ui::ControlPage& page = frame.page();
    core::checks::CheckedRun run;
    run.tables = &tables;
    run.workDirectory = workDirectory;
    run.client = client;
    if (const auto* year = dynamic_cast<const host::ui::SpinEdit*>(page.find("seYear"))) run.year = year->value();
    if (const auto* quarter = dynamic_cast<const host::ui::ItemsControl*>(page.find("rgTypePeriod")))
        run.quarterIndex = quarter->itemIndex();
    if (const auto* precision = dynamic_cast<const host::ui::SpinEdit*>(page.find("seCalcPrecision")))
        run.precision = static_cast<int>(std::trunc(precision->value()));
    if (const auto* goods = dynamic_cast<const host::ui::CheckBox*>(page.find("cbGroupByArticul")))
        run.goodsDetail = goods->checked();
    if (const auto* onlyMove = dynamic_cast<const host::ui::CheckBox*>(page.find("cbOnlyMove")))
        run.onlyMovement = onlyMove->checked();
    if (!declaration.empty()) run.declarationPath = declaration;
    return run;
}

core::checks::DeclarationBalances readPreviousQuarter(const std::string& path, host::TReportFrame& frame,
                                                      const core::checks::FormTables& tables) {
    if (tables.turnover.empty())
        throw UsageError("--previous: form " + std::string(tables.form) +
                         " declares no balances; the continuity of balances is checked in forms 11, 12 and 05");
    const core::checks::CheckedRun run = checkedRun(frame, tables, {}, -1, {});
    try {
        return core::checks::readPreviousDeclaration(
            path, tables.form, {static_cast<int>(std::trunc(run.year)), run.quarterIndex});
    } catch (const core::checks::BalanceFileError& e) {
        throw UsageError("--previous " + path + ": " + terminalText(e.what()));
    }
}

bool declaresBalances(host::TReportFrame& frame, const core::checks::FormTables& tables) {
    return !tables.turnover.empty() && !checkedRun(frame, tables, {}, -1, {}).onlyMovement;
}

core::checks::DeclarationBalances collectPreviousQuarter(host::TReportFrame& frame,
                                                         const core::checks::FormTables& tables) {
    const WorkDirectory work(std::nullopt);
    const TemporaryDirectory output;
    return core::checks::collectPreviousQuarter(frame, tables.form, work.path(), output.path());
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
