// Exporting a prepared report as PDF.
#include <cairo-pdf.h>
#include <cairo.h>

#include <exception>
#include <memory>
#include <utility>

#include "host/files/replacing_file.h"
#include "host/report/cairo_handles.h"
#include "host/report/page_painter.h"
#include "host/report/report_error.h"
#include "host/report/report_export.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"

namespace host {
namespace {

using namespace cairo_handles;

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
    PagePainter painter(cr.get(), false);
    enterStage(RunStage::Exporting);
    for (const PreparedPage& page : report.pages) {
        throwIfStopRequested();
        advanceStage();
        painter.drawPage(page);
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
