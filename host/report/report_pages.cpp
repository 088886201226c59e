// The pages of a report prepared whole, walked as any report's pages are.
#include "host/report/report_pages.h"

namespace host {

ReportPages::~ReportPages() = default;

void HeldPages::walk(PageSink& sink) const {
    for (const PreparedPage& page : report_.pages) sink.takePage(page);
}

}  // namespace host
