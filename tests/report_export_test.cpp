// The export filters: the same prepared pages written as PDF, XLSX, HTML and RTF, each read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/files/replacing_file.h"
#include "host/report/prepared_report.h"
#include "host/report/report_engine.h"
#include "host/report/report_error.h"
#include "host/report/report_export.h"
#include "host/report/report_pages.h"
#include "test_support.h"

namespace {

using host::PreparedReport;
using host::PreparedText;

std::string run(const std::string& command) { return zorvic_test::runProgram(command, zorvic_test::RunOptions().checkingLeaks()).out; }

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class ReportExportTest : public ::testing::Test {
protected:
    // Two pages of a declaration-like table, laid out by the engine from a template.
    void SetUp() override {
        host::ReportEngine engine;
        engine.loadFromText(R"({
          "name": "Декларация, форма 07",
          "pageHeader": {"height": 20, "texts": [
            {"width": 190, "height": 10, "fontSize": 14, "bold": true, "align": "center",
             "text": "Декларация об объёме закупки & <проверка>"},
            {"top": 10, "width": 95, "height": 8, "frame": "all", "text": "Наименование"},
            {"left": 95, "top": 10, "width": 45, "height": 8, "frame": "all", "align": "right", "text": "Объём, дал"}]},
          "pageFooter": {"height": 8, "texts": [{"width": 190, "height": 8, "align": "right",
                         "text": "Страница [PAGE#] из [TOTALPAGES#]"}]},
          "reportTitle": {"height": 245, "texts": [{"width": 190, "height": 10, "text": "ИНН [INN] {скобки} \\ обратная"}]},
          "reportSummary": {"height": 8, "texts": [
            {"width": 95, "height": 8, "frame": ["left", "bottom"], "text": "Итого по организации"},
            {"left": 95, "width": 45, "height": 8, "frame": "all", "align": "right", "valign": "center", "text": "12.345"}]}
        })");
        engine.variables().setVariable("INN", host::Variant("'007700000001'"));
        engine.prepareReport(true);
        report_ = engine.preparedReport();
        ASSERT_EQ(report_.pages.size(), 2u);
    }

    std::string file(const std::string& name) const { return (scratch_ / name).string(); }

    zorvic_test::ScratchDir scratch_;
    PreparedReport report_;
};

TEST_F(ReportExportTest, PdfHoldsTheTextOfEveryPageInCyrillic) {
    const std::string pdf = file("out.pdf");
    host::exportToPdf(report_, pdf);
    EXPECT_EQ(zorvic_test::readFile(pdf).rfind("%PDF-", 0), 0u);
    const std::string info = run("pdfinfo '" + pdf + "'");
    const size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::stoi(info.substr(pages + 6)), 2) << info;
    EXPECT_NE(info.find("Декларация, форма 07"), std::string::npos) << info;  // the document's title
    const std::string page1 = run("pdftotext -f 1 -l 1 -layout '" + pdf + "' -");
    const std::string page2 = run("pdftotext -f 2 -l 2 -layout '" + pdf + "' -");
    EXPECT_NE(page1.find("Декларация об объёме закупки & <проверка>"), std::string::npos) << page1;
    EXPECT_NE(page1.find("ИНН 007700000001 {скобки} \\ обратная"), std::string::npos) << page1;
    EXPECT_NE(page1.find("Страница 1 из 2"), std::string::npos) << page1;
    EXPECT_EQ(page1.find("Итого по организации"), std::string::npos) << page1;
    EXPECT_NE(page2.find("Итого по организации"), std::string::npos) << page2;
    EXPECT_NE(page2.find("Страница 2 из 2"), std::string::npos) << page2;
    EXPECT_NE(page2.find("Объём, дал"), std::string::npos) << page2;  // the header repeats
}

TEST_F(ReportExportTest, XlsxSheetHoldsTheTexts) {
    const std::string xlsx = file("out.xlsx");
    host::exportToXlsx(report_, xlsx);
    const std::string listing = run("unzip -l '" + xlsx + "'");
    EXPECT_NE(listing.find("xl/worksheets/sheet1.xml"), std::string::npos) << listing;
    const std::string sheet = run("unzip -p '" + xlsx + "' xl/worksheets/sheet1.xml");
    // Written row by row in constant memory, the texts stand in their cells, not in a table of
    // shared strings that would have to be held until the end.
    for (const char* text : {"Декларация об объёме закупки &amp; &lt;проверка&gt;", "Наименование", "Объём, дал",
                             "Страница 1 из 2", "Страница 2 из 2", "Итого по организации", "12.345"})
        EXPECT_NE(sheet.find(text), std::string::npos) << text << "\n" << sheet;
    // The header is on both pages; the second page's rows follow the first's, with a page break.
    EXPECT_EQ(occurrences(sheet, "<t>Наименование</t>"), 2u);
    EXPECT_NE(sheet.find("<rowBreaks"), std::string::npos);
    EXPECT_NE(sheet.find("<mergeCell "), std::string::npos);  // the title spans the columns
}

// A chain's quarter passes a sheet's last row: the pages go on, whole, on the next sheet, each
// sheet with the columns and its own page breaks.
TEST_F(ReportExportTest, XlsxPagesPastASheetsLastRowGoOnTheNextSheet) {
    const std::string xlsx = file("sheets.xlsx");
    host::exportToXlsx(host::HeldPages(report_), xlsx, 8);
    const std::string first = run("unzip -p '" + xlsx + "' xl/worksheets/sheet1.xml");
    const std::string second = run("unzip -p '" + xlsx + "' xl/worksheets/sheet2.xml");
    EXPECT_NE(first.find("Страница 1 из 2"), std::string::npos) << first;
    EXPECT_EQ(first.find("Страница 2 из 2"), std::string::npos) << first;
    EXPECT_NE(second.find("Страница 2 из 2"), std::string::npos) << second;
    EXPECT_NE(second.find("Итого по организации"), std::string::npos) << second;
    EXPECT_NE(second.find("<t>Наименование</t>"), std::string::npos) << second;  // the header repeats
    // The second sheet starts at its first row, with the same columns.
    EXPECT_NE(second.find("<row r=\"1\""), std::string::npos) << second;
    EXPECT_EQ(first.substr(first.find("<cols>"), first.find("</cols>") - first.find("<cols>")),
              second.substr(second.find("<cols>"), second.find("</cols>") - second.find("<cols>")));
    // Without the limit both pages share one sheet.
    host::exportToXlsx(host::HeldPages(report_), xlsx);
    EXPECT_EQ(run("unzip -l '" + xlsx + "'").find("sheet2.xml"), std::string::npos);
}

TEST_F(ReportExportTest, HtmlHasOnePageBoxPerPageWithTheTextsEscaped) {
    const std::string html = file("out.html");
    host::exportToHtml(report_, html);
    const std::string text = zorvic_test::readFile(html);
    EXPECT_EQ(text.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(text.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(text.find("</html>"), std::string::npos);
    EXPECT_EQ(occurrences(text, "<div class=\"page\""), 2u);
    EXPECT_EQ(occurrences(text, "Декларация об объёме закупки &amp; &lt;проверка&gt;"), 2u);
    EXPECT_EQ(occurrences(text, "<проверка>"), 0u);
    EXPECT_NE(text.find("Страница 2 из 2"), std::string::npos);
    EXPECT_EQ(occurrences(text, "<div"), occurrences(text, "</div>"));
}

TEST_F(ReportExportTest, RtfWritesCyrillicAsUnicodeEscapesAndBalancesItsGroups) {
    const std::string rtf = file("out.rtf");
    host::exportToRtf(report_, rtf);
    const std::string text = zorvic_test::readFile(rtf);
    EXPECT_EQ(text.rfind("{\\rtf1", 0), 0u);
    for (unsigned char c : text) EXPECT_LT(c, 0x80) << "RTF is 7-bit";
    // "Итого" = U+0418 U+0442 U+043E U+0433 U+043E.
    EXPECT_NE(text.find("\\u1048?\\u1090?\\u1086?\\u1075?\\u1086?"), std::string::npos);
    EXPECT_NE(text.find("\\{"), std::string::npos);
    EXPECT_NE(text.find("\\\\ "), std::string::npos);
    EXPECT_NE(text.find(" 007700000001 "), std::string::npos);
    EXPECT_EQ(occurrences(text, "\\page"), 1u);
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
            continue;
        }
        if (text[i] == '{') ++depth;
        if (text[i] == '}') --depth;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

TEST_F(ReportExportTest, ExportByExtensionAndUnwritableFilesFail) {
    host::exportReport(report_, file("by-name.PDF"));
    host::exportReport(report_, file("by-name.htm"));
    EXPECT_EQ(zorvic_test::readFile(file("by-name.PDF")).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(zorvic_test::readFile(file("by-name.htm")).rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_THROW(host::exportReport(report_, file("out.doc")), host::ReportError);
    const std::string nowhere = file("no-such-dir/out");
    EXPECT_THROW(host::exportToPdf(report_, nowhere + ".pdf"), host::FileWriteError);
    EXPECT_THROW(host::exportToXlsx(report_, nowhere + ".xlsx"), host::FileWriteError);
    EXPECT_THROW(host::exportToHtml(report_, nowhere + ".html"), host::FileWriteError);
    EXPECT_THROW(host::exportToRtf(report_, nowhere + ".rtf"), host::FileWriteError);
}

}  // namespace
