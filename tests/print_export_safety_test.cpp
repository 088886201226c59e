// Print form files are written complete or not at all: every export on a full disk, into a
// directory that is not there and when a stop is asked for; templates that cannot be loaded; the
// program itself on the demo database with a disk too small for its print form.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/print_output.h"
#include "host/files/replacing_file.h"
#include "host/report/prepared_report.h"
#include "host/report/report_engine.h"
#include "host/report/report_error.h"
#include "host/report/report_export.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// What a directory holds, by name.
std::set<std::string> listing(const fs::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.insert(entry.path().filename().string());
    return names;
}

// The message of what `work` throws; fails the test when it throws nothing or something that is
// not an error of the run.
template <class Error>
std::string failure(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& e) {
        return e.what();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "unexpected " << typeid(e).name() << ": " << e.what();
        return {};
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}

// Forty pages of a table with differing numbers, far more than the small disks below hold in
// every format.
host::PreparedReport bigReport() {
    host::PreparedReport report;
    report.name = "Проверка записи";
    for (int p = 0; p < 40; ++p) {
        host::PreparedPage page;
        for (int r = 0; r < 25; ++r)
            for (int c = 0; c < 2; ++c) {
                host::PreparedText t;
                t.left = 10 + c * 95;
                t.top = 10 + r * 10;
                t.width = 95;
                t.height = 10;
                t.text = "Строка " + std::to_string(p * 25 + r) + ", графа " + std::to_string(c) + ": " +
                         std::to_string((p * 7919 + r * 104729 + c * 1299709) % 1000003);
                t.frame = {true, true, true, true};
                page.texts.push_back(t);
            }
        report.pages.push_back(std::move(page));
    }
    return report;
}

constexpr std::size_t kDiskBytes = 16 * 1024;

class EveryExport : public ::testing::TestWithParam<std::string> {
protected:
    void TearDown() override { host::clearStopRequest(); }

    std::string name() const { return "out." + GetParam(); }
    void exportTo(const fs::path& path) { host::exportReport(report_, path.string()); }

    host::PreparedReport report_ = bigReport();
    zorvic_test::ScratchDir scratch_;
};

INSTANTIATE_TEST_SUITE_P(Formats, EveryExport, ::testing::Values("pdf", "xlsx", "html", "rtf"),
                         [](const auto& info) { return info.param; });

TEST_P(EveryExport, ReplacesAnEarlierFileOnlyWhenComplete) {
    const fs::path out = scratch_ / name();
    zorvic_test::writeFile(out, "earlier");
    exportTo(out);
    ASSERT_GT(fs::file_size(out), kDiskBytes) << "the report must not fit on the small disks of the tests";
    EXPECT_EQ(listing(scratch_ / ""), std::set<std::string>{name()});
}

TEST_P(EveryExport, AFullDiskFailsNamingTheFileAndLeavesNothingBehind) {
    zorvic_test::SmallDisk disk(kDiskBytes);
    if (!disk.available()) GTEST_SKIP() << "a small disk needs root";
    const fs::path out = disk / name();

    const std::string message = failure<std::runtime_error>([&] { exportTo(out); });
    EXPECT_NE(message.find(out.string()), std::string::npos) << message;
    EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
    EXPECT_TRUE(listing(disk / "").empty()) << "neither the file nor its part may stay";

    // A file of the name from before is left as it was.
    zorvic_test::writeFile(out, "earlier");
    failure<std::runtime_error>([&] { exportTo(out); });
    EXPECT_EQ(zorvic_test::readFile(out), "earlier");
    EXPECT_EQ(listing(disk / ""), std::set<std::string>{name()});
}

TEST_P(EveryExport, ADirectoryThatIsNotThereIsNamed) {
    const fs::path out = scratch_ / "gone" / name();
    const std::string message = failure<host::FileWriteError>([&] { exportTo(out); });
    EXPECT_NE(message.find(out.string()), std::string::npos) << message;
    EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
    EXPECT_TRUE(listing(scratch_ / "").empty());
}

TEST_P(EveryExport, AStopRequestRemovesThePartAndKeepsTheEarlierFile) {
    const fs::path out = scratch_ / name();
    zorvic_test::writeFile(out, "earlier");
    host::requestStop(SIGINT);
    EXPECT_EQ(failure<host::StopRequested>([&] { exportTo(out); }), "the run was stopped");
    EXPECT_EQ(zorvic_test::readFile(out), "earlier");
    EXPECT_EQ(listing(scratch_ / ""), std::set<std::string>{name()});

    // Once the request is forgotten the same export goes through.
    host::clearStopRequest();
    exportTo(out);
    EXPECT_GT(fs::file_size(out), kDiskBytes);
}

// The spreadsheet library refuses a cell's text after the workbook was begun: the workbook is
// dropped unwritten, not closed into a file under the name.
TEST(XlsxExport, ATextTooLongForACellFailsWithoutAFile) {
    zorvic_test::ScratchDir scratch;
    host::PreparedReport report = bigReport();
    report.pages.back().texts.back().text = std::string(40000, 'x');
    const fs::path out = scratch / "long.xlsx";
    zorvic_test::writeFile(out, "earlier");
    const std::string message = failure<host::ReportError>([&] { host::exportToXlsx(report, out.string()); });
    EXPECT_NE(message.find(out.string()), std::string::npos) << message;
    EXPECT_EQ(zorvic_test::readFile(out), "earlier");
    EXPECT_EQ(listing(scratch / ""), std::set<std::string>{"long.xlsx"});
}

// --- the layout and the templates --------------------------------------------------------------

class TemplateLoading : public ::testing::Test {
protected:
    void TearDown() override { host::clearStopRequest(); }

    zorvic_test::ScratchDir scratch_;
    host::ReportEngine engine_;
};

TEST_F(TemplateLoading, AStopRequestEndsTheLayoutAndKeepsTheReportPreparedBefore) {
    engine_.loadFromText(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "[PAGE#]"}]},
                             "reportSummary": {"height": 5, "startNewPage": true}})");
    engine_.prepareReport(true);
    ASSERT_EQ(engine_.preparedReport().pages.size(), 2u);

    engine_.loadFromText(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "new"}]}})");
    host::requestStop(SIGTERM);
    try {
        engine_.prepareReport(true);
        FAIL() << "the layout went on after a stop request";
    } catch (const host::StopRequested& stop) {
        EXPECT_EQ(stop.signal(), SIGTERM);
    }
    ASSERT_EQ(engine_.preparedReport().pages.size(), 2u);
    EXPECT_EQ(engine_.preparedReport().pages[0].texts.at(0).text, "1");
}

TEST_F(TemplateLoading, AMissingTemplateFailsWhenPreparedAndAnUnreadableOneAtOnce) {
    const fs::path missing = scratch_ / "NoSuch.fr3";
    EXPECT_FALSE(engine_.loadFromFile(missing.string(), false));
    const std::string message = failure<host::ReportError>([&] { engine_.prepareReport(true); });
    EXPECT_EQ(message, "report template " + missing.string() + " is not found");
    EXPECT_TRUE(engine_.preparedReport().pages.empty());

    // A template loaded after it is prepared as usual.
    engine_.loadFromText(R"({"reportTitle": {"height": 5}})");
    engine_.prepareReport(true);
    EXPECT_EQ(engine_.preparedReport().pages.size(), 1u);

    // A directory where the file should be is not a missing file.
    fs::create_directory(scratch_ / "Dir.fr3");
    const std::string directory = failure<host::ReportError>(
        [&] { engine_.loadFromFile((scratch_ / "Dir.fr3").string(), false); });
    EXPECT_NE(directory.find("Dir.fr3: Is a directory"), std::string::npos) << directory;

    zorvic_test::writeFile(scratch_ / "Empty.fr3", "");
    const std::string empty = failure<host::ReportError>(
        [&] { engine_.loadFromFile((scratch_ / "Empty.fr3").string(), false); });
    EXPECT_NE(empty.find("Empty.fr3 is not valid JSON"), std::string::npos) << empty;
}

TEST_F(TemplateLoading, ANonAsciiTemplateNameIsNamedInHostText) {
    const fs::path missing = scratch_ / "Шаблон.fr3";
    engine_.loadFromFile(missing.string(), false);
    const std::string message = failure<host::ReportError>([&] { engine_.prepareReport(true); });
    EXPECT_EQ(host::cp1251ToUtf8(message), "report template " + missing.string() + " is not found");
}

// --- the program's print output file ----------------------------------------------------------------

TEST(PrintOutputFileErrors, NameTheFileInHostTextAndLeaveNothing) {
    zorvic_test::ScratchDir scratch;
    const fs::path out = scratch / "нет" / "отчёт.pdf";
    app::PrintOutputFile output(out.string());
    const std::string message = failure<host::FileWriteError>([&] { output.show(bigReport()); });
    EXPECT_NE(host::cp1251ToUtf8(message).find(out.string()), std::string::npos) << message;
    EXPECT_TRUE(output.written().empty());
    EXPECT_TRUE(listing(scratch / "").empty());
}

// --- the program on the demo database -----------------------------------------------------------

using zorvic_test::Outcome;

Outcome run(const std::string& command) {
    return zorvic_test::runProgram(command, zorvic_test::RunOptions().errorsTo(zorvic_test::ErrorStream::IntoOutput));
}

class PrintFormOnTheDemoDatabase : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        const Outcome made = run("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + (*scratch / "demo.fdb").string());
        ASSERT_EQ(made.status, 0) << made.out;
    }
    static void TearDownTestSuite() { delete scratch; }

    static Outcome print(const std::string& module, const std::string& extra) {
        return run(std::string(ZORVIC_BIN_DIR "/zorvic generate ") + module + " --db " +
                   (*scratch / "demo.fdb").string() + " --client 1 --set seYear=2024 --set rgTypePeriod=0" +
                   " --set rgReportKind=0 " + extra);
    }

    static zorvic_test::ScratchDir* scratch;
};

zorvic_test::ScratchDir* PrintFormOnTheDemoDatabase::scratch = nullptr;

TEST_F(PrintFormOnTheDemoDatabase, ADiskTooSmallForThePdfFailsAndLeavesNothingUnderItsName) {
    // The demo's form 07 is about 64 KiB as PDF.
    zorvic_test::SmallDisk disk(32 * 1024);
    if (!disk.available()) GTEST_SKIP() << "a small disk needs root";
    const fs::path pdf = disk / "Декларация 07.pdf";
    const Outcome result = print("pZorvicBuy", "--preview '" + pdf.string() + "'");
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_NE(result.out.find(pdf.string()), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("No space left on device"), std::string::npos) << result.out;
    EXPECT_TRUE(listing(disk / "").empty());

    // With room enough the same run writes it.
    const fs::path roomy = *scratch / "Декларация 07.pdf";
    const Outcome written = print("pZorvicBuy", "--preview '" + roomy.string() + "'");
    ASSERT_EQ(written.status, 0) << written.out;
    EXPECT_GT(fs::file_size(roomy), 32u * 1024);
}

TEST_F(PrintFormOnTheDemoDatabase, AMissingTemplateIsNamedAndNothingIsWritten) {
    const fs::path templates = *scratch / "шаблоны";
    fs::create_directories(templates);
    const fs::path html = *scratch / "missing.html";
    const Outcome result =
        print("pZorvicDelivery", "--report-dir '" + templates.string() + "' --preview '" + html.string() + "'");
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_EQ(result.out, "report template " + (templates / "ZorvicDelivery.fr3").string() + " is not found\n");
    EXPECT_FALSE(fs::exists(html));
    EXPECT_FALSE(fs::exists(html.string() + ".part"));
}

}  // namespace
