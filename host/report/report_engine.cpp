// The report engine: laying a template out over its datasets and showing it.
#include "host/report/report_engine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "host/local/local_dataset.h"
#include "host/report/dataset_walk.h"
#include "host/report/page_placement.h"
#include "host/report/report_scope.h"
#include "host/report/report_error.h"
#include "host/report/report_expression.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"

namespace host {
namespace {

ReportPreview* g_installedPreview = nullptr;

// Gathers the pages of a report prepared whole.
struct KeptPages final : PageSink {
    explicit KeptPages(std::vector<PreparedPage>& pages) : pages(pages) {}
    void takePage(const PreparedPage& page) override { pages.push_back(page); }
    std::vector<PreparedPage>& pages;
};

// The template's text; false when there is no file of that name. Any other failure to read it
// (a directory, no permission, a read error) is an error naming the file and the system's reason.
bool readTemplateFile(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return false;
        throw ReportError("cannot read report template " + nameInMessage(path) + ": " + std::strerror(errno));
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    const auto fail = [&](int error) {
        throw ReportError("cannot read report template " + nameInMessage(path) + ": " + std::strerror(error));
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0) fail(errno);
    if (S_ISDIR(info.st_mode)) fail(EISDIR);
    text.clear();
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (got == 0) return true;
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace

ReportPreview::~ReportPreview() = default;

void ReportPreview::showPages(const ReportPages& pages) {
    PreparedReport report;
    report.name = pages.name();
    report.fileStem = pages.fileStem();
    report.pageWidth = pages.pageWidth();
    report.pageHeight = pages.pageHeight();
    KeptPages keep(report.pages);
    pages.walk(keep);
    show(report);
}

void installReportPreview(ReportPreview* preview) { g_installedPreview = preview; }

void ReportVariables::setVariable(const std::string& name, const Variant& value) {
    const std::string expression = displayText(value);
    const std::string key = upperAscii(name);
    for (auto& [n, e] : entries_)
        if (upperAscii(n) == key) {
            e = expression;
            return;
        }
    entries_.emplace_back(name, expression);
}

bool ReportVariables::contains(const std::string& name) const {
    const std::string key = upperAscii(name);
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return upperAscii(e.first) == key; });
}

std::string ReportVariables::expression(const std::string& name) const {
    const std::string key = upperAscii(name);
    for (const auto& [n, e] : entries_)
        if (upperAscii(n) == key) return e;
    return {};
}

ReportEngine::ReportEngine() : template_(std::make_unique<ReportTemplate>()) {}
ReportEngine::~ReportEngine() = default;

bool ReportEngine::loadFromFile(const std::string& path, bool raiseIfNotFound) {
    std::string text;
    if (!readTemplateFile(path, text)) {
        if (raiseIfNotFound) throw ReportError("report template " + nameInMessage(path) + " is not found");
        template_ = std::make_unique<ReportTemplate>();
        template_->name = std::filesystem::path(path).stem().string();
        template_->fileStem = template_->name;
        variables_.clear();
        missingTemplate_ = nameInMessage(path);
        return false;
    }
    loadFromText(text, nameInMessage(path));
    template_->fileStem = std::filesystem::path(path).stem().string();
    if (template_->name.empty()) template_->name = template_->fileStem;
    return true;
}

void ReportEngine::loadFromText(const std::string& jsonText, const std::string& origin) {
    auto loaded = std::make_unique<ReportTemplate>(parseReportTemplate(jsonText, origin));
    template_ = std::move(loaded);
    missingTemplate_.clear();
    variables_.clear();
    for (const auto& [name, expression] : template_->variables) variables_.setVariable(name, Variant(expression));
}

void ReportEngine::registerDataset(const std::string& userName, LocalDataSet& dataset) {
    const std::string key = upperAscii(userName);
    for (auto& [name, set] : datasets_)
        if (upperAscii(name) == key) {
            set = &dataset;
            return;
        }
    datasets_.emplace_back(userName, &dataset);
}

void ReportEngine::readData(ReportData& data) {
    // A blank page in place of the form would pass for a report with nothing in it.
    if (!missingTemplate_.empty()) throw ReportError("report template " + missingTemplate_ + " is not found");
    for (const auto& [name, dataset] : datasets_) {
        // A dataset the caller left closed is opened for the reading and closed again; one the
        // caller opened stays open for the caller to close.
        const bool opened = !dataset->active();
        if (opened) dataset->open();
        try {
            data.emplace(upperAscii(name), DatasetRows::read(*dataset, heldRowsLimit_));
        } catch (...) {
            if (opened) dataset->close();
            throw;
        }
        if (opened) dataset->close();
    }
}

// The report laid out page by page each time it is walked, over rows read once.
class ReportEngine::LaidOutPages final : public ReportPages {
public:
    LaidOutPages(const ReportTemplate& t, const ReportVariables& variables, const ReportData& data, int count)
        : t_(t), variables_(variables), data_(data), count_(count) {}
    const std::string& name() const override { return t_.name; }
    const std::string& fileStem() const override { return t_.fileStem; }
    double pageWidth() const override { return t_.pageWidth; }
    double pageHeight() const override { return t_.pageHeight; }
    int pageCount() const override { return count_; }
    void walk(PageSink& sink) const override {
        ReportScope scope(variables_, data_);
        // The walker reports its own progress, page by page.
        PagePlacement(t_, scope, &sink, 1, count_, false).run();
    }

private:
    const ReportTemplate& t_;
    const ReportVariables& variables_;
    const ReportData& data_;
    int count_;
};

void ReportEngine::prepareReport(bool clearLast) {
    ReportData data;
    readData(data);

    PreparedReport report;
    if (!clearLast) report = prepared_;
    report.name = template_->name;
    report.fileStem = template_->fileStem;
    report.pageWidth = template_->pageWidth;
    report.pageHeight = template_->pageHeight;
    const int before = static_cast<int>(report.pages.size());

    // The first pass only counts the pages, so that the second can print "page N of M".
    enterStage(RunStage::LayingOut);
    ReportScope counting(variables_, data);
    const int counted = PagePlacement(*template_, counting, nullptr, before + 1, 0, true).run();
    enterStage(RunStage::LayingOut);
    KeptPages keep(report.pages);
    ReportScope printing(variables_, data);
    PagePlacement(*template_, printing, &keep, before + 1, before + counted, true).run();
    prepared_ = std::move(report);
}

void ReportEngine::showReport() {
    if (!g_installedPreview) throw ReportError("no report preview is installed");
    ReportPreview& preview = *g_installedPreview;
    if (!preview.takesPagesAsLaidOut()) {
        prepareReport(true);
        preview.show(prepared_);
        return;
    }
    prepared_ = PreparedReport{};
    ReportData data;
    readData(data);
    enterStage(RunStage::LayingOut);
    ReportScope counting(variables_, data);
    const int counted = PagePlacement(*template_, counting, nullptr, 1, 0, true).run();
    preview.showPages(LaidOutPages(*template_, variables_, data, counted));
}

void ReportEngine::showPreparedReport() {
    if (!g_installedPreview) throw ReportError("no report preview is installed");
    g_installedPreview->show(prepared_);
}

}  // namespace host
