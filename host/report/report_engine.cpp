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
#include "host/report/report_error.h"
#include "host/report/report_expression.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"

namespace host {
namespace {

ReportPreview* g_installedPreview = nullptr;

std::string upperAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A dataset's rows as they were when the report was prepared: grouping, sums and lookups move
// freely over them, also over datasets that read forward only.
struct Snapshot {
    std::vector<std::string> fields;  // upper-cased
    std::vector<std::vector<Variant>> rows;
    std::vector<int> all;

    int fieldIndex(const std::string& datasetName, const std::string& field) const {
        const std::string wanted = upperAscii(field);
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i] == wanted) return static_cast<int>(i);
        throw ReportError("dataset " + datasetName + " has no field " + field);
    }
};

Snapshot readRows(LocalDataSet& dataset) {
    Snapshot s;
    const int count = dataset.fieldCount();
    for (int i = 0; i < count; ++i) s.fields.push_back(upperAscii(dataset.fieldName(i)));
    for (dataset.first(); !dataset.eof(); dataset.next()) {
        throwIfStopRequested();
        std::vector<Variant> row;
        row.reserve(count);
        for (int i = 0; i < count; ++i) row.push_back(dataset.field(i));
        s.all.push_back(static_cast<int>(s.rows.size()));
        s.rows.push_back(std::move(row));
    }
    dataset.first();
    return s;
}

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

// One pass of laying the report out.
class Layout final : public ExpressionScope {
public:
    // With totalPages 0 the pass only counts the pages: band heights alone decide where pages
    // break, so the texts are neither evaluated nor kept.
    Layout(const ReportTemplate& t, const ReportVariables& variables, std::map<std::string, Snapshot>& data,
           int firstPageNumber, int totalPages)
        : t_(t), variables_(variables), data_(data), firstPageNumber_(firstPageNumber), totalPages_(totalPages),
          countOnly_(totalPages == 0) {}

    std::vector<PreparedPage> run() {
        startPage();
        printBand(t_.reportTitle.get());
        for (const auto& section : t_.sections) printSection(section);
        printBand(t_.reportSummary.get());
        finishPage();
        return std::move(pages_);
    }

    bool variableExpression(const std::string& name, std::string& expression) override {
        if (!variables_.contains(name)) return false;
        expression = variables_.expression(name);
        return true;
    }

    bool isDataset(const std::string& name) override { return data_.count(upperAscii(name)) != 0; }

    Variant field(const std::string& dataset, const std::string& fieldName) override {
        // Every text of every row names its fields again: each name is resolved once.
        auto [at, fresh] = fields_.try_emplace(dataset + '\x1f' + fieldName);
        if (fresh) {
            const Snapshot& s = snapshot(dataset);
            at->second = {&s, s.fieldIndex(dataset, fieldName), upperAscii(dataset)};
        }
        const ResolvedField& f = at->second;
        const auto current = current_.find(f.key);
        const int row = current == current_.end() ? 0 : current->second;
        if (row < 0 || row >= static_cast<int>(f.snapshot->rows.size())) return Variant(Variant::Null{});
        return f.snapshot->rows[row][f.index];
    }

    Variant pageNumber() override { return Variant(std::int64_t{firstPageNumber_ + static_cast<int>(pages_.size()) - 1}); }
    Variant totalPages() override { return Variant(std::int64_t{totalPages_}); }
    Variant lineNumber() override { return Variant(std::int64_t{line_}); }

    Variant sum(const ExprNode& argument, const std::string& dataset) override {
        const std::string key = upperAscii(dataset);
        const std::vector<int>& rows = range(dataset);
        const int saved = currentRow(dataset);
        bool integral = true;
        std::int64_t whole = 0;
        double total = 0;
        for (int r : rows) {
            current_[key] = r;
            const Variant v = evaluate(argument);
            if (v.isNullOrEmpty()) continue;
            double x = 0;
            try {
                x = v.toDouble();
            } catch (const std::invalid_argument&) {
                current_[key] = saved;
                throw ReportError("SUM over " + dataset + " meets the text \"" + displayText(v) + "\"");
            }
            if (v.isInteger()) whole += v.toInteger();
            else integral = false;
            total += x;
        }
        current_[key] = saved;
        return integral ? Variant(whole) : Variant(total);
    }

    Variant count(const std::string& dataset) override {
        if (dataset.empty()) {
            if (sectionDataset_.empty()) return Variant(std::int64_t{0});
            return Variant(static_cast<std::int64_t>(range(sectionDataset_).size()));
        }
        return Variant(static_cast<std::int64_t>(range(dataset).size()));
    }

    Variant lookup(const std::string& dataset, const std::string& keyField, const Variant& key,
                   const std::string& resultField) override {
        const Snapshot& s = snapshot(dataset);
        const int k = s.fieldIndex(dataset, keyField);
        const int r = s.fieldIndex(dataset, resultField);
        const std::string wanted = displayText(key);
        for (const auto& row : s.rows)
            if (displayText(row[k]) == wanted) return row[r];
        return Variant(Variant::Null{});
    }

private:
    const Snapshot& snapshot(const std::string& dataset) {
        const auto it = data_.find(upperAscii(dataset));
        if (it == data_.end()) throw ReportError("no dataset is registered as " + dataset);
        return it->second;
    }

    // A dataset that no data section walks sits at its first row.
    int currentRow(const std::string& dataset) {
        const auto it = current_.find(upperAscii(dataset));
        return it == current_.end() ? 0 : it->second;
    }

    const std::vector<int>& range(const std::string& dataset) {
        const auto it = ranges_.find(upperAscii(dataset));
        return it == ranges_.end() ? snapshot(dataset).all : *it->second;
    }

    double bodyBottom() const {
        return t_.pageHeight - t_.marginBottom - (t_.pageFooter ? t_.pageFooter->height : 0);
    }

    void startPage() {
        throwIfStopRequested();
        advanceStage();
        pages_.emplace_back();
        y_ = t_.marginTop;
        bodyOnPage_ = false;
        if (t_.pageHeader && bandVisible(*t_.pageHeader)) place(*t_.pageHeader);
        // The headers of the sections and groups that go on, as the page header's continuation;
        // each shows the values of the row it was printed for.
        for (const auto& [band, row] : repeats_) {
            const auto saved = current_;
            current_[row.first] = row.second;
            placeChain(*band);
            current_ = saved;
        }
    }

    void placeChain(const TemplateBand& band) {
        if (!bandVisible(band)) return;
        place(band);
        if (band.child) placeChain(*band.child);
    }

    // The height a band takes with its children, as far as they are visible now.
    double chainHeight(const TemplateBand* band) {
        if (!band || !bandVisible(*band)) return 0;
        return band->height + chainHeight(band->child.get());
    }

    // What prints for the first row below a group level's header (below the section's header
    // for level -1): the inner group headers and the row's own band.
    double firstRowHeight(const TemplateDataSection& section, int level) {
        double height = chainHeight(section.band.get());
        for (size_t k = static_cast<size_t>(level + 1); k < section.groups.size(); ++k)
            height += chainHeight(section.groups[k].header.get());
        return height;
    }

    // A header: kept on the page of the first row it heads, and noted for repeating when the
    // template asks for it (pushed after printing, so it does not repeat on its own page twice).
    void printHeader(const TemplateBand* band, double following, const std::string& key) {
        if (printBand(band, following) && band->repeatOnNewPage) repeats_.push_back({band, {key, current_[key]}});
    }

    void endHeader(const TemplateBand* band) {
        if (band && !repeats_.empty() && repeats_.back().first == band) repeats_.pop_back();
    }

    void finishPage() {
        if (!t_.pageFooter || !bandVisible(*t_.pageFooter)) return;
        y_ = t_.pageHeight - t_.marginBottom - t_.pageFooter->height;
        place(*t_.pageFooter);
    }

    bool bandVisible(const TemplateBand& band) {
        if (band.visibleWhen.empty()) return band.visible;
        try {
            return isTrue(evaluate(band.visibleWhen));
        } catch (const ReportError& e) {
            throw ReportError("band " + band.name + ": " + e.what());
        }
    }

    // Answers whether the band printed.
    bool printBand(const TemplateBand* band, double following = 0) {
        if (!band || !bandVisible(*band)) return false;
        // A band is never split: when it does not fit below what the page holds already, it
        // starts the next page (a band taller than a whole page is placed anyway). A header
        // also needs room for what it heads.
        const double needed = band->height + (following > 0 ? following + chainHeight(band->child.get()) : 0);
        if (bodyOnPage_ && (band->startNewPage || y_ + needed > bodyBottom() + 1e-9)) {
            finishPage();
            startPage();
        }
        place(*band);
        bodyOnPage_ = true;
        printBand(band->child.get());
        return true;
    }

    void place(const TemplateBand& band) {
        PreparedPage& page = pages_.back();
        if (countOnly_) {
            y_ += band.height;
            return;
        }
        for (const TemplateText& object : band.texts) {
            std::string text;
            try {
                if (!object.visibleWhen.empty() && !isTrue(evaluate(object.visibleWhen))) continue;
                text = expand(object.text);
            } catch (const ReportError& e) {
                throw ReportError((band.name.empty() ? std::string("a band") : "band " + band.name) + ": " + e.what());
            }
            PreparedText out;
            out.left = t_.marginLeft + object.left;
            out.top = y_ + object.top;
            out.width = object.width;
            out.height = object.height;
            out.text = cp1251ToUtf8(text);
            out.fontSize = object.fontSize;
            out.bold = object.bold;
            out.align = object.align;
            out.valign = object.valign;
            out.frame = object.frame;
            page.texts.push_back(std::move(out));
        }
        y_ += band.height;
    }

    void printSection(const TemplateDataSection& section) {
        const std::string key = upperAscii(section.dataset);
        const Snapshot& s = snapshot(section.dataset);
        std::vector<int> rows;
        for (int r : s.all) {
            current_[key] = r;
            if (section.filter.empty() || isTrue(evaluate(section.filter))) rows.push_back(r);
        }
        if (!section.orderBy.empty()) sortRows(section, key, rows);
        sectionDataset_ = section.dataset;
        line_ = 0;
        if (!rows.empty() || section.printIfEmpty) {
            current_[key] = rows.empty() ? -1 : rows.front();
            ranges_[key] = &rows;
            printHeader(section.header.get(), rows.empty() ? 0 : firstRowHeight(section, -1), key);
            printGroups(section, 0, rows);
            endHeader(section.header.get());
            current_[key] = rows.empty() ? -1 : rows.back();
            ranges_[key] = &rows;
            printBand(section.footer.get());
        }
        // After its section the dataset reads as any other again: at its first row, all rows.
        current_.erase(key);
        ranges_.erase(key);
        sectionDataset_.clear();
    }

    // Groups start where a condition's value changes, so a section over a table kept in the order
    // its rows arrived sorts them first to bring each group's rows together.
    void sortRows(const TemplateDataSection& section, const std::string& key, std::vector<int>& rows) {
        // Each row's keys once, side by side with the row, so the comparisons only compare.
        std::vector<std::pair<std::vector<Variant>, int>> keyed;
        keyed.reserve(rows.size());
        for (int r : rows) {
            current_[key] = r;
            std::vector<Variant> values;
            for (const std::string& e : section.orderBy) {
                try {
                    values.push_back(evaluate(e));
                } catch (const ReportError& error) {
                    throw ReportError("data section " + section.dataset + " orderBy: " + error.what());
                }
            }
            keyed.emplace_back(std::move(values), r);
        }
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            for (size_t i = 0; i < a.first.size(); ++i) {
                const int c = compareForOrder(a.first[i], b.first[i]);
                if (c != 0) return c < 0;
            }
            return false;
        });
        for (size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].second;
    }

    static int compareForOrder(const Variant& a, const Variant& b) {
        const bool emptyA = a.isNullOrEmpty(), emptyB = b.isNullOrEmpty();
        if (emptyA || emptyB) return emptyA == emptyB ? 0 : (emptyA ? -1 : 1);
        const bool numberA = a.isInteger() || a.isFloat() || a.isDate();
        const bool numberB = b.isInteger() || b.isFloat() || b.isDate();
        if (numberA && numberB) {
            const double x = a.toDouble(), y = b.toDouble();
            return x < y ? -1 : (y < x ? 1 : 0);
        }
        if (numberA != numberB) return numberA ? -1 : 1;
        const int c = displayText(a).compare(displayText(b));
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }

    void printGroups(const TemplateDataSection& section, size_t level, const std::vector<int>& rows) {
        const std::string key = upperAscii(section.dataset);
        if (level == section.groups.size()) {
            for (int r : rows) {
                current_[key] = r;
                ++line_;
                ranges_[key] = &rows;
                printBand(section.band.get());
            }
            return;
        }
        const TemplateGroup& group = section.groups[level];
        size_t i = 0;
        while (i < rows.size()) {
            current_[key] = rows[i];
            const std::string value = groupValue(group);
            std::vector<int> run{rows[i]};
            size_t j = i + 1;
            for (; j < rows.size(); ++j) {
                current_[key] = rows[j];
                if (groupValue(group) != value) break;
                run.push_back(rows[j]);
            }
            current_[key] = run.front();
            ranges_[key] = &run;
            printHeader(group.header.get(), firstRowHeight(section, static_cast<int>(level)), key);
            printGroups(section, level + 1, run);
            endHeader(group.header.get());
            current_[key] = run.back();
            ranges_[key] = &run;
            printBand(group.footer.get());
            i = j;
        }
    }

    std::string groupValue(const TemplateGroup& group) {
        try {
            return displayText(evaluate(group.condition));
        } catch (const ReportError& e) {
            throw ReportError("group condition: " + std::string(e.what()));
        }
    }

    const ReportTemplate& t_;
    const ReportVariables& variables_;
    std::map<std::string, Snapshot>& data_;
    int firstPageNumber_;
    int totalPages_;
    std::vector<PreparedPage> pages_;
    double y_ = 0;
    bool bodyOnPage_ = false;
    std::map<std::string, int> current_;
    struct ResolvedField {
        const Snapshot* snapshot = nullptr;
        int index = 0;
        std::string key;  // of current_
    };
    std::unordered_map<std::string, ResolvedField> fields_;
    std::map<std::string, const std::vector<int>*> ranges_;
    std::string sectionDataset_;
    int line_ = 0;
    bool countOnly_;
    // Headers to print again on a new page, innermost last, with the dataset row each was for.
    std::vector<std::pair<const TemplateBand*, std::pair<std::string, int>>> repeats_;
};

}  // namespace

ReportPreview::~ReportPreview() = default;

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

void ReportEngine::prepareReport(bool clearLast) {
    // A blank page in place of the form would pass for a report with nothing in it.
    if (!missingTemplate_.empty()) throw ReportError("report template " + missingTemplate_ + " is not found");
    std::map<std::string, Snapshot> data;
    for (const auto& [name, dataset] : datasets_) {
        // A dataset the caller left closed is opened for the reading and closed again; one the
        // caller opened stays open for the caller to close.
        const bool opened = !dataset->active();
        if (opened) dataset->open();
        try {
            data.emplace(upperAscii(name), readRows(*dataset));
        } catch (...) {
            if (opened) dataset->close();
            throw;
        }
        if (opened) dataset->close();
    }

    PreparedReport report;
    if (!clearLast) report = prepared_;
    report.name = template_->name;
    report.fileStem = template_->fileStem;
    report.pageWidth = template_->pageWidth;
    report.pageHeight = template_->pageHeight;
    const int before = static_cast<int>(report.pages.size());

    // The first pass only counts the pages, so that the second can print "page N of M".
    enterStage(RunStage::LayingOut);
    const auto counted = Layout(*template_, variables_, data, before + 1, 0).run();
    enterStage(RunStage::LayingOut);
    auto pages = Layout(*template_, variables_, data, before + 1, before + static_cast<int>(counted.size())).run();
    for (auto& page : pages) report.pages.push_back(std::move(page));
    prepared_ = std::move(report);
}

void ReportEngine::showPreparedReport() {
    if (!g_installedPreview) throw ReportError("no report preview is installed");
    g_installedPreview->show(prepared_);
}

}  // namespace host
