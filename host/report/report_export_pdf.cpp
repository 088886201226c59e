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

// Each page is drawn and closed as it comes.
class PageDrawer final : public PageSink {
public:
    PageDrawer(cairo_surface_t* surface, const PdfSink& sink, const std::string& path)
        : surface_(surface), cr_(cairo_create(surface)), painter_(cr_.get(), false), sink_(sink), path_(path) {}

    void takePage(const PreparedPage& page) override {
        throwIfStopRequested();
        advanceStage();
        painter_.drawPage(page);
        cairo_show_page(cr_.get());
        // A full disk is noticed at the page it happened on, not after the whole report.
        checkStatus(cairo_status(cr_.get()), sink_, path_);
        checkStatus(cairo_surface_status(surface_), sink_, path_);
    }

private:
    cairo_surface_t* surface_;
    Cairo cr_;
    PagePainter painter_;
    const PdfSink& sink_;
    const std::string& path_;
};

void drawPages(const ReportPages& pages, cairo_surface_t* surface, const PdfSink& sink, const std::string& path) {
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, pages.name().c_str());
    PageDrawer drawer(surface, sink, path);
    enterStage(RunStage::Exporting);
    pages.walk(drawer);
}

}  // namespace

void exportToPdf(const ReportPages& pages, const std::string& path) {
    PdfSink sink(path);
    Surface surface(cairo_pdf_surface_create_for_stream(&PdfSink::write, &sink, pt(pages.pageWidth()), pt(pages.pageHeight())));
    checkStatus(cairo_surface_status(surface.get()), sink, path);
    try {
        drawPages(pages, surface.get(), sink, path);
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
