// Printing the pages of a prepared report as images at the printer's resolution.
#include "desk/preview/report_printing.h"

#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <algorithm>

#include "desk/preview/page_qimage.h"
#include "host/report/page_painter.h"
#include "host/report/report_error.h"

namespace desk {
namespace {

// A page drawn finer than this is no sharper on paper, but an A4 page at 1200 dpi would be half a
// gigabyte of pixels.
constexpr double kFinestDotsPerInch = 600;

}  // namespace

void fitPrinterToReport(QPrinter& printer, const host::PageFile& report) {
    const bool landscape = report.pageWidth() > report.pageHeight();
    // Paper sizes are named upright; a landscape page is upright paper turned.
    const QSizeF upright(std::min(report.pageWidth(), report.pageHeight()), std::max(report.pageWidth(), report.pageHeight()));
    const QPageSize paper(upright, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    printer.setPageLayout(QPageLayout(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(report.name()));
}

std::vector<int> pagesToPrint(const QPrinter& printer, int pageCount, int currentPage) {
    std::vector<int> pages;
    switch (printer.printRange()) {
        case QPrinter::CurrentPage:
            if (currentPage >= 0 && currentPage < pageCount) pages.push_back(currentPage);
            break;
        case QPrinter::PageRange: {
            const QPageRanges ranges = printer.pageRanges();
            if (!ranges.isEmpty()) {
                for (const QPageRanges::Range& range : ranges.toRangeList())
                    for (int number = std::max(range.from, 1); number <= std::min(range.to, pageCount); ++number)
                        pages.push_back(number - 1);
            } else if (printer.fromPage() > 0) {
                for (int number = printer.fromPage(); number <= std::min(printer.toPage(), pageCount); ++number)
                    pages.push_back(number - 1);
            }
            break;
        }
        case QPrinter::AllPages:
        case QPrinter::Selection:
            for (int index = 0; index < pageCount; ++index) pages.push_back(index);
            break;
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(pages.begin(), pages.end());
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    if (copies == 1) return pages;
    std::vector<int> copied;
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy) copied.insert(copied.end(), pages.begin(), pages.end());
    } else {
        for (int page : pages) copied.insert(copied.end(), static_cast<std::size_t>(copies), page);
    }
    return copied;
}

bool printReport(const host::PageFile& report, QPrinter& printer, const std::vector<int>& pages,
                 const std::function<bool(int done)>& pageDone) {
    if (pages.empty()) return true;
    QPainter painter;
    if (!painter.begin(&printer))
        throw host::ReportError("cannot start printing \"" + report.name() + "\" on " +
                                (printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName())
                                    .toStdString());
    const double resolution = printer.resolution();
    // The page at its size in the printer's pixels; on smaller paper than the report's, shrunk to
    // fit it whole.
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const double width = report.pageWidth() / 25.4 * resolution;
    const double height = report.pageHeight() / 25.4 * resolution;
    const double fit = std::min({1.0, paper.width() / width, paper.height() / height});
    const double dotsPerInch = std::min(resolution * fit, kFinestDotsPerInch);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    try {
        for (std::size_t done = 0; done < pages.size(); ++done) {
            if (done > 0 && !printer.newPage())
                throw host::ReportError("the printer refused page " + std::to_string(done + 1) + " of \"" + report.name() + "\"");
            const QImage image = toQImage(host::renderPage(report.page(pages[done]), report.pageWidth(), report.pageHeight(), dotsPerInch));
            const double scale = resolution * fit / dotsPerInch;
            painter.drawImage(QRectF(0, 0, image.width() * scale, image.height() * scale), image);
            if (pageDone && !pageDone(static_cast<int>(done + 1))) {
                printer.abort();
                painter.end();
                return false;
            }
        }
    } catch (...) {
        // What was sent so far is no print anyone asked for.
        printer.abort();
        painter.end();
        throw;
    }
    painter.end();
    return true;
}

}  // namespace desk
