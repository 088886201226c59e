// Measures writing one form's declaration file, or its print form, from work tables that a
// previous run of this program collected, so that the time and peak memory reported are the
// writing's own.
//   declaration_bench DATABASE FORM WORK_DIR collect|write|check|print.pdf|print.xlsx|print.html [CLIENT]
// collect fills WORK_DIR and prints: form rows seconds peak_kib; write and print print: form rows
// seconds peak_kib output_bytes pages; check writes the declaration, then times the checks before
// filing of the tables and the file alone and prints: form rows seconds peak_kib findings.
// With DECLARATION_BENCH_KEEP set, the declaration written is copied there.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/checks/declaration_checks.h"
#include "core/checks/frame_check_run.h"
#include "forms/rozn/report_frame.h"
#include "forms/buy/report_frame.h"
#include "forms/delivery/report_frame.h"
#include "forms/oborot/report_frame.h"
#include "forms/roznbeer/report_frame.h"
#include "forms/transport/report_frame.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"
#include "host/report/report_export.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"

namespace {

const std::map<std::string, std::function<std::unique_ptr<core::DeclarationFrame>()>> kForms = {
    {"rozn", [] { return std::make_unique<forms::rozn::TZorvicRoznReport>(); }},
    {"roznbeer", [] { return std::make_unique<forms::roznbeer::TZorvicRoznBeerReport>(); }},
    {"transport", [] { return std::make_unique<forms::transport::TZorvicTransportReport>(); }},
    {"buy", [] { return std::make_unique<forms::buy::TZorvicBuyReport>(); }},
    {"delivery", [] { return std::make_unique<forms::delivery::TZorvicDeliveryReport>(); }},
    {"oborot", [] { return std::make_unique<forms::oborot::TZorvicOborotReport>(); }},
};

struct Printed final : host::ui::MessageService {
    void show(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "%s\n", host::cp1251ToUtf8(text).c_str());
    }
};

// The print form goes to a file, as the program's preview writes it.
struct PrintFile final : host::ReportPreview {
    explicit PrintFile(std::string path) : path(std::move(path)) {}
    void show(const host::PreparedReport& report) override { showPages(host::HeldPages(report)); }
    bool takesPagesAsLaidOut() const override { return true; }
    void showPages(const host::ReportPages& report) override {
        host::exportReport(report, path);
        pages = report.pageCount();
    }
    std::string path;
    long pages = 0;
};

// The step's own peak: the process's high-water mark is set back to what it holds now before the
// step starts (opening the host database and counting the rows come before and are not its part).
void resetPeak() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

long peakKib() {
    long kib = 0;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld", &kib) == 1) break;
        std::fclose(f);
    }
    if (kib == 0) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        kib = usage.ru_maxrss;
    }
    return kib;
}

long rowsOf(host::LocalTable& table) {
    long rows = 0;
    table.open();
    for (table.first(); !table.eof(); table.next()) ++rows;
    table.close();
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string step = argc >= 5 ? argv[4] : "";
    const bool print = step.rfind("print.", 0) == 0 && host::exportFormatKnown(step);
    if (argc < 5 || !kForms.count(argv[2]) || (step != "collect" && step != "write" && step != "check" && !print)) {
        std::fprintf(stderr, "usage: declaration_bench DATABASE rozn|roznbeer|transport|buy|delivery|oborot WORK_DIR "
                             "collect|write|check|print.pdf|print.xlsx|print.html [CLIENT]\n");
        return 2;
    }
    const bool collect = step == "collect";
    host::HostConfig().setReportPath(ZORVIC_SOURCE_DIR "/reports/");
    const std::string work = host::withTrailingDelimiter(argv[3]);
    const int client = argc > 5 ? std::atoi(argv[5]) : 1;
    std::filesystem::create_directories(work + "out");

    Printed messages;
    host::ui::setMessageService(&messages);
    host::MainDM().setWorkDirectory(work);
    try {
        host::FirebirdDatabase database(argv[1]);
        host::MainDM().attachDatabase(&database);
        auto frame = kForms.at(argv[2])();
        const std::string section(frame->profile().moduleName.substr(1));
        frame->setReportName(section);
        frame->chooseClient(client, std::to_string(client));
        host::MemIniFile options;
        options.writeInteger(section, "seYear", 2024);
        options.writeInteger(section, "rgReportKind", print ? 0 : 1);
        options.writeString(section, "dePath", work + "out");
        frame->ReadOptions(options);
        frame->SetTMPTablesDatabaseName();
        if (collect) {
            resetPeak();
            const auto start = std::chrono::steady_clock::now();
            frame->FillDataTable();
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const long rows = rowsOf(frame->tblResult) + (frame->tblResultOborot ? rowsOf(*frame->tblResultOborot) : 0);
            std::printf("%s %ld %.3f %ld\n", argv[2], rows, seconds, peakKib());
        } else if (step == "check") {
            const long rows = rowsOf(frame->tblResult) + (frame->tblResultOborot ? rowsOf(*frame->tblResultOborot) : 0);
            frame->MakeFile();
            const core::checks::CheckedRun run = core::checks::checkedRun(
                *frame, *core::checks::formTablesOfModule(frame->profile().moduleName), work, client, frame->producedPath());
            resetPeak();
            const auto start = std::chrono::steady_clock::now();
            const core::checks::Findings findings = core::checks::checkDeclaration(run);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            // Each part on its own too, on stderr, for the profile of a slow check.
            if (std::getenv("DECLARATION_BENCH_PARTS")) {
                auto timed = [](const char* what, auto part) {
                    core::checks::Findings findings;
                    const auto from = std::chrono::steady_clock::now();
                    part(findings);
                    std::fprintf(stderr, "%s %.3f s\n", what,
                                 std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count());
                };
                timed("work tables", [&](core::checks::Findings& f) { core::checks::checkWorkTables(f, run); });
                timed("file", [&](core::checks::Findings& f) { core::checks::checkFile(f, *run.declarationPath, run.tables->form); });
            }
            std::filesystem::remove(frame->producedPath());
            std::printf("%s %ld %.3f %ld %zu\n", argv[2], rows, seconds, peakKib(), findings.size());
        } else {
            const long rows = rowsOf(frame->tblResult) + (frame->tblResultOborot ? rowsOf(*frame->tblResultOborot) : 0);
            PrintFile printed(work + "out/" + step);
            host::installReportPreview(&printed);
            resetPeak();
            const auto start = std::chrono::steady_clock::now();
            if (print)
                frame->PrintReport();
            else
                frame->MakeFile();
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            host::installReportPreview(nullptr);
            const long peak = peakKib();
            const std::string output = print ? printed.path : frame->producedPath();
            const auto bytes = std::filesystem::exists(output) ? std::filesystem::file_size(output) : 0;
            // A copy kept on request, to compare the files of two builds.
            if (const char* keep = std::getenv("DECLARATION_BENCH_KEEP"); keep && !print && bytes > 0)
                std::filesystem::copy_file(output, keep, std::filesystem::copy_options::overwrite_existing);
            std::filesystem::remove(output);
            std::printf("%s %ld %.3f %ld %llu %ld\n", argv[2], rows, seconds, peak,
                        static_cast<unsigned long long>(bytes), printed.pages);
        }
        host::MainDM().attachDatabase(nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", host::cp1251ToUtf8(e.what()).c_str());
        return 1;
    }
    host::FirebirdDatabase::shutdown();
    return 0;
}
