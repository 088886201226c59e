#pragma once

// Drawing prepared pages: the one drawing that the PDF export and the desktop preview share.

#include <cstddef>
#include <memory>
#include <vector>

#include "host/host_api.h"
#include "host/report/prepared_report.h"

// Only named here, so that a window's code can include this header without cairo's.
typedef struct _cairo cairo_t;

namespace host {

// One page drawn into memory, for a window or a printer: cairo's ARGB32 pixels, each a native
// 32-bit word 0xAARRGGBB (what Qt calls Format_ARGB32_Premultiplied), rows `stride` bytes apart.
// The page is opaque: white wherever nothing is drawn.
struct HOST_API PageImage {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<unsigned char> pixels;
};

// The page's size in whole pixels at the resolution, as renderPage makes it.
struct PagePixels {
    int width = 0;
    int height = 0;
};
// Throws ReportError for a page size or resolution that no image can have.
HOST_API PagePixels pagePixels(double pageWidthMm, double pageHeightMm, double dotsPerInch);
HOST_API PagePixels pagePixels(const PreparedReport& report, double dotsPerInch);

// The page (from 0) drawn at the resolution, the texts in the fonts and places the PDF export
// gives them. Throws ReportError for a page that does not exist, a page size or resolution no
// image can have, or an image the memory cannot hold.
HOST_API PageImage renderPage(const PreparedReport& report, std::size_t pageIndex, double dotsPerInch);
// One page of the size (millimetres), on its own: a preview reads its pages one at a time.
HOST_API PageImage renderPage(const PreparedPage& page, double pageWidthMm, double pageHeightMm, double dotsPerInch);

// Draws pages onto a cairo context whose units are points from the page's top left corner. One
// painter serves a whole document: it keeps its text layout and fonts from page to page.
class PagePainter {
public:
    // On pixels (snapToPixels), frame lines are laid on whole pixels and text is hinted for the
    // screen; a vector surface gets the exact positions.
    PagePainter(cairo_t* cr, bool snapToPixels);
    ~PagePainter();
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    void drawPage(const PreparedPage& page);

private:
    struct Tools;
    cairo_t* cr_;
    bool snapToPixels_;
    std::unique_ptr<Tools> tools_;
};

}  // namespace host
