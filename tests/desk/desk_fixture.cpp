// The desktop tests' shared fixture.
#include "desk_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

#include "desk/organizations/organization_list.h"

namespace desk_test {

int shell(const std::string& command, std::string* out) {
    const auto outcome =
        zorvic_test::runProgram(command, zorvic_test::RunOptions{}.errorsTo(zorvic_test::ErrorStream::IntoOutput));
    if (out) *out += outcome.out;
    return outcome.status;
}

const fs::path& binaryScratch() {
    static zorvic_test::ScratchDir dir;
    static const fs::path path = dir / "";
    return path;
}

const std::string& demoDatabase() {
    static const std::string path = [] {
        const std::string db = (binaryScratch() / "demo.fdb").string();
        std::string out;
        if (shell("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + db, &out) != 0)
            throw std::runtime_error("cannot make the demo database: " + out);
        return db;
    }();
    return path;
}

void makeChangedDemo(const fs::path& path, const std::string& sql) {
    fs::copy_file(demoDatabase(), path, fs::copy_options::overwrite_existing);
    const fs::path script = path.string() + ".sql";
    zorvic_test::writeFile(script, "SET NAMES UTF8;\nCONNECT '" + path.string() + "';\n" + sql + "\ncommit;\n");
    std::string said;
    if (shell("ISC_USER=SYSDBA ISC_PASSWORD=masterkey isql-fb -q -b -i " + zorvic_test::shellQuoted(script.string()),
              &said) != 0)
        throw std::runtime_error("cannot change the copy of the demo database: " + said);
}

void makeBigDemo(const fs::path& path) {
    std::string made;
    if (shell("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + path.string() + " && bash " ZORVIC_SOURCE_DIR
              "/demo/fill_scale.sh " + path.string() + " 200000",
              &made) != 0)
        throw std::runtime_error("cannot make the big demo database: " + made);
}

QString DeskTest::waitForRowsComing(const QSignalSpy& ended) {
    QString stage;
    for (int i = 0; i < 600 && ended.isEmpty(); ++i) {
        QTest::qWait(50);
        stage = window_->stageLabel()->text();
        if (stage.startsWith(QStringLiteral("Сбор данных")) && !stage.endsWith(": 0")) break;
    }
    return stage;
}

void DeskTest::SetUp() {
    scratch_ = std::make_unique<zorvic_test::ScratchDir>();
    // Remembered settings and the default options file land in a test location, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    host::HostConfig().setReportPath(ZORVIC_SOURCE_DIR "/reports/");
}

void DeskTest::TearDown() {
    window_.reset();
    scratch_.reset();
}

desk::MainWindow& DeskTest::open(const std::string& module, const std::string& database) {
    return start(module, QString::fromStdString(database.empty() ? demoDatabase() : database));
}

desk::MainWindow& DeskTest::openRemembered(const std::string& module) { return start(module, {}); }

desk::MainWindow& DeskTest::start(const std::string& module, const QString& database) {
    window_.reset();
    desk::DeskStart start{ZORVIC_LIB_DIR, database, QString::fromStdString((*scratch_ / "options.ini").string()),
                          QString::fromStdString(module)};
    window_ = std::make_unique<desk::MainWindow>(start);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    return *window_;
}

void DeskTest::chooseDemoCompany() {
    window_->chooseOrganizations({desk::Organization{1, QStringLiteral("ТД Черноземье"), {}, {}, {}}});
}

void DeskTest::generate(int timeoutMs) {
    QSignalSpy ended(window_.get(), &desk::MainWindow::generateEnded);
    ASSERT_TRUE(window_->generateButton()->isEnabled()) << window_->validationLabel()->text().toStdString();
    QTest::mouseClick(window_->generateButton(), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(timeoutMs)) << "the generate did not end";
}

void DeskTest::check(int timeoutMs) {
    QSignalSpy ended(window_.get(), &desk::MainWindow::checkEnded);
    ASSERT_TRUE(window_->checkButton()->isEnabled()) << window_->validationLabel()->text().toStdString();
    QTest::mouseClick(window_->checkButton(), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(timeoutMs)) << "the check did not end";
}

QStringList DeskTest::notices() const {
    QStringList texts;
    for (auto* box : window_->findChildren<QMessageBox*>("notice"))
        if (box->isVisible()) texts << box->text();
    return texts;
}

void DeskTest::typeInto(QWidget* widget, const QString& text) {
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
    // QTest's own typing knows only ASCII keys; Cyrillic goes as key events carrying the text.
    for (const QChar ch : text) {
        if (ch.unicode() < 128) QTest::keyClick(widget, ch.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

}  // namespace desk_test
