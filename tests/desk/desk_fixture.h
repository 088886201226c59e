#pragma once

// What the desktop tests share: the demo database made once, a home of the tests' own (so no
// user's settings are read or written), a window over a form, and waiting for a generate.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "desk/main_window.h"
#include "host/data/main_dm.h"
#include "qt_printing.h"
#include "test_support.h"

namespace desk_test {

namespace fs = std::filesystem;

// Runs a shell command; its output goes to `out` when given. Returns the exit status.
int shell(const std::string& command, std::string* out = nullptr);

// The demo database of this test binary, made at first use.
const std::string& demoDatabase();
// A copy of the demo database at `path` with `sql` run on it through the Firebird tools, for a
// mistake planted in the host's data.
void makeChangedDemo(const fs::path& path, const std::string& sql);
// The demo database at `path` with 200 000 generated document lines in it: a quarter whose
// collection takes long enough to be cancelled half way.
void makeBigDemo(const fs::path& path);
// A scratch directory that lasts as long as the test binary.
const fs::path& binaryScratch();

class DeskTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A window over the module, on the given database (default: the demo), options in this test's
    // own file.
    desk::MainWindow& open(const std::string& module, const std::string& database = {});
    // A window started without naming a database, as the user starts it the next day.
    desk::MainWindow& openRemembered(const std::string& module);
    // Organization 1, the demo company, as if chosen in the dialog.
    void chooseDemoCompany();
    // Presses the generate button and waits until the results are shown.
    void generate(int timeoutMs = 180000);
    // Presses the check button and waits until the findings (or why there are none) are shown.
    void check(int timeoutMs = 180000);
    // Waits, pressing nothing, until the run that `ended` watches shows its collection's rows
    // coming in, as a user would see the count grow; the stage shown then (whatever it is when
    // the run ended first or the wait ran out).
    QString waitForRowsComing(const QSignalSpy& ended);
    // The texts of the notices the window has open.
    QStringList notices() const;
    // Types into a spin box or edit as a user does: all selected, replaced.
    static void typeInto(QWidget* widget, const QString& text);
    template <class T>
    T* find(const char* name) const {
        T* widget = window_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << "no widget " << name;
        return widget;
    }

    desk::MainWindow& start(const std::string& module, const QString& database);

    std::unique_ptr<zorvic_test::ScratchDir> scratch_;
    std::unique_ptr<desk::MainWindow> window_;
};

}  // namespace desk_test
