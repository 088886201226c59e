#pragma once

// The pages of a prepared report drawn for the screen, the last few kept for scrolling back.

#include <QBitArray>
#include <QCache>
#include <QImage>
#include <QString>
#include <memory>

#include "host/report/page_file.h"

namespace desk {

class PageCache {
public:
    explicit PageCache(std::shared_ptr<const host::PageFile> report);

    // The page (from 0) drawn for a screen of the pixel ratio at the resolution in logical dots
    // per inch: an image of the ratio, kept until a dozen others are newer or a resolution changes.
    // A page that cannot be drawn is a null image and the reason, in Russian, in `error`.
    QImage page(int index, double dotsPerInch, qreal pixelRatio, QString* error);

    // So many pages are on the screen at once: the cache never holds fewer, or scrolling among
    // them would draw them again and again.
    void keepAtLeast(int pages);

    // How many times a page was drawn, and whether this one ever was.
    int renderCount() const { return renderCount_; }
    bool wasRendered(int index) const { return index >= 0 && index < rendered_.size() && rendered_.testBit(index); }
    int cachedCount() const { return static_cast<int>(cache_.count()); }

private:
    struct Entry {
        QImage image;
        QString error;
    };

    void resize();

    std::shared_ptr<const host::PageFile> report_;
    QCache<int, Entry> cache_;
    double dotsPerInch_ = 0;
    qreal pixelRatio_ = 0;
    double drawingDotsPerInch_ = 0;
    qsizetype pageBytes_ = 0;
    int minimumPages_ = 0;
    int renderCount_ = 0;
    QBitArray rendered_;
};

}  // namespace desk
