#pragma once

// The pages of a prepared report one under another on grey, scrolled through and zoomed.

#include <QAbstractScrollArea>
#include <QList>
#include <QRect>
#include <memory>

#include "desk/preview/page_cache.h"
#include "host/report/page_file.h"

namespace desk {

enum class ZoomMode { FitWidth, FitPage, Percent };

// Every page's place is known from the page size alone, so a report of thousands of pages lays out
// at once; a page is drawn only when it comes into view.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The zoom steps of Ctrl+wheel and Ctrl+plus/minus, in per cent; the outer ones are its bounds.
    static const QList<int>& zoomSteps();
    // The grey around the pages and between them, in logical pixels: as wide between pages as
    // around them, so that a page gone to at a fitting zoom shows none of its neighbours.
    static constexpr int kMargin = 16;
    static constexpr int kGap = kMargin;

    PageView(std::shared_ptr<const host::PageFile> report, QWidget* parent = nullptr);

    int pageCount() const { return pageCount_; }
    // From 0: the page most of the window shows, or the one last gone to.
    int currentPage() const { return current_; }
    // Brings the page's top into view; a page past either end is the first or the last.
    void goToPage(int index);

    ZoomMode zoomMode() const { return mode_; }
    // The zoom in effect, also in the fitting modes: 100 is the paper's size on the screen.
    double zoomPercent() const { return percent_; }
    void setZoom(ZoomMode mode, double percent = 100);
    // To the next zoom step up (positive) or down, keeping what is at the viewport's point there.
    void zoomBy(int steps, QPointF anchor);
    void zoomBy(int steps);

    // Where the page lies in the viewport's coordinates now.
    QRect pageRect(int index) const;
    const PageCache& cache() const { return cache_; }

signals:
    void currentPageChanged(int index);
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The screen's logical dots per inch at 100 per cent.
    double baseDotsPerInch() const;
    double dotsPerInch() const { return baseDotsPerInch() * percent_ / 100; }
    double fitPercent(ZoomMode mode) const;
    void layoutPages();
    // What the viewport's point shows, as a page and a place on it in fractions of its size.
    struct Spot {
        int page = 0;
        double x = 0.5;
        double y = 0;
    };
    Spot spotAt(QPointF point) const;
    void bringSpotTo(const Spot& spot, QPointF point);
    void applyPercent(double percent, QPointF anchor);
    void findCurrentPage();
    void setCurrent(int index);

    std::shared_ptr<const host::PageFile> report_;
    int pageCount_ = 0;
    PageCache cache_;
    ZoomMode mode_ = ZoomMode::FitWidth;
    double percent_ = 100;
    // The page's size on the screen in logical pixels, and the distance from one page's top to
    // the next's.
    QSize pageSize_;
    int pageStep_ = 0;
    int current_ = 0;
    // While the view scrolls itself to a page it was sent to, that page stays the current one.
    bool goingToPage_ = false;
    int wheelAngle_ = 0;
};

}  // namespace desk
