// The host database on Firebird: stored SQL texts, lookups and the shared dataset against a
// database made for the test with the embedded engine; servers that cannot be reached.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/firebird/firebird_database.h"
#include "host/text/cp1251.h"
#include "loopback_port.h"
#include "test_support.h"

namespace {

using host::Variant;

class FirebirdAccess : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new zorvic_test::ScratchDir;
        path = new std::string((*scratch / "host.fdb").string());
        zorvic_test::writeFile(*scratch / "make.sql",
                               "SET NAMES UTF8;\n"
                               "create database '" + *path + "' default character set WIN1251;\n"
                               "create table REPORT_SQL (SQL_KEY varchar(100) primary key, SQL_TEXT blob sub_type text);\n"
                               "create table GOODS (ID integer, NAME varchar(40), CODE char(5), "
                               "PRICE numeric(15,2), VOLUME double precision, MADE date, SEEN timestamp);\n"
                               "insert into GOODS values (1, 'Водка \"Мороз\"', 'AB', 12.34, 0.5, '2024-02-29', "
                               "'2024-03-01 12:00:00');\n"
                               "insert into GOODS values (2, null, null, -0.05, null, null, null);\n"
                               "insert into REPORT_SQL values ('goods', 'select ID, NAME from GOODS "
                               "where ID >= cast(:First_ID as integer) and MADE <= cast(:Until as date) "
                               "or cast(:first_id as integer) = 2 order by ID');\n"
                               "commit;\n");
        const std::string command = "isql-fb -q -i '" + (*scratch / "make.sql").string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << "isql-fb could not make the test database";
    }
    static void TearDownTestSuite() {
        host::FirebirdDatabase::shutdown();
        delete path;
        delete scratch;
    }

    static zorvic_test::ScratchDir* scratch;
    static std::string* path;
};

zorvic_test::ScratchDir* FirebirdAccess::scratch = nullptr;
std::string* FirebirdAccess::path = nullptr;

TEST_F(FirebirdAccess, LookupsAnswerTheFirstRowWithTypedValues) {
    host::FirebirdDatabase db(*path);
    const auto row = db.firstRow("select NAME, CODE, PRICE, VOLUME, MADE, SEEN, ID from GOODS order by ID");
    ASSERT_TRUE(row.has_value());
    ASSERT_EQ(row->size(), 7u);
    EXPECT_EQ((*row)[0], Variant(host::W("Водка \"Мороз\""))) << "text arrives as windows-1251";
    EXPECT_EQ((*row)[1], Variant("AB")) << "fixed-length text loses its padding";
    EXPECT_DOUBLE_EQ((*row)[2].toDouble(), 12.34);
    EXPECT_DOUBLE_EQ((*row)[3].toDouble(), 0.5);
    EXPECT_EQ(host::formatDate((*row)[4].toDateTime()), "29.02.2024");
    EXPECT_DOUBLE_EQ((*row)[5].toDateTime().days - host::encodeDate(2024, 3, 1).days, 0.5);
    EXPECT_EQ((*row)[6], Variant(1));

    const auto nulls = db.firstRow("select NAME, PRICE, MADE from GOODS where ID = 2");
    ASSERT_TRUE(nulls.has_value());
    EXPECT_TRUE((*nulls)[0].isNull());
    EXPECT_DOUBLE_EQ((*nulls)[1].toDouble(), -0.05);
    EXPECT_TRUE((*nulls)[2].isNull());
    EXPECT_FALSE(db.firstRow("select ID from GOODS where ID = 99").has_value());
}

TEST_F(FirebirdAccess, StoredTextsRunWithParametersBoundByName) {
    host::FirebirdDatabase db(*path);
    auto& data = db.sharedDataSet();
    data.setSQL(db.sqlText("goods"));
    data.setParam("first_ID", Variant(1));
    data.setParam("UNTIL", Variant(host::encodeDate(2024, 12, 31)));
    data.setParam("Not_Used", Variant(5));
    data.open();
    std::vector<std::int64_t> ids;
    for (; !data.eof(); data.next()) ids.push_back(data.field(0).toInteger());
    EXPECT_EQ(ids, (std::vector<std::int64_t>{1}));
    EXPECT_EQ(data.recordCount(), 1);
    data.close();
    EXPECT_FALSE(data.active());

    data.setSQL(db.sqlText("goods"));
    data.setParam("First_ID", Variant(1));
    try {
        data.open();
        FAIL() << "a parameter nobody supplied was accepted";
    } catch (const host::HostDatabaseError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(":Until"), std::string::npos) << message;
        EXPECT_NE(message.find("goods"), std::string::npos) << "the message names the key: " << message;
    }
}

TEST_F(FirebirdAccess, FailuresNameTheDatabaseTheKeyOrTheObject) {
    try {
        host::FirebirdDatabase missing((*scratch / "none.fdb").string());
        FAIL() << "a missing database opened";
    } catch (const host::HostDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("none.fdb"), std::string::npos);
    }
    zorvic_test::writeFile(*scratch / "junk.fdb", std::string(8192, 'x'));
    EXPECT_THROW(host::FirebirdDatabase((*scratch / "junk.fdb").string()), host::HostDatabaseError);

    host::FirebirdDatabase db(*path);
    try {
        db.sqlText("ibqrySelectNothing");
        FAIL() << "a missing key was accepted";
    } catch (const host::HostDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("ibqrySelectNothing"), std::string::npos);
    }
    try {
        db.firstRow("select X from NO_SUCH_TABLE");
        FAIL() << "a missing table was accepted";
    } catch (const host::HostDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("NO_SUCH_TABLE"), std::string::npos);
    }
}

// What the server of a connection string has to say, when there is none to say it; the ones that
// answer are the program's tests through the tests' own server.
std::string refusal(const std::string& connection) {
    try {
        host::FirebirdDatabase db(connection);
    } catch (const host::HostDatabaseError& e) {
        return e.what();
    }
    return "opened";
}

TEST_F(FirebirdAccess, ServersThatCannotBeReachedAreNamedInOneLine) {
    const zorvic_test::LoopbackPort deaf(zorvic_test::LoopbackPort::deaf);
    const zorvic_test::LoopbackPort other(zorvic_test::LoopbackPort::answering);
    const struct {
        std::string connection;
        std::string said;
    } cases[] = {
        {"localhost/" + deaf.port() + ":/data/host.fdb", "no Firebird server answers at localhost port " + deaf.port()},
        {"127.0.0.1/" + other.port() + ":/data/host.fdb",
         "127.0.0.1 port " + other.port() + " rejected the connection: no Firebird server"},
        {"localhost/zorvic-no-service:/data/host.fdb",
         "the port zorvic-no-service of the server localhost is neither a number nor a known service name"},
    };
    for (const auto& c : cases) {
        const std::string message = refusal(c.connection);
        EXPECT_EQ(message.rfind("cannot open the host database " + c.connection + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.said), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

}  // namespace
