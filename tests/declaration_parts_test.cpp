// The pieces every declaration body shares: datasets held open for a scope, and the licences a
// reference block lists and its data section names.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/declaration_file/form_names.h"
#include "core/declaration_file/licences.h"
#include "core/declaration_file/open_datasets.h"
#include "host/calendar/date_time.h"
#include "host/local/local_query.h"
#include "host/local/local_table.h"
#include "host/local/work_table_catalog.h"
#include "host/text/cp1251.h"
#include "test_support.h"
#include "work_table_column.h"

namespace {

using host::Variant;

// A dataset that only notes what is done to it, and fails to open or to close when told to.
class NotingDataSet final : public host::LocalDataSet {
public:
    NotingDataSet(std::string name, std::vector<std::string>& log, bool failsToOpen = false, bool failsToClose = false)
        : LocalDataSet(std::move(name), true), log_(log), failsToOpen_(failsToOpen), failsToClose_(failsToClose) {}

    void open() override {
        log_.push_back("open " + name());
        if (failsToOpen_) throw std::runtime_error("cannot open " + name());
    }
    void close() override {
        log_.push_back("close " + name());
        if (failsToClose_) throw std::runtime_error("cannot close " + name());
    }

protected:
    std::string readSql() const override { return {}; }
    std::vector<std::string> readTables() const override { return {}; }

private:
    std::vector<std::string>& log_;
    bool failsToOpen_;
    bool failsToClose_;
};

using Log = std::vector<std::string>;

TEST(OpenDatasets, OpensInOrderAndClosesWhatItOpenedLastFirstHoweverTheScopeEnds) {
    Log log;
    NotingDataSet a("a", log), b("b", log), adopted("adopted", log);
    {
        core::OpenDatasets open({&a, &b});
        open.adopt(adopted);
    }
    EXPECT_EQ(log, (Log{"open a", "open b", "close adopted", "close b", "close a"}));

    log.clear();
    NotingDataSet failing("failing", log, true);
    EXPECT_THROW(core::OpenDatasets({&a, &failing, &b}), std::runtime_error);
    EXPECT_EQ(log, (Log{"open a", "open failing", "close failing", "close a"})) << "what follows is never opened";

    // A closing failure neither ends the run on its own nor hides the error that ended the scope.
    log.clear();
    NotingDataSet stuck("stuck", log, false, true);
    EXPECT_THROW(
        {
            core::OpenDatasets open({&stuck, &a});
            throw std::logic_error("the writing failed");
        },
        std::logic_error);
    EXPECT_EQ(log, (Log{"open stuck", "open a", "close a", "close stuck"}));
}

// The counterparties query of a reference block over rows filled by hand, in table order.
class Licences : public ::testing::Test {
protected:
    struct Row {
        Variant id;
        Variant date;
    };

    void fill(const std::vector<Row>& rows) {
        auto at = [](const char* name) { return zorvic_test::workColumnIndex("ZorvicBuy", name).value(); };
        host::LocalTable table("ZorvicBuy");
        table.setDatabaseName(dir());
        table.open();
        for (const auto& row : rows) {
            table.append();
            table.setField(at("CL_ID"), row.id);
            table.setField(at("CL_LIC_DATE"), row.date);
            table.post();
        }
        table.close();
        clients.setDatabaseName(dir());
        clients.open();
    }

    // The ids of the licences written, in order.
    std::vector<std::string> written(const std::function<void(core::DeclarationWriter&)>& write) {
        const std::string path = (scratch / "out.xml").string();
        {
            core::DeclarationWriter out(path);
            write(out);
            out.commit();
        }
        const std::string text = zorvic_test::readFile(path);
        const std::string id = host::W("ИдЛицензии=\"");
        std::vector<std::string> ids;
        for (std::size_t at = text.find(id); at != std::string::npos; at = text.find(id, at + 1)) {
            const std::size_t from = at + id.size();
            ids.push_back(text.substr(from, text.find('"', from) - from));
        }
        return ids;
    }

    std::string dir() const { return (scratch / "").string(); }

    zorvic_test::ScratchDir scratch;
    host::LocalQuery clients{"qClients",
                             "select cl_id, cl_lic_date, cl_lic_good_date, cl_lic_reg_number, cl_lic_organ "
                             "from \"ZorvicBuy.db\" order by rowid",
                             false};
};

Variant day(int dayOfMonth, double time = 0) {
    return Variant(host::DateTime{host::encodeDate(2021, 3, dayOfMonth).days + time});
}

TEST_F(Licences, AHolderIsItsRunOfRowsAndOnlyALicenceListedWithAnIdIsNamed) {
    fill({{Variant::null(), day(1)},
          {Variant(0), day(2)},
          {Variant(5), day(3)},
          {Variant(5), Variant::null()},
          {Variant(5), day(3)},
          {Variant(7), day(4)}});
    const auto& attributes = core::names::shared().licenceAttributes;

    // Told apart exactly, a missing id and id 0 are two holders; by number they are one.
    core::LicenceList exactly(attributes, core::LicenceList::SameHolder::Exactly);
    clients.first();
    EXPECT_EQ(written([&](auto& out) { exactly.writeHolder(out, clients); }), (std::vector<std::string>{"1"}));
    EXPECT_EQ(clients.recNo(), 1);

    core::LicenceList byNumber(attributes, core::LicenceList::SameHolder::ByNumber);
    clients.first();
    EXPECT_EQ(written([&](auto& out) { byNumber.writeHolder(out, clients); }), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(clients.recNo(), 2) << "left on the holder's last row";
    clients.next();
    EXPECT_EQ(written([&](auto& out) { byNumber.writeHolder(out, clients); }), (std::vector<std::string>{"3", "5"}));
    EXPECT_EQ(clients.recNo(), 5);

    EXPECT_EQ(byNumber.find(0, day(2)), 2);
    EXPECT_EQ(byNumber.find(0, day(1)), 0) << "a row without an id is nobody's licence";
    EXPECT_EQ(byNumber.find(5, day(3)), 3) << "of equal licences the first listed";
    EXPECT_EQ(byNumber.find(5, day(3, 0.5)), 0) << "the date must match exactly";
    EXPECT_EQ(byNumber.find(5, Variant::null()), 0);
    EXPECT_EQ(byNumber.find(7, day(4)), 0) << "not listed yet";
    byNumber.clear();
    EXPECT_EQ(byNumber.find(0, day(2)), 0);
}

}  // namespace
