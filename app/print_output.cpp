// Where the program's print form goes: a file in the format its extension names.
#include "app/print_output.h"

#include <filesystem>

#include "host/files/replacing_file.h"
#include "host/report/report_error.h"
#include "host/report/report_export.h"
#include "host/text/cp1251.h"

namespace app {
namespace {

// The program shows an error's text as windows-1251, while the file's name in it is UTF-8 as the
// command line gave it.
std::string hostText(const char* message) { return host::nameInMessage(message); }

}  // namespace

void PrintOutputFile::show(const host::PreparedReport& report) { showPages(host::HeldPages(report)); }

void PrintOutputFile::showPages(const host::ReportPages& pages) {
    namespace fs = std::filesystem;
    const std::string stem = !pages.fileStem().empty() ? pages.fileStem() : (!pages.name().empty() ? pages.name() : "report");
    fs::path path = requested_ ? fs::path(*requested_) : fs::current_path() / (stem + ".html");
    if (!tag_.empty()) path.replace_filename(path.stem().string() + "." + tag_ + path.extension().string());
    try {
        host::exportReport(pages, path.string());
    } catch (const host::FileWriteError& e) {
        throw host::FileWriteError(hostText(e.what()));
    } catch (const host::ReportError& e) {
        throw host::ReportError(hostText(e.what()));
    }
    written_ = fs::absolute(path).lexically_normal().string();
}

}  // namespace app
