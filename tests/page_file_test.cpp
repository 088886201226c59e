// A report's pages kept in a temporary file: read back as handed over, from threads at once, and
// nothing left behind when the disk is full or the run is stopped.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "host/files/replacing_file.h"
#include "host/report/page_file.h"
#include "host/report/report_error.h"
#include "host/stop/stop_request.h"
#include "tests/test_support.h"

namespace {

namespace fs = std::filesystem;
using host::PageFile;
using host::PreparedPage;
using host::PreparedReport;
using host::PreparedText;

bool sameText(const PreparedText& a, const PreparedText& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height && a.text == b.text &&
           a.fontSize == b.fontSize && a.bold == b.bold && a.align == b.align && a.valign == b.valign &&
           a.frame.left == b.frame.left && a.frame.top == b.frame.top && a.frame.right == b.frame.right &&
           a.frame.bottom == b.frame.bottom;
}

::testing::AssertionResult samePage(const PreparedPage& got, const PreparedPage& want) {
    if (got.texts.size() != want.texts.size())
        return ::testing::AssertionFailure() << got.texts.size() << " texts instead of " << want.texts.size();
    for (size_t i = 0; i < want.texts.size(); ++i)
        if (!sameText(got.texts[i], want.texts[i]))
            return ::testing::AssertionFailure() << "text " << i << " \"" << got.texts[i].text << "\" differs from \""
                                                 << want.texts[i].text << "\"";
    return ::testing::AssertionSuccess();
}

// Every kind of text a page can hold: each alignment and frame side, bold, Cyrillic, empty, long.
PreparedReport varied() {
    PreparedReport report;
    report.name = "Сведения об обороте";
    report.fileStem = "ZorvicOborot";
    report.pageWidth = 297.5;
    report.pageHeight = 210.25;
    for (int p = 0; p < 7; ++p) {
        PreparedPage page;
        for (int i = 0; i < 16; ++i) {
            PreparedText t;
            t.left = 10.125 + i * 0.1 + p;
            t.top = 5.5 + i * 11.3;
            t.width = 40 + i;
            t.height = 7.75;
            t.fontSize = 6 + (i % 5) * 1.5;
            t.bold = i % 2 == 0;
            t.align = static_cast<host::TextAlign>(i % 3);
            t.valign = static_cast<host::TextVAlign>((i / 3) % 3);
            t.frame = {(i & 1) != 0, (i & 2) != 0, (i & 4) != 0, (i & 8) != 0};
            t.text = i == 3 ? "" : "Лицензия № " + std::to_string(p * 100 + i) + " ООО «Ромашка»";
            if (i == 5) t.text = std::string(70000, 'x');  // longer than a 16-bit length
            page.texts.push_back(t);
        }
        report.pages.push_back(p == 4 ? PreparedPage{} : page);  // one page without texts
    }
    return report;
}

std::vector<PreparedPage> walked(const host::ReportPages& pages) {
    std::vector<PreparedPage> all;
    host::PageFunction sink([&all](const PreparedPage& page) { all.push_back(page); });
    pages.walk(sink);
    return all;
}

TEST(PageFile, GivesBackEveryPageAsItWasHandedOverAndWalksThemSo) {
    const PreparedReport report = varied();
    const PageFile file{host::HeldPages(report)};
    EXPECT_EQ(file.name(), report.name);
    EXPECT_EQ(file.fileStem(), report.fileStem);
    EXPECT_EQ(file.pageWidth(), report.pageWidth);
    EXPECT_EQ(file.pageHeight(), report.pageHeight);
    ASSERT_EQ(file.pageCount(), 7);
    // Backwards: each page stands on its own, not on the one read before.
    for (int i = file.pageCount() - 1; i >= 0; --i) EXPECT_TRUE(samePage(file.page(i), report.pages[i])) << "page " << i;
    EXPECT_TRUE(file.page(4).texts.empty());
    EXPECT_EQ(file.page(0).texts[3].text, "");

    const std::vector<PreparedPage> all = walked(file);
    ASSERT_EQ(all.size(), report.pages.size());
    for (size_t i = 0; i < all.size(); ++i) EXPECT_TRUE(samePage(all[i], report.pages[i])) << "page " << i;
    EXPECT_EQ(walked(file).size(), all.size()) << "walked again, the same";

    EXPECT_THROW(file.page(7), host::ReportError);
    EXPECT_THROW(file.page(-1), host::ReportError);

    const PageFile none{host::HeldPages(PreparedReport{})};
    EXPECT_EQ(none.pageCount(), 0);
    EXPECT_TRUE(walked(none).empty());
    EXPECT_THROW(none.page(0), host::ReportError);
}

TEST(PageFile, IsReadFromSeveralThreadsAtOnce) {
    PreparedReport report;
    for (int p = 0; p < 400; ++p) {
        PreparedPage page;
        for (int i = 0; i < 5; ++i) {
            PreparedText t;
            t.text = "Страница " + std::to_string(p) + ", строка " + std::to_string(i);
            t.top = p + i;
            page.texts.push_back(t);
        }
        report.pages.push_back(page);
    }
    const PageFile file{host::HeldPages(report)};
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> readers;
    for (int r = 0; r < 4; ++r)
        readers.emplace_back([&, r] {
            for (int round = 0; round < 3; ++round)
                for (int p = r; p < 400; p += 3)
                    if (!samePage(file.page(p), report.pages[p])) ++wrong[r];
        });
    for (std::thread& t : readers) t.join();
    for (int r = 0; r < 4; ++r) EXPECT_EQ(wrong[r], 0) << "reader " << r;
}

TEST(PageFile, LeavesNoFileBehindWhateverHappens) {
    zorvic_test::ScratchDir scratch;
    const PreparedReport report = varied();
    {
        const PageFile file(host::HeldPages(report), (scratch / "").string());
        EXPECT_EQ(file.pageCount(), 7);
        EXPECT_TRUE(fs::is_empty(scratch / "")) << "the file has no name while it is used";
    }

    // A directory that is not there is named.
    const std::string missing = (scratch / "нет такой").string();
    try {
        PageFile file(host::HeldPages(report), missing);
        ADD_FAILURE() << "a page file in a directory that does not exist";
    } catch (const host::FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }

    // A stop asked for while the pages are written ends the writing.
    host::requestStop(0);
    EXPECT_THROW(PageFile(host::HeldPages(report), (scratch / "").string()), host::StopRequested);
    host::clearStopRequest();
    EXPECT_TRUE(fs::is_empty(scratch / ""));
}

TEST(PageFile, AFullDiskIsSaidAndLeavesNothing) {
    zorvic_test::SmallDisk disk(64 * 1024);
    if (!disk.available()) GTEST_SKIP() << "a small disk needs root";
    PreparedReport report = varied();
    for (int i = 0; i < 4; ++i) report.pages.insert(report.pages.end(), report.pages.begin(), report.pages.end());
    try {
        PageFile file(host::HeldPages(report), (disk / "").string());
        ADD_FAILURE() << "pages larger than the disk were written";
    } catch (const host::FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_empty(disk / ""));

    // The disk's room is back once the file is gone: a small report fits.
    PreparedReport small;
    small.pages.resize(3);
    const PageFile file(host::HeldPages(small), (disk / "").string());
    EXPECT_EQ(file.pageCount(), 3);
}

}  // namespace
