// Data collection: the period, the parameters each host query gets, the copy into the work
// tables and what is closed when something fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/declaration_frame.h"
#include "core/reporting_period.h"
#include "forms/buy/profile.h"
#include "forms/rozn/profile.h"
#include "forms/transport/profile.h"
#include "host/data/main_dm.h"
#include "host/local/local_table.h"
#include "host/local/local_table_error.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"
#include "test_support.h"

namespace {

using host::Variant;

std::string day(host::DateTime value) { return host::formatDate(value); }

TEST(ReportingPeriod, QuartersCutTheDayToTheMonthsEnd) {
    const auto q2 = core::reportingPeriod(2024, 1);
    EXPECT_EQ(day(q2.first), "01.04.2024");
    EXPECT_EQ(day(q2.last), "30.06.2024");
    EXPECT_EQ(day(core::reportingPeriod(2024, 0).last), "31.03.2024");  // a leap year ends March, not February
    EXPECT_EQ(day(core::reportingPeriod(2023, 2).last), "30.09.2023");
    const auto other = core::reportingPeriod(2010.9, -1);  // any other item is the fourth quarter
    EXPECT_EQ(day(other.first), "01.10.2010");
    EXPECT_EQ(day(other.last), "31.12.2010");
    EXPECT_THROW(core::reportingPeriod(70000, 0), host::DateRangeError);
    EXPECT_THROW(core::reportingPeriod(-1, 0), host::DateRangeError);
}

// The host database as collection sees it: stored texts under keys, and rows per text.
class StandInDatabase final : public host::HostDatabase, public host::HostDataSet {
public:
    std::map<std::string, std::vector<std::vector<Variant>>> rowsOf;  // by text
    std::map<std::string, std::map<std::string, Variant>> paramsOf;   // by text, as bound
    std::vector<std::string> opened;                                   // texts, in order
    bool failOnRow = false;

    std::string sqlText(const std::string& key) override { return "text of " + key; }
    std::optional<std::vector<Variant>> firstRow(const std::string&) override { return std::nullopt; }
    host::HostDataSet& sharedDataSet() override { return *this; }

    void close() override { active_ = false; }
    bool active() const override { return active_; }
    void setSQL(const std::string& text) override {
        sql_ = text;
        paramsOf[text].clear();
    }
    const std::string& sql() const override { return sql_; }
    void setParam(const std::string& name, const Variant& value) override { paramsOf[sql_][name] = value; }
    void open() override {
        active_ = true;
        row_ = 0;
        opened.push_back(sql_);
    }
    bool eof() const override { return row_ >= rows().size(); }
    void next() override {
        ++row_;
        if (failOnRow && row_ == 1) throw host::HostDatabaseError("connection lost");
    }
    int fieldCount() const override { return rows().empty() ? 0 : static_cast<int>(rows()[0].size()); }
    Variant field(int index) const override { return rows()[row_][static_cast<std::size_t>(index)]; }
    int recordCount() const override { return static_cast<int>(rows().size()); }

private:
    const std::vector<std::vector<Variant>>& rows() const {
        static const std::vector<std::vector<Variant>> none;
        const auto it = rowsOf.find(sql_);
        return it == rowsOf.end() ? none : it->second;
    }
    std::string sql_;
    bool active_ = false;
    std::size_t row_ = 0;
};

class Collection : public ::testing::Test, public host::ui::MessageService {
protected:
    void SetUp() override {
        host::ui::setMessageService(this);
        host::MainDM().attachDatabase(&database);
        host::MainDM().setWorkDirectory((scratch / "").string());
        host::MainDM().setReportId(17);
        host::MainDM().OwnerId = 4;
    }
    void TearDown() override {
        host::MainDM().attachDatabase(nullptr);
        host::MainDM().setReportId(0);
        host::MainDM().OwnerId = 0;
        host::ui::setMessageService(nullptr);
    }
    void show(const std::string&, const std::string&) override {}

    std::unique_ptr<core::DeclarationFrame> frame(const core::FormProfile& profile) {
        auto made = std::make_unique<core::DeclarationFrame>(profile);
        made->setReportName(std::string(profile.moduleName.substr(1)));
        made->chooseClient(42, "42");
        host::MemIniFile empty;
        made->ReadOptions(empty);
        made->SetTMPTablesDatabaseName();
        return made;
    }

    std::vector<std::vector<Variant>> tableRows(const std::string& name) {
        host::LocalTable table(name);
        table.setDatabaseName((scratch / "").string());
        table.open();
        std::vector<std::vector<Variant>> rows;
        for (table.first(); !table.eof(); table.next()) {
            std::vector<Variant> row;
            for (int i = 0; i < table.fieldCount(); ++i) row.push_back(table.field(i));
            rows.push_back(row);
        }
        return rows;
    }

    zorvic_test::ScratchDir scratch;
    StandInDatabase database;
};

TEST_F(Collection, EachQueryGetsItsParametersInOrderAndFillsItsTable) {
    auto retail = frame(forms::rozn::kProfile);
    auto& c = retail->controls();
    c.seYear.setValue(2024);
    c.rgTypePeriod.setItemIndex(1);
    c.seCalcPrecision.setValue(0.5);
    c.cbSuperplace.setChecked(true);
    c.cbShowNullNetto->setChecked(true);  // ticked, but disabled while goods are not detailed
    c.rgVidProd->setItemIndex(2);
    database.rowsOf["text of ibqrySelectZorvicRoznObosob"] = {{Variant(10), Variant("shop")}};
    database.rowsOf["text of ibqrySelectZorvicRoznBuy"] = {};

    retail->FillDataTable();

    EXPECT_EQ(database.opened, (std::vector<std::string>{"text of ibqrySelectZorvicRoznObosob",
                                                         "text of ibqrySelectZorvicRoznBuy",
                                                         "text of ibqrySelectZorvicRoznOborot"}));
    const auto& movement = database.paramsOf["text of ibqrySelectZorvicRoznBuy"];
    EXPECT_EQ(movement.at("Report_ID"), Variant(17));
    EXPECT_EQ(movement.at("Owner_ID"), Variant(4));
    EXPECT_EQ(movement.at("From_name_id"), Variant(42));
    EXPECT_EQ(day(movement.at("Date_First").toDateTime()), "01.04.2024");
    EXPECT_EQ(day(movement.at("Date_Last").toDateTime()), "30.06.2024");
    EXPECT_EQ(movement.at("Calc_precision"), Variant(0));
    EXPECT_EQ(movement.at("Group_by_superplace"), Variant(1));
    EXPECT_EQ(movement.at("Vidprod_kind"), Variant(2));
    EXPECT_EQ(movement.at("show_null_netto"), Variant(0));
    EXPECT_EQ(movement.count("only_move"), 0u);
    EXPECT_EQ(database.paramsOf["text of ibqrySelectZorvicRoznOborot"].count("only_move"), 1u);
    EXPECT_EQ(database.paramsOf["text of ibqrySelectZorvicRoznObosob"].size(), 4u);

    const auto subdivisions = tableRows("ZorvicRoznObosob");
    ASSERT_EQ(subdivisions.size(), 1u);
    EXPECT_EQ(subdivisions[0][0], Variant(10));
    EXPECT_EQ(subdivisions[0][1], Variant("shop"));
    EXPECT_TRUE(subdivisions[0][2].isNull()) << "columns the query does not return stay null";
    EXPECT_TRUE(tableRows("ZorvicRoznBuy").empty()) << "only the first query is tested for emptiness";
    EXPECT_FALSE(database.active());
}

TEST_F(Collection, NoSubdivisionStopsBeforeAnyTableIsOpened) {
    auto wholesale = frame(forms::buy::kProfile);
    database.rowsOf["text of ibqrySelectZorvicBuy"] = {{Variant("kind")}};
    try {
        wholesale->FillDataTable();
        FAIL() << "an empty subdivision query was accepted";
    } catch (const core::NoDataError& e) {
        EXPECT_EQ(std::string(e.what()), host::W("Отчет не содержит данных."));
    }
    EXPECT_EQ(database.opened.size(), 1u);
    EXPECT_FALSE(database.active());
    EXPECT_FALSE(std::filesystem::exists(scratch / "ZorvicBuyObosob.db"));
}

TEST_F(Collection, AFailureHalfWayClosesBothSidesAndKeepsThePostedRows) {
    auto transport = frame(forms::transport::kProfile);
    database.rowsOf["text of ibqrySelectZorvicTransportObosob"] = {{Variant(1)}, {Variant(2)}, {Variant(3)}};
    database.failOnRow = true;
    EXPECT_THROW(transport->FillDataTable(), host::HostDatabaseError);
    EXPECT_FALSE(database.active());
    EXPECT_EQ(tableRows("ZorvicTransportObosob").size(), 1u);
    EXPECT_EQ(database.paramsOf["text of ibqrySelectZorvicTransportObosob"].count("From_name_id"), 1u);
}

TEST_F(Collection, TooManyColumnsFailWithTheTableEnginesError) {
    auto wholesale = frame(forms::buy::kProfile);
    std::vector<Variant> wide(16, Variant(1));
    database.rowsOf["text of ibqrySelectZorvicBuyObosob"] = {wide};
    EXPECT_THROW(wholesale->FillDataTable(), host::LocalTableError);
    EXPECT_FALSE(database.active());
}

TEST_F(Collection, EveryGenerateStartsFromEmptyTables) {
    auto wholesale = frame(forms::buy::kProfile);
    database.rowsOf["text of ibqrySelectZorvicBuyObosob"] = {{Variant(1)}, {Variant(2)}};
    // The output branch is not under test here: stop it at the file.
    wholesale->controls().dePath.setText((scratch / "no" / "such" / "dir").string());
    for (int run = 0; run < 2; ++run) {
        try {
            wholesale->bbtnGenerateClick(nullptr);
        } catch (const std::exception&) {
        }
    }
    EXPECT_EQ(tableRows("ZorvicBuyObosob").size(), 2u);
}

}  // namespace
