// Running a declaration frame once more for the quarter before its own.
#include "core/checks/previous_quarter.h"

#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "core/declaration_frame.h"
#include "host/data/main_dm.h"
#include "host/text/cp1251.h"
#include "host/ui/control.h"

namespace core::checks {

namespace {

namespace fs = std::filesystem;

// A fresh directory of the run's own in the temporary directory, removed with all in it.
class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const char* kind) {
        std::string pattern = (fs::temp_directory_path() / (std::string("zorvic-previous-") + kind + "-XXXXXX")).string();
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

template <typename C>
C& control(host::TReportFrame& frame, const char* name) {
    auto* found = dynamic_cast<C*>(frame.page().find(name));
    if (!found) throw std::logic_error(std::string("the parameters page has no ") + name);
    return *found;
}

// What the previous quarter's run changes, set back when it ends: the period and directory on the
// page, the host's work directory and where the frame's tables are.
class PageSetBack {
public:
    explicit PageSetBack(host::TReportFrame& frame)
        : frame_(frame),
          year_(control<host::ui::SpinEdit>(frame, "seYear")),
          period_(control<host::ui::ItemsControl>(frame, "rgTypePeriod")),
          directory_(control<host::ui::TextEdit>(frame, "dePath")),
          yearValue_(year_.value()),
          periodIndex_(period_.itemIndex()),
          directoryText_(directory_.text()),
          workDirectory_(host::MainDM().GetPath(host::TMainDM::WorkDirectory)) {}

    ~PageSetBack() {
        try {
            frame_.DropTMPTables();
        } catch (...) {
            // The directory goes with the tables in it; what the run ends with is said already.
        }
        host::MainDM().setWorkDirectory(workDirectory_);
        frame_.SetTMPTablesDatabaseName();
        year_.setValue(yearValue_);
        period_.setItemIndex(periodIndex_);
        directory_.setText(directoryText_);
        // What the frame collected last is the other quarter's.
        frame_.NeedRecalcData();
    }
    PageSetBack(const PageSetBack&) = delete;
    PageSetBack& operator=(const PageSetBack&) = delete;

    host::ui::SpinEdit& year() { return year_; }
    host::ui::ItemsControl& period() { return period_; }
    host::ui::TextEdit& directory() { return directory_; }
    Quarter quarter() const { return {static_cast<int>(std::trunc(yearValue_)), periodIndex_}; }

private:
    host::TReportFrame& frame_;
    host::ui::SpinEdit& year_;
    host::ui::ItemsControl& period_;
    host::ui::TextEdit& directory_;
    double yearValue_;
    int periodIndex_;
    std::string directoryText_;
    std::string workDirectory_;
};

}  // namespace

DeclarationBalances collectPreviousQuarter(host::TReportFrame& frame, std::string_view form,
                                           const std::string& workDirectory, const std::string& outputDirectory) {
    PageSetBack page(frame);
    const Quarter quarter = page.quarter();
    const Quarter previous = quarterBefore(quarter);
    if (!page.year().inRange(previous.year))
        throw std::runtime_error(host::W("Предыдущий квартал, ") + quarterText(previous) +
                                 host::W(", вне годов, которые принимает страница параметров"));
    page.year().setValue(previous.year);
    page.period().setItemIndex(previous.index);
    page.directory().setText(host::withTrailingDelimiter(outputDirectory));
    host::MainDM().setWorkDirectory(workDirectory);
    frame.SetTMPTablesDatabaseName();
    frame.NeedRecalcData();
    try {
        frame.bbtnGenerateClick(nullptr);
    } catch (const NoDataError&) {
        // Nothing to declare that quarter: nothing closed, every balance opens from zero.
        DeclarationBalances nothing;
        nothing.form = std::string(form);
        nothing.quarter = previous;
        return nothing;
    }
    if (frame.producedPath().empty())
        throw std::runtime_error(host::W("Декларация за предыдущий квартал не сформирована"));
    return readPreviousDeclaration(frame.producedPath(), form, quarter);
}

DeclarationBalances collectPreviousQuarter(host::TReportFrame& frame, std::string_view form) {
    const TemporaryDirectory work("work");
    const TemporaryDirectory output("file");
    return collectPreviousQuarter(frame, form, work.path(), output.path());
}

}  // namespace core::checks
