// Exporting a prepared report as an XLSX workbook.
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

}  // namespace

void exportToXlsx(const PreparedReport& report, const std::string& path) {
    // The library writes the file by its name, when the workbook is closed.
    ReplacingFile file(path);
    file.releaseForLibrary();

    // Columns: every left and right edge of any text on any page is a column boundary.
    std::set<long> xs;
    for (const auto& page : report.pages)
        for (const auto& t : page.texts) {
            xs.insert(snapped(t.left));
            xs.insert(snapped(t.left + t.width));
        }
    const std::vector<long> columns(xs.begin(), xs.end());
    auto columnOf = [&](double mm) {
        return static_cast<lxw_col_t>(std::lower_bound(columns.begin(), columns.end(), snapped(mm)) - columns.begin());
    };

    // Rows: the same, per page, one page's rows after the other's.
    std::map<std::pair<lxw_row_t, lxw_col_t>, Cell> cells;
    std::vector<double> rowHeights;  // millimetres
    std::vector<lxw_row_t> pageStarts;
    enterStage(RunStage::Exporting);
    for (const auto& page : report.pages) {
        throwIfStopRequested();
        advanceStage();
        const auto firstRow = static_cast<lxw_row_t>(rowHeights.size());
        pageStarts.push_back(firstRow);
        std::set<long> ys;
        for (const auto& t : page.texts) {
            ys.insert(snapped(t.top));
            ys.insert(snapped(t.top + t.height));
        }
        const std::vector<long> rows(ys.begin(), ys.end());
        for (size_t i = 0; i + 1 < rows.size(); ++i) rowHeights.push_back((rows[i + 1] - rows[i]) * kSnap);
        auto rowOf = [&](double mm) {
            return firstRow + static_cast<lxw_row_t>(std::lower_bound(rows.begin(), rows.end(), snapped(mm)) - rows.begin());
        };
        for (const auto& t : page.texts) {
            const lxw_row_t r0 = rowOf(t.top);
            const lxw_col_t c0 = columnOf(t.left);
            Cell cell{&t, t.text, std::max(r0, rowOf(t.top + t.height) - 1),
                      static_cast<lxw_col_t>(std::max<int>(c0, columnOf(t.left + t.width) - 1))};
            auto [it, fresh] = cells.emplace(std::make_pair(r0, c0), cell);
            // Two texts starting in one cell share it rather than one hiding the other.
            if (!fresh && !t.text.empty()) it->second.value += (it->second.value.empty() ? "" : " ") + t.text;
        }
    }

    lxw_workbook* book = workbook_new(file.temporaryPath().c_str());
    if (!book) throw ReportError("cannot write " + path + ": the spreadsheet library cannot start a workbook");
    WorkbookGuard guard{book};
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    if (!sheet) throw ReportError("cannot write " + path + ": the spreadsheet library cannot add a sheet");
    FormatCache formats(book);
    for (size_t i = 0; i + 1 < columns.size(); ++i) {
        // Excel measures columns in characters of its default font, about 1.9 mm each.
        const double width = (columns[i + 1] - columns[i]) * kSnap / 1.9;
        check(worksheet_set_column(sheet, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i), width, nullptr), path);
    }
    for (size_t r = 0; r < rowHeights.size(); ++r)
        // Points; spreadsheets take no row taller than 409 of them.
        check(worksheet_set_row(sheet, static_cast<lxw_row_t>(r), std::min(rowHeights[r] * 72.0 / 25.4, 409.0), nullptr),
              path);

    std::set<std::pair<lxw_row_t, lxw_col_t>> taken;
    lxw_row_t lastRow = 0;
    for (const auto& [at, cell] : cells) {
        // The cells come row by row, the pages' rows one after the other: a stop is noticed
        // at the next row.
        if (at.first != lastRow) throwIfStopRequested();
        lastRow = at.first;
        lxw_format* format = formats.get(*cell.text);
        bool free = true;
        for (lxw_row_t r = at.first; r <= cell.lastRow && free; ++r)
            for (lxw_col_t c = at.second; c <= cell.lastCol && free; ++c) free = !taken.count({r, c});
        if (free && (cell.lastRow > at.first || cell.lastCol > at.second)) {
            check(worksheet_merge_range(sheet, at.first, at.second, cell.lastRow, cell.lastCol, cell.value.c_str(), format),
                  path);
            for (lxw_row_t r = at.first; r <= cell.lastRow; ++r)
                for (lxw_col_t c = at.second; c <= cell.lastCol; ++c) taken.insert({r, c});
        } else {
            check(worksheet_write_string(sheet, at.first, at.second, cell.value.c_str(), format), path);
            taken.insert(at);
        }
    }
    std::vector<lxw_row_t> breaks(pageStarts.begin() + (pageStarts.empty() ? 0 : 1), pageStarts.end());
    breaks.push_back(0);  // the list ends with a zero
    if (breaks.size() > 1) check(worksheet_set_h_pagebreaks(sheet, breaks.data()), path);
    worksheet_set_paper(sheet, 9);  // A4
    if (report.pageWidth > report.pageHeight) worksheet_set_landscape(sheet);
    // Closing writes the file and frees the workbook, whatever it answers.
    guard.book = nullptr;
    errno = 0;
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) closeFailed(closed, errno, path);
    file.commit();
}

}  // namespace host
