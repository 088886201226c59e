#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

#include "host/report/report_error.h"
#include "host/report/report_export.h"

namespace host {
namespace {

// Cairo's PDF units are points.
double pt(double mm) { return mm * 72.0 / 25.4; }

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
void unrefObject(void* p) { g_object_unref(p); }

using Surface = std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;
using Cairo = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;
using Font = std::unique_ptr<PangoFontDescription, Deleter<PangoFontDescription, pango_font_description_free>>;
using GObject = std::unique_ptr<void, Deleter<void, unrefObject>>;

void drawText(cairo_t* cr, PangoLayout* layout, const PreparedText& t) {
    const double x = pt(t.left), y = pt(t.top), w = pt(t.width), h = pt(t.height);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    // A little air between the frame lines and the text.
    const double pad = pt(0.5);
    Font font(pango_font_description_from_string("DejaVu Sans"));
    pango_font_description_set_size(font.get(), static_cast<int>(t.fontSize * PANGO_SCALE));
    pango_font_description_set_weight(font.get(), t.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout, font.get());
    pango_layout_set_width(layout, static_cast<int>((w - 2 * pad) * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout, t.align == TextAlign::Left     ? PANGO_ALIGN_LEFT
                                       : t.align == TextAlign::Center ? PANGO_ALIGN_CENTER
                                                                      : PANGO_ALIGN_RIGHT);
    pango_layout_set_text(layout, t.text.c_str(), -1);
    int textWidth = 0, textHeight = 0;
    pango_layout_get_size(layout, &textWidth, &textHeight);
    const double th = static_cast<double>(textHeight) / PANGO_SCALE;
    double top = y + pad;
    if (t.valign == TextVAlign::Center) top = y + (h - th) / 2;
    else if (t.valign == TextVAlign::Bottom) top = y + h - pad - th;
    cairo_move_to(cr, x + pad, top);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);

    if (!t.frame.any()) return;
    cairo_set_line_width(cr, 0.5);
    auto line = [&](double x1, double y1, double x2, double y2) {
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
    };
    if (t.frame.left) line(x, y, x, y + h);
    if (t.frame.top) line(x, y, x + w, y);
    if (t.frame.right) line(x + w, y, x + w, y + h);
    if (t.frame.bottom) line(x, y + h, x + w, y + h);
    cairo_stroke(cr);
}

}  // namespace

void exportToPdf(const PreparedReport& report, const std::string& path) {
    Surface surface(cairo_pdf_surface_create(path.c_str(), pt(report.pageWidth), pt(report.pageHeight)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw ReportError("cannot write " + path + ": " + cairo_status_to_string(cairo_surface_status(surface.get())));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, report.name.c_str());
    Cairo cr(cairo_create(surface.get()));
    GObject layoutHolder(pango_cairo_create_layout(cr.get()));
    auto* layout = static_cast<PangoLayout*>(layoutHolder.get());
    // Font sizes are points, and so are the surface's units.
    pango_cairo_context_set_resolution(pango_layout_get_context(layout), 72);
    pango_layout_context_changed(layout);
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    for (const PreparedPage& page : report.pages) {
        for (const PreparedText& t : page.texts) drawText(cr.get(), layout, t);
        cairo_show_page(cr.get());
    }
    cr.reset();
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw ReportError("cannot write " + path + ": " + cairo_status_to_string(cairo_surface_status(surface.get())));
}

}  // namespace host
