// Laying a report's bands out down its pages.
#include "host/report/page_placement.h"

#include "host/progress/run_progress.h"
#include "host/report/dataset_walk.h"
#include "host/report/report_error.h"
#include "host/report/report_scope.h"
#include "host/report/report_template.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"

namespace host {

int PagePlacement::run() {
    startPage();
    printBand(t_.reportTitle.get());
    for (const auto& section : t_.sections) printSection(section);
    printBand(t_.reportSummary.get());
    finishPage();
    return pages_;
}

double PagePlacement::bodyBottom() const {
    return t_.pageHeight - t_.marginBottom - (t_.pageFooter ? t_.pageFooter->height : 0);
}

void PagePlacement::startPage() {
    throwIfStopRequested();
    if (reportsProgress_) advanceStage();
    ++pages_;
    scope_.setPage(firstPageNumber_ + pages_ - 1, totalPages_);
    y_ = t_.marginTop;
    bodyOnPage_ = false;
    if (t_.pageHeader && bandVisible(*t_.pageHeader)) place(*t_.pageHeader);
    // The headers of the sections and groups that go on, as the page header's continuation;
    // each shows the values of the row it was printed for.
    for (const auto& [band, row] : repeats_) {
        const ReportScope::Rows saved = scope_.currentRows();
        scope_.setRow(row.first, row.second);
        placeChain(*band);
        scope_.restoreRows(saved);
    }
}

void PagePlacement::finishPage() {
    if (t_.pageFooter && bandVisible(*t_.pageFooter)) {
        y_ = t_.pageHeight - t_.marginBottom - t_.pageFooter->height;
        place(*t_.pageFooter);
    }
    if (sink_) {
        sink_->takePage(page_);
        page_.texts.clear();
    }
}

void PagePlacement::placeChain(const TemplateBand& band) {
    if (!bandVisible(band)) return;
    place(band);
    if (band.child) placeChain(*band.child);
}

// The height a band takes with its children, as far as they are visible now.
double PagePlacement::chainHeight(const TemplateBand* band) {
    if (!band || !bandVisible(*band)) return 0;
    return band->height + chainHeight(band->child.get());
}

// What prints for the first row below a group level's header (below the section's header for
// level -1): the inner group headers and the row's own band.
double PagePlacement::firstRowHeight(const TemplateDataSection& section, int level) {
    double height = chainHeight(section.band.get());
    for (std::size_t k = static_cast<std::size_t>(level + 1); k < section.groups.size(); ++k)
        height += chainHeight(section.groups[k].header.get());
    return height;
}

// A header: kept on the page of the first row it heads, and noted for repeating when the template
// asks for it (pushed after printing, so it does not repeat on its own page twice).
void PagePlacement::printHeader(const TemplateBand* band, double following, const std::string& key) {
    if (printBand(band, following) && band->repeatOnNewPage) repeats_.push_back({band, {key, scope_.row(key)}});
}

void PagePlacement::endHeader(const TemplateBand* band) {
    if (band && !repeats_.empty() && repeats_.back().first == band) repeats_.pop_back();
}

bool PagePlacement::bandVisible(const TemplateBand& band) {
    if (band.visibleWhen.empty()) return band.visible;
    try {
        return isTrue(scope_.evaluate(band.visibleWhen));
    } catch (const ReportError& e) {
        throw ReportError("band " + band.name + ": " + e.what());
    }
}

// Answers whether the band printed.
bool PagePlacement::printBand(const TemplateBand* band, double following) {
    if (!band || !bandVisible(*band)) return false;
    // A band is never split: when it does not fit below what the page holds already, it starts
    // the next page (a band taller than a whole page is placed anyway). A header also needs room
    // for what it heads.
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

void PagePlacement::place(const TemplateBand& band) {
    if (!sink_) {
        y_ += band.height;
        return;
    }
    for (const TemplateText& object : band.texts) {
        std::string text;
        try {
            if (!object.visibleWhen.empty() && !isTrue(scope_.evaluate(object.visibleWhen))) continue;
            text = scope_.expand(object.text);
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
        page_.texts.push_back(std::move(out));
    }
    y_ += band.height;
}

void PagePlacement::printSection(const TemplateDataSection& section) {
    const std::string key = upperAscii(section.dataset);
    const std::vector<int> rows = sectionRows(scope_, section);
    scope_.startSection(section.dataset);
    if (!rows.empty() || section.printIfEmpty) {
        scope_.setRow(key, rows.empty() ? -1 : rows.front());
        scope_.setRange(key, &rows);
        printHeader(section.header.get(), rows.empty() ? 0 : firstRowHeight(section, -1), key);
        printGroups(section, 0, rows);
        endHeader(section.header.get());
        scope_.setRow(key, rows.empty() ? -1 : rows.back());
        scope_.setRange(key, &rows);
        printBand(section.footer.get());
    }
    // After its section the dataset reads as any other again: at its first row, all rows.
    scope_.leaveDataset(key);
    scope_.endSection();
}

void PagePlacement::printGroups(const TemplateDataSection& section, std::size_t level, const std::vector<int>& rows) {
    const std::string key = upperAscii(section.dataset);
    if (level == section.groups.size()) {
        for (int r : rows) {
            scope_.setRow(key, r);
            scope_.nextLine();
            scope_.setRange(key, &rows);
            printBand(section.band.get());
        }
        return;
    }
    const TemplateGroup& group = section.groups[level];
    std::size_t i = 0;
    while (i < rows.size()) {
        const std::size_t j = groupEnd(scope_, group, key, rows, i);
        const std::vector<int> run(rows.begin() + static_cast<std::ptrdiff_t>(i), rows.begin() + static_cast<std::ptrdiff_t>(j));
        scope_.setRow(key, run.front());
        scope_.setRange(key, &run);
        printHeader(group.header.get(), firstRowHeight(section, static_cast<int>(level)), key);
        printGroups(section, level + 1, run);
        endHeader(group.header.get());
        scope_.setRow(key, run.back());
        scope_.setRange(key, &run);
        printBand(group.footer.get());
        i = j;
    }
}

}  // namespace host
