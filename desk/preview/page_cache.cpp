// Drawing pages for the screen on demand and keeping the last few.
#include "desk/preview/page_cache.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "desk/preview/page_qimage.h"
#include "host/report/page_painter.h"

namespace desk {
namespace {

// A dozen pages, unless a dozen at a high zoom would take more memory than this.
constexpr int kPagesKept = 12;
constexpr qsizetype kBytesKept = qsizetype(128) << 20;
// A page finer than this is drawn coarser and scaled up: at the highest zoom on a high-density
// screen an A4 page would otherwise be nearly a quarter of a gigabyte.
constexpr double kLargestImagePixels = 16e6;
constexpr double kLargestImageSide = 32767;

// The resolution a page is drawn at for the screen: the screen's, unless that makes too large an
// image.
double drawingDotsPerInch(const host::PageFile& report, double dotsPerInch) {
    const double width = report.pageWidth() / 25.4 * dotsPerInch;
    const double height = report.pageHeight() / 25.4 * dotsPerInch;
    double scale = 1;
    if (width * height > kLargestImagePixels) scale = std::sqrt(kLargestImagePixels / (width * height));
    scale = std::min({scale, kLargestImageSide / width, kLargestImageSide / height});
    return dotsPerInch * scale;
}

}  // namespace

PageCache::PageCache(std::shared_ptr<const host::PageFile> report)
    : report_(std::move(report)), rendered_(static_cast<qsizetype>(report_->pageCount())) {
    cache_.setMaxCost(kPagesKept);
}

void PageCache::keepAtLeast(int pages) {
    minimumPages_ = pages;
    resize();
}

void PageCache::resize() {
    qsizetype pages = kPagesKept;
    if (pageBytes_ > 0) pages = std::clamp<qsizetype>(kBytesKept / pageBytes_, 1, kPagesKept);
    cache_.setMaxCost(std::max<qsizetype>(pages, minimumPages_));
}

QImage PageCache::page(int index, double dotsPerInch, qreal pixelRatio, QString* error) {
    if (dotsPerInch != dotsPerInch_ || pixelRatio != pixelRatio_) {
        cache_.clear();
        dotsPerInch_ = dotsPerInch;
        pixelRatio_ = pixelRatio;
        drawingDotsPerInch_ = drawingDotsPerInch(*report_, dotsPerInch * pixelRatio);
        pageBytes_ = 0;
        try {
            const host::PagePixels size = host::pagePixels(report_->pageWidth(), report_->pageHeight(), drawingDotsPerInch_);
            pageBytes_ = qsizetype(size.width) * size.height * 4;
        } catch (const std::exception&) {
            // Said by the page itself when it is drawn.
        }
        resize();
    }
    if (const Entry* kept = cache_.object(index)) {
        if (error) *error = kept->error;
        return kept->image;
    }

    auto entry = std::make_unique<Entry>();
    try {
        ++renderCount_;
        if (index >= 0 && index < rendered_.size()) rendered_.setBit(index);
        QImage image = toQImage(host::renderPage(report_->page(index), report_->pageWidth(), report_->pageHeight(), drawingDotsPerInch_));
        // So many pixels to a logical one that the image covers the page on the screen.
        image.setDevicePixelRatio(drawingDotsPerInch_ / dotsPerInch);
        entry->image = std::move(image);
    } catch (const std::bad_alloc&) {
        entry->error = QStringLiteral("Не хватает памяти, чтобы нарисовать страницу в этом масштабе.");
    } catch (const std::exception& e) {
        entry->error = QStringLiteral("Страницу не удалось нарисовать: %1").arg(QString::fromUtf8(e.what()));
    }
    if (error) *error = entry->error;
    QImage image = entry->image;
    cache_.insert(index, entry.release());
    return image;
}

}  // namespace desk
