#pragma once

// The test fixture of the declaration bodies: work tables filled by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/calendar/date_time.h"
#include "host/data/host_database.h"
#include "host/data/main_dm.h"
#include "host/local/local_table.h"
#include "host/local/work_table_catalog.h"
#include "host/options/mem_ini_file.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"
#include "test_support.h"
#include "work_table_column.h"

namespace zorvic_test {

// One work table row, by column name.
using Row = std::map<std::string, host::Variant>;

// A date, with the time of day as a fraction of it, as a work table holds it.
inline host::Variant day(int year, int month, int dayOfMonth, double time = 0) {
    return host::Variant(host::DateTime{host::encodeDate(year, month, dayOfMonth).days + time});
}

// A subdivision's address element when its work table row gives no part of the address.
inline const char* const kEmptyAddress =
    "<АдрОрг>\r\n<КодСтраны></КодСтраны>\r<Индекс></Индекс>\r<КодРегион></КодРегион>\r<Район></Район>\r"
    "<Город></Город>\r<НаселПункт></НаселПункт>\r<Улица></Улица>\r<Дом></Дом>\r<Корпус></Корпус>\r"
    "<Литера />\r<Кварт></Кварт>\r\n</АдрОрг>\r\n";

// A counterparty and its licence day, per row in table order, whose groups come out of order:
// 508's second licence first appears after 527's rows, so by the first row of each whole key the
// groups are 531/D5, 508/D1 (rows 2, 3, 5), 527/D4 (rows 4, 6), 508/D2 (row 7). Grouping by the
// counterparty alone first would pull 508/D2 in front of 527.
struct LicensedRow {
    int partner;
    host::Variant licence;
};
inline std::vector<LicensedRow> interleavedLicences() {
    const host::Variant d1 = day(2021, 1, 11), d2 = day(2022, 2, 12), d4 = day(2023, 4, 14), d5 = day(2019, 5, 15);
    return {{531, d5}, {508, d1}, {508, d1}, {527, d4}, {508, d1}, {527, d4}, {508, d2}};
}
// The places of those rows in group order, as the host's query delivers them.
inline const std::vector<std::size_t> kInterleavedInGroupOrder = {0, 1, 2, 4, 3, 5, 6};

// Where a form's file puts its reference block: behind the form header, or ahead of it right
// after the root's line. Each fixture names its form's place itself rather than take it from the
// form's profile, so that a profile naming the wrong place fails the tests.
enum class ReferenceBlock { BehindFormHeader, AheadOfFormHeader };

// A declaration frame over work tables filled by hand, with the fixture standing in for the
// host: the host's SQL texts and shared dataset are missing, of the organization's lookups only
// the address answers (a form's fixture adds its own answers), and a message box fails the test,
// since a body test that lets one show has lost its data somewhere.
template <class Frame>
class DeclarationBodyFixture : public ::testing::Test,
                               public host::HostDatabase,
                               public host::ui::MessageService {
protected:
    // The report name is the prefix of the frame's work tables. The tables listed start every
    // test empty, so that a test fills only those it is about.
    DeclarationBodyFixture(std::string reportName, ReferenceBlock references, std::vector<std::string> emptyTables,
                           double precision = 2)
        : reportName_(std::move(reportName)),
          references_(references),
          emptyTables_(std::move(emptyTables)),
          precision_(precision) {}

    void SetUp() override {
        host::ui::setMessageService(this);
        host::MainDM().attachDatabase(this);
        host::MainDM().setWorkDirectory((scratch / "").string());
        host::MainDM().setToday(host::encodeDate(2024, 4, 15));
        frame.setReportName(reportName_);
        frame.chooseClient(7, "7");
        host::MemIniFile empty;
        frame.ReadOptions(empty);
        const auto& c = frame.controls();
        c.seYear.setValue(2024);
        // Form 08's page has the file fixed already; the others start on the print form.
        c.rgReportKind.setItemIndex(1);
        c.dePath.setText((scratch / "").string());
        c.seCalcPrecision.setValue(precision_);
        frame.SetTMPTablesDatabaseName();
        for (const auto& table : emptyTables_) fill(table, {});
    }
    void TearDown() override {
        host::MainDM().attachDatabase(nullptr);
        host::MainDM().setToday(std::nullopt);
        host::ui::setMessageService(nullptr);
    }

    std::string sqlText(const std::string& key) override { throw host::HostDatabaseError(key); }
    std::optional<std::vector<host::Variant>> firstRow(const std::string& sql) override {
        if (sql.find("GET_ADDRESS_KLADR(0,7)") == std::string::npos) return std::nullopt;
        return std::vector<host::Variant>(10, host::Variant(""));
    }
    host::HostDataSet& sharedDataSet() override { throw host::HostDatabaseError("no dataset"); }
    void show(const std::string& text, const std::string&) override { ADD_FAILURE() << host::cp1251ToUtf8(text); }

    void fill(const std::string& table, const std::vector<Row>& rows) {
        zorvic_test::fillWorkTable((scratch / "").string(), table, rows);
    }

    // The table anew, holding just `rows`.
    void refill(const std::string& table, const std::vector<Row>& rows) {
        std::filesystem::remove(scratch / (table + ".db"));
        fill(table, rows);
    }

    // The reference block and the data section of a fresh file, the file checked to be
    // well-formed XML first. A form without a reference block gives what stands in its place.
    std::pair<std::string, std::string> body() {
        frame.MakeFile();
        const std::string path = frame.producedPath();
        EXPECT_EQ(std::system(("xmllint --noout '" + path + "'").c_str()), 0);
        const std::string file = readFile(path);
        auto between = [&file](const char* from, const char* to) -> std::string {
            const std::string start = host::W(from);
            const std::size_t a = file.find(start), b = file.find(host::W(to), a);
            if (a == std::string::npos || b == std::string::npos) return "<missing>";
            return file.substr(a + start.size(), b - a - start.size());
        };
        const std::string references = references_ == ReferenceBlock::BehindFormHeader
                                           ? between("</ФормаОтч>\r\n", "<Документ>\r\n")
                                           : between("НаимПрог=\"VELTRA V.3\">\r\n", "<ФормаОтч");
        return {references, between("</Организация>\r\n", "</Документ>\r\n")};
    }

private:
    std::string reportName_;
    ReferenceBlock references_;
    std::vector<std::string> emptyTables_;
    double precision_;

protected:
    ScratchDir scratch;
    Frame frame;
};

}  // namespace zorvic_test
