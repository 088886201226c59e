#pragma once

// The print form's preview window: the pages as they will print, paged through, zoomed, printed
// and saved as PDF, XLSX, HTML or RTF.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "host/report/page_file.h"

class QAction;
class QComboBox;
class QLabel;
class QPrinter;
class QSpinBox;

namespace desk {

class PageView;

// Holds the one prepared report it is given and, of its pages, only the few last drawn. The window
// deletes itself when closed.
class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    // Where to save: given the suggested path (the report's file name with the format's extension,
    // in the folder last saved in), answers the file to write, empty to cancel. By default a file
    // dialog.
    using ExportFileChooser = std::function<QString(QWidget* parent, const QString& suggestedPath)>;
    // Sets the printer up (device, range, copies, resolution) for a report of `pageCount` pages
    // whose page `currentPage` (from 1) is shown; false cancels the printing. By default the print
    // dialog.
    using PrinterChooser = std::function<bool(QWidget* parent, QPrinter& printer, int pageCount, int currentPage)>;

    explicit PreviewWindow(std::shared_ptr<const host::PageFile> report, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Pages are numbered from 1, as the window shows them; with no pages the current one is 0.
    int pageCount() const;
    int currentPage() const;
    void goToPage(int number);
    // The zoom in effect, 100 being the paper's own size.
    double zoomPercent() const;
    // How many times a page was drawn since the window opened, and whether this one ever was.
    int renderedPageCount() const;
    bool pageRendered(int number) const;
    // The pages themselves; nullptr when the report has none to show.
    PageView* pageView() const { return view_; }

    void setExportFileChooser(ExportFileChooser chooser);
    void setPrinterChooser(PrinterChooser chooser);

public slots:
    // Asks for the file, suggesting the format of the extension ("pdf"), and writes the report in
    // the format of the extension of the file chosen. A failure is shown in a message box.
    void exportReport(const QString& extension);
    void print();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildActions();
    void buildToolBar();
    void showNoPages(const QString& why);
    void pageChanged(int index);
    void zoomChanged();
    void zoomChosen(int item);
    void zoomTyped();
    void warn(const QString& title, const QString& text);
    QString suggestedExportPath(const QString& extension) const;

    std::shared_ptr<const host::PageFile> report_;
    PageView* view_ = nullptr;
    ExportFileChooser exportChooser_;
    PrinterChooser printerChooser_;
    QString exportDirectory_;
    QString lastExtension_;
    // Printing and saving let the program's events through while they work; meanwhile the window
    // must not close under them, nor start another.
    bool busy_ = false;

    QAction* print_ = nullptr;
    QAction* export_ = nullptr;
    QAction* firstPage_ = nullptr;
    QAction* previousPage_ = nullptr;
    QAction* nextPage_ = nullptr;
    QAction* lastPage_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QSpinBox* pageSpin_ = nullptr;
    QLabel* pageTotal_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QLabel* pageStatus_ = nullptr;
    QLabel* zoomStatus_ = nullptr;
};

}  // namespace desk
