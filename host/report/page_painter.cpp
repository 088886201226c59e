// Drawing prepared pages with cairo and pango, onto a PDF page or into an image.
#include "host/report/page_painter.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <map>
#include <new>
#include <string>
#include <unordered_map>
#include <utility>

#include "host/report/cairo_handles.h"
#include "host/report/report_error.h"

namespace host {
namespace {

using namespace cairo_handles;

// One font description per size and weight, made once: a long report has few of them and many
// texts.
class Fonts {
public:
    const PangoFontDescription* get(double size, bool bold) {
        auto& slot = fonts_[{static_cast<int>(size * PANGO_SCALE), bold}];
        if (!slot) {
            slot.reset(pango_font_description_from_string("DejaVu Sans"));
            pango_font_description_set_size(slot.get(), static_cast<int>(size * PANGO_SCALE));
            pango_font_description_set_weight(slot.get(), bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        }
        return slot.get();
    }

private:
    std::map<std::pair<int, bool>, Font> fonts_;
};

void line(cairo_t* cr, double x1, double y1, double x2, double y2) {
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
}

void addFrame(cairo_t* cr, const FrameLines& frame, double x, double y, double w, double h) {
    if (frame.left) line(cr, x, y, x, y + h);
    if (frame.top) line(cr, x, y, x + w, y);
    if (frame.right) line(cr, x + w, y, x + w, y + h);
    if (frame.bottom) line(cr, x, y + h, x + w, y + h);
}

// A half-point line is a fraction of a pixel on a screen; drawn where it falls it would be smeared
// grey across two pixels. Here it is whole pixels wide and lies on whole pixels, the same pixels
// for the shared edge of two neighbouring cells, and its ends reach the corners.
void drawFrameOnPixels(cairo_t* cr, const FrameLines& frame, double x, double y, double w, double h) {
    double x1 = x, y1 = y, x2 = x + w, y2 = y + h;
    cairo_user_to_device(cr, &x1, &y1);
    cairo_user_to_device(cr, &x2, &y2);
    double width = 0.5, unused = 0;
    cairo_user_to_device_distance(cr, &width, &unused);
    const double pixels = std::max(1.0, std::round(width));
    const bool odd = static_cast<long>(pixels) % 2 == 1;
    auto snap = [odd](double v) { return odd ? std::floor(v) + 0.5 : std::round(v); };
    x1 = snap(x1), y1 = snap(y1), x2 = snap(x2), y2 = snap(y2);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_line_width(cr, pixels);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    if (frame.left) line(cr, x1, y1, x1, y2);
    if (frame.top) line(cr, x1, y1, x2, y1);
    if (frame.right) line(cr, x2, y1, x2, y2);
    if (frame.bottom) line(cr, x1, y2, x2, y2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void check(cairo_status_t status, const std::string& what) {
    if (status == CAIRO_STATUS_NO_MEMORY) throw ReportError(what + ": not enough memory");
    if (status != CAIRO_STATUS_SUCCESS) throw ReportError(what + ": " + cairo_status_to_string(status));
}

// A text set once: its layout, its height, and the part of its box its ink covers.
struct SetText {
    GObject layout;
    double height = 0;  // points
    double inkLeft = 0, inkTop = 0, inkRight = 0, inkBottom = 0;
};

// Texts already set, by text, font and width: a long report sets the same headings, names and
// codes on page after page, and setting a text is most of what drawing it costs. Bounded: when
// full it starts again.
class SetTexts {
public:
    static constexpr std::size_t kLimit = 4096;

    const SetText& get(PangoContext* context, Fonts& fonts, const PreparedText& t, double width) {
        key_.assign(t.text);
        key_.push_back('\0');
        const int size = static_cast<int>(t.fontSize * PANGO_SCALE);
        const int pangoWidth = static_cast<int>(width * PANGO_SCALE);
        key_.append(reinterpret_cast<const char*>(&size), sizeof size);
        key_.append(reinterpret_cast<const char*>(&pangoWidth), sizeof pangoWidth);
        key_.push_back(static_cast<char>(t.bold));
        key_.push_back(static_cast<char>(t.align));
        const auto found = texts_.find(key_);
        if (found != texts_.end()) return found->second;
        if (texts_.size() >= kLimit) texts_.clear();
        SetText set;
        set.layout.reset(pango_layout_new(context));
        auto* layout = static_cast<PangoLayout*>(set.layout.get());
        pango_layout_set_font_description(layout, fonts.get(t.fontSize, t.bold));
        pango_layout_set_width(layout, pangoWidth);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        pango_layout_set_alignment(layout, t.align == TextAlign::Left     ? PANGO_ALIGN_LEFT
                                           : t.align == TextAlign::Center ? PANGO_ALIGN_CENTER
                                                                          : PANGO_ALIGN_RIGHT);
        pango_layout_set_text(layout, t.text.c_str(), -1);
        PangoRectangle ink{}, logical{};
        pango_layout_get_extents(layout, &ink, &logical);
        set.height = static_cast<double>(logical.height) / PANGO_SCALE;
        set.inkLeft = static_cast<double>(ink.x) / PANGO_SCALE;
        set.inkTop = static_cast<double>(ink.y) / PANGO_SCALE;
        set.inkRight = static_cast<double>(ink.x + ink.width) / PANGO_SCALE;
        set.inkBottom = static_cast<double>(ink.y + ink.height) / PANGO_SCALE;
        return texts_.emplace(key_, std::move(set)).first->second;
    }

private:
    std::string key_;
    std::unordered_map<std::string, SetText> texts_;
};

}  // namespace

struct PagePainter::Tools {
    GObject layoutHolder;
    PangoLayout* layout = nullptr;
    Fonts fonts;
    SetTexts texts;
};

PagePainter::PagePainter(cairo_t* cr, bool snapToPixels) : cr_(cr), snapToPixels_(snapToPixels), tools_(std::make_unique<Tools>()) {
    tools_->layoutHolder.reset(pango_cairo_create_layout(cr));
    tools_->layout = static_cast<PangoLayout*>(tools_->layoutHolder.get());
    PangoContext* context = pango_layout_get_context(tools_->layout);
    // Font sizes are points, and so are the context's units.
    pango_cairo_context_set_resolution(context, 72);
    if (snapToPixels) {
        // Glyph outlines are fitted to the pixels for sharpness, but the advances are not rounded:
        // a line breaks at the same word at every zoom and in the PDF.
        FontOptions options(cairo_font_options_create());
        cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(context, options.get());
    }
    pango_layout_context_changed(tools_->layout);
    cairo_set_source_rgb(cr, 0, 0, 0);
}

PagePainter::~PagePainter() = default;

void PagePainter::drawPage(const PreparedPage& page) {
    PangoContext* context = pango_layout_get_context(tools_->layout);
    for (const PreparedText& t : page.texts) {
        const double x = pt(t.left), y = pt(t.top), w = pt(t.width), h = pt(t.height);
        // Empty cells of a table are only their frame lines.
        if (t.text.empty()) continue;
        // A little air between the frame lines and the text.
        const double pad = pt(0.5);
        const SetText& set = tools_->texts.get(context, tools_->fonts, t, w - 2 * pad);
        double top = y + pad;
        if (t.valign == TextVAlign::Center) top = y + (h - set.height) / 2;
        else if (t.valign == TextVAlign::Bottom) top = y + h - pad - set.height;
        const double left = x + pad;
        // Only a text whose ink leaves its box needs the box as a clip; most fit, and a clip per
        // text is much of what a page of a vector file costs.
        const bool fits = left + set.inkLeft >= x && top + set.inkTop >= y && left + set.inkRight <= x + w &&
                          top + set.inkBottom <= y + h;
        if (!fits) {
            cairo_save(cr_);
            cairo_rectangle(cr_, x, y, w, h);
            cairo_clip(cr_);
        }
        cairo_move_to(cr_, left, top);
        pango_cairo_show_layout(cr_, static_cast<PangoLayout*>(set.layout.get()));
        if (!fits) cairo_restore(cr_);
    }
    // The frame lines last, all in one path: black on white, they look the same drawn together,
    // and a vector page holds one stroke instead of one per text.
    if (snapToPixels_) {
        for (const PreparedText& t : page.texts)
            if (t.frame.any()) drawFrameOnPixels(cr_, t.frame, pt(t.left), pt(t.top), pt(t.width), pt(t.height));
        return;
    }
    cairo_new_path(cr_);
    bool any = false;
    for (const PreparedText& t : page.texts) {
        if (!t.frame.any()) continue;
        addFrame(cr_, t.frame, pt(t.left), pt(t.top), pt(t.width), pt(t.height));
        any = true;
    }
    if (any) {
        cairo_set_line_width(cr_, 0.5);
        cairo_stroke(cr_);
    }
}

PagePixels pagePixels(double pageWidthMm, double pageHeightMm, double dotsPerInch) {
    if (!std::isfinite(dotsPerInch) || dotsPerInch <= 0)
        throw ReportError("cannot draw a page at " + std::to_string(dotsPerInch) + " dots per inch");
    const double width = std::round(pageWidthMm / 25.4 * dotsPerInch);
    const double height = std::round(pageHeightMm / 25.4 * dotsPerInch);
    // Cairo's images end at 32767 pixels a side.
    constexpr double largest = 32767;
    if (!(width >= 1 && height >= 1 && width <= largest && height <= largest))
        throw ReportError("cannot draw a page of " + std::to_string(pageWidthMm) + " x " + std::to_string(pageHeightMm) +
                          " mm at " + std::to_string(dotsPerInch) + " dots per inch: it is no image size");
    return {static_cast<int>(width), static_cast<int>(height)};
}

PagePixels pagePixels(const PreparedReport& report, double dotsPerInch) {
    try {
        return pagePixels(report.pageWidth, report.pageHeight, dotsPerInch);
    } catch (const ReportError& e) {
        throw ReportError("\"" + report.name + "\": " + e.what());
    }
}

PageImage renderPage(const PreparedPage& page, double pageWidthMm, double pageHeightMm, double dotsPerInch) {
    const PagePixels size = pagePixels(pageWidthMm, pageHeightMm, dotsPerInch);
    const std::string what = "cannot draw the page";

    PageImage image;
    image.width = size.width;
    image.height = size.height;
    image.stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, size.width);
    try {
        // White: every byte of an opaque white ARGB32 pixel is 0xff.
        image.pixels.assign(static_cast<std::size_t>(image.stride) * static_cast<std::size_t>(size.height), 0xff);
    } catch (const std::bad_alloc&) {
        throw ReportError(what + ": not enough memory for " + std::to_string(size.width) + " x " +
                          std::to_string(size.height) + " pixels");
    }
    Surface surface(cairo_image_surface_create_for_data(image.pixels.data(), CAIRO_FORMAT_ARGB32, size.width,
                                                        size.height, image.stride));
    check(cairo_surface_status(surface.get()), what);
    {
        Cairo cr(cairo_create(surface.get()));
        // Points to pixels, each way by the page's own rounding, so the page's edges are the image's.
        cairo_scale(cr.get(), size.width / pt(pageWidthMm), size.height / pt(pageHeightMm));
        PagePainter painter(cr.get(), true);
        painter.drawPage(page);
        check(cairo_status(cr.get()), what);
    }
    cairo_surface_flush(surface.get());
    return image;
}

PageImage renderPage(const PreparedReport& report, std::size_t pageIndex, double dotsPerInch) {
    if (pageIndex >= report.pages.size())
        throw ReportError("\"" + report.name + "\" has no page " + std::to_string(pageIndex + 1) + ": it has " +
                          std::to_string(report.pages.size()));
    try {
        return renderPage(report.pages[pageIndex], report.pageWidth, report.pageHeight, dotsPerInch);
    } catch (const ReportError& e) {
        throw ReportError("page " + std::to_string(pageIndex + 1) + " of \"" + report.name + "\": " + e.what());
    }
}

}  // namespace host
