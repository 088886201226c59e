// Choosing the export filter by the file's extension.
#include "host/report/report_export.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "host/report/report_error.h"

namespace host {

namespace {
std::string extensionOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}
}  // namespace

bool exportFormatKnown(const std::string& path) {
    const std::string ext = extensionOf(path);
    return ext == ".pdf" || ext == ".xlsx" || ext == ".html" || ext == ".htm" || ext == ".rtf";
}

void exportReport(const ReportPages& pages, const std::string& path) {
    const std::string ext = extensionOf(path);
    if (ext == ".pdf") return exportToPdf(pages, path);
    if (ext == ".xlsx") return exportToXlsx(pages, path);
    if (ext == ".html" || ext == ".htm") return exportToHtml(pages, path);
    if (ext == ".rtf") return exportToRtf(pages, path);
    throw ReportError("no export filter writes \"" + ext + "\" files: " + path);
}

void exportReport(const PreparedReport& report, const std::string& path) { exportReport(HeldPages(report), path); }
void exportToPdf(const PreparedReport& report, const std::string& path) { exportToPdf(HeldPages(report), path); }
void exportToXlsx(const PreparedReport& report, const std::string& path) { exportToXlsx(HeldPages(report), path); }
void exportToHtml(const PreparedReport& report, const std::string& path) { exportToHtml(HeldPages(report), path); }
void exportToRtf(const PreparedReport& report, const std::string& path) { exportToRtf(HeldPages(report), path); }

}  // namespace host
