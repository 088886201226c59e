// The program against a real host database: the demo database is made in a scratch directory
// with the embedded engine, and every form collects from it, writes its declaration or prints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host/local/local_table.h"
#include "test_support.h"

namespace {

using zorvic_test::Outcome;

Outcome run(const std::string& command) {
    return zorvic_test::runProgram(command, zorvic_test::RunOptions().errorsTo(zorvic_test::ErrorStream::IntoOutput));
}

long rows(const std::filesystem::path& directory, const std::string& table) {
    host::LocalTable t(table);
    t.setDatabaseName(directory.string());
    t.open();
    long count = 0;
    for (t.first(); !t.eof(); t.next()) ++count;
    return count;
}

class DemoDatabase : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        const Outcome made = run("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + database());
        ASSERT_EQ(made.status, 0) << made.out;
    }
    static void TearDownTestSuite() { delete scratch; }
    static std::string database() { return (*scratch / "demo.fdb").string(); }

    Outcome generate(const std::string& module, const std::string& work, const std::string& extra = {}) {
        return run(std::string(ZORVIC_BIN_DIR "/zorvic generate ") + module + " --db " + database() +
                   " --client 1 --set seYear=2024 --date 15.04.2024 --work-dir " + work + " " + extra +
                   " --set dePath=" + (*scratch / "out").string());
    }

    static zorvic_test::ScratchDir* scratch;
};

zorvic_test::ScratchDir* DemoDatabase::scratch = nullptr;

TEST_F(DemoDatabase, EveryFormFillsItsWorkTables) {
    std::filesystem::create_directories(*scratch / "out");
    const struct {
        const char* module;
        std::vector<const char*> tables;
    } forms[] = {
        {"pZorvicRozn", {"ZorvicRoznObosob", "ZorvicRoznBuy", "ZorvicRoznOborot"}},
        {"pZorvicRoznBeer", {"ZorvicRoznBeerObosob", "ZorvicRoznBeerBuy", "ZorvicRoznBeerOborot"}},
        {"pZorvicTransport", {"ZorvicTransportObosob", "ZorvicTransport"}},
        {"pZorvicBuy", {"ZorvicBuyObosob", "ZorvicBuy"}},
        {"pZorvicDelivery", {"ZorvicDeliveryObosob", "ZorvicDelivery"}},
        {"pZorvicOborot", {"ZorvicOborotObosob", "ZorvicOborot"}},
    };
    for (const auto& form : forms) {
        const auto work = *scratch / (std::string("work-") + form.module);
        const Outcome result = generate(form.module, work.string(), "--set rgReportKind=1");
        const bool fileOnly = std::string(form.module) == "pZorvicTransport";
        if (fileOnly) {
            EXPECT_EQ(result.status, 2) << "the output kind of form 08 cannot be changed";
            const Outcome again = generate(form.module, work.string());
            EXPECT_EQ(again.status, 0) << again.out;
        } else {
            EXPECT_EQ(result.status, 0) << form.module << ": " << result.out;
        }
        for (const char* table : form.tables)
            EXPECT_GT(rows(work, table), 0) << form.module << " left " << table << " empty";
    }
}

TEST_F(DemoDatabase, AQuarterWithoutSubdivisionsSaysSoAndATemporaryWorkDirectoryGoes) {
    const auto temporary = *scratch / "tmp";
    std::filesystem::create_directories(temporary);
    const Outcome result = run("TMPDIR=" + temporary.string() + " " ZORVIC_BIN_DIR "/zorvic generate pZorvicBuy --db " +
                               database() + " --client 999 --set seYear=2024");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("Отчет не содержит данных."), std::string::npos) << result.out;
    EXPECT_TRUE(std::filesystem::is_empty(temporary)) << "the run's own work directory stayed behind";
}

TEST_F(DemoDatabase, BadDatabasesAndDirectoriesAreNamed) {
    const Outcome missing = run(std::string(ZORVIC_BIN_DIR "/zorvic generate pZorvicBuy --client 1 --db ") +
                            (*scratch / "nowhere.fdb").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("nowhere.fdb"), std::string::npos) << missing.out;

    zorvic_test::writeFile(*scratch / "blocker", "a file where a directory should be");
    const Outcome unwritable = generate("pZorvicBuy", (*scratch / "blocker" / "work").string(), "--set rgReportKind=1");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.out.find("blocker"), std::string::npos) << unwritable.out;
}

TEST_F(DemoDatabase, PrintFormsArePaginatedReadableDeclarations) {
    const struct {
        const char* module;
        const char* title;  // what only that form's print form says
    } forms[] = {{"pZorvicRozn", "11"}, {"pZorvicRoznBeer", "12"}, {"pZorvicBuy", "07"},
                 {"pZorvicDelivery", "06"}, {"pZorvicOborot", "05"}};
    for (const auto& form : forms) {
        const auto pdf = *scratch / (std::string(form.module) + ".pdf");
        const Outcome result = run(std::string(ZORVIC_BIN_DIR "/zorvic generate ") + form.module + " --db " + database() +
                                   " --client 1 --set seYear=2024 --set rgTypePeriod=0 --set rgReportKind=0" +
                                   " --set edRukFam=Соколов --preview " + pdf.string());
        ASSERT_EQ(result.status, 0) << form.module << ": " << result.out;
        EXPECT_EQ(result.out, pdf.string() + "\n");
        const Outcome text = run("pdftotext -layout " + pdf.string() + " -");
        ASSERT_EQ(text.status, 0) << text.out;
        EXPECT_NE(text.out.find(std::string("Форма № ") + form.title), std::string::npos) << form.module << text.out;
        EXPECT_NE(text.out.find("по обособленному подразделению: "), std::string::npos) << form.module;
        EXPECT_NE(text.out.find("Соколов"), std::string::npos) << form.module << ": the head of the organization";
        const Outcome pages = run("pdfinfo " + pdf.string() + " | grep Pages:");
        const int count = std::stoi(pages.out.substr(pages.out.find(':') + 1));
        EXPECT_NE(text.out.find("Страница " + std::to_string(count) + " из " + std::to_string(count)),
                  std::string::npos)
            << form.module;
    }
}

TEST_F(DemoDatabase, PreviewGoesToAnHtmlFileNamedAfterTheTemplateUnlessAFormatIsChosen) {
    const auto here = *scratch / "cwd";
    std::filesystem::create_directories(here);
    const Outcome html = run("cd " + here.string() + " && " ZORVIC_BIN_DIR "/zorvic generate pZorvicBuy --db " +
                             database() + " --client 1 --set seYear=2024 --set rgReportKind=0" +
                             " --set edRukFam=Соколов");
    ASSERT_EQ(html.status, 0) << html.out;
    EXPECT_EQ(html.out, (here / "ZorvicBuy.html").string() + "\n");
    EXPECT_NE(zorvic_test::readFile(here / "ZorvicBuy.html").find("Соколов"), std::string::npos);

    const Outcome wrong = run(std::string(ZORVIC_BIN_DIR "/zorvic generate pZorvicBuy --db ") + database() +
                              " --client 1 --set rgReportKind=0 --preview out.doc");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.out.find("out.doc"), std::string::npos) << wrong.out;
}

}  // namespace
