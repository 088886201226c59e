// Laying the pages out one under another, drawing those in view, zooming and scrolling.
#include "desk/preview/page_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace desk {
namespace {

const QColor kBackground(0x80, 0x80, 0x80);
const QColor kShadow(0, 0, 0, 70);
const QColor kEdge(0x60, 0x60, 0x60);

}  // namespace

const QList<int>& PageView::zoomSteps() {
    static const QList<int> steps{10, 25, 50, 75, 100, 125, 150, 200, 300, 400};
    return steps;
}

PageView::PageView(std::shared_ptr<const host::PageFile> report, QWidget* parent)
    : QAbstractScrollArea(parent),
      report_(std::move(report)),
      pageCount_(report_->pageCount()),
      cache_(report_) {
    // Always there, so that fitting the width never makes the scroll bar come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The whole viewport is painted every time, grey included.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(24);
    horizontalScrollBar()->setSingleStep(24);
    layoutPages();
}

double PageView::baseDotsPerInch() const { return logicalDpiX() > 0 ? logicalDpiX() : 96.0; }

double PageView::fitPercent(ZoomMode mode) const {
    const double atFull = baseDotsPerInch() / 25.4;  // pixels per millimetre at 100 per cent
    double percent = (viewport()->width() - 2.0 * kMargin) / (report_->pageWidth() * atFull) * 100;
    if (mode == ZoomMode::FitPage)
        percent = std::min(percent, (viewport()->height() - 2.0 * kMargin) / (report_->pageHeight() * atFull) * 100);
    return std::clamp<double>(percent, zoomSteps().front(), zoomSteps().back());
}

void PageView::layoutPages() {
    const double perMm = dotsPerInch() / 25.4;
    pageSize_ = QSize(std::max(1, static_cast<int>(std::lround(report_->pageWidth() * perMm))),
                      std::max(1, static_cast<int>(std::lround(report_->pageHeight() * perMm))));
    pageStep_ = pageSize_.height() + kGap;
    const qint64 height = qint64(pageCount_) * pageStep_ - kGap + 2 * kMargin;
    const qint64 width = pageSize_.width() + 2 * kMargin;
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    v->setRange(0, static_cast<int>(std::clamp<qint64>(height - viewport()->height(), 0, INT_MAX)));
    v->setPageStep(viewport()->height());
    h->setRange(0, static_cast<int>(std::max<qint64>(width - viewport()->width(), 0)));
    h->setPageStep(viewport()->width());
    viewport()->update();
}

QRect PageView::pageRect(int index) const {
    const int viewportWidth = viewport()->width();
    const int left = pageSize_.width() + 2 * kMargin <= viewportWidth ? (viewportWidth - pageSize_.width()) / 2
                                                                        : kMargin - horizontalScrollBar()->value();
    const qint64 top = kMargin + qint64(index) * pageStep_ - verticalScrollBar()->value();
    return QRect(QPoint(left, static_cast<int>(std::clamp<qint64>(top, INT_MIN / 2, INT_MAX / 2))), pageSize_);
}

PageView::Spot PageView::spotAt(QPointF point) const {
    Spot spot;
    const double y = verticalScrollBar()->value() + point.y() - kMargin;
    spot.page = std::clamp(static_cast<int>(std::floor(y / pageStep_)), 0, std::max(0, pageCount_ - 1));
    spot.y = (y - double(spot.page) * pageStep_) / pageSize_.height();
    spot.x = (point.x() - pageRect(spot.page).left()) / pageSize_.width();
    return spot;
}

void PageView::bringSpotTo(const Spot& spot, QPointF point) {
    const double y = kMargin + double(spot.page) * pageStep_ + spot.y * pageSize_.height();
    verticalScrollBar()->setValue(static_cast<int>(std::clamp<double>(std::lround(y - point.y()), 0, INT_MAX)));
    const double x = kMargin + spot.x * pageSize_.width();
    horizontalScrollBar()->setValue(static_cast<int>(std::clamp<double>(std::lround(x - point.x()), 0, INT_MAX)));
}

void PageView::applyPercent(double percent, QPointF anchor) {
    const Spot spot = spotAt(anchor);
    const int current = current_;
    percent_ = percent;
    goingToPage_ = true;
    layoutPages();
    bringSpotTo(spot, anchor);
    goingToPage_ = false;
    // The page gone to stays the current one while it is still in view.
    if (pageRect(current).intersects(viewport()->rect())) setCurrent(current);
    else findCurrentPage();
    emit zoomChanged();
}

void PageView::setZoom(ZoomMode mode, double percent) {
    mode_ = mode;
    const double wanted = mode == ZoomMode::Percent
                              ? std::clamp<double>(percent, zoomSteps().front(), zoomSteps().back())
                              : fitPercent(mode);
    applyPercent(wanted, QPointF(viewport()->width() / 2.0, 0));
}

void PageView::zoomBy(int steps) { zoomBy(steps, QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0)); }

void PageView::zoomBy(int steps, QPointF anchor) {
    const QList<int>& all = zoomSteps();
    double percent = percent_;
    for (; steps > 0; --steps) {
        auto next = std::find_if(all.begin(), all.end(), [&](int step) { return step > percent + 0.5; });
        percent = next == all.end() ? all.back() : *next;
    }
    for (; steps < 0; ++steps) {
        auto next = std::find_if(all.rbegin(), all.rend(), [&](int step) { return step < percent - 0.5; });
        percent = next == all.rend() ? all.front() : *next;
    }
    mode_ = ZoomMode::Percent;
    applyPercent(percent, anchor);
}

void PageView::goToPage(int index) {
    if (pageCount_ == 0) return;
    index = std::clamp(index, 0, pageCount_ - 1);
    goingToPage_ = true;
    verticalScrollBar()->setValue(static_cast<int>(std::min<qint64>(qint64(index) * pageStep_, INT_MAX)));
    goingToPage_ = false;
    setCurrent(index);
}

void PageView::setCurrent(int index) {
    if (index == current_) return;
    current_ = index;
    emit currentPageChanged(index);
}

// The page that takes up most of the height in view; of two alike, the upper one.
void PageView::findCurrentPage() {
    if (pageCount_ == 0) return;
    const QRect view = viewport()->rect();
    const Spot top = spotAt(QPointF(0, 0));
    int best = top.page;
    int bestHeight = -1;
    for (int i = top.page; i < pageCount_; ++i) {
        const QRect shown = pageRect(i).intersected(view);
        if (pageRect(i).top() > view.bottom()) break;
        if (shown.height() > bestHeight) {
            best = i;
            bestHeight = shown.height();
        }
    }
    setCurrent(best);
}

void PageView::scrollContentsBy(int, int) {
    viewport()->update();
    if (!goingToPage_) findCurrentPage();
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (mode_ == ZoomMode::Percent) {
        layoutPages();
        return;
    }
    // A fitting zoom follows the window, keeping the top of what was in view.
    const double percent = fitPercent(mode_);
    if (std::abs(percent - percent_) < 1e-9) layoutPages();
    else applyPercent(percent, QPointF(viewport()->width() / 2.0, 0));
}

void PageView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        wheelAngle_ = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // A fine-stepping wheel or touchpad sends many small turns; a zoom step is a notch's worth.
    wheelAngle_ += event->angleDelta().y();
    const int steps = wheelAngle_ / QWheelEvent::DefaultDeltasPerStep;
    wheelAngle_ -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0) zoomBy(steps, event->position());
    event->accept();
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), kBackground);
    if (pageCount_ == 0) return;
    const QRect view = viewport()->rect();
    const int first = spotAt(QPointF(0, 0)).page;
    int shown = 0;
    for (int i = first; i < pageCount_ && pageRect(i).top() <= view.bottom(); ++i) ++shown;
    cache_.keepAtLeast(shown + 1);
    const qreal ratio = viewport()->devicePixelRatioF();
    // Only a page drawn coarser than the screen, at the highest zooms, is scaled on the way.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = first; i < first + shown; ++i) {
        const QRect page = pageRect(i);
        if (!page.intersects(event->rect())) continue;
        painter.fillRect(page.translated(3, 3), kShadow);
        painter.fillRect(page, Qt::white);
        QString error;
        const QImage image = cache_.page(i, dotsPerInch(), ratio, &error);
        if (!image.isNull()) {
            painter.drawImage(page.topLeft(), image);
        } else {
            painter.setPen(Qt::darkRed);
            painter.drawText(page.adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap, error);
        }
        painter.setPen(kEdge);
        painter.drawRect(page.adjusted(-1, -1, 0, 0));
    }
}

}  // namespace desk
