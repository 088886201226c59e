// The private directory of a checked declaration, and the page's choices for the checks.
#include "core/checks/frame_check_run.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "host/text/cp1251.h"
#include "host/ui/control.h"
#include "host/ui/user_input.h"

namespace core::checks {

namespace fs = std::filesystem;

namespace {

host::ui::TextEdit& directoryEdit(host::TReportFrame& frame) {
    auto* edit = dynamic_cast<host::ui::TextEdit*>(frame.page().find("dePath"));
    if (!edit) throw std::runtime_error("the parameters page has no directory for the declaration (dePath)");
    return *edit;
}

// The item of the page's output kind (rgReportKind) that writes the declaration file.
constexpr int kDeclarationFileItem = 1;

host::ui::ItemsControl* outputKind(host::TReportFrame& frame) {
    return dynamic_cast<host::ui::ItemsControl*>(frame.page().find("rgReportKind"));
}

}  // namespace

DeclarationFileChosen::DeclarationFileChosen(host::TReportFrame& frame) : frame_(frame) {
    host::ui::ItemsControl* kind = outputKind(frame);
    if (!kind || kind->itemIndex() == kDeclarationFileItem) return;
    const int userItem = kind->itemIndex();
    // As the user would click it: the page's rules follow the kind.
    if (auto refusal = host::ui::applyUserValue(*kind, std::to_string(kDeclarationFileItem)))
        throw std::runtime_error(host::utf8ToCp1251(*refusal));
    userItem_ = userItem;
}

DeclarationFileChosen::~DeclarationFileChosen() {
    if (userItem_ < 0) return;
    if (host::ui::ItemsControl* kind = outputKind(frame_)) (void)host::ui::applyUserValue(*kind, std::to_string(userItem_));
}

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

CheckedRun checkedRun(host::TReportFrame& frame, const FormTables& tables, const std::string& workDirectory, int client,
                      const std::string& declaration) {
    const host::ui::ControlPage& page = frame.page();
    CheckedRun run;
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

}  // namespace core::checks
