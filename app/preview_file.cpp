#include "app/preview_file.h"

#include <filesystem>

#include "host/report/report_export.h"

namespace app {

void PreviewFile::show(const host::PreparedReport& report) {
    namespace fs = std::filesystem;
    const std::string stem = !report.fileStem.empty() ? report.fileStem : (!report.name.empty() ? report.name : "report");
    const fs::path path = requested_ ? fs::path(*requested_) : fs::current_path() / (stem + ".html");
    host::exportReport(report, path.string());
    written_ = fs::absolute(path).lexically_normal().string();
}

}  // namespace app
