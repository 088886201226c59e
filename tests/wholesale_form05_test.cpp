// The body of the form 05 declaration file, written by the real frame from work tables filled by
// hand: no reference block, and per subdivision and product kind one element per turnover row
// with its producer and the eighteen figures.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "declaration_body_fixture.h"
#include "forms/oborot/report_frame.h"

namespace {

using host::Variant;
using host::W;
using zorvic_test::kEmptyAddress;
using zorvic_test::Row;

class Form05File : public zorvic_test::DeclarationBodyFixture<forms::oborot::TZorvicOborotReport> {
protected:
    Form05File()
        : DeclarationBodyFixture("ZorvicOborot", zorvic_test::ReferenceBlock::AheadOfFormHeader,
                                 {"ZorvicOborotObosob", "ZorvicOborot"}) {}
};

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
