// The main window against the demo database: the page drawn from the model, its rules acting
// through the widgets, and a generate giving what the command line gives.
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDialog>
#include <iostream>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include "app/frame_session.h"
#include "desk/page/parameters_page_view.h"
#include "desk/preview/preview_window.h"
#include "desk_fixture.h"

namespace desk_test {
namespace {

using nlohmann::json;

const char* const kModules[] = {"pZorvicRozn", "pZorvicRoznBeer", "pZorvicTransport",
                                "pZorvicBuy",  "pZorvicDelivery", "pZorvicOborot"};

json paramsJson(const std::string& module) {
    std::string out;
    const int status = shell(std::string(ZORVIC_BIN_DIR "/zorvic params ") + module + " --client 1 --json 2>/dev/null", &out);
    EXPECT_EQ(status, 0) << out;
    return json::parse(out);
}

QString q(const json& value) { return QString::fromStdString(value.get<std::string>()); }

QStringList radioTexts(QWidget* group) {
    QStringList texts;
    for (auto* button : group->findChildren<QRadioButton*>()) texts << button->text();
    return texts;
}

int checkedRadio(QWidget* group) {
    const auto buttons = group->findChildren<QRadioButton*>();
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked()) return i;
    return -1;
}

// Every control of the command line's page has its widget with the same caption, value and
// states, and the page has no widget the model does not have.
TEST_F(DeskTest, EachFormsPageHasExactlyTheControlsOfTheModelWithTheirCaptionsValuesAndStates) {
    for (const char* module : kModules) {
        SCOPED_TRACE(module);
        auto& window = open(module);
        chooseDemoCompany();
        const json page = paramsJson(module);
        int drawn = 0;
        for (const auto& control : page["controls"]) {
            const std::string name = control["name"];
            const std::string kind = control["kind"];
            SCOPED_TRACE(name);
            const QString caption = control.contains("caption") ? q(control["caption"]).trimmed() : QString();
            if (kind == "tabPage") {
                int index = -1;
                for (int i = 0; i < window.tabs()->count(); ++i)
                    if (window.tabs()->widget(i)->objectName() == QString::fromStdString(name)) index = i;
                ASSERT_GE(index, 0);
                EXPECT_EQ(window.tabs()->tabText(index), caption);
                EXPECT_EQ(window.tabs()->isTabVisible(index), control["visible"].get<bool>());
                continue;
            }
            if (kind == "frame") {
                // Nothing of it is drawn; it must then be hidden.
                EXPECT_FALSE(control["visible"].get<bool>());
                continue;
            }
            QWidget* widget = window.findChild<QWidget*>(QString::fromStdString(name));
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->isEnabled(), control["enabled"].get<bool>());
            EXPECT_EQ(!widget->isHidden(), control["visible"].get<bool>());
            if (window.parametersView()->widgetFor(name)) ++drawn;
            if (kind == "radioGroup") {
                EXPECT_EQ(static_cast<QGroupBox*>(widget)->title(), caption);
                QStringList items;
                for (const auto& item : control["items"]) items << q(item);
                EXPECT_EQ(radioTexts(widget), items);
                EXPECT_EQ(checkedRadio(widget), control["value"].get<int>());
            } else if (kind == "comboBox") {
                auto* combo = static_cast<QComboBox*>(widget);
                ASSERT_EQ(combo->count(), static_cast<int>(control["items"].size()));
                for (int i = 0; i < combo->count(); ++i) EXPECT_EQ(combo->itemText(i), q(control["items"][i]));
                EXPECT_EQ(combo->currentIndex(), control["value"].get<int>());
            } else if (kind == "spinEdit") {
                if (auto* whole = qobject_cast<QSpinBox*>(widget)) {
                    EXPECT_EQ(whole->value(), control["value"].get<double>());
                    EXPECT_EQ(whole->minimum(), control["min"].get<double>());
                    EXPECT_EQ(whole->maximum(), control["max"].get<double>());
                } else {
                    auto* decimal = qobject_cast<QDoubleSpinBox*>(widget);
                    ASSERT_NE(decimal, nullptr);
                    EXPECT_DOUBLE_EQ(decimal->value(), control["value"].get<double>());
                    EXPECT_DOUBLE_EQ(decimal->minimum(), control["min"].get<double>());
                    EXPECT_DOUBLE_EQ(decimal->maximum(), control["max"].get<double>());
                }
                if (control.contains("maxLength")) {
                    EXPECT_EQ(widget->findChild<QLineEdit*>()->maxLength(), control["maxLength"].get<int>());
                }
            } else if (kind == "checkBox") {
                EXPECT_EQ(static_cast<QCheckBox*>(widget)->text(), caption);
                EXPECT_EQ(static_cast<QCheckBox*>(widget)->isChecked(), control["value"].get<bool>());
            } else if (kind == "edit" || kind == "directoryEdit") {
                auto* line = qobject_cast<QLineEdit*>(widget) ? qobject_cast<QLineEdit*>(widget)
                                                               : widget->findChild<QLineEdit*>();
                ASSERT_NE(line, nullptr);
                // The command line knows the organization by its id only; the window shows its name.
                if (name == "edtByName") EXPECT_EQ(line->text(), QStringLiteral("ТД Черноземье"));
                else EXPECT_EQ(line->text(), q(control["value"]));
                if (control.contains("maxLength")) {
                    EXPECT_EQ(line->maxLength(), control["maxLength"].get<int>());
                }
                if (name == "edtByName") {
                    EXPECT_EQ(window.findChild<QLabel*>("lbByName")->text(), caption + ':');
                }
            } else if (kind == "groupBox") {
                EXPECT_EQ(static_cast<QGroupBox*>(widget)->title(), caption);
            } else if (kind == "label") {
                EXPECT_EQ(static_cast<QLabel*>(widget)->text(), caption);
            } else {
                ADD_FAILURE() << "a kind the window does not know: " << kind;
            }
        }
        // Nothing drawn that the model does not have.
        int pageWidgets = 0;
        for (const auto& control : page["controls"])
            if (window.parametersView()->widgetFor(control["name"])) ++pageWidgets;
        EXPECT_EQ(drawn, pageWidgets);
        EXPECT_EQ(page["errors"].size(), 0u);
    }
}

// A user clicks a button on its mark, not in the empty stretch of its row.
void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2)); }

QRadioButton* radio(desk::MainWindow& window, const char* group, int index) {
    return window.findChild<QRadioButton*>(QString("%1_%2").arg(group).arg(index));
}

TEST_F(DeskTest, EnablingRulesActThroughTheWidgets) {
    auto& window = open("pZorvicRozn");
    chooseDemoCompany();
    click(radio(window, "rgReportKind", 0));
    auto* dePath = find<QWidget>("dePath");
    auto* reportKind = find<QGroupBox>("rgReportKind");
    EXPECT_FALSE(dePath->isEnabled());
    EXPECT_FALSE(find<QLabel>("lbPath")->isEnabled());

    // Only movement: the file is forced and the choice locked; unticking unlocks without going back.
    auto* onlyMove = find<QCheckBox>("cbOnlyMove");
    click(onlyMove);
    EXPECT_TRUE(radio(window, "rgReportKind", 1)->isChecked());
    EXPECT_FALSE(reportKind->isEnabled());
    EXPECT_TRUE(dePath->isEnabled());
    click(onlyMove);
    EXPECT_TRUE(reportKind->isEnabled());
    EXPECT_TRUE(radio(window, "rgReportKind", 1)->isChecked());

    // The null-netto box follows goods detail, and keeps its tick while disabled.
    auto* detail = find<QCheckBox>("cbGroupByArticul");
    auto* nullNetto = find<QCheckBox>("cbShowNullNetto");
    EXPECT_FALSE(nullNetto->isEnabled());
    click(detail);
    ASSERT_TRUE(nullNetto->isEnabled());
    click(nullNetto);
    click(detail);
    EXPECT_FALSE(nullNetto->isEnabled());
    EXPECT_TRUE(nullNetto->isChecked());

    // The correction number is for a correcting declaration only.
    auto* docKind = find<QComboBox>("cbVidDoc");
    EXPECT_FALSE(find<QWidget>("seCorrNumber")->isEnabled());
    docKind->setFocus();
    QTest::keyClick(docKind, Qt::Key_Down);
    EXPECT_EQ(docKind->currentIndex(), 1);
    EXPECT_TRUE(find<QWidget>("seCorrNumber")->isEnabled());

    // Selected suppliers bring the client selection page.
    const auto tabVisible = [&window](const char* name) {
        for (int i = 0; i < window.tabs()->count(); ++i)
            if (window.tabs()->widget(i)->objectName() == name) return window.tabs()->isTabVisible(i);
        return false;
    };
    EXPECT_FALSE(tabVisible("tsClients"));
    click(find<QCheckBox>("cbUseSelClients"));
    EXPECT_TRUE(tabVisible("tsClients"));
}

TEST_F(DeskTest, ValidationLinesShowLiveAndKeepTheButtonDisabled) {
    auto& window = open("pZorvicBuy");
    EXPECT_TRUE(window.validationLabel()->text().contains(QStringLiteral("Не выбран клиент \"От имени\"")));
    EXPECT_FALSE(window.generateButton()->isEnabled());
    chooseDemoCompany();
    EXPECT_EQ(window.validationLabel()->text(), QString());
    EXPECT_TRUE(window.generateButton()->isEnabled());

    auto* year = find<QSpinBox>("seYear");
    typeInto(year, "");
    EXPECT_EQ(window.validationLabel()->text(), QStringLiteral("Не выбран отчетный год"));
    EXPECT_FALSE(window.generateButton()->isEnabled());
    QTest::keyClicks(year, "2024");
    EXPECT_EQ(window.validationLabel()->text(), QString());
    EXPECT_TRUE(window.generateButton()->isEnabled());
    // A year outside the page's range is not taken.
    typeInto(year, "3000");
    EXPECT_NE(window.session()->frame().page().get<host::ui::SpinEdit>("seYear").value(), 3000);
}

// The same settings give the same declaration from the window as from the command line.
TEST_F(DeskTest, ADeclarationFromTheWindowIsByteIdenticalToTheCommandLines) {
    for (const char* module : {"pZorvicBuy", "pZorvicRozn", "pZorvicTransport"}) {
        SCOPED_TRACE(module);
        const fs::path fromWindow = *scratch_ / (std::string(module) + "-window");
        const fs::path fromLine = *scratch_ / (std::string(module) + "-line");
        fs::create_directories(fromWindow);
        fs::create_directories(fromLine);
        auto& window = open(module);
        chooseDemoCompany();
        typeInto(find<QSpinBox>("seYear"), "2024");
        // Form 08 makes only the file, and its choice is locked.
        const bool kindChosen = radio(window, "rgReportKind", 1)->isEnabled();
        if (kindChosen) click(radio(window, "rgReportKind", 1));
        typeInto(find<QLineEdit>("dePath_text"), QString::fromStdString(fromWindow.string()));

        typeInto(find<QLineEdit>("edRukFam"), QStringLiteral("Иванов"));
        generate();
        std::vector<fs::path> written;
        for (const auto& entry : fs::directory_iterator(fromWindow)) written.push_back(entry.path());
        ASSERT_EQ(written.size(), 1u) << notices().join("\n").toStdString();


        std::string out;
        ASSERT_EQ(shell(std::string(ZORVIC_BIN_DIR "/zorvic generate ") + module + " --db " + demoDatabase() +
                            " --client 1 --set seYear=2024" + (kindChosen ? " --set rgReportKind=1" : "") +
                            " --set dePath=" + fromLine.string() +
                            " --set edRukFam=Иванов",
                        &out),
                  0)
            << out;
        std::vector<fs::path> expected;
        for (const auto& entry : fs::directory_iterator(fromLine)) expected.push_back(entry.path());
        ASSERT_EQ(expected.size(), 1u);
        EXPECT_EQ(zorvic_test::readFile(written[0]), zorvic_test::readFile(expected[0]));
        // The name differs only in its GUID: the form's prefix and the taxpayer numbers agree.
        EXPECT_EQ(written[0].filename().string().substr(0, 20), expected[0].filename().string().substr(0, 20));
        // The options went back into the file, as the command line's --save-options writes them.
        const auto saved = zorvic_test::sectionEntries(zorvic_test::readFile(window.optionsFile().toStdString()),
                                                       std::string(module).substr(1));
        EXPECT_THAT(saved, ::testing::Contains(std::pair<std::string, std::string>("seYear", "2024")));
        EXPECT_THAT(saved, ::testing::Contains(std::pair<std::string, std::string>("edRukFam", "Иванов")));
    }
}

TEST_F(DeskTest, OptionsAreReadWhenAFormOpens) {
    zorvic_test::writeFile(*scratch_ / "options.ini",
                           "[ZorvicBuy]\nseYear=2023\nrgTypePeriod=2\nrgReportKind=0\nedNalOrganName=ИФНС 3662\n");
    auto& window = open("pZorvicBuy");
    EXPECT_EQ(find<QSpinBox>("seYear")->value(), 2023);
    EXPECT_TRUE(radio(window, "rgTypePeriod", 2)->isChecked());
    EXPECT_TRUE(radio(window, "rgReportKind", 0)->isChecked());
    EXPECT_FALSE(find<QWidget>("dePath")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("edNalOrganName")->text(), QStringLiteral("ИФНС 3662"));
}

TEST_F(DeskTest, TheWholePageFitsTheWindowAt1280By800) {
    for (const char* module : kModules) {
        SCOPED_TRACE(module);
        auto& window = open(module);
        chooseDemoCompany();
        window.resize(1280, 800);
        QApplication::processEvents();
        auto* scroll = window.findChild<QScrollArea*>("tsLocal");
        ASSERT_NE(scroll, nullptr);
        window.tabs()->setCurrentWidget(scroll);
        QApplication::processEvents();
        const QSize needed = window.parametersView()->minimumSizeHint();
        EXPECT_LE(needed.height(), scroll->viewport()->height());
        EXPECT_LE(needed.width(), scroll->viewport()->width());
    }
}

}  // namespace
}  // namespace desk_test

namespace desk_test {
namespace {

// The print form opens in the preview with as many pages as the command line's PDF of it.
TEST_F(DeskTest, ThePrintFormOpensInThePreviewWithThePdfsPageCount) {
    zorvic_test::writeFile(*scratch_ / "options.ini", "[ZorvicRozn]\nseYear=2024\nrgReportKind=0\n");
    auto& window = open("pZorvicRozn");
    chooseDemoCompany();
    generate();
    auto* preview = window.findChild<desk::PreviewWindow*>();
    ASSERT_NE(preview, nullptr) << notices().join("\n").toStdString();
    EXPECT_TRUE(preview->isVisible());
    EXPECT_GT(preview->pageCount(), 0);

    const std::string pdf = (*scratch_ / "form11.pdf").string();
    std::string out;
    ASSERT_EQ(shell(ZORVIC_BIN_DIR "/zorvic generate pZorvicRozn --db " + demoDatabase() +
                        " --client 1 --set seYear=2024 --set rgReportKind=0 --preview " + pdf,
                    &out),
              0)
        << out;
    std::string info;
    ASSERT_EQ(shell("pdfinfo " + pdf, &info), 0) << info;
    const auto at = info.find("Pages:");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(preview->pageCount(), std::stoi(info.substr(at + 6)));
    preview->close();
}

}  // namespace
}  // namespace desk_test
