// The window's dealings with the database and with a run: the dialogs that say why a database
// cannot serve, the organization dialog, several organizations in one generate, and Cancel.
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>
#include <fstream>

#include "desk/connection/host_database_choice.h"
#include "desk/generate/generate_job.h"
#include "desk/long_run_gate.h"
#include "desk/organizations/organization_dialog.h"
#include "desk_fixture.h"
#include "host/firebird/firebird_database.h"

namespace desk_test {
namespace {

// What the user sees after asking for the organizations of a database that cannot serve.
QString refusal(DeskTest& test, desk::MainWindow& window, const QString& database) {
    window.databaseEdit()->setText(database);
    QTest::mouseClick(window.byNameButton(), Qt::LeftButton);
    const auto boxes = window.findChildren<QMessageBox*>("notice");
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(window.findChild<desk::OrganizationDialog*>(), nullptr);
    const QString text = boxes.isEmpty() ? QString() : boxes.front()->text();
    for (auto* box : boxes) box->close();
    QApplication::processEvents();
    (void)test;
    return text;
}

TEST_F(DeskTest, ADatabaseThatCannotServeSaysWhyInOneDialog) {
    auto& window = open("pZorvicBuy");
    const QString missing = QString::fromStdString((*scratch_ / "no-such.fdb").string());
    EXPECT_TRUE(refusal(*this, window, missing).startsWith(QStringLiteral("Файл базы данных не найден: ") + missing));

    const fs::path text = *scratch_ / "notes.fdb";
    zorvic_test::writeFile(text, "not a database at all\n");
    const QString notDatabase = refusal(*this, window, QString::fromStdString(text.string()));
    EXPECT_TRUE(notDatabase.startsWith(QStringLiteral("Не удалось открыть базу данных"))) << notDatabase.toStdString();

    // A Firebird database of some other program: the missing object is named.
    const fs::path empty = *scratch_ / "empty.fdb";
    ASSERT_EQ(shell("printf \"create database '" + empty.string() + "' default character set WIN1251;\\n\" | isql-fb -q"),
              0);
    const QString foreign = refusal(*this, window, QString::fromStdString(empty.string()));
    EXPECT_TRUE(foreign.contains(QStringLiteral("нет объекта учетной системы CLIENTS"))) << foreign.toStdString();
}

TEST_F(DeskTest, TheOrganizationDialogFiltersByNameOrInnAndSetsTheClient) {
    auto& window = open("pZorvicBuy");
    QTest::mouseClick(window.byNameButton(), Qt::LeftButton);
    auto* dialog = window.findChild<desk::OrganizationDialog*>();
    ASSERT_NE(dialog, nullptr) << notices().join("\n").toStdString();
    const int all = dialog->table()->model()->rowCount();
    EXPECT_GT(all, 5);
    // Part of the demo company's INN.
    QTest::keyClicks(dialog->filterEdit(), "366214");
    const int byInn = dialog->table()->model()->rowCount();
    EXPECT_GE(byInn, 1);
    EXPECT_LT(byInn, all);
    for (int row = 0; row < byInn; ++row)
        EXPECT_TRUE(dialog->table()->model()->index(row, 2).data().toString().contains("366214"));
    typeInto(dialog->filterEdit(), QStringLiteral("ТД Черноз"));
    ASSERT_EQ(dialog->table()->model()->rowCount(), 1);
    // One row left: Enter takes it.
    QTest::keyClick(dialog->table(), Qt::Key_Return);
    dialog->accept();
    QApplication::processEvents();
    EXPECT_TRUE(window.byNameEdit()->text().contains(QStringLiteral("Черноземье")));
    EXPECT_EQ(window.validationLabel()->text(), QString());
    // The database that served is remembered for the next start.
    auto& again = openRemembered("pZorvicBuy");
    EXPECT_EQ(again.databaseEdit()->text().toStdString(), demoDatabase());
}

// Each organization gets its own file; one without data does not stop the others, and the
// summary lists every one.
TEST_F(DeskTest, SeveralOrganizationsGetAFileEachAndASummary) {
    const fs::path out = *scratch_ / "out";
    fs::create_directories(out);
    zorvic_test::writeFile(*scratch_ / "options.ini",
                           "[ZorvicBuy]\nseYear=2024\nrgReportKind=1\ndePath=" + out.string() + "\n");
    auto& window = open("pZorvicBuy");
    window.chooseOrganizations({desk::Organization{1, QStringLiteral("ТД Черноземье"), {}, {}, {}},
                                desk::Organization{10, QStringLiteral("Поставщик без продаж"), {}, {}, {}},
                                desk::Organization{60, QStringLiteral("Вторая организация"), {}, {}, {}}});
    EXPECT_TRUE(window.byNameEdit()->text().contains(QStringLiteral("и еще 2")));
    generate();
    const auto& outcomes = window.job()->outcomes();
    ASSERT_EQ(outcomes.size(), 3u);
    EXPECT_FALSE(outcomes[0].filePath.isEmpty());
    EXPECT_TRUE(outcomes[1].filePath.isEmpty());
    EXPECT_EQ(outcomes[1].error, QStringLiteral("Отчет не содержит данных."));
    EXPECT_FALSE(outcomes[2].filePath.isEmpty());
    EXPECT_NE(outcomes[0].filePath, outcomes[2].filePath);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(out)) files += entry.path().extension() == ".xml";
    EXPECT_EQ(files, 2);
    // Each file is what the command line makes for that organization alone.
    for (const int index : {0, 2}) {
        const fs::path alone = *scratch_ / ("alone-" + std::to_string(index));
        fs::create_directories(alone);
        std::string said;
        ASSERT_EQ(shell(ZORVIC_BIN_DIR "/zorvic generate pZorvicBuy --db " + demoDatabase() + " --client " +
                            std::to_string(outcomes[static_cast<size_t>(index)].organization.id) +
                            " --set seYear=2024 --set rgReportKind=1 --set dePath=" + alone.string(),
                        &said),
                  0)
            << said;
        EXPECT_EQ(zorvic_test::readFile(fs::directory_iterator(alone)->path()),
                  zorvic_test::readFile(outcomes[static_cast<size_t>(index)].filePath.toStdString()));
    }
    auto* summary = window.findChild<QDialog*>("resultDialog");
    ASSERT_NE(summary, nullptr);
    const auto lines = summary->findChildren<QLabel*>("outcome");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0]->text(), outcomes[0].filePath);
    EXPECT_TRUE(lines[1]->text().contains(QStringLiteral("Отчет не содержит данных.")));
    EXPECT_EQ(lines[2]->text(), outcomes[2].filePath);
    // The field shows the first organization again.
    EXPECT_TRUE(window.byNameEdit()->text().startsWith(QStringLiteral("ТД Черноземье")));
}

// Cancel during the collection of a big quarter: the run ends at once, and no declaration (nor
// a part of one) is left in the directory.
TEST_F(DeskTest, CancelOnABigQuarterLeavesNoDeclaration) {
    const fs::path big = *scratch_ / "big.fdb";
    makeBigDemo(big);
    const fs::path out = *scratch_ / "out";
    fs::create_directories(out);
    zorvic_test::writeFile(*scratch_ / "options.ini",
                           "[ZorvicBuy]\nseYear=2024\nrgReportKind=1\ndePath=" + out.string() + "\n");
    auto& window = open("pZorvicBuy", big.string());
    chooseDemoCompany();
    QSignalSpy ended(&window, &desk::MainWindow::generateEnded);
    QTest::mouseClick(window.generateButton(), Qt::LeftButton);
    EXPECT_FALSE(window.generateButton()->isEnabled());
    // Wait until rows are coming in, as a user would see the count grow.
    const QString stage = waitForRowsComing(ended);
    ASSERT_TRUE(ended.isEmpty()) << "the run ended before it could be cancelled";
    ASSERT_TRUE(stage.startsWith(QStringLiteral("Сбор данных"))) << stage.toStdString();
    QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(60000));
    ASSERT_EQ(window.job()->outcomes().size(), 1u);
    EXPECT_TRUE(window.job()->outcomes()[0].stopped);
    EXPECT_TRUE(fs::is_empty(out)) << fs::directory_iterator(out)->path();
    EXPECT_TRUE(notices().join("").contains(QStringLiteral("Файл декларации не создан")));
    // The window is usable again, and the next generate collects anew.
    EXPECT_TRUE(window.generateButton()->isEnabled());
}

}  // namespace
}  // namespace desk_test

namespace desk_test {
namespace {

// A save of a print form going on (it holds the program's stop request and progress counts): the
// generate waits, saying why, and goes once the save is over.
TEST_F(DeskTest, AGenerateWaitsForASaveOfAPrintFormToEnd) {
    const fs::path out = *scratch_ / "out";
    fs::create_directories(out);
    zorvic_test::writeFile(*scratch_ / "options.ini",
                           "[ZorvicBuy]\nseYear=2024\nrgReportKind=1\ndePath=" + out.string() + "\n");
    auto& window = open("pZorvicBuy");
    chooseDemoCompany();
    ASSERT_TRUE(desk::LongRunGate::tryEnter());
    QTest::mouseClick(window.generateButton(), Qt::LeftButton);
    EXPECT_EQ(window.job(), nullptr);
    EXPECT_TRUE(notices().join("").contains(QStringLiteral("Идет сохранение печатной формы")));
    EXPECT_TRUE(fs::is_empty(out));
    desk::LongRunGate::leave();
    generate();
    EXPECT_FALSE(fs::is_empty(out));
    // And the generate gave the gate back.
    EXPECT_TRUE(desk::LongRunGate::tryEnter());
    desk::LongRunGate::leave();
}

}  // namespace
}  // namespace desk_test
