// The body of the form 05 declaration file, written by the real frame from work tables filled by
// hand: no reference block, and per subdivision and product kind one element per turnover row
// with its producer and the eighteen figures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "forms/oborot/report_frame.h"
#include "host/data/main_dm.h"
#include "host/local/local_table.h"
#include "host/local/work_table_catalog.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"
#include "test_support.h"

namespace {

using host::Variant;
using host::W;
using Row = std::map<std::string, Variant>;

// The frame over hand-filled work tables; of the organization's lookups only the address
// answers, with empty parts.
class Form05File : public ::testing::Test, public host::HostDatabase, public host::ui::MessageService {
protected:
    void SetUp() override {
        host::ui::setMessageService(this);
        host::MainDM().attachDatabase(this);
        host::MainDM().setWorkDirectory((scratch / "").string());
        host::MainDM().setToday(host::encodeDate(2024, 4, 15));
        frame.setReportName("ZorvicOborot");
        frame.chooseClient(7, "7");
        host::MemIniFile empty;
        frame.ReadOptions(empty);
        const auto& c = frame.controls();
        c.seYear.setValue(2024);
        c.rgReportKind.setItemIndex(1);
        c.dePath.setText((scratch / "").string());
        c.seCalcPrecision.setValue(2);
        frame.SetTMPTablesDatabaseName();
        fill("ZorvicOborotObosob", {});
        fill("ZorvicOborot", {});
    }
    void TearDown() override {
        host::MainDM().attachDatabase(nullptr);
        host::MainDM().setToday(std::nullopt);
        host::ui::setMessageService(nullptr);
    }
    std::string sqlText(const std::string& key) override { throw host::HostDatabaseError(key); }
    std::optional<std::vector<Variant>> firstRow(const std::string& sql) override {
        if (sql.find("GET_ADDRESS_KLADR(0,7)") == std::string::npos) return std::nullopt;
        return std::vector<Variant>(10, Variant(""));
    }
    host::HostDataSet& sharedDataSet() override { throw host::HostDatabaseError("no dataset"); }
    void show(const std::string& text, const std::string&) override { ADD_FAILURE() << host::cp1251ToUtf8(text); }

    void fill(const std::string& table, const std::vector<Row>& rows) {
        const auto& columns = *host::workTableColumns(table);
        host::LocalTable t(table);
        t.setDatabaseName((scratch / "").string());
        t.open();
        for (const auto& row : rows) {
            t.append();
            for (const auto& [name, value] : row) {
                const auto at =
                    std::find_if(columns.begin(), columns.end(), [&](const auto& c) { return c.name == name; });
                ASSERT_NE(at, columns.end()) << name;
                t.setField(static_cast<int>(at - columns.begin()), value);
            }
            t.post();
        }
        t.close();
    }

    // What stands between the root's line and the form header (form 05 has no reference block),
    // and the data section of a fresh file, checked to be well-formed XML.
    std::pair<std::string, std::string> body() {
        frame.MakeFile();
        const std::string path = frame.producedPath();
        EXPECT_EQ(std::system(("xmllint --noout '" + path + "'").c_str()), 0);
        const std::string file = zorvic_test::readFile(path);
        auto between = [&file](const char* from, const char* to) -> std::string {
            const std::string start = W(from);
            const std::size_t a = file.find(start), b = file.find(W(to), a);
            if (a == std::string::npos || b == std::string::npos) return "<missing>";
            return file.substr(a + start.size(), b - a - start.size());
        };
        return {between("НаимПрог=\"VELTRA V.3\">\r\n", "<ФормаОтч"),
                between("</Организация>\r\n", "</Документ>\r\n")};
    }

    zorvic_test::ScratchDir scratch;
    forms::oborot::TZorvicOborotReport frame;
};

const char* const kEmptyAddress =
    "<АдрОрг>\r\n<КодСтраны></КодСтраны>\r<Индекс></Индекс>\r<КодРегион></КодРегион>\r<Район></Район>\r"
    "<Город></Город>\r<НаселПункт></НаселПункт>\r<Улица></Улица>\r<Дом></Дом>\r<Корпус></Корпус>\r"
    "<Литера />\r<Кварт></Кварт>\r\n</АдрОрг>\r\n";

// The figures П000000000007 to П000000000024, in that order, as the element carries them.
std::string figures(const std::vector<const char*>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, " П%012zu=\"", i + 7);
        text += name + std::string(values[i]) + "\"";
    }
    return text;
}

Row turnover(int place, const char* kind, const char* name, const char* inn, Variant kpp,
             std::map<std::string, double> values) {
    Row row{{"SUPERPLACE_CL_ID", place}, {"VIDPROD_KOD", kind}, {"MANUF_NAME", W(name)}, {"MANUF_INN", inn},
            {"MANUF_KPP", kpp}};
    for (const auto& [column, value] : values) row[column] = value;
    return row;
}

TEST_F(Form05File, NoSubdivisionWritesNeitherReferenceBlockNorDataSection) {
    EXPECT_EQ(body(), std::pair(std::string(), std::string()));
}

// Single receipts run RET, OTHER, MOVE, single disposals OTHER, RET, MOVE; every value differs so
// that a figure taken from the wrong column shows.
TEST_F(Form05File, EachRowIsAnElementWithItsFiguresAndTheirSumsRoundedOnce) {
    fill("ZorvicOborotObosob", {{{"CL_ID", 1}, {"CL_NAME", W("Склад")}, {"CL_KPP", "1"}}, {{"CL_ID", 2}, {"CL_NAME", "K"}}});
    fill("ZorvicOborot",
         {turnover(1, "200", "Завод \"Нива\" & ко", "7701000001", "770101001",
                   {{"OST_BEGIN", 1}, {"PRIX_PROIZ", 1}, {"PRIX_OPT", 2}, {"PRIX_IMPORT", 3}, {"PRIX_RET", 0.5},
                    {"PRIX_OTHER", 0.25}, {"PRIX_MOVE", 0.125}, {"RASX_OPT", 4}, {"RASX_ROZN", 2},
                    {"RASX_EXPORT", 1}, {"RASX_RET", 0.75}, {"RASX_MOVE", 0.375}, {"RASX_OTHER", 1.5}}),
          turnover(3, "200", "other place", "1", "", {{"OST_BEGIN", 9}}),
          turnover(1, "a&b", "Вина", "91", Variant::null(), {}),
          turnover(1, "200", "Завод \"Нива\" & ко", "7701000001", "770101001", {{"PRIX_OPT", 2.5}})});

    const std::string expected =
        W(std::string("<ОбъемОборота НаимЮЛ=\"СКЛАД\" КППЮЛ=\"1\" НаличиеОборота=\"true\">\r\n") + kEmptyAddress +
          "<Оборот ПN=\"1\" П000000000003=\"200\">\r\n"
          "<СведПроизвИмпорт ПN=\"1\" П000000000004=\"Завод &quot;Нива&quot; &amp; ко\" П000000000005=\"7701000001\" "
          "П000000000006=\"770101001\"" +
          figures({"1.00", "1.00", "2.00", "3.00", "6.00", "0.50", "0.25", "0.13", "6.88", "4.00", "2.00", "1.00",
                   "7.00", "1.50", "0.75", "0.38", "9.63", "-1.75"}) +
          "/>\r\n<СведПроизвИмпорт ПN=\"2\" П000000000004=\"Завод &quot;Нива&quot; &amp; ко\" "
          "П000000000005=\"7701000001\" П000000000006=\"770101001\"" +
          figures({"0.00", "0.00", "2.50", "0.00", "2.50", "0.00", "0.00", "0.00", "2.50", "0.00", "0.00", "0.00",
                   "0.00", "0.00", "0.00", "0.00", "0.00", "2.50"}) +
          "/>\r\n</Оборот>\r\n<Оборот ПN=\"2\" П000000000003=\"A&amp;B\">\r\n"
          "<СведПроизвИмпорт ПN=\"1\" П000000000004=\"Вина\" П000000000005=\"91\"" +
          figures(std::vector<const char*>(18, "0.00")) +
          "/>\r\n</Оборот>\r\n</ОбъемОборота>\r\n"
          "<ОбъемОборота НаимЮЛ=\"K\" КППЮЛ=\"\" НаличиеОборота=\"false\">\r\n" + kEmptyAddress +
          "</ОбъемОборота>\r\n");
    const auto [references, data] = body();
    EXPECT_EQ(references, "");
    EXPECT_EQ(data, expected);
}

TEST_F(Form05File, WholeNumbersWithoutDecimalsWhenThePrecisionIsZero) {
    frame.controls().seCalcPrecision.setValue(0);
    fill("ZorvicOborotObosob", {{{"CL_ID", 1}, {"CL_NAME", "K"}, {"CL_KPP", "1"}}});
    fill("ZorvicOborot", {turnover(1, "200", "P", "1", "2",
                                   {{"OST_BEGIN", 10}, {"PRIX_PROIZ", 2}, {"PRIX_RET", 2.5}, {"PRIX_MOVE", 0.5},
                                    {"RASX_ROZN", 4}, {"RASX_OTHER", 3}})});
    EXPECT_EQ(body().second,
              W(std::string("<ОбъемОборота НаимЮЛ=\"K\" КППЮЛ=\"1\" НаличиеОборота=\"true\">\r\n") + kEmptyAddress +
                "<Оборот ПN=\"1\" П000000000003=\"200\">\r\n<СведПроизвИмпорт ПN=\"1\" П000000000004=\"P\" "
                "П000000000005=\"1\" П000000000006=\"2\"" +
                figures({"10", "2", "0", "0", "2", "3", "0", "1", "5", "0", "4", "0", "4", "3", "0", "0", "7", "8"}) +
                "/>\r\n</Оборот>\r\n</ОбъемОборота>\r\n"));
}

}  // namespace
