// The preview window: its tool bar, keys and status line around the page view, printing and export.
#include "desk/preview/preview_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <exception>
#include <initializer_list>
#include <utility>
#include <variant>

#include "desk/preview/export_file_dialog.h"
#include "desk/preview/export_with_progress.h"
#include "desk/preview/page_view.h"
#include "desk/preview/report_printing.h"
#include "host/report/page_painter.h"
#include "host/report/report_export.h"

namespace desk {
namespace {

// The zoom list's first items; the rest are per cents.
constexpr int kFitWidthItem = 0;
constexpr int kFitPageItem = 1;
const QList<int> kListedPercents{50, 75, 100, 150, 200};

QString percentText(double percent) { return QStringLiteral("%1 %").arg(std::lround(percent)); }

QIcon themeIcon(const char* name, QStyle* style, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QLatin1String(name), style->standardIcon(fallback));
}

bool defaultPrinterChooser(QWidget* parent, QPrinter& printer, int pageCount, int) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

// The standard keys of a platform may already be among those added to them; one key twice on an
// action makes it ambiguous, and then neither works.
QList<QKeySequence> distinct(std::initializer_list<std::variant<QKeySequence::StandardKey, QKeyCombination>> keys) {
    QList<QKeySequence> all;
    for (const auto& key : keys) {
        if (const auto* standard = std::get_if<QKeySequence::StandardKey>(&key)) all << QKeySequence::keyBindings(*standard);
        else all << QKeySequence(std::get<QKeyCombination>(key));
    }
    QList<QKeySequence> unique;
    for (const QKeySequence& key : all)
        if (!key.isEmpty() && !unique.contains(key)) unique << key;
    return unique;
}

}  // namespace

PreviewWindow::PreviewWindow(std::shared_ptr<const host::PageFile> report, QWidget* parent)
    : QMainWindow(parent),
      report_(std::move(report)),
      exportChooser_(&askExportFile),
      printerChooser_(&defaultPrinterChooser),
      lastExtension_(QStringLiteral("pdf")) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Nothing handed over is a report without pages, said as such.
    if (!report_) report_ = std::make_shared<const host::PageFile>(host::HeldPages(host::PreparedReport{}));
    const QString name = QString::fromStdString(report_->name());
    setWindowTitle(name.isEmpty() ? QStringLiteral("Печатная форма") : QStringLiteral("Печатная форма — %1").arg(name));
    exportDirectory_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (exportDirectory_.isEmpty() || !QFileInfo(exportDirectory_).isDir()) exportDirectory_ = QDir::homePath();

    pageStatus_ = new QLabel(this);
    pageStatus_->setObjectName(QStringLiteral("pageStatus"));
    zoomStatus_ = new QLabel(this);
    zoomStatus_->setObjectName(QStringLiteral("zoomStatus"));
    statusBar()->addWidget(pageStatus_);
    statusBar()->addPermanentWidget(zoomStatus_);

    buildActions();
    buildToolBar();

    QString unusable;
    try {
        host::pagePixels(report_->pageWidth(), report_->pageHeight(), 72);
    } catch (const std::exception&) {
        unusable = QStringLiteral("Размер страницы печатной формы задан неверно: %1 × %2 мм.")
                       .arg(report_->pageWidth())
                       .arg(report_->pageHeight());
    }
    if (!unusable.isEmpty()) showNoPages(unusable);
    else if (report_->pageCount() == 0) showNoPages(QStringLiteral("Печатная форма не содержит страниц."));
    else {
        view_ = new PageView(report_, this);
        setCentralWidget(view_);
        connect(view_, &PageView::currentPageChanged, this, &PreviewWindow::pageChanged);
        connect(view_, &PageView::zoomChanged, this, &PreviewWindow::zoomChanged);
        pageSpin_->setRange(1, view_->pageCount());
        pageTotal_->setText(QStringLiteral(" из %1 ").arg(view_->pageCount()));
        view_->setZoom(ZoomMode::FitWidth);
        pageChanged(0);
        zoomChanged();
        view_->setFocus();
    }

    // Tall like the paper, within the screen.
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
    resize(std::min(1000, screen.width() * 9 / 10), std::min(1100, screen.height() * 9 / 10));
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildActions() {
    QStyle* style = this->style();
    // The style has no printer of its own: without the desktop's icon the button is its word.
    print_ = new QAction(QIcon::fromTheme(QStringLiteral("document-print")), QStringLiteral("Печать…"), this);
    print_->setObjectName(QStringLiteral("actionPrint"));
    print_->setShortcut(QKeySequence::Print);
    print_->setToolTip(QStringLiteral("Напечатать печатную форму (Ctrl+P)"));
    connect(print_, &QAction::triggered, this, &PreviewWindow::print);

    export_ = new QAction(themeIcon("document-save-as", style, QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить…"), this);
    export_->setObjectName(QStringLiteral("actionExport"));
    export_->setShortcut(QKeySequence::Save);
    export_->setToolTip(QStringLiteral("Сохранить в файл PDF, XLSX, HTML или RTF (Ctrl+S)"));
    connect(export_, &QAction::triggered, this, [this] { exportReport(lastExtension_); });
    auto* formats = new QMenu(this);
    for (const ExportFormat& format : exportFormats()) {
        QAction* item = formats->addAction(QStringLiteral("%1 (.%2)…").arg(format.title, format.extension));
        item->setObjectName(QStringLiteral("actionExport_%1").arg(format.extension));
        connect(item, &QAction::triggered, this, [this, extension = format.extension] { exportReport(extension); });
    }
    export_->setMenu(formats);

    auto navigation = [&](const char* objectName, const QString& text, QStyle::StandardPixmap icon,
                          QList<QKeySequence> keys, auto target) {
        auto* action = new QAction(style->standardIcon(icon), text, this);
        action->setObjectName(QLatin1String(objectName));
        action->setShortcuts(keys);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, keys.first().toString(QKeySequence::NativeText)));
        connect(action, &QAction::triggered, this, [this, target] {
            if (view_) view_->goToPage(target(view_->currentPage(), view_->pageCount()));
        });
        return action;
    };
    firstPage_ = navigation("actionFirstPage", QStringLiteral("Первая страница"), QStyle::SP_MediaSkipBackward,
                            {Qt::Key_Home, Qt::CTRL | Qt::Key_Home}, [](int, int) { return 0; });
    previousPage_ = navigation("actionPreviousPage", QStringLiteral("Предыдущая страница"), QStyle::SP_ArrowLeft,
                               {Qt::Key_PageUp}, [](int current, int) { return current - 1; });
    nextPage_ = navigation("actionNextPage", QStringLiteral("Следующая страница"), QStyle::SP_ArrowRight,
                           {Qt::Key_PageDown}, [](int current, int) { return current + 1; });
    lastPage_ = navigation("actionLastPage", QStringLiteral("Последняя страница"), QStyle::SP_MediaSkipForward,
                           {Qt::Key_End, Qt::CTRL | Qt::Key_End}, [](int, int count) { return count - 1; });

    zoomOut_ = new QAction(QIcon::fromTheme(QStringLiteral("zoom-out")), QStringLiteral("Уменьшить"), this);
    zoomOut_->setObjectName(QStringLiteral("actionZoomOut"));
    zoomOut_->setShortcuts(distinct({QKeySequence::ZoomOut, Qt::CTRL | Qt::Key_Minus}));
    zoomOut_->setToolTip(QStringLiteral("Уменьшить (Ctrl+−)"));
    connect(zoomOut_, &QAction::triggered, this, [this] {
        if (view_) view_->zoomBy(-1);
    });
    zoomIn_ = new QAction(QIcon::fromTheme(QStringLiteral("zoom-in")), QStringLiteral("Увеличить"), this);
    zoomIn_->setObjectName(QStringLiteral("actionZoomIn"));
    // Plus is a shifted key on most keyboards; Ctrl with the key under it does the same.
    zoomIn_->setShortcuts(distinct({QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}));
    zoomIn_->setToolTip(QStringLiteral("Увеличить (Ctrl++)"));
    connect(zoomIn_, &QAction::triggered, this, [this] {
        if (view_) view_->zoomBy(1);
    });

    auto* close = new QAction(QStringLiteral("Закрыть"), this);
    close->setShortcuts({QKeySequence::Close, Qt::Key_Escape});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
}

void PreviewWindow::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Просмотр"));
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addAction(print_);
    if (print_->icon().isNull())
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(print_)))
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(export_);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(export_)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    bar->addSeparator();

    bar->addAction(firstPage_);
    bar->addAction(previousPage_);
    for (QAction* action : {firstPage_, previousPage_})
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->addWidget(new QLabel(QStringLiteral(" Страница "), bar));
    pageSpin_ = new QSpinBox(bar);
    pageSpin_->setObjectName(QStringLiteral("pageSpin"));
    pageSpin_->setRange(0, 0);
    // The page is gone to once the number is typed in whole, not at each digit.
    pageSpin_->setKeyboardTracking(false);
    pageSpin_->setAlignment(Qt::AlignRight);
    pageSpin_->setToolTip(QStringLiteral("Перейти к странице"));
    connect(pageSpin_, &QSpinBox::valueChanged, this, [this](int number) {
        if (view_) view_->goToPage(number - 1);
        // Back to the pages, so that the page keys turn them again.
        if (view_ && pageSpin_->hasFocus()) view_->setFocus();
    });
    bar->addWidget(pageSpin_);
    pageTotal_ = new QLabel(QStringLiteral(" из 0 "), bar);
    pageTotal_->setObjectName(QStringLiteral("pageTotal"));
    bar->addWidget(pageTotal_);
    bar->addAction(nextPage_);
    bar->addAction(lastPage_);
    for (QAction* action : {nextPage_, lastPage_})
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->addSeparator();

    bar->addAction(zoomOut_);
    zoomBox_ = new QComboBox(bar);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    zoomBox_->setEditable(true);
    zoomBox_->setInsertPolicy(QComboBox::NoInsert);
    zoomBox_->addItem(QStringLiteral("По ширине"));
    zoomBox_->addItem(QStringLiteral("Страница целиком"));
    for (int percent : kListedPercents) zoomBox_->addItem(percentText(percent), percent);
    zoomBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    zoomBox_->setToolTip(QStringLiteral("Масштаб"));
    connect(zoomBox_, &QComboBox::activated, this, &PreviewWindow::zoomChosen);
    connect(zoomBox_->lineEdit(), &QLineEdit::returnPressed, this, &PreviewWindow::zoomTyped);
    bar->addWidget(zoomBox_);
    bar->addAction(zoomIn_);
    for (QAction* action : {zoomOut_, zoomIn_})
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            button->setToolButtonStyle(action->icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void PreviewWindow::showNoPages(const QString& why) {
    auto* message = new QLabel(why, this);
    message->setObjectName(QStringLiteral("noPagesMessage"));
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    setCentralWidget(message);
    pageStatus_->setText(why);
    for (QAction* action : {print_, export_, firstPage_, previousPage_, nextPage_, lastPage_, zoomIn_, zoomOut_})
        action->setEnabled(false);
    pageSpin_->setEnabled(false);
    zoomBox_->setEnabled(false);
}

int PreviewWindow::pageCount() const { return view_ ? view_->pageCount() : 0; }

int PreviewWindow::currentPage() const { return view_ ? view_->currentPage() + 1 : 0; }

void PreviewWindow::goToPage(int number) {
    if (view_) view_->goToPage(number - 1);
}

double PreviewWindow::zoomPercent() const { return view_ ? view_->zoomPercent() : 0; }

int PreviewWindow::renderedPageCount() const { return view_ ? view_->cache().renderCount() : 0; }

bool PreviewWindow::pageRendered(int number) const { return view_ && view_->cache().wasRendered(number - 1); }

void PreviewWindow::setExportFileChooser(ExportFileChooser chooser) { exportChooser_ = std::move(chooser); }

void PreviewWindow::setPrinterChooser(PrinterChooser chooser) { printerChooser_ = std::move(chooser); }

void PreviewWindow::pageChanged(int index) {
    const int count = pageCount();
    {
        const QSignalBlocker quiet(pageSpin_);
        pageSpin_->setValue(index + 1);
    }
    pageStatus_->setText(QStringLiteral("Страница %1 из %2").arg(index + 1).arg(count));
    firstPage_->setEnabled(index > 0);
    previousPage_->setEnabled(index > 0);
    nextPage_->setEnabled(index + 1 < count);
    lastPage_->setEnabled(index + 1 < count);
}

void PreviewWindow::zoomChanged() {
    const double percent = view_->zoomPercent();
    const QList<int>& steps = PageView::zoomSteps();
    zoomOut_->setEnabled(percent > steps.front() + 0.5);
    zoomIn_->setEnabled(percent < steps.back() - 0.5);
    zoomStatus_->setText(QStringLiteral("Масштаб %1").arg(percentText(percent)));
    const QSignalBlocker quiet(zoomBox_);
    switch (view_->zoomMode()) {
        case ZoomMode::FitWidth: zoomBox_->setCurrentIndex(kFitWidthItem); break;
        case ZoomMode::FitPage: zoomBox_->setCurrentIndex(kFitPageItem); break;
        case ZoomMode::Percent: {
            const int listed = zoomBox_->findData(static_cast<int>(std::lround(percent)));
            if (listed >= 0 && std::abs(percent - std::lround(percent)) < 1e-6) zoomBox_->setCurrentIndex(listed);
            else zoomBox_->setEditText(percentText(percent));
            break;
        }
    }
}

void PreviewWindow::zoomChosen(int item) {
    if (!view_) return;
    if (item == kFitWidthItem) view_->setZoom(ZoomMode::FitWidth);
    else if (item == kFitPageItem) view_->setZoom(ZoomMode::FitPage);
    else view_->setZoom(ZoomMode::Percent, zoomBox_->itemData(item).toInt());
    view_->setFocus();
}

void PreviewWindow::zoomTyped() {
    if (!view_) return;
    const QString text = zoomBox_->currentText().trimmed();
    const int item = zoomBox_->findText(text, Qt::MatchFixedString);
    if (item == kFitWidthItem || item == kFitPageItem) return zoomChosen(item);
    static const QRegularExpression number(QStringLiteral("^(\\d{1,4})\\s*%?$"));
    const QRegularExpressionMatch match = number.match(text);
    // Anything else is put back to the zoom in effect.
    if (match.hasMatch()) view_->setZoom(ZoomMode::Percent, match.captured(1).toInt());
    else zoomChanged();
    view_->setFocus();
}

void PreviewWindow::warn(const QString& title, const QString& text) {
    // Window-modal and not waited for: the window stays responsive behind it, and nothing that
    // follows depends on the answer.
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

QString PreviewWindow::suggestedExportPath(const QString& extension) const {
    QString stem = QString::fromStdString(report_->fileStem());
    if (stem.isEmpty()) stem = QString::fromStdString(report_->name());
    // A template's title may hold characters no file name can.
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    stem.replace(unfit, QStringLiteral("_"));
    stem = stem.trimmed();
    if (stem.isEmpty()) stem = QStringLiteral("Печатная форма");
    return QDir(exportDirectory_).filePath(stem + QLatin1Char('.') + extension);
}

void PreviewWindow::exportReport(const QString& extension) {
    if (!view_ || busy_) return;
    lastExtension_ = extension;
    const QString path = exportChooser_(this, suggestedExportPath(extension));
    if (path.isEmpty()) return;
    exportDirectory_ = QFileInfo(path).absolutePath();
    if (!host::exportFormatKnown(QFile::encodeName(path).toStdString())) {
        warn(QStringLiteral("Печатная форма не сохранена"),
             QStringLiteral("Файл «%1» не сохранить: печатная форма сохраняется только в форматах PDF, XLSX, HTML и "
                            "RTF, и имя файла должно кончаться на .pdf, .xlsx, .html или .rtf.")
                 .arg(QDir::toNativeSeparators(path)));
        return;
    }
    busy_ = true;
    statusBar()->showMessage(QStringLiteral("Сохранение в %1…").arg(QDir::toNativeSeparators(path)));
    const ExportOutcome outcome = exportWithProgress(this, report_, path);
    busy_ = false;
    statusBar()->clearMessage();
    if (outcome.cancelled) {
        statusBar()->showMessage(QStringLiteral("Сохранение прервано, файл не записан"), 10000);
    } else if (!outcome.failure.isEmpty()) {
        warn(QStringLiteral("Печатная форма не сохранена"),
             QStringLiteral("Не удалось сохранить печатную форму в файл «%1».\n\n%2")
                 .arg(QDir::toNativeSeparators(path), outcome.failure));
    } else {
        statusBar()->showMessage(QStringLiteral("Сохранено: %1").arg(QDir::toNativeSeparators(path)), 10000);
    }
}

void PreviewWindow::print() {
    if (!view_ || busy_) return;
    QPrinter printer(QPrinter::HighResolution);
    fitPrinterToReport(printer, *report_);
    if (!printerChooser_(this, printer, pageCount(), currentPage())) return;
    const std::vector<int> pages = pagesToPrint(printer, pageCount(), view_->currentPage());
    if (pages.empty()) {
        warn(QStringLiteral("Печать"),
             QStringLiteral("В выбранном диапазоне нет страниц: в печатной форме их %1.").arg(pageCount()));
        return;
    }
    busy_ = true;
    QProgressDialog progress(QStringLiteral("Печать страниц…"), QStringLiteral("Прервать"), 0,
                             static_cast<int>(pages.size()), this);
    progress.setWindowTitle(QStringLiteral("Печать"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    QString failure;
    bool finished = false;
    try {
        finished = printReport(*report_, printer, pages, [&progress](int done) {
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = QStringLiteral("неизвестная ошибка");
    }
    progress.reset();
    busy_ = false;
    if (!failure.isEmpty())
        warn(QStringLiteral("Печать"), QStringLiteral("Не удалось напечатать печатную форму.\n\n%1").arg(failure));
    else if (!finished)
        statusBar()->showMessage(QStringLiteral("Печать прервана"), 10000);
    else
        statusBar()->showMessage(QStringLiteral("Отправлено на печать страниц: %1").arg(pages.size()), 10000);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

}  // namespace desk
