// Exporting a prepared report as PDF.
#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <exception>
#include <map>
#include <memory>
#include <utility>

#include "host/files/replacing_file.h"
#include "host/report/report_error.h"
#include "host/report/report_export.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"

namespace host {
namespace {

// Cairo's PDF units are points.
double pt(double mm) { return mm * 72.0 / 25.4; }

void drawFrame(cairo_t* cr, const FrameLines& frame, double x, double y, double w, double h) {
    if (!frame.any()) return;
    cairo_set_line_width(cr, 0.5);
    auto line = [&](double x1, double y1, double x2, double y2) {
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
    };
    if (frame.left) line(x, y, x, y + h);
    if (frame.top) line(x, y, x + w, y);
    if (frame.right) line(x + w, y, x + w, y + h);
    if (frame.bottom) line(x, y + h, x + w, y + h);
    cairo_stroke(cr);
}

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
void unrefObject(void* p) { g_object_unref(p); }

using Surface = std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;
using Cairo = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;
using Font = std::unique_ptr<PangoFontDescription, Deleter<PangoFontDescription, pango_font_description_free>>;
using GObject = std::unique_ptr<void, Deleter<void, unrefObject>>;

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

void drawText(cairo_t* cr, PangoLayout* layout, Fonts& fonts, const PreparedText& t) {
    const double x = pt(t.left), y = pt(t.top), w = pt(t.width), h = pt(t.height);
    // Empty cells of a table are only their frame lines.
    if (t.text.empty()) {
        drawFrame(cr, t.frame, x, y, w, h);
        return;
    }
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    // A little air between the frame lines and the text.
    const double pad = pt(0.5);
    pango_layout_set_font_description(layout, fonts.get(t.fontSize, t.bold));
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
    drawFrame(cr, t.frame, x, y, w, h);
}

// Where cairo's output goes: the file beside the one asked for. The first failure of a write is
// kept to be thrown with the system's reason once cairo has returned; after it, and once the
// export is given up, cairo's writes are refused at once.
struct PdfSink {
    explicit PdfSink(const std::string& path) : file(path) {}

    static cairo_status_t write(void* closure, const unsigned char* data, unsigned int length) {
        auto* sink = static_cast<PdfSink*>(closure);
        if (sink->error || sink->abandoned) return CAIRO_STATUS_WRITE_ERROR;
        try {
            sink->file.write(data, length);
            return CAIRO_STATUS_SUCCESS;
        } catch (...) {
            sink->error = std::current_exception();
            return CAIRO_STATUS_WRITE_ERROR;
        }
    }

    ReplacingFile file;
    std::exception_ptr error;
    bool abandoned = false;
};

void checkStatus(cairo_status_t status, const PdfSink& sink, const std::string& path) {
    if (sink.error) std::rethrow_exception(sink.error);
    if (status != CAIRO_STATUS_SUCCESS) throw ReportError("cannot write " + path + ": " + cairo_status_to_string(status));
}

void drawPages(const PreparedReport& report, cairo_surface_t* surface, const PdfSink& sink, const std::string& path) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, report.name.c_str());
    Cairo cr(cairo_create(surface));
    GObject layoutHolder(pango_cairo_create_layout(cr.get()));
    auto* layout = static_cast<PangoLayout*>(layoutHolder.get());
    // Font sizes are points, and so are the surface's units.
    pango_cairo_context_set_resolution(pango_layout_get_context(layout), 72);
    pango_layout_context_changed(layout);
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    Fonts fonts;
    enterStage(RunStage::Exporting);
    for (const PreparedPage& page : report.pages) {
        throwIfStopRequested();
        advanceStage();
        for (const PreparedText& t : page.texts) drawText(cr.get(), layout, fonts, t);
        cairo_show_page(cr.get());
        // A full disk is noticed at the page it happened on, not after the whole report.
        checkStatus(cairo_status(cr.get()), sink, path);
        checkStatus(cairo_surface_status(surface), sink, path);
    }
}

}  // namespace

void exportToPdf(const PreparedReport& report, const std::string& path) {
    PdfSink sink(path);
    Surface surface(cairo_pdf_surface_create_for_stream(&PdfSink::write, &sink, pt(report.pageWidth), pt(report.pageHeight)));
    checkStatus(cairo_surface_status(surface.get()), sink, path);
    try {
        drawPages(report, surface.get(), sink, path);
        // The fonts and the cross-reference table are written only now.
        cairo_surface_finish(surface.get());
        checkStatus(cairo_surface_status(surface.get()), sink, path);
    } catch (...) {
        // Destroying the surface would otherwise write the rest of a document no one will read.
        sink.abandoned = true;
        throw;
    }
    surface.reset();
    sink.file.commit();
}

}  // namespace host
