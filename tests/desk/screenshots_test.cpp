// Pictures of the window as the user sees it. Under the screenshot script (a real X server)
// they are taken from the screen into the directory it names; otherwise into a scratch
// directory, where a blank picture still fails.
#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <cstdlib>

#include "desk/checks/findings_window.h"
#include "desk/preview/preview_window.h"
#include "desk_fixture.h"

namespace desk_test {
namespace {

QImage picture(QWidget& window) {
    QApplication::processEvents();
    QTest::qWait(200);
    // On a real display, the screen as it is, with whatever lies on top.
    if (QGuiApplication::platformName() == "xcb") return window.screen()->grabWindow(0).toImage();
    return window.grab().toImage();
}

bool blank(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first) return false;
    return true;
}

TEST_F(DeskTest, ScreenshotsOfTheMainWindow) {
    const char* named = std::getenv("ZORVIC_SCREENSHOT_DIR");
    const fs::path directory = named ? fs::path(named) : *scratch_ / "shots";
    fs::create_directories(directory);
    for (const auto& [module, file] : {std::pair{"pZorvicRozn", "desk-form11.png"}, {"pZorvicBuy", "desk-form07.png"}}) {
        auto& window = open(module);
        chooseDemoCompany();
        window.resize(1280, 800);
        window.move(0, 0);
        const QImage image = picture(window);
        EXPECT_FALSE(blank(image));
        EXPECT_TRUE(image.save(QString::fromStdString((directory / file).string())));
    }
}

TEST_F(DeskTest, ScreenshotOfThePreview) {
    const char* named = std::getenv("ZORVIC_SCREENSHOT_DIR");
    const fs::path directory = named ? fs::path(named) : *scratch_ / "shots";
    fs::create_directories(directory);
    zorvic_test::writeFile(*scratch_ / "options.ini", "[ZorvicBuy]\nseYear=2024\nrgReportKind=0\n");
    auto& window = open("pZorvicBuy");
    chooseDemoCompany();
    generate();
    auto* preview = window.findChild<desk::PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    preview->setGeometry(0, 0, 1280, 800);
    QTest::qWait(300);
    const QImage image = picture(*preview);
    EXPECT_FALSE(blank(image));
    EXPECT_TRUE(image.save(QString::fromStdString((directory / "desk-preview.png").string())));
    preview->close();
}

// The findings of a check on a copy of the demo with a few mistakes planted in it.
TEST_F(DeskTest, ScreenshotOfTheFindings) {
    const char* named = std::getenv("ZORVIC_SCREENSHOT_DIR");
    const fs::path directory = named ? fs::path(named) : *scratch_ / "shots";
    fs::create_directories(directory);
    const fs::path planted = *scratch_ / "planted.fdb";
    makeChangedDemo(planted,
                    "update CLIENTS set INN_CLIENTS = '3665011778' where ID_CLIENTS = 11;\n"
                    "update CLIENT_LICENSES set DATE_END = '2024-01-15' where CLIENT_ID = 10;\n"
                    "update CLIENTS set KPP = '3661010' where ID_CLIENTS = 10;");
    zorvic_test::writeFile(*scratch_ / "options.ini", "[ZorvicBuy]\nseYear=2024\nseCalcPrecision=7\n");
    auto& window = open("pZorvicBuy", planted.string());
    chooseDemoCompany();
    check();
    auto* findings = window.findChild<desk::FindingsWindow*>();
    ASSERT_NE(findings, nullptr) << notices().join("\n").toStdString();
    findings->setGeometry(0, 0, 1280, 800);
    QTest::qWait(300);
    const QImage image = picture(*findings);
    EXPECT_FALSE(blank(image));
    EXPECT_TRUE(image.save(QString::fromStdString((directory / "desk-findings.png").string())));
    findings->close();
}

}  // namespace
}  // namespace desk_test
