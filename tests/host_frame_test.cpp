// The host package as the plug-ins lean on it: the class registry and the module unit's counter,
// the base generate step, the SQL lookup and XML escaping.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "core/module_unit.h"
#include "host/data/hostapi.h"
#include "host/data/main_dm.h"
#include "host/frame/class_registry.h"
#include "host/frame/report_frame.h"
#include "host/local/local_table.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"
#include "test_support.h"

namespace {

using host::Variant;
using host::W;

std::unique_ptr<host::TReportFrame> makeBareFrame() { return std::make_unique<host::TReportFrame>(); }

long registrations(const std::string& name) {
    const auto names = host::RegisteredClassNames();
    return std::count(names.begin(), names.end(), name);
}

TEST(ModuleUnitTest, RepeatedInitialiseAndFinaliseRegisterAndUnregisterOnce) {
    const host::FrameClass probe{"TUnitCounterProbeReport", &makeBareFrame};
    core::ModuleUnit unit(probe);
    unit.initialize();
    EXPECT_EQ(host::FindClass(probe.name), &probe);
    unit.initialize();
    EXPECT_EQ(registrations(probe.name), 1);
    unit.finalize();
    EXPECT_EQ(host::FindClass(probe.name), &probe) << "the first finalise only balances the second initialise";
    unit.finalize();
    EXPECT_EQ(host::FindClass(probe.name), nullptr);
    EXPECT_NO_THROW(unit.finalize()) << "an extra finalise must not unregister a second time";
}

TEST(ClassRegistryTest, RefusesANameInUseAndAnUnknownClass) {
    const host::FrameClass first{"TRegistryProbeReport", &makeBareFrame};
    const host::FrameClass impostor{"TRegistryProbeReport", &makeBareFrame};
    host::RegisterClass(first);
    EXPECT_NO_THROW(host::RegisterClass(first));
    EXPECT_THROW(host::RegisterClass(impostor), std::logic_error);
    EXPECT_THROW(host::UnRegisterClass(impostor), std::logic_error);
    EXPECT_NE(host::CreateFrame("TRegistryProbeReport"), nullptr);
    host::UnRegisterClass(first);
    EXPECT_THROW(host::UnRegisterClass(first), std::logic_error);
    try {
        host::CreateFrame("TRegistryProbeReport");
        ADD_FAILURE() << "an unregistered class was created";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("TRegistryProbeReport"), std::string::npos);
    }
}

// Stand-ins for the host database the host program attaches to its main data module.
class IdleDataSet final : public host::HostDataSet {
public:
    void close() override {}
    bool active() const override { return false; }
    void setSQL(const std::string& text) override { sql_ = text; }
    const std::string& sql() const override { return sql_; }
    void setParam(const std::string&, const Variant&) override {}
    void open() override {}
    bool eof() const override { return true; }
    void next() override {}
    int fieldCount() const override { return 0; }
    Variant field(int) const override { return {}; }
    int recordCount() const override { return 0; }

private:
    std::string sql_;
};

class OneRowDatabase final : public host::HostDatabase {
public:
    std::optional<std::vector<Variant>> row;
    std::vector<std::string> asked;

    std::string sqlText(const std::string& key) override { return "select * from " + key; }
    std::optional<std::vector<Variant>> firstRow(const std::string& sql) override {
        asked.push_back(sql);
        return row;
    }
    host::HostDataSet& sharedDataSet() override { return dataSet_; }

private:
    IdleDataSet dataSet_;
};

class CapturedMessages final : public host::ui::MessageService {
public:
    std::vector<std::string> texts;
    void show(const std::string& text, const std::string&) override { texts.push_back(text); }
};

// The rows a work table of the directory holds.
int rowsOf(const std::string& table, const std::string& directory) {
    host::LocalTable t(table);
    t.setDatabaseName(directory);
    t.open();
    int rows = 0;
    for (t.first(); !t.eof(); t.next()) ++rows;
    return rows;
}

void appendRow(const std::string& table, const std::string& directory) {
    host::LocalTable t(table);
    t.setDatabaseName(directory);
    t.open();
    t.append();
    t.post();
}

// A frame of the tests' own: its validation lines are whatever the test says, and collecting the
// data notes how many rows its tables held at that moment, then adds one to each.
class ProbeFrame final : public host::TReportFrame {
public:
    explicit ProbeFrame(std::vector<std::string>& log) : log_(log) {}
    std::string problems;
    std::string GetErrorMessage(const std::string& text) override {
        return TReportFrame::GetErrorMessage(text) + problems;
    }
    void FillDataTable() override {
        const std::string directory = host::MainDM().GetPath(host::TMainDM::WorkDirectory);
        log_.push_back("collected over " + std::to_string(rowsOf("ZorvicBuy", directory)) + " + " +
                       std::to_string(rowsOf("ZorvicBuyObosob", directory)) + " rows");
        appendRow("ZorvicBuy", directory);
        appendRow("ZorvicBuyObosob", directory);
    }

private:
    std::vector<std::string>& log_;
};

class HostFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::MainDM().setWorkDirectory(dir());
        host::MainDM().attachDatabase(&database);
        host::ui::setMessageService(&messages);
        frame.chbRecalc().setChecked(false);
        frame.sqlClearTables = {"delete from \"ZorvicBuy.db\";", "delete from \"ZorvicBuyObosob.db\";"};
        // What an earlier run collected.
        appendRow("ZorvicBuy", dir());
        appendRow("ZorvicBuyObosob", dir());
    }
    void TearDown() override {
        host::ui::setMessageService(nullptr);
        host::MainDM().attachDatabase(nullptr);
        host::MainDM().setWorkDirectory({});
    }
    std::string dir() const { return (scratch / "").string(); }

    zorvic_test::ScratchDir scratch;
    std::vector<std::string> log;
    OneRowDatabase database;
    CapturedMessages messages;
    ProbeFrame frame{log};
};

TEST_F(HostFrameTest, FailedValidationShowsTheLinesAndCollectsNothing) {
    frame.problems = W("Не выбран отчетный год") + "\r" + W("Не выбран клиент \"От имени\"") + "\r";
    EXPECT_THROW(frame.bbtnGenerateClick(nullptr), host::GenerateAborted);
    EXPECT_EQ(messages.texts, std::vector<std::string>{frame.problems});
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(rowsOf("ZorvicBuy", dir()), 1) << "nothing is cleared either";

    // The data are still to be collected once the page is right.
    frame.problems.clear();
    frame.bbtnGenerateClick(nullptr);
    EXPECT_EQ(log, std::vector<std::string>{"collected over 0 + 0 rows"});
}

TEST_F(HostFrameTest, StaleDataAreClearedInTheWorkDirectoryThenCollectedOnce) {
    frame.bbtnGenerateClick(nullptr);
    const std::vector<std::string> oneRun = {"collected over 0 + 0 rows"};
    EXPECT_EQ(log, oneRun);
    EXPECT_TRUE(messages.texts.empty());

    log.clear();
    frame.bbtnGenerateClick(nullptr);
    EXPECT_TRUE(log.empty()) << "fresh data are not collected again";

    frame.NeedRecalcData();
    frame.bbtnGenerateClick(nullptr);
    EXPECT_EQ(log, oneRun);

    log.clear();
    frame.chbRecalc().setChecked(true);
    frame.bbtnGenerateClick(nullptr);
    EXPECT_EQ(log, oneRun);
}

TEST_F(HostFrameTest, SqlLookupAnswersItsFirstRowByShape) {
    const std::string inn = "select INN_CLIENTS from CLIENTS where ID_CLIENTS=7";
    database.row = std::vector<Variant>{Variant("7707083893")};
    EXPECT_EQ(host::HxSqlQuery({Variant(inn)}), Variant("7707083893"));
    EXPECT_EQ(database.asked, std::vector<std::string>{inn});

    database.row = std::vector<Variant>{Variant("101000"), Variant(77), Variant::null(), Variant(W("Москва"))};
    const Variant address = host::HxSqlQuery({Variant("select post_index, region_kod from GET_ADDRESS_KLADR(0,7)")});
    ASSERT_TRUE(address.isArray());
    ASSERT_EQ(address.array().size(), 4u);
    EXPECT_EQ(address.array()[0], Variant("101000"));
    EXPECT_EQ(address.array()[1], Variant(77));
    EXPECT_TRUE(address.array()[2].isNull());
    EXPECT_EQ(address.array()[3], Variant(W("Москва")));

    database.row = std::nullopt;
    EXPECT_TRUE(host::HxSqlQuery({Variant("select LIC_DATE from CLIENT_LIC_VIEW(7, '31.03.2010')")}).isNullOrEmpty());
}

TEST(XmlCheckStrTest, EscapesReservedCharactersAndDropsControlCharacters) {
    EXPECT_EQ(host::XMLCheckStr(W("ООО \"Ромашка\" & <Ко> 'А'")),
              W("ООО &quot;Ромашка&quot; &amp; &lt;Ко&gt; &apos;А&apos;"));
    EXPECT_EQ(host::XMLCheckStr(std::string("a\tb\nc\rd\x01\x1f" "e\x0b", 11)), "a\tb\nc\rde");
    std::string plain;
    for (int b = 0x20; b < 0x100; ++b)
        if (b != '&' && b != '<' && b != '>' && b != '"' && b != '\'' && b != 0x7F) plain += static_cast<char>(b);
    EXPECT_EQ(host::XMLCheckStr(plain), plain);
}

}  // namespace
