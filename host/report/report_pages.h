#pragma once

// A report's pages as the export filters and previews walk them, held or laid out as they go.

#include <string>

#include "host/host_api.h"
#include "host/report/page_sink.h"
#include "host/report/prepared_report.h"

namespace host {

// The pages of a report in order, their number known before the first is handed over. A walk may
// lay the pages out as it goes and forget each once the sink has it, so no more than one page is
// held at a time; walking again lays them out anew, the same.
class HOST_API ReportPages {
public:
    virtual ~ReportPages();
    virtual const std::string& name() const = 0;      // the template's name, for titles
    virtual const std::string& fileStem() const = 0;  // its file's name without the extension
    virtual double pageWidth() const = 0;             // millimetres
    virtual double pageHeight() const = 0;
    virtual int pageCount() const = 0;
    // Hands every page to the sink, in order. Throws what laying out throws (ReportError,
    // StopRequested) and what the sink throws.
    virtual void walk(PageSink& sink) const = 0;
};

// The pages of a report prepared whole.
class HOST_API HeldPages final : public ReportPages {
public:
    explicit HeldPages(const PreparedReport& report) : report_(report) {}
    const std::string& name() const override { return report_.name; }
    const std::string& fileStem() const override { return report_.fileStem; }
    double pageWidth() const override { return report_.pageWidth; }
    double pageHeight() const override { return report_.pageHeight; }
    int pageCount() const override { return static_cast<int>(report_.pages.size()); }
    void walk(PageSink& sink) const override;

private:
    const PreparedReport& report_;
};

}  // namespace host
