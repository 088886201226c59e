// The print form's preview window driven through its tool bar and keys: paging, zoom, drawing on
// demand, export in every format, printing, and the page images it shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "desk/preview/export_file_dialog.h"
#include "desk/preview/page_cache.h"
#include "desk/preview/page_view.h"
#include "desk/preview/preview_window.h"
#include "desk/preview/report_printing.h"
#include "host/report/page_file.h"
#include "host/report/page_painter.h"
#include "host/report/report_error.h"
#include "host/stop/stop_request.h"
#include "qt_printing.h"
#include "tests/test_support.h"


namespace {

using desk::PageView;
using desk::PreviewWindow;
using host::PreparedReport;
using host::PreparedText;

// What a tool printed, its errors included.
std::string run(const std::string& command) {
    return zorvic_test::runProgram(command, zorvic_test::RunOptions{}.errorsTo(zorvic_test::ErrorStream::IntoOutput)).out;
}

int pdfPages(const std::string& pdf) {
    const std::string info = run("pdfinfo '" + pdf + "' 2>&1");
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

PreparedText text(double left, double top, double width, double height, std::string value, bool framed = false) {
    PreparedText t;
    t.left = left;
    t.top = top;
    t.width = width;
    t.height = height;
    t.text = std::move(value);
    if (framed) t.frame = {true, true, true, true};
    return t;
}

// The report as the program hands it to the window: its pages in a page file.
std::shared_ptr<const host::PageFile> kept(const PreparedReport& report) {
    return std::make_shared<const host::PageFile>(host::HeldPages(report));
}

// Pages like a declaration's: a heading, a framed table of a few rows and the page number.
std::shared_ptr<PreparedReport> declarationLike(int pages) {
    auto report = std::make_shared<PreparedReport>();
    report->name = "Декларация, форма 07";
    report->fileStem = "ZorvicBuy";
    for (int p = 1; p <= pages; ++p) {
        host::PreparedPage page;
        PreparedText heading = text(10, 10, 190, 10, "Сведения о закупке алкогольной продукции");
        heading.bold = true;
        heading.fontSize = 12;
        heading.align = host::TextAlign::Center;
        page.texts.push_back(heading);
        for (int row = 0; row < 5; ++row) {
            page.texts.push_back(text(10, 30 + row * 8, 120, 8, "Поставщик № " + std::to_string(row + 1), true));
            page.texts.push_back(text(130, 30 + row * 8, 70, 8, std::to_string(p * 10 + row) + ",000", true));
        }
        page.texts.push_back(text(150, 280, 50, 6, "Страница " + std::to_string(p) + " из " + std::to_string(pages)));
        report->pages.push_back(std::move(page));
    }
    return report;
}

// One short text per page: what a report of thousands of pages costs to lay out is not the point.
std::shared_ptr<PreparedReport> thousandsOfPages(int pages) {
    auto report = std::make_shared<PreparedReport>();
    report->name = "Обороты за квартал";
    report->fileStem = "ZorvicOborot";
    report->pages.resize(static_cast<size_t>(pages));
    for (int p = 0; p < pages; ++p) report->pages[p].texts.push_back(text(10, 10, 100, 8, "Лист " + std::to_string(p + 1)));
    return report;
}

class PreviewWindowTest : public ::testing::Test {
protected:
    // A window as the program opens one, shown and active, so that its keys reach it.
    PreviewWindow* open(std::shared_ptr<const PreparedReport> report, QSize size = QSize(900, 800)) {
        return openFile(report ? kept(*report) : nullptr, size);
    }
    PreviewWindow* openFile(std::shared_ptr<const host::PageFile> pages, QSize size = QSize(900, 800)) {
        window_ = new PreviewWindow(std::move(pages));
        window_->resize(size);
        window_->setExportFileChooser([this](QWidget*, const QString& suggested) {
            suggested_ << suggested;
            return exportPath_;
        });
        window_->show();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
        QApplication::processEvents();
        return window_;
    }

    void TearDown() override {
        delete window_.data();
        QApplication::processEvents();
    }

    QAction* action(const char* name) const { return window_->findChild<QAction*>(QLatin1String(name)); }
    QToolButton* button(const char* name) const {
        return qobject_cast<QToolButton*>(window_->findChild<QToolBar*>()->widgetForAction(action(name)));
    }
    QString status() const { return window_->findChild<QLabel*>(QStringLiteral("pageStatus"))->text(); }
    // Keys go where a user's go: to the widget with the focus.
    void press(QKeySequence keys) {
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window_.data();
        QTest::keySequence(target, keys);
        QApplication::processEvents();
    }
    QMessageBox* messageBox() const { return window_->findChild<QMessageBox*>(); }
    std::string file(const std::string& name) const { return (scratch_ / name).string(); }

    zorvic_test::ScratchDir scratch_;
    QPointer<PreviewWindow> window_;
    QString exportPath_;
    QStringList suggested_;
};

TEST_F(PreviewWindowTest, ShowsThePageCountThatThePdfHas) {
    open(declarationLike(7));
    EXPECT_EQ(window_->pageCount(), 7);
    EXPECT_EQ(status(), QStringLiteral("Страница 1 из 7"));
    EXPECT_EQ(window_->findChild<QSpinBox*>(QStringLiteral("pageSpin"))->maximum(), 7);

    exportPath_ = QString::fromStdString(file("form.pdf"));
    press(QKeySequence::Save);
    ASSERT_EQ(suggested_.size(), 1);
    EXPECT_TRUE(suggested_.first().endsWith(QStringLiteral("/ZorvicBuy.pdf"))) << suggested_.first().toStdString();
    EXPECT_EQ(messageBox(), nullptr);
    EXPECT_EQ(pdfPages(file("form.pdf")), 7);
}

TEST_F(PreviewWindowTest, ButtonsAndKeysTurnToTheRightPagesAndStopAtTheEnds) {
    open(declarationLike(6));
    PageView* view = window_->pageView();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(button("actionPreviousPage")->isEnabled());
    EXPECT_FALSE(button("actionFirstPage")->isEnabled());

    QTest::mouseClick(button("actionNextPage"), Qt::LeftButton);
    EXPECT_EQ(window_->currentPage(), 2);
    EXPECT_EQ(status(), QStringLiteral("Страница 2 из 6"));
    // Gone to means in view: the page's top at the top of the window.
    EXPECT_EQ(view->pageRect(1).top(), PageView::kMargin);

    press(Qt::Key_PageDown);
    EXPECT_EQ(window_->currentPage(), 3);
    press(Qt::Key_End);
    EXPECT_EQ(window_->currentPage(), 6);
    EXPECT_TRUE(view->pageRect(5).intersects(view->viewport()->rect()));
    EXPECT_FALSE(button("actionNextPage")->isEnabled());
    EXPECT_FALSE(button("actionLastPage")->isEnabled());
    press(Qt::Key_PageDown);
    EXPECT_EQ(window_->currentPage(), 6);

    press(Qt::Key_PageUp);
    EXPECT_EQ(window_->currentPage(), 5);
    press(Qt::Key_Home);
    EXPECT_EQ(window_->currentPage(), 1);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
    press(Qt::Key_PageUp);
    EXPECT_EQ(window_->currentPage(), 1);

    QTest::mouseClick(button("actionLastPage"), Qt::LeftButton);
    EXPECT_EQ(window_->currentPage(), 6);
    QTest::mouseClick(button("actionFirstPage"), Qt::LeftButton);
    EXPECT_EQ(window_->currentPage(), 1);

    // A number typed into the page box, and one past the end.
    auto* spin = window_->findChild<QSpinBox*>(QStringLiteral("pageSpin"));
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, "4");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(window_->currentPage(), 4);
    EXPECT_EQ(view->pageRect(3).top(), PageView::kMargin);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, "60");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(window_->currentPage(), 6);
    EXPECT_EQ(spin->value(), 6);

    // Scrolled by hand, the page that fills most of the window is the current one, though the
    // one above still shows at the top.
    const QRect third = view->pageRect(2);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + third.top() - view->viewport()->height() / 3);
    ASSERT_TRUE(view->pageRect(1).intersects(view->viewport()->rect()));
    QApplication::processEvents();
    EXPECT_EQ(window_->currentPage(), 3);
    EXPECT_EQ(status(), QStringLiteral("Страница 3 из 6"));
}

TEST_F(PreviewWindowTest, FitWidthFillsTheViewportAndFollowsTheWindow) {
    open(declarationLike(3));
    PageView* view = window_->pageView();
    auto fillsWidth = [&] {
        const QRect page = view->pageRect(0);
        return std::abs(page.width() + 2 * PageView::kMargin - view->viewport()->width()) <= 1 &&
               page.left() == PageView::kMargin;
    };
    EXPECT_EQ(view->zoomMode(), desk::ZoomMode::FitWidth);
    EXPECT_TRUE(fillsWidth());
    window_->resize(1300, 800);
    QApplication::processEvents();
    EXPECT_TRUE(fillsWidth()) << view->pageRect(0).width() << " in " << view->viewport()->width();
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);

    auto* zoom = window_->findChild<QComboBox*>(QStringLiteral("zoomBox"));
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("100 %")));
    emit zoom->activated(zoom->currentIndex());
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), 100);
    // The paper's own size on the screen, centred in the wider window.
    EXPECT_EQ(view->pageRect(0).width(), std::lround(210 / 25.4 * view->logicalDpiX()));
    EXPECT_NEAR(view->pageRect(0).center().x(), view->viewport()->width() / 2.0, 1);

    zoom->setCurrentIndex(zoom->findText(QStringLiteral("Страница целиком")));
    emit zoom->activated(zoom->currentIndex());
    const QRect whole = view->pageRect(0);
    EXPECT_LE(whole.height() + 2 * PageView::kMargin, view->viewport()->height());
    EXPECT_GE(whole.height() + 2 * PageView::kMargin, view->viewport()->height() - 1);

    zoom->lineEdit()->setText(QStringLiteral("140 %"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), 140);
    press(QKeySequence::ZoomIn);
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), 150);
    press(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    press(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), 100);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("100 %"));
    zoom->lineEdit()->setText(QStringLiteral("крупно"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), 100);
    EXPECT_EQ(zoom->currentText(), QStringLiteral("100 %"));
}

TEST_F(PreviewWindowTest, CtrlWheelZoomsAndThePlainWheelScrolls) {
    open(declarationLike(4));
    PageView* view = window_->pageView();
    const double before = window_->zoomPercent();
    const QPointF at(view->viewport()->width() / 2.0, 200);
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
        QApplication::processEvents();
    };
    wheel(-120, Qt::NoModifier);
    EXPECT_GT(view->verticalScrollBar()->value(), 0);
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), before);

    wheel(120, Qt::ControlModifier);
    const double larger = window_->zoomPercent();
    EXPECT_GT(larger, before);
    EXPECT_EQ(view->zoomMode(), desk::ZoomMode::Percent);
    // Half a notch at a time: a step only once a notch's worth is turned.
    wheel(-60, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), larger);
    wheel(-60, Qt::ControlModifier);
    EXPECT_LT(window_->zoomPercent(), larger);
    for (int i = 0; i < 20; ++i) wheel(-120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(window_->zoomPercent(), PageView::zoomSteps().front());
    EXPECT_FALSE(action("actionZoomOut")->isEnabled());
}

TEST_F(PreviewWindowTest, ThousandsOfPagesOpenAtOnceAndOnlyPagesInViewAreDrawn) {
    const auto report = thousandsOfPages(3000);
    QElapsedTimer clock;
    clock.start();
    open(report);
    window_->grab();
    const qint64 opened = clock.elapsed();
    EXPECT_LT(opened, 3000) << "ms until the first page was shown";
    EXPECT_EQ(window_->pageCount(), 3000);
    EXPECT_GE(window_->renderedPageCount(), 1);
    EXPECT_LE(window_->renderedPageCount(), 4);
    EXPECT_TRUE(window_->pageRendered(1));

    press(Qt::Key_End);
    window_->grab();
    EXPECT_EQ(window_->currentPage(), 3000);
    EXPECT_EQ(status(), QStringLiteral("Страница 3000 из 3000"));
    EXPECT_TRUE(window_->pageRendered(3000));
    EXPECT_FALSE(window_->pageRendered(1500));
    EXPECT_LE(window_->renderedPageCount(), 8);

    // Paging on through fifty pages keeps a dozen of them, not fifty.
    press(Qt::Key_Home);
    for (int i = 0; i < 50; ++i) {
        press(Qt::Key_PageDown);
        window_->grab();
    }
    EXPECT_EQ(window_->currentPage(), 51);
    EXPECT_LE(window_->pageView()->cache().cachedCount(), 12);
    // Back by one: that page is still kept, not drawn again.
    const int drawn = window_->renderedPageCount();
    press(Qt::Key_PageUp);
    window_->grab();
    EXPECT_EQ(window_->renderedPageCount(), drawn);
}

TEST_F(PreviewWindowTest, ExportsInEveryFormatThroughItsMenu) {
    open(declarationLike(2));
    struct Format {
        const char* extension;
        std::string signature;
    };
    const std::vector<Format> formats{{"pdf", "%PDF-"}, {"xlsx", std::string("PK\x03\x04", 4)}, {"html", "<!DOCTYPE html>"},
                                      {"rtf", "{\\rtf"}};
    for (const Format& format : formats) {
        SCOPED_TRACE(format.extension);
        const std::string path = file(std::string("saved.") + format.extension);
        exportPath_ = QString::fromStdString(path);
        action((std::string("actionExport_") + format.extension).c_str())->trigger();
        ASSERT_FALSE(suggested_.isEmpty());
        EXPECT_TRUE(suggested_.last().endsWith(QStringLiteral("/ZorvicBuy.") + QLatin1String(format.extension)));
        EXPECT_EQ(messageBox(), nullptr);
        const std::string written = zorvic_test::readFile(path);
        ASSERT_FALSE(written.empty());
        EXPECT_EQ(written.rfind(format.signature, 0), 0u) << written.substr(0, 20);
    }
    // The main button and Ctrl+S suggest the format saved in last.
    exportPath_.clear();
    press(QKeySequence::Save);
    EXPECT_TRUE(suggested_.last().endsWith(QStringLiteral(".rtf")));
    EXPECT_EQ(suggested_.last().section(QLatin1Char('/'), 0, -2), QString::fromStdString(file("")).chopped(1));
}

TEST(ExportFileDialog, StartsAtTheSuggestionAndAnotherFormatChangesTheExtension) {
    zorvic_test::ScratchDir scratch;
    const QString suggested = QString::fromStdString((scratch / "ZorvicBuy.pdf").string());
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen << dialog->selectedNameFilter() << dialog->selectedFiles().value(0);
        dialog->selectNameFilter(QStringLiteral("Книга Excel (*.xlsx)"));
        // As when the user picks it from the list.
        emit dialog->filterSelected(dialog->selectedNameFilter());
        QMetaObject::invokeMethod(dialog, &QDialog::accept);
    });
    const QString chosen = desk::askExportFile(nullptr, suggested);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], QStringLiteral("Документ PDF (*.pdf)"));
    EXPECT_EQ(seen[1], suggested);
    EXPECT_EQ(chosen, QString::fromStdString((scratch / "ZorvicBuy.xlsx").string()));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_TRUE(desk::askExportFile(nullptr, suggested).isEmpty());
}

TEST_F(PreviewWindowTest, AFailedExportIsShownAndLeavesNoFile) {
    open(declarationLike(2));
    exportPath_ = QString::fromStdString(file("no such folder/form.pdf"));
    press(QKeySequence::Save);
    QMessageBox* box = messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(exportPath_)) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(QStringLiteral("No such file or directory"))) << box->text().toStdString();
    EXPECT_FALSE(std::filesystem::exists(file("no such folder")));
    box->close();
    QApplication::processEvents();

    // A name without one of the four extensions is refused before anything is written.
    exportPath_ = QString::fromStdString(file("form.txt"));
    press(QKeySequence::Save);
    box = messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("PDF, XLSX, HTML и RTF"))) << box->text().toStdString();
    EXPECT_FALSE(std::filesystem::exists(file("form.txt")));
    box->close();
    QApplication::processEvents();

    // The window goes on working.
    exportPath_ = QString::fromStdString(file("form.pdf"));
    press(QKeySequence::Save);
    EXPECT_EQ(pdfPages(file("form.pdf")), 2);
    for (const auto& entry : std::filesystem::directory_iterator(file("")))
        EXPECT_EQ(entry.path().filename(), "form.pdf");
}

TEST_F(PreviewWindowTest, ALongExportKeepsTheWindowAliveAndCanBeStopped) {
    open(thousandsOfPages(50000));
    exportPath_ = QString::fromStdString(file("long.pdf"));
    // While the pages are written the program's events go on: the progress shows, and its button
    // is pressed.
    bool stoppedWhileWriting = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, window_, [&] {
        auto* progress = window_->findChild<QProgressDialog*>();
        if (!progress || !progress->isVisible() || stoppedWhileWriting) return;
        EXPECT_GT(progress->value(), 0);
        auto* stop = progress->findChild<QPushButton*>();
        ASSERT_NE(stop, nullptr);
        EXPECT_EQ(stop->text(), QStringLiteral("Прервать"));
        stoppedWhileWriting = true;
        QTest::mouseClick(stop, Qt::LeftButton);
    });
    watch.start(20);
    press(QKeySequence::Save);
    EXPECT_TRUE(stoppedWhileWriting);
    EXPECT_EQ(messageBox(), nullptr);
    EXPECT_TRUE(window_->statusBar()->currentMessage().contains(QStringLiteral("прервано")))
        << window_->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(std::filesystem::is_empty(file("")));
    // The stop was this export's own: the next one is written whole.
    EXPECT_FALSE(host::stopRequested());
    exportPath_ = QString::fromStdString(file("short.html"));
    press(QKeySequence::Save);
    EXPECT_EQ(zorvic_test::readFile(file("short.html")).rfind("<!DOCTYPE html>", 0), 0u);
}

TEST_F(PreviewWindowTest, PrintsThePagesOfTheChosenRange) {
    open(declarationLike(5));
    int offeredPages = 0;
    std::string pdf;
    auto toPdf = [&](QPrinter::PrintRange range, int from, int to) {
        return [&, range, from, to](QWidget*, QPrinter& printer, int pageCount, int) {
            offeredPages = pageCount;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            printer.setResolution(150);
            printer.setPrintRange(range);
            if (range == QPrinter::PageRange) printer.setPageRanges(QPageRanges::fromString(QStringLiteral("%1-%2").arg(from).arg(to)));
            return true;
        };
    };
    pdf = file("range.pdf");
    window_->setPrinterChooser(toPdf(QPrinter::PageRange, 2, 4));
    press(QKeySequence::Print);
    EXPECT_EQ(offeredPages, 5);
    EXPECT_EQ(pdfPages(pdf), 3);
    // Each page one image of the paper at the printer's resolution.
    const std::string images = run("pdfimages -list '" + pdf + "'");
    EXPECT_NE(images.find(" 1240  1754 "), std::string::npos) << images;
    const std::string third = run("pdftotext -f 1 -l 1 '" + pdf + "' - 2>&1");
    EXPECT_EQ(third.find("Страница"), std::string::npos) << "the pages are images, not text";

    pdf = file("all.pdf");
    window_->setPrinterChooser(toPdf(QPrinter::AllPages, 0, 0));
    press(QKeySequence::Print);
    EXPECT_EQ(pdfPages(pdf), 5);

    pdf = file("current.pdf");
    window_->goToPage(4);
    window_->setPrinterChooser(toPdf(QPrinter::CurrentPage, 0, 0));
    press(QKeySequence::Print);
    EXPECT_EQ(pdfPages(pdf), 1);

    // A range wholly past the end prints nothing and says why.
    pdf = file("past.pdf");
    window_->setPrinterChooser(toPdf(QPrinter::PageRange, 7, 9));
    press(QKeySequence::Print);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    ASSERT_NE(messageBox(), nullptr);
    EXPECT_TRUE(messageBox()->text().contains(QStringLiteral("5"))) << messageBox()->text().toStdString();

    // Cancelled in the dialog: nothing at all.
    window_->setPrinterChooser([](QWidget*, QPrinter&, int, int) { return false; });
    press(QKeySequence::Print);
}

TEST(ReportPrinting, PageOrderCopiesAndRangesAsThePrinterAsks) {
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_EQ(desk::pagesToPrint(printer, 3, 0), (std::vector<int>{0, 1, 2}));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(QPageRanges::fromString(QStringLiteral("1,3-4,9")));
    EXPECT_EQ(desk::pagesToPrint(printer, 4, 0), (std::vector<int>{0, 2, 3}));
    printer.setPageOrder(QPrinter::LastPageFirst);
    EXPECT_EQ(desk::pagesToPrint(printer, 4, 0), (std::vector<int>{3, 2, 0}));
    printer.setPageOrder(QPrinter::FirstPageFirst);
    printer.setPrintRange(QPrinter::CurrentPage);
    EXPECT_EQ(desk::pagesToPrint(printer, 4, 2), (std::vector<int>{2}));

    // Copies the device cannot make itself are pages sent again, collated or not.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setCopyCount(2);
    if (!printer.supportsMultipleCopies()) {
        printer.setCollateCopies(true);
        EXPECT_EQ(desk::pagesToPrint(printer, 2, 0), (std::vector<int>{0, 1, 0, 1}));
        printer.setCollateCopies(false);
        EXPECT_EQ(desk::pagesToPrint(printer, 2, 0), (std::vector<int>{0, 0, 1, 1}));
    }

    // The paper is the report's, turned for a landscape page.
    PreparedReport landscape;
    landscape.pageWidth = 297;
    landscape.pageHeight = 210;
    desk::fitPrinterToReport(printer, *kept(landscape));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_NEAR(printer.pageLayout().fullRect(QPageLayout::Millimeter).width(), 297, 0.5);
}

TEST(PageImage, IsDarkWhereATextIsAndWhiteElsewhere) {
    PreparedReport report;
    report.name = "Проба";
    report.pageWidth = 100;
    report.pageHeight = 50;
    host::PreparedPage page;
    PreparedText word = text(10, 10, 40, 10, "ЖЖЖЖ");
    word.fontSize = 20;
    word.bold = true;
    page.texts.push_back(word);
    page.texts.push_back(text(60, 30, 30, 10, "", true));  // an empty framed cell: only its lines
    report.pages.push_back(page);

    const double dpi = 254;  // ten pixels a millimetre
    const host::PageImage image = host::renderPage(report, 0, dpi);
    ASSERT_EQ(image.width, 1000);
    ASSERT_EQ(image.height, 500);
    auto pixel = [&](int x, int y) {
        const unsigned char* at = &image.pixels[static_cast<size_t>(y) * image.stride + static_cast<size_t>(x) * 4];
        return (at[0] + at[1] + at[2]) / 3;  // the grey of an opaque pixel
    };
    auto inside = [](int x, int y, int left, int top, int right, int bottom) {
        return x >= left && x < right && y >= top && y < bottom;
    };
    int darkInText = 0;
    int darkOnLines = 0;
    int strayDark = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const bool dark = pixel(x, y) < 128;
            if (inside(x, y, 100, 100, 500, 200)) darkInText += dark;
            else if (inside(x, y, 598, 298, 902, 402) && !inside(x, y, 603, 303, 897, 397)) darkOnLines += dark;
            else if (pixel(x, y) != 255) ++strayDark;
        }
    EXPECT_GT(darkInText, 2000);
    // A frame of 30 by 10 mm, its lines at least a pixel wide all round.
    EXPECT_GE(darkOnLines, 2 * (300 + 100));
    EXPECT_EQ(strayDark, 0);
    EXPECT_EQ(pixel(750, 350), 255);  // inside the empty cell

    EXPECT_THROW(host::renderPage(report, 1, dpi), host::ReportError);
    EXPECT_THROW(host::renderPage(report, 0, 0), host::ReportError);
    report.pageWidth = 0;
    EXPECT_THROW(host::renderPage(report, 0, dpi), host::ReportError);
}

TEST(PageCache, KeepsTheLastDozenPagesAndDrawsTheHighestZoomsCoarser) {
    const auto report = declarationLike(20);
    desk::PageCache cache(kept(*report));
    QString error;
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(cache.page(i, 96, 1, &error).isNull()) << error.toStdString();
    EXPECT_EQ(cache.renderCount(), 20);
    EXPECT_EQ(cache.cachedCount(), 12);
    cache.page(19, 96, 1, &error);
    EXPECT_EQ(cache.renderCount(), 20);
    cache.page(0, 96, 1, &error);
    EXPECT_EQ(cache.renderCount(), 21);
    // Another zoom is another drawing.
    const QImage larger = cache.page(0, 120, 1, &error);
    EXPECT_EQ(cache.renderCount(), 22);
    EXPECT_EQ(larger.width(), std::lround(210 / 25.4 * 120));

    // Four times the paper on a screen of twice the density: fewer pixels than that, covering the
    // same place.
    const QImage huge = cache.page(3, 96 * 4, 2, &error);
    ASSERT_FALSE(huge.isNull()) << error.toStdString();
    EXPECT_LE(double(huge.width()) * huge.height(), 16e6);
    EXPECT_NEAR(huge.deviceIndependentSize().width(), 210 / 25.4 * 96 * 4, 1);
    EXPECT_NEAR(huge.deviceIndependentSize().height(), 297 / 25.4 * 96 * 4, 1);

    EXPECT_TRUE(cache.page(20, 96, 1, &error).isNull());
    EXPECT_TRUE(error.startsWith(QStringLiteral("Страницу не удалось нарисовать"))) << error.toStdString();
    EXPECT_TRUE(cache.wasRendered(3));
    EXPECT_FALSE(cache.wasRendered(21));
}

TEST_F(PreviewWindowTest, TheWindowShowsThePageDrawnOnGrey) {
    open(declarationLike(2));
    PageView* view = window_->pageView();
    const QImage shot = view->viewport()->grab().toImage();
    const QRect page = view->pageRect(0);
    const qreal ratio = shot.devicePixelRatio();
    auto at = [&](int x, int y) { return shot.pixelColor(QPoint(x, y) * ratio); };
    EXPECT_EQ(at(page.left() / 2, page.top() + 50), QColor(0x80, 0x80, 0x80));  // beside the page
    EXPECT_EQ(at(page.left() + 5, page.top() + 5), QColor(Qt::white));         // the paper's margin
    // The heading, 12 points bold in the box 10 to 20 mm from the top, and nothing dark above it.
    auto darkBetween = [&](double fromMm, double toMm) {
        int dark = 0;
        for (int y = page.top() + int(page.height() * fromMm / 297); y < page.top() + int(page.height() * toMm / 297); ++y)
            for (int x = page.left(); x <= page.right(); ++x) dark += at(x, y).lightness() < 100;
        return dark;
    };
    EXPECT_GT(darkBetween(10, 20), 200);
    EXPECT_EQ(darkBetween(1, 9.5), 0);
}

TEST_F(PreviewWindowTest, AReportWithoutPagesSaysSo) {
    auto empty = std::make_shared<PreparedReport>();
    empty->name = "Пустая";
    open(empty);
    auto* message = window_->findChild<QLabel*>(QStringLiteral("noPagesMessage"));
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->isVisible());
    EXPECT_EQ(message->text(), QStringLiteral("Печатная форма не содержит страниц."));
    EXPECT_EQ(window_->pageCount(), 0);
    EXPECT_EQ(window_->currentPage(), 0);
    EXPECT_EQ(window_->pageView(), nullptr);
    for (const char* name : {"actionPrint", "actionExport", "actionNextPage", "actionLastPage", "actionZoomIn"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    exportPath_ = QString::fromStdString(file("empty.pdf"));
    press(QKeySequence::Save);
    EXPECT_TRUE(suggested_.isEmpty());
    press(Qt::Key_End);
    EXPECT_EQ(window_->currentPage(), 0);

    delete window_.data();
    open(nullptr);
    EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("noPagesMessage"))->text(),
              QStringLiteral("Печатная форма не содержит страниц."));
}

TEST_F(PreviewWindowTest, APageSizeNoPaperHasIsNamedInsteadOfDrawn) {
    auto report = declarationLike(1);
    report->pageWidth = -210;
    open(report);
    auto* message = window_->findChild<QLabel*>(QStringLiteral("noPagesMessage"));
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text().contains(QStringLiteral("-210"))) << message->text().toStdString();
    EXPECT_FALSE(action("actionPrint")->isEnabled());
}

TEST_F(PreviewWindowTest, ClosingTheWindowLetsTheReportGo) {
    const auto report = kept(*declarationLike(3));
    openFile(report);
    EXPECT_GT(report.use_count(), 1);
    press(Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window_.isNull());
    EXPECT_EQ(report.use_count(), 1);
}

}  // namespace
