// Exporting a report as an XLSX workbook, row by row in constant memory.
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "host/files/replacing_file.h"
#include "host/report/page_sink.h"
#include "host/report/report_error.h"
#include "host/report/report_export.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"

namespace host {
namespace {

// Edges closer than this fall on one grid line.
constexpr double kSnap = 0.5;

long snapped(double mm) { return std::lround(mm / kSnap); }

struct Cell {
    const PreparedText* text = nullptr;
    std::string value;
    lxw_row_t lastRow = 0;
    lxw_col_t lastCol = 0;
};

class FormatCache {
public:
    explicit FormatCache(lxw_workbook* book) : book_(book) {}

    lxw_format* get(const PreparedText& t) {
        const auto key = std::make_tuple(t.bold, static_cast<int>(t.align), static_cast<int>(t.valign),
                                         std::lround(t.fontSize * 2), t.frame.left, t.frame.top, t.frame.right,
                                         t.frame.bottom);
        auto it = formats_.find(key);
        if (it != formats_.end()) return it->second;
        lxw_format* f = workbook_add_format(book_);
        if (t.bold) format_set_bold(f);
        format_set_font_name(f, "DejaVu Sans");
        format_set_font_size(f, t.fontSize);
        format_set_align(f, t.align == TextAlign::Left     ? LXW_ALIGN_LEFT
                            : t.align == TextAlign::Center ? LXW_ALIGN_CENTER
                                                           : LXW_ALIGN_RIGHT);
        format_set_align(f, t.valign == TextVAlign::Top      ? LXW_ALIGN_VERTICAL_TOP
                            : t.valign == TextVAlign::Center ? LXW_ALIGN_VERTICAL_CENTER
                                                             : LXW_ALIGN_VERTICAL_BOTTOM);
        format_set_text_wrap(f);
        if (t.frame.left) format_set_left(f, LXW_BORDER_THIN);
        if (t.frame.top) format_set_top(f, LXW_BORDER_THIN);
        if (t.frame.right) format_set_right(f, LXW_BORDER_THIN);
        if (t.frame.bottom) format_set_bottom(f, LXW_BORDER_THIN);
        formats_.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* book_;
    std::map<std::tuple<bool, int, int, long, bool, bool, bool, bool>, lxw_format*> formats_;
};

void check(lxw_error error, const std::string& path) {
    if (error != LXW_NO_ERROR) throw ReportError("cannot write " + path + ": " + lxw_strerror(error));
}

// The library's errors of files and of its zip writer leave the system's reason in errno.
[[noreturn]] void closeFailed(lxw_error error, int systemError, const std::string& path) {
    std::string message = "cannot write " + path + ": " + lxw_strerror(error);
    const bool fileError = error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE ||
                           error == LXW_ERROR_READING_TMPFILE || error == LXW_ERROR_ZIP_FILE_OPERATION ||
                           error == LXW_ERROR_ZIP_FILE_ADD || error == LXW_ERROR_ZIP_CLOSE;
    if (fileError && systemError != 0) message += " (" + std::string(std::strerror(systemError)) + ")";
    throw ReportError(message);
}

// A workbook given up before it was closed is freed without writing anything.
struct WorkbookGuard {
    lxw_workbook* book;
    ~WorkbookGuard() {
        if (book) lxw_workbook_free(book);
    }
};


// One page's cells, written row by row below the rows of the pages before it. In constant memory
// the library writes a row out once a later one is started, so every cell, the blank parts of
// merged ones too, goes in row order.
class SheetWriter final : public PageSink {
public:
    SheetWriter(lxw_workbook* book, FormatCache& formats, const std::vector<long>& columns, std::size_t sheetRows,
                bool landscape, const std::string& path)
        : book_(book), formats_(formats), columns_(columns), sheetRows_(sheetRows), landscape_(landscape), path_(path) {
        startSheet();
    }

    void takePage(const PreparedPage& page) override {
        throwIfStopRequested();
        advanceStage();
        std::set<long> ys;
        for (const auto& t : page.texts) {
            ys.insert(snapped(t.top));
            ys.insert(snapped(t.top + t.height));
        }
        const std::vector<long> rows(ys.begin(), ys.end());
        // A sheet ends at the spreadsheet's last row: a chain's quarter goes on, page by whole
        // page, on the next sheet.
        if (nextRow_ > 0 && nextRow_ + rows.size() > sheetRows_) {
            finishSheet();
            startSheet();
        }
        const lxw_row_t firstRow = nextRow_;
        pageStarts_.push_back(firstRow);
        auto rowOf = [&](double mm) {
            return firstRow + static_cast<lxw_row_t>(std::lower_bound(rows.begin(), rows.end(), snapped(mm)) - rows.begin());
        };
        std::map<std::pair<lxw_row_t, lxw_col_t>, Cell> cells;
        for (const auto& t : page.texts) {
            const lxw_row_t r0 = rowOf(t.top);
            const lxw_col_t c0 = columnOf(t.left);
            Cell cell{&t, t.text, std::max(r0, rowOf(t.top + t.height) - 1),
                      static_cast<lxw_col_t>(std::max<int>(c0, columnOf(t.left + t.width) - 1))};
            auto [it, fresh] = cells.emplace(std::make_pair(r0, c0), cell);
            // Two texts starting in one cell share it rather than one hiding the other.
            if (!fresh && !t.text.empty()) it->second.value += (it->second.value.empty() ? "" : " ") + t.text;
        }

        // What goes where, in the order the cells were decided: a later write to a cell wins.
        struct Write {
            lxw_row_t row;
            lxw_col_t col;
            const Cell* cell;
            bool blank;
        };
        std::vector<Write> writes;
        std::vector<std::pair<std::pair<lxw_row_t, lxw_col_t>, const Cell*>> merges;
        std::set<std::pair<lxw_row_t, lxw_col_t>> taken;
        lxw_row_t lastRow = firstRow;
        for (const auto& [at, cell] : cells) {
            bool free = true;
            for (lxw_row_t r = at.first; r <= cell.lastRow && free; ++r)
                for (lxw_col_t c = at.second; c <= cell.lastCol && free; ++c) free = !taken.count({r, c});
            if (free && (cell.lastRow > at.first || cell.lastCol > at.second)) {
                for (lxw_row_t r = at.first; r <= cell.lastRow; ++r)
                    for (lxw_col_t c = at.second; c <= cell.lastCol; ++c) {
                        writes.push_back({r, c, &cell, r != at.first || c != at.second});
                        taken.insert({r, c});
                    }
                merges.push_back({at, &cell});
                lastRow = std::max(lastRow, cell.lastRow);
            } else {
                writes.push_back({at.first, at.second, &cell, false});
                taken.insert(at);
                lastRow = std::max(lastRow, at.first);
            }
        }
        std::stable_sort(writes.begin(), writes.end(), [](const Write& a, const Write& b) {
            return a.row != b.row ? a.row < b.row : a.col < b.col;
        });

        const auto heights = static_cast<lxw_row_t>(rows.empty() ? 0 : rows.size() - 1);
        // A merge is recorded at its last row: the library takes no range that ends above the row
        // it is at, and writes nothing behind it (the cells of that row again, the same).
        std::stable_sort(merges.begin(), merges.end(),
                         [](const auto& a, const auto& b) { return a.second->lastRow < b.second->lastRow; });
        std::size_t w = 0, m = 0;
        for (lxw_row_t r = firstRow; r <= std::max(lastRow, firstRow + (heights ? heights - 1 : 0)); ++r) {
            if (r < firstRow + heights) {
                // Points; spreadsheets take no row taller than 409 of them.
                const double height = (rows[r - firstRow + 1] - rows[r - firstRow]) * kSnap;
                check(worksheet_set_row(sheet_, r, std::min(height * 72.0 / 25.4, 409.0), nullptr), path_);
            }
            for (; w < writes.size() && writes[w].row == r; ++w) {
                const Write& write = writes[w];
                lxw_format* format = formats_.get(*write.cell->text);
                if (write.blank)
                    check(worksheet_write_blank(sheet_, write.row, write.col, format), path_);
                else
                    check(worksheet_write_string(sheet_, write.row, write.col, write.cell->value.c_str(), format), path_);
            }
            for (; m < merges.size() && merges[m].second->lastRow == r; ++m) {
                const auto& [at, cell] = merges[m];
                check(worksheet_merge_range(sheet_, at.first, at.second, cell->lastRow, cell->lastCol,
                                            cell->value.c_str(), formats_.get(*cell->text)),
                      path_);
            }
        }
        nextRow_ = firstRow + heights;
    }

    // The last sheet's page breaks and paper.
    void finishSheet() {
        // Where each page after the first starts, ending with the zero the library wants.
        std::vector<lxw_row_t> breaks(pageStarts_.begin() + (pageStarts_.empty() ? 0 : 1), pageStarts_.end());
        breaks.push_back(0);
        if (breaks.size() > 1) check(worksheet_set_h_pagebreaks(sheet_, breaks.data()), path_);
        worksheet_set_paper(sheet_, 9);  // A4
        if (landscape_) worksheet_set_landscape(sheet_);
    }

private:
    void startSheet() {
        sheet_ = workbook_add_worksheet(book_, nullptr);
        if (!sheet_) throw ReportError("cannot write " + path_ + ": the spreadsheet library cannot add a sheet");
        for (std::size_t i = 0; i + 1 < columns_.size(); ++i) {
            // Excel measures columns in characters of its default font, about 1.9 mm each.
            const double width = (columns_[i + 1] - columns_[i]) * kSnap / 1.9;
            check(worksheet_set_column(sheet_, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i), width, nullptr), path_);
        }
        nextRow_ = 0;
        pageStarts_.clear();
    }

    lxw_col_t columnOf(double mm) const {
        return static_cast<lxw_col_t>(std::lower_bound(columns_.begin(), columns_.end(), snapped(mm)) - columns_.begin());
    }

    lxw_workbook* book_;
    lxw_worksheet* sheet_ = nullptr;
    FormatCache& formats_;
    const std::vector<long>& columns_;
    std::size_t sheetRows_;
    bool landscape_;
    const std::string& path_;
    lxw_row_t nextRow_ = 0;
    std::vector<lxw_row_t> pageStarts_;
};

}  // namespace

void exportToXlsx(const ReportPages& pages, const std::string& path, std::size_t sheetRows) {
    // The library writes the file by its name, when the workbook is closed.
    ReplacingFile file(path);
    file.releaseForLibrary();

    // Columns: every left and right edge of any text on any page is a column boundary, so the
    // pages are walked once for them before the sheet is written.
    std::set<long> xs;
    PageFunction edges([&](const PreparedPage& page) {
        throwIfStopRequested();
        for (const auto& t : page.texts) {
            xs.insert(snapped(t.left));
            xs.insert(snapped(t.left + t.width));
        }
    });
    enterStage(RunStage::LayingOut);
    pages.walk(edges);
    const std::vector<long> columns(xs.begin(), xs.end());

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.temporaryPath().c_str(), &options);
    if (!book) throw ReportError("cannot write " + path + ": the spreadsheet library cannot start a workbook");
    WorkbookGuard guard{book};
    FormatCache formats(book);
    SheetWriter writer(book, formats, columns, std::min(sheetRows, kXlsxSheetRows), pages.pageWidth() > pages.pageHeight(), path);
    enterStage(RunStage::Exporting);
    pages.walk(writer);
    writer.finishSheet();
    // Closing writes the file and frees the workbook, whatever it answers.
    guard.book = nullptr;
    errno = 0;
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) closeFailed(closed, errno, path);
    file.commit();
}

}  // namespace host
