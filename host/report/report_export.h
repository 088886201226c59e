#pragma once

// The export filters of prepared reports.

#include <cstddef>
#include <string>

#include "host/host_api.h"
#include "host/report/prepared_report.h"
#include "host/report/report_pages.h"

namespace host {

// The export filters: each renders the pages of a prepared report into one file, written beside it
// under "<path>.part" and given its name only when complete (host/files/replacing_file.h). A file
// system failure throws FileWriteError, any other ReportError, each naming the file and the reason;
// a stop request throws StopRequested at the next page. On every failure the part is removed and
// an earlier file of the name is left as it was.

// Each filter walks the pages once, writing each page as it comes (XLSX walks them twice: the
// columns come from every page), so pages laid out as they go are never held together.

// Vector pages with the text embedded (DejaVu fonts, so Cyrillic prints).
HOST_API void exportToPdf(const ReportPages& pages, const std::string& path);
// The rows a spreadsheet's sheet holds at most.
inline constexpr std::size_t kXlsxSheetRows = 1048576;
// One sheet, and more when the pages need more than `sheetRows` rows: each sheet holds whole pages.
// Each page's texts become rows by their vertical position and columns by their left edge, so
// the table of the report stays a table. Written row by row, in constant memory.
HOST_API void exportToXlsx(const ReportPages& pages, const std::string& path, std::size_t sheetRows = kXlsxSheetRows);
// One HTML document, every page a box of its paper size with the texts placed absolutely.
HOST_API void exportToHtml(const ReportPages& pages, const std::string& path);
// Framed paragraphs placed on the page, one RTF page per prepared page.
HOST_API void exportToRtf(const ReportPages& pages, const std::string& path);

// The same for a report prepared whole.
HOST_API void exportToPdf(const PreparedReport& report, const std::string& path);
HOST_API void exportToXlsx(const PreparedReport& report, const std::string& path);
HOST_API void exportToHtml(const PreparedReport& report, const std::string& path);
HOST_API void exportToRtf(const PreparedReport& report, const std::string& path);

// Whether exportReport has a filter for the file's extension.
HOST_API bool exportFormatKnown(const std::string& path);
// By the file's extension: .pdf, .xlsx, .html or .htm, .rtf (in any case). Throws ReportError
// for any other.
HOST_API void exportReport(const ReportPages& pages, const std::string& path);
HOST_API void exportReport(const PreparedReport& report, const std::string& path);

}  // namespace host
