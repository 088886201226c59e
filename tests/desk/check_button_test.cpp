// The check button: each organization's declaration checked in a private directory, the findings
// in a window of their own to filter and sort, and nothing of the user's page or files changed.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <nlohmann/json.hpp>

#include "app/frame_session.h"
#include "desk/checks/findings_model.h"
#include "desk/checks/findings_window.h"
#include "desk_fixture.h"
#include "host/ui/control.h"

namespace desk_test {
namespace {

using json = nlohmann::json;
using Column = desk::FindingsModel::Column;

// The texts of one column, in the order the list shows its rows.
QStringList shownColumn(QTableView* table, int column) {
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row) texts << table->model()->index(row, column).data().toString();
    return texts;
}

void clickHeader(QTableView* table, int column) {
    QHeaderView* header = table->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void choose(QComboBox* box, const QString& item) {
    const int index = box->findText(item);
    ASSERT_GE(index, 0) << "no item " << item.toStdString();
    box->setCurrentIndex(index);
}

// What the program's check says of the same declaration.
json programCheck(const std::string& database, const std::string& settings) {
    std::string out;
    shell(ZORVIC_BIN_DIR "/zorvic check pZorvicBuy --json --db " + database + " --client 1 --set seYear=2024 " + settings,
          &out);
    // Messages on stderr come first when there are any; the report is the last thing said.
    return json::parse(out.substr(out.find('{')));
}

class CheckButton : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        // Made before the temporary directory moves, so that it outlives this test.
        demoDatabase();
        // The private directories land where the test can see whether any is left.
        temp = *scratch_ / "tmp";
        fs::create_directories(temp);
        if (const char* old = std::getenv("TMPDIR")) oldTemp = old;
        setenv("TMPDIR", temp.c_str(), 1);
        out = *scratch_ / "out";
        fs::create_directories(out);
    }
    void TearDown() override {
        if (oldTemp) setenv("TMPDIR", oldTemp->c_str(), 1);
        else unsetenv("TMPDIR");
        DeskTest::TearDown();
    }

    // The demo comes out clean; a copy with the organization's KPP a digit short has a finding to
    // list (and the file's schema refuses the KPP too).
    std::string demoWithAMistake() {
        const fs::path path = *scratch_ / "mistake.fdb";
        if (!fs::exists(path)) makeChangedDemo(path, "update CLIENTS set KPP = '36620100' where ID_CLIENTS = 1;");
        return path.string();
    }

    bool privateDirectoryLeft() const {
        for (const auto& entry : fs::directory_iterator(temp))
            if (const std::string name = entry.path().filename().string();
                name.starts_with("zorvic-check-") || name.starts_with("zorvic-previous-"))
                return true;
        return false;
    }

    desk::FindingsWindow* findings() const { return window_->findChild<desk::FindingsWindow*>("findingsWindow"); }

    fs::path temp;
    fs::path out;
    std::optional<std::string> oldTemp;
};

// The page asks for the print form into the user's directory: the check writes and checks the
// declaration file all the same, and afterwards the page, the options file and the directory are
// as they were, with no private directory left.
TEST_F(CheckButton, ChecksTheDeclarationAndLeavesTheUsersPageAndFilesAsTheyWere) {
    const std::string options = "[ZorvicBuy]\nseYear=2024\nrgReportKind=0\nseCalcPrecision=7\ndePath=" + out.string() + "/\n";
    zorvic_test::writeFile(*scratch_ / "options.ini", options);
    const std::string database = demoWithAMistake();
    auto& window = open("pZorvicBuy", database);
    chooseDemoCompany();
    EXPECT_EQ(window.checkButton()->text(), QStringLiteral("Проверить"));
    check();
    auto* list = findings();
    ASSERT_NE(list, nullptr) << notices().join("\n").toStdString();

    // The same findings, in the same order, as the program's check of the same page.
    const json expected = programCheck(database, "--set seCalcPrecision=7");
    ASSERT_GT(expected["findings"].size(), 0u);
    QStringList messages;
    for (const auto& finding : expected["findings"]) messages << QString::fromStdString(finding["message"]);
    EXPECT_EQ(shownColumn(list->table(), Column::Message), messages);
    EXPECT_EQ(list->summaryLabel()->text(), QStringLiteral("Ошибок: %1, предупреждений: %2.")
                                                .arg(expected["errors"].get<int>())
                                                .arg(expected["warnings"].get<int>()));
    // One organization: no column for it.
    EXPECT_TRUE(list->table()->isColumnHidden(Column::Organization));

    auto& page = window.session()->frame().page();
    EXPECT_EQ(dynamic_cast<host::ui::ItemsControl*>(page.find("rgReportKind"))->itemIndex(), 0);
    EXPECT_EQ(dynamic_cast<host::ui::TextEdit*>(page.find("dePath"))->text(), out.string() + "/");
    EXPECT_EQ(zorvic_test::readFile(*scratch_ / "options.ini"), options);
    EXPECT_TRUE(fs::is_empty(out));
    EXPECT_FALSE(privateDirectoryLeft());
    // The window is ready for the next press, of either button.
    EXPECT_TRUE(window.checkButton()->isEnabled());
    EXPECT_TRUE(window.generateButton()->isEnabled());
}

// Mistakes planted in the host's data show among the findings; the filters narrow the list to a
// severity or a subdivision and a click on a column orders it.
TEST_F(CheckButton, PlantedMistakesAreListedFilteredAndSorted) {
    const fs::path planted = *scratch_ / "planted.fdb";
    // The supplier's INN with a wrong check digit, the organization's KPP a digit short.
    makeChangedDemo(planted,
                    "update CLIENTS set INN_CLIENTS = '3665011778' where ID_CLIENTS = 11;\n"
                    "update CLIENTS set KPP = '36620100' where ID_CLIENTS = 1;");
    zorvic_test::writeFile(*scratch_ / "options.ini", "[ZorvicBuy]\nseYear=2024\nseCalcPrecision=7\n");
    open("pZorvicBuy", planted.string());
    chooseDemoCompany();
    check();
    auto* list = findings();
    ASSERT_NE(list, nullptr) << notices().join("\n").toStdString();
    QTableView* table = list->table();
    const json expected = programCheck(planted.string(), "--set seCalcPrecision=7");
    const int all = static_cast<int>(expected["findings"].size());
    ASSERT_EQ(table->model()->rowCount(), all);

    // The supplier's INN, named with the supplier, under the subdivision that bought from it and
    // with the severity the check gives it.
    const QStringList subjects = shownColumn(table, Column::Subject);
    const auto supplier = std::find_if(subjects.begin(), subjects.end(),
                                       [](const QString& s) { return s.contains(QStringLiteral("ИНН 3665011778")); });
    ASSERT_NE(supplier, subjects.end()) << subjects.join("\n").toStdString();
    const int supplierRow = static_cast<int>(supplier - subjects.begin());
    const json& found = expected["findings"][static_cast<size_t>(supplierRow)];
    EXPECT_EQ(found["rule"], "inn-check-digit");
    EXPECT_EQ(shownColumn(table, Column::Severity)[supplierRow],
              found["severity"] == "error" ? QStringLiteral("Ошибка") : QStringLiteral("Предупреждение"));
    EXPECT_EQ(shownColumn(table, Column::Subdivision)[supplierRow],
              QString::fromStdString(found["subdivision"].get<std::string>()));
    EXPECT_EQ(shownColumn(table, Column::Fix)[supplierRow], QString::fromStdString(found["fix"].get<std::string>()));

    choose(list->severityFilter(), QStringLiteral("Ошибки"));
    EXPECT_EQ(table->model()->rowCount(), expected["errors"].get<int>());
    EXPECT_EQ(shownColumn(table, Column::Severity).count(QStringLiteral("Ошибка")), table->model()->rowCount());
    choose(list->severityFilter(), QStringLiteral("Предупреждения"));
    ASSERT_GT(expected["warnings"].get<int>(), 0);
    EXPECT_EQ(table->model()->rowCount(), expected["warnings"].get<int>());
    EXPECT_EQ(shownColumn(table, Column::Severity).count(QStringLiteral("Предупреждение")), table->model()->rowCount());
    choose(list->severityFilter(), QStringLiteral("Все"));
    EXPECT_EQ(table->model()->rowCount(), all);

    // The organization's own, then the supplier's subdivision.
    choose(list->subdivisionFilter(), QStringLiteral("Организация"));
    const int own = table->model()->rowCount();
    EXPECT_GT(own, 0);
    EXPECT_LT(own, all);
    EXPECT_EQ(shownColumn(table, Column::Subdivision).count(QStringLiteral("Организация")), own);
    const QString subdivision = QString::fromStdString(found["subdivision"].get<std::string>());
    choose(list->subdivisionFilter(), subdivision);
    const int inSubdivision = table->model()->rowCount();
    EXPECT_GT(inSubdivision, 0);
    EXPECT_EQ(shownColumn(table, Column::Subdivision).count(subdivision), inSubdivision);
    choose(list->subdivisionFilter(), QStringLiteral("Все"));
    ASSERT_EQ(table->model()->rowCount(), all);

    // By subject, as the collation orders names.
    clickHeader(table, Column::Subject);
    const QStringList ordered = shownColumn(table, Column::Subject);
    for (int i = 1; i < ordered.size(); ++i)
        EXPECT_LE(QString::localeAwareCompare(ordered[i - 1].toLower(), ordered[i].toLower()), 0)
            << ordered[i - 1].toStdString() << " before " << ordered[i].toStdString();
    // By severity: every error before every warning, and the other way round.
    clickHeader(table, Column::Severity);
    QStringList severities = shownColumn(table, Column::Severity);
    EXPECT_TRUE(std::is_sorted(severities.begin(), severities.end(), [](const QString& a, const QString& b) {
        return a == QStringLiteral("Ошибка") && b != a;
    }));
    EXPECT_EQ(severities.front(), QStringLiteral("Ошибка"));
    clickHeader(table, Column::Severity);
    EXPECT_EQ(shownColumn(table, Column::Severity).front(), QStringLiteral("Предупреждение"));
    // By subdivision: the organization's own first, whatever the subdivisions are called.
    clickHeader(table, Column::Subdivision);
    const QStringList subdivisions = shownColumn(table, Column::Subdivision);
    EXPECT_EQ(subdivisions.mid(0, own), QStringList(own, QStringLiteral("Организация")));
}

// With several organizations each finding says whose it is, and a run that fails says why in the
// summary while the others' findings are listed.
TEST_F(CheckButton, SeveralOrganizationsAndOneThatFails) {
    zorvic_test::writeFile(*scratch_ / "options.ini", "[ZorvicBuy]\nseYear=2024\nseCalcPrecision=7\n");
    auto& window = open("pZorvicBuy", demoWithAMistake());
    window.chooseOrganizations({desk::Organization{1, QStringLiteral("ТД Черноземье"), {}, {}, {}},
                                desk::Organization{10, QStringLiteral("Поставщик без продаж"), {}, {}, {}}});
    check();
    auto* list = findings();
    ASSERT_NE(list, nullptr) << notices().join("\n").toStdString();
    EXPECT_FALSE(list->table()->isColumnHidden(Column::Organization));
    const QStringList whose = shownColumn(list->table(), Column::Organization);
    ASSERT_FALSE(whose.isEmpty());
    EXPECT_EQ(whose.count(QStringLiteral("ТД Черноземье")), whose.size());
    const QString summary = list->summaryLabel()->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("ТД Черноземье</b>: Ошибок: "))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("Поставщик без продаж</b>: ошибка: Отчет не содержит данных.")))
        << summary.toStdString();
    // The field shows the first organization again.
    EXPECT_TRUE(window.byNameEdit()->text().startsWith(QStringLiteral("ТД Черноземье")));

    // One organization that fails: its error, as generate says it, and no list.
    list->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window.chooseOrganizations({desk::Organization{10, QStringLiteral("Поставщик без продаж"), {}, {}, {}}});
    check();
    EXPECT_EQ(findings(), nullptr);
    EXPECT_TRUE(notices().join("\n").contains(QStringLiteral("Отчет не содержит данных."))) << notices().join("\n").toStdString();
    EXPECT_FALSE(privateDirectoryLeft());
}

// Cancel while a big quarter is collected stops the check as it stops a generate, and the stop,
// too, leaves the page as the user had it and nothing in the temporary directory.
TEST_F(CheckButton, CancelStopsTheCheckAndLeavesNothing) {
    const fs::path big = *scratch_ / "big.fdb";
    makeBigDemo(big);
    zorvic_test::writeFile(*scratch_ / "options.ini",
                           "[ZorvicBuy]\nseYear=2024\nrgReportKind=0\ndePath=" + out.string() + "/\n");
    auto& window = open("pZorvicBuy", big.string());
    chooseDemoCompany();
    QSignalSpy ended(&window, &desk::MainWindow::checkEnded);
    QTest::mouseClick(window.checkButton(), Qt::LeftButton);
    EXPECT_FALSE(window.checkButton()->isEnabled());
    EXPECT_FALSE(window.generateButton()->isEnabled());
    const QString stage = waitForRowsComing(ended);
    ASSERT_TRUE(ended.isEmpty()) << "the check ended before it could be cancelled";
    ASSERT_TRUE(stage.startsWith(QStringLiteral("Сбор данных"))) << stage.toStdString();
    QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(60000));
    ASSERT_EQ(window.job()->outcomes().size(), 1u);
    EXPECT_TRUE(window.job()->outcomes()[0].stopped);
    EXPECT_EQ(findings(), nullptr);
    EXPECT_TRUE(notices().join("").contains(QStringLiteral("Проверка остановлена."))) << notices().join("\n").toStdString();
    auto& page = window.session()->frame().page();
    EXPECT_EQ(dynamic_cast<host::ui::ItemsControl*>(page.find("rgReportKind"))->itemIndex(), 0);
    EXPECT_EQ(dynamic_cast<host::ui::TextEdit*>(page.find("dePath"))->text(), out.string() + "/");
    EXPECT_TRUE(fs::is_empty(out));
    EXPECT_FALSE(privateDirectoryLeft());
    EXPECT_TRUE(window.checkButton()->isEnabled());
}

}  // namespace
}  // namespace desk_test
