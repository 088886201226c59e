#include "host/report/report_export.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "host/report/report_error.h"

namespace host {

void exportReport(const PreparedReport& report, const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".pdf") return exportToPdf(report, path);
    if (ext == ".xlsx") return exportToXlsx(report, path);
    if (ext == ".html" || ext == ".htm") return exportToHtml(report, path);
    if (ext == ".rtf") return exportToRtf(report, path);
    throw ReportError("no export filter writes \"" + ext + "\" files: " + path);
}

}  // namespace host
