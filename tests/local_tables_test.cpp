// The local table engine: work tables as files, appends by position, and local queries whose
// order is deterministic whatever the engine would otherwise do.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/data/main_dm.h"
#include "host/firebird/named_parameters.h"
#include "host/local/local_query.h"
#include "host/local/local_sql.h"
#include "host/local/local_table.h"
#include "host/local/local_table_error.h"
#include "host/text/cp1251.h"
#include "host/text/names.h"
#include "test_support.h"

namespace {

using host::LocalQuery;
using host::LocalTable;
using host::Variant;

struct Subdivision {
    int id;
    std::string name;
    std::string kpp;
};

class LocalTables : public ::testing::Test {
protected:
    void fill(const std::vector<Subdivision>& rows) {
        LocalTable table("ZorvicBuyObosob");
        table.setDatabaseName(dir());
        table.open();
        for (const auto& row : rows) {
            table.append();
            table.setField(0, Variant(row.id));
            table.setField(1, Variant(row.name));
            table.setField(2, Variant(row.kpp));
            table.post();
        }
        table.close();
    }

    std::vector<std::string> column(LocalQuery& query, const std::string& name) {
        std::vector<std::string> values;
        for (query.first(); !query.eof(); query.next()) values.push_back(query.fieldByName(name).toText());
        return values;
    }

    std::string dir() const { return (scratch / "").string(); }

    zorvic_test::ScratchDir scratch;
};

TEST_F(LocalTables, TableReadDirectlyComesInAppendOrderAndKeepsRowsAcrossOpens) {
    fill({{3, "c", "1"}, {1, "a", "2"}});
    fill({{2, "b", "3"}});
    EXPECT_TRUE(std::filesystem::exists(scratch / "ZorvicBuyObosob.db"));

    LocalTable table("ZorvicBuyObosob");
    table.setDatabaseName(dir());
    table.open();
    std::vector<int> ids;
    std::vector<int> rowNumbers;
    for (table.first(); !table.eof(); table.next()) {
        ids.push_back(static_cast<int>(table.fieldByName("cl_id").toInteger()));
        rowNumbers.push_back(table.recNo());
    }
    EXPECT_EQ(ids, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(rowNumbers, (std::vector<int>{1, 2, 3}));
    // Columns the query did not fill stay null.
    table.first();
    EXPECT_TRUE(table.fieldByName("CL_ADDRESS").isNull());
}

TEST_F(LocalTables, RowsThatDoNotFitFailWithTheEnginesErrorAndEarlierRowsStay) {
    LocalTable table("ZorvicBuyObosob");
    table.setDatabaseName(dir());
    table.open();
    table.append();
    table.setField(0, Variant(7));
    table.post();

    table.append();
    try {
        table.setField(15, Variant(1));  // the table has 15 columns, 0..14
        FAIL() << "a 16th column was accepted";
    } catch (const host::LocalTableError& e) {
        EXPECT_NE(std::string(e.what()).find("ZorvicBuyObosob"), std::string::npos);
    }
    table.append();
    table.setField(0, Variant("not a number"));
    EXPECT_THROW(table.post(), host::LocalTableError);
    table.close();

    LocalTable again("ZorvicBuyObosob");
    again.setDatabaseName(dir());
    again.open();
    again.first();
    ASSERT_FALSE(again.eof());
    EXPECT_EQ(again.field(0).toInteger(), 7);
    again.next();
    EXPECT_TRUE(again.eof());
}

TEST_F(LocalTables, DateColumnsComeBackAsDatesAndNumbersByValue) {
    LocalTable table("ZorvicBuy");
    table.setDatabaseName(dir());
    table.open();
    table.append();
    table.setField(21, Variant(host::encodeDate(2024, 2, 29)));  // CL_LIC_DATE
    table.setField(31, Variant(1.25));                           // QUANTITY
    table.setField(32, Variant(0));                              // ISRET
    table.post();
    table.close();

    LocalQuery query("q", "select cl_lic_date, quantity, isret from \"ZorvicBuy.db\"", true);
    query.setDatabaseName(dir());
    query.open();
    ASSERT_TRUE(query.field(0).isDate());
    EXPECT_EQ(host::formatDate(query.field(0).toDateTime()), "29.02.2024");
    EXPECT_DOUBLE_EQ(query.field(1).toDouble(), 1.25);
    EXPECT_TRUE(query.field(2).isInteger());
}

TEST_F(LocalTables, DistinctWithoutOrderComesSortedByItsColumnsAsWindows1251Bytes) {
    // "Ё" (0xA8) sorts before "А" (0xC0), Latin before Cyrillic, null before any value.
    fill({{1, host::W("Яблоко"), "x"}, {2, host::W("Ёлка"), "x"}, {3, "Zeta", "x"}, {4, host::W("Арбуз"), "x"}});
    LocalTable table("ZorvicBuyObosob");
    table.setDatabaseName(dir());
    table.open();
    table.append();
    table.setField(0, Variant(5));
    table.post();
    table.close();

    LocalQuery query("q", "select distinct cl_name from \"ZorvicBuyObosob.db\"", false);
    query.setDatabaseName(dir());
    query.open();
    const auto names = column(query, "cl_name");
    EXPECT_EQ(names, (std::vector<std::string>{"", "Zeta", host::W("Ёлка"), host::W("Арбуз"), host::W("Яблоко")}));
    query.first();
    EXPECT_TRUE(query.field(0).isNull());
}

TEST_F(LocalTables, TiesOnAPartialOrderAreBrokenDeterministically) {
    fill({{2, "b", "k2"}, {1, "a", "k9"}, {2, "a", "k1"}, {1, "a", "k3"}});

    // A distinct query: tied rows sorted by the remaining selected columns.
    LocalQuery distinct("q", "select distinct cl_id, cl_kpp from \"ZorvicBuyObosob.db\" order by cl_id", false);
    distinct.setDatabaseName(dir());
    distinct.open();
    EXPECT_EQ(column(distinct, "cl_kpp"), (std::vector<std::string>{"k3", "k9", "k1", "k2"}));

    // Any other query: tied rows in table order.
    LocalQuery plain("q", "select cl_id, cl_kpp from \"ZorvicBuyObosob.db\" order by cl_id", true);
    plain.setDatabaseName(dir());
    plain.open();
    EXPECT_EQ(column(plain, "cl_kpp"), (std::vector<std::string>{"k9", "k3", "k2", "k1"}));

    // Grouped rows without an order: sorted by the selected columns.
    LocalQuery grouped("q", "select cl_name, max(cl_kpp) cl_kpp from \"ZorvicBuyObosob.db\" group by cl_name", true);
    grouped.setDatabaseName(dir());
    grouped.open();
    EXPECT_EQ(column(grouped, "cl_name"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(column(grouped, "cl_kpp"), (std::vector<std::string>{"k9", "k2"}));
}

// A distinct select of plain columns keeps only the distinct rows before it sorts them, which
// for a big table of few distinct rows is most of the work saved; any other distinct select is
// sorted whole. Both give the same rows in the same order.
TEST_F(LocalTables, DistinctRowsComeSortedWhetherFoundBeforeTheSortOrByIt) {
    std::vector<Subdivision> rows;
    for (int i = 0; i < 300; ++i)
        rows.push_back({i % 3 == 0 ? 2 : 1, i % 2 ? "b" : host::W("Ёж"), i % 5 == 0 ? "k1" : "k0"});
    fill(rows);
    LocalTable table("ZorvicBuyObosob");
    table.setDatabaseName(dir());
    table.open();
    table.append();
    table.post();  // a row of nulls
    table.close();

    const std::string from = " from \"ZorvicBuyObosob.db\"";
    auto rowsOf = [this](const std::string& sql) {
        LocalQuery query("q", sql, true);
        query.setDatabaseName(dir());
        query.open();
        std::vector<std::string> all;
        for (; !query.eof(); query.next()) {
            std::string row;
            for (int i = 0; i < query.fieldCount(); ++i) row += query.field(i).toText() + "|";
            all.push_back(row);
        }
        return all;
    };
    using Rows = std::vector<std::string>;
    const std::string hedgehog = host::W("Ёж");
    const Rows expected = {"|||",          "k0|1|b|", "k0|1|" + hedgehog + "|", "k0|2|b|", "k0|2|" + hedgehog + "|",
                           "k1|1|b|",      "k1|1|" + hedgehog + "|", "k1|2|b|", "k1|2|" + hedgehog + "|"};
    const Rows withoutNulls(expected.begin() + 1, expected.end());

    const std::vector<std::pair<std::string, Rows>> foundBeforeTheSort = {
        {"select distinct cl_kpp, cl_id, cl_name" + from + " order by cl_kpp", expected},
        {"select distinct CL_KPP,cl_id , cl_name" + from, expected},
        {"select distinct cl_kpp, cl_id, cl_name" + from + " where cl_id > 0 order by cl_kpp", withoutNulls}};
    for (const auto& [sql, rows] : foundBeforeTheSort) {
        EXPECT_EQ(host::translateLocalSql(sql).sql.rfind("select * from (", 0), 0u) << sql;
        EXPECT_EQ(rowsOf(sql), rows) << sql;
    }
    const std::vector<std::pair<std::string, Rows>> sortedWhole = {
        {"select distinct cl_kpp, cl_id, cl_name || '' as cl_name" + from, expected},
        {"select distinct cl_kpp, cl_id, cl_name" + from + " order by cl_kpp desc",
         {expected[5], expected[6], expected[7], expected[8], expected[1], expected[2], expected[3], expected[4],
          expected[0]}},
        {"select distinct cl_kpp, cl_id, cl_name" + from + " order by 3",
         {expected[0], expected[1], expected[3], expected[5], expected[7], expected[2], expected[4], expected[6],
          expected[8]}}};
    for (const auto& [sql, rows] : sortedWhole) {
        EXPECT_EQ(host::translateLocalSql(sql).sql.find("select * from ("), std::string::npos) << sql;
        EXPECT_EQ(rowsOf(sql), rows) << sql;
    }
}

TEST_F(LocalTables, CursorsMoveBothWaysUnlessForwardOnly) {
    fill({{1, "a", "k"}, {2, "b", "k"}, {3, "c", "k"}});
    LocalQuery both("q", "select cl_id from \"ZorvicBuyObosob.db\" order by cl_id", false);
    both.setDatabaseName(dir());
    both.open();
    both.next();
    both.next();
    EXPECT_EQ(both.recNo(), 3);
    both.prior();
    EXPECT_EQ(both.field(0).toInteger(), 2);
    both.next();
    both.next();
    EXPECT_TRUE(both.eof());

    LocalQuery forward("q", "select cl_id from \"ZorvicBuyObosob.db\" order by cl_id", true);
    forward.setDatabaseName(dir());
    forward.open();
    forward.next();
    EXPECT_THROW(forward.prior(), host::LocalTableError);
    forward.first();  // reads again from the start
    EXPECT_EQ(forward.field(0).toInteger(), 1);
    EXPECT_EQ(forward.recNo(), 1);
}

TEST_F(LocalTables, LocateComparesExactlyAndStaysPutWhenNothingMatches) {
    fill({{1, "Abc", "k1"}, {2, "abc", "k2"}, {2, "abc", "k3"}});
    for (bool forwardOnly : {false, true}) {
        LocalQuery query("q", "select cl_id, cl_name, cl_kpp from \"ZorvicBuyObosob.db\"", forwardOnly);
        query.setDatabaseName(dir());
        query.open();
        EXPECT_TRUE(query.locate({"cl_id", "CL_NAME"}, {Variant(2.0), Variant("abc")}));
        EXPECT_EQ(query.fieldByName("cl_kpp").toText(), "k2") << "the first match wins";
        EXPECT_FALSE(query.locate({"cl_name"}, {Variant("ABC")}));
        EXPECT_EQ(query.recNo(), 2);
        EXPECT_EQ(query.fieldByName("cl_kpp").toText(), "k2");
    }
}

TEST_F(LocalTables, ClearScriptEmptiesTablesAndDropRemovesTheFile) {
    fill({{1, "a", "k"}});
    auto& engine = host::MainDM().LocalEngine();
    engine.execute(dir(), "delete from \"ZorvicBuyObosob.db\";");
    LocalTable table("ZorvicBuyObosob");
    table.setDatabaseName(dir());
    table.open();
    EXPECT_TRUE(table.isEmpty());
    host::DropTable(table);
    EXPECT_FALSE(std::filesystem::exists(scratch / "ZorvicBuyObosob.db"));
    EXPECT_THROW(engine.execute(dir(), "delete from \"NoSuchTable.db\";"), host::LocalTableError);
}

TEST(LocalSql, TableReferencesBecomeAttachedTablesAndQuotedTextStays) {
    const auto statement = host::translateLocalSql(
        "select cl_name from \"ZorvicBuy.db\" where cl_name <> 'x.db' order by cl_name");
    EXPECT_EQ(statement.tables, (std::vector<std::string>{"ZorvicBuy"}));
    EXPECT_EQ(statement.sql,
              "select cl_name from \"ZorvicBuy\".\"ZorvicBuy\" where cl_name <> 'x.db' order by cl_name, rowid");
    EXPECT_EQ(host::translateLocalSql("delete from \"ZorvicBuy.db\";").sql, "delete from \"ZorvicBuy\".\"ZorvicBuy\"");
}

TEST(NamedParameters, NamesBecomePlaceholdersOutsideQuotesAndComments) {
    const auto positional = host::toPositional(
        "select ':Skip', \":AlsoSkip\" from t -- :Comment\n"
        "where a = :Date_First and b = :date_first /* :x */ and c = :Group_by_superplace");
    EXPECT_EQ(positional.names, (std::vector<std::string>{"Date_First", "date_first", "Group_by_superplace"}));
    EXPECT_EQ(positional.text,
              "select ':Skip', \":AlsoSkip\" from t -- :Comment\nwhere a = ? and b = ? /* :x */ and c = ?");
    EXPECT_TRUE(host::sameName("From_name_ID", "from_name_id"));
}

}  // namespace
