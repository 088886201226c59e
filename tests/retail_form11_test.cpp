// The body of the form 11 declaration file, written by the real frame from work tables filled by
// hand: producers and suppliers with their licences, and the turnover of every subdivision with
// the purchases under each licence.
#include <gtest/gtest.h>

#include <map>

#include "declaration_body_fixture.h"
#include "forms/rozn/report_frame.h"

namespace {

using host::Variant;
using host::W;
using zorvic_test::day;
using zorvic_test::kEmptyAddress;
using zorvic_test::Row;

class Form11File : public zorvic_test::DeclarationBodyFixture<forms::rozn::TZorvicRoznReport> {
protected:
    Form11File()
        : DeclarationBodyFixture("ZorvicRozn", zorvic_test::ReferenceBlock::BehindFormHeader, {"ZorvicRoznObosob"}) {}
};

TEST_F(Form11File, ReferenceBlockListsProducersThenSuppliersWithEachLicence) {
    fill("ZorvicRoznOborot",
         {{{"MANUF_ID", 6}, {"MANUF_NAME", W("Вина <Крыма>")}, {"MANUF_INN", "9102000002"}, {"MANUF_KPP", ""}},
          {{"MANUF_ID", Variant::null()}, {"MANUF_NAME", W("без кода")}, {"MANUF_INN", "1"}},
          {{"MANUF_ID", 5}, {"MANUF_NAME", W("Завод \"Нива\" & ко")}, {"MANUF_INN", "7701000001"},
           {"MANUF_KPP", "770101001"}}});
    const Row beta = {{"CL_ID", 10}, {"CL_IS_IP", 0}, {"CL_NAME", W("ООО Бета")}, {"CL_INN", "7702000003"},
                      {"CL_KPP", "770201001"}};
    Row first = beta, second = beta;
    first.insert({{"CL_LIC_DATE", day(2020, 2, 1)}, {"CL_LIC_GOOD_DATE", day(2025, 1, 31)},
                  {"CL_LIC_REG_NUMBER", W("РА 1")}, {"CL_LIC_ORGAN", W("фсрар & ко")}});
    second.insert({{"CL_LIC_DATE", day(2024, 2, 1)}, {"CL_LIC_REG_NUMBER", std::string(105, '9')},
                   {"CL_LIC_ORGAN", W("мру")}});
    fill("ZorvicRoznBuy",
         {second,
          {{"CL_ID", 12}, {"CL_NAME", W("ООО \"Гамма\"")}, {"CL_INN", "77'0123456789"}, {"CL_KPP", ""}},
          {{"CL_ID", 11}, {"CL_IS_IP", 1}, {"CL_NAME", W("Иванов И.И.")}, {"CL_INN", "12345"}},
          first, second});

    const std::string expected =
        W("<Справочники>\r\n"
          "<ПроизводителиИмпортеры  ИДПроизвИмп=\"5\" П000000000004=\"Завод &quot;Нива&quot; &amp; ко\" "
          "П000000000005=\"7701000001\" П000000000006=\"770101001\"/>\r\n"
          "<ПроизводителиИмпортеры  ИДПроизвИмп=\"6\" П000000000004=\"Вина &lt;Крыма&gt;\" "
          "П000000000005=\"9102000002\"/>\r\n"
          "<Поставщики ИдПостав=\"10\" П000000000007=\"ООО Бета\"><Лицензии>\r\n"
          "<Лицензия ИдЛицензии=\"1\" П000000000011=\"РА 1\" П000000000012=\"01.02.2020\" "
          "П000000000013=\"31.01.2025\" П000000000014=\"ФСРАР &amp; КО\"/>\r\n</Лицензии>\r\n<Лицензии>\r\n"
          "<Лицензия ИдЛицензии=\"2\" П000000000011=\"") +
        std::string(100, '9') +
        W("\" П000000000012=\"01.02.2024\" П000000000013=\"30.12.1899\" П000000000014=\"МРУ\"/>\r\n"
          "</Лицензии>\r\n<ЮЛ П000000000009=\"7702000003\" П000000000010=\"770201001\"/>\r\n</Поставщики>\r\n"
          "<Поставщики ИдПостав=\"11\" П000000000007=\"Иванов И.И.\"><ФЛ П000000000009=\"000000012345\"/>\r\n"
          "</Поставщики>\r\n"
          "<Поставщики ИдПостав=\"12\" П000000000007=\"ООО &quot;Гамма&quot;\">"
          "<ЮЛ П000000000009=\"77&quot;0123456\" П000000000010=\"000000000\"/>\r\n</Поставщики>\r\n"
          "</Справочники>\r\n");
    EXPECT_EQ(body().first, expected);
    EXPECT_EQ(body().second, "") << "no subdivision, no data section";
}

TEST_F(Form11File, DataSectionGroupsTurnoverAndPurchasesWhateverTheirTableOrder) {
    fill("ZorvicRoznObosob",
         {{{"CL_ID", 1}, {"CL_NAME", W("магазин \"у дома\" & ко")}, {"CL_KPP", "ab12"}, {"CL_COUNTRY_KOD", "643"},
           {"CL_POST_INDEX", "394000"}, {"CL_REGION", "36"}, {"CL_CITY_CLEAR", W("Воронеж")},
           {"CL_STREET", W("Мира ул")}, {"CL_HOUSE_CLEAR", "1<a>"}, {"CL_APPARTMENT", "7"}},
          {{"CL_ID", 2}, {"CL_NAME", W("Киоск")}}});
    auto turnover = [](int place, const char* kind, int producer, std::map<std::string, double> figures) {
        Row row{{"SUPERPLACE_CL_ID", place}, {"VIDPROD_KOD", W(kind)}, {"MANUF_ID", producer}};
        for (const auto& [column, value] : figures) row[column] = value;
        return row;
    };
    fill("ZorvicRoznOborot",
         {turnover(1, "200", 5,
                   {{"OST_BEGIN", 1}, {"PRIX_PROIZ", 2}, {"PRIX_OPT", 3}, {"PRIX_IMPORT", 4}, {"PRIX_RET", 0.5},
                    {"PRIX_OTHER", 0.25}, {"PRIX_MOVE", 0.125}, {"RASX_ROZN", 5}, {"RASX_RET", 1},
                    {"RASX_MOVE", 0.5}, {"RASX_OTHER", 0.25}}),
          turnover(3, "200", 5, {{"OST_BEGIN", 99}}),
          turnover(1, "a&1", 5, {{"RASX_ROZN", 0.125}}),
          turnover(1, "200", 6, {{"OST_BEGIN", -0.004}})});
    auto purchase = [](Variant supplier, Variant licence, const char* kind, Variant date, const char* number,
                       double quantity) {
        return Row{{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", W(kind)}, {"MANUF_ID", 5}, {"CL_ID", supplier},
                   {"CL_LIC_DATE", licence}, {"EXT_DOC_DATE", date}, {"EXT_DOCINDEX", W(number)},
                   {"QUANTITY", quantity}};
    };
    const Variant none = Variant::null();
    fill("ZorvicRoznBuy", {purchase(10, day(2020, 2, 1), "200", day(2024, 1, 15), "ab<1>&'x", 0.125),
                           purchase(10, day(2024, 2, 1), "200", day(2024, 2, 20), "фн-2", 10),
                           purchase(none, none, "200", day(2024, 3, 1), "3", 1),
                           purchase(10, day(2020, 2, 1), "200", day(2024, 1, 16), "n4", -2.5),
                           purchase(11, none, "a&1", none, "", 1)});

    // qClients: the unknown supplier first (1), then 10 under either licence (2, 3), then 11 (4),
    // whose row lists no licence: a purchase without a licence date names none.
    const std::string expected =
        W("<ОбъемОборота НаимЮЛ=\"МАГАЗИН &quot;У ДОМА&quot; &amp; КО\" КППЮЛ=\"AB12\" НаличиеОборота=\"true\">\r\n"
          "<АдрОрг>\r\n<КодСтраны>643</КодСтраны>\r<Индекс>394000</Индекс>\r<КодРегион>36</КодРегион>\r"
          "<Район></Район>\r<Город>Воронеж</Город>\r<НаселПункт></НаселПункт>\r<Улица>Мира ул</Улица>\r"
          "<Дом>1&lt;a&gt;</Дом>\r<Корпус></Корпус>\r<Литера />\r<Кварт>7</Кварт>\r\n</АдрОрг>\r\n"
          "<Оборот ПN=\"1\" П000000000003=\"200\">\r\n"
          "<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"5\">\r\n"
          "<Поставщик ПN=\"1\" ИдПоставщика=\"10\" ИдЛицензии=\"2\">\r\n"
          "<Продукция П200000000013=\"15.01.2024\" П200000000014=\"AB&lt;1&gt;&amp;&apos;X\" "
          "П200000000015=\"\" П200000000016=\"0.13\"/>\r\n"
          "<Продукция П200000000013=\"16.01.2024\" П200000000014=\"N4\" П200000000015=\"\" "
          "П200000000016=\"-2.50\"/>\r\n</Поставщик>\r\n"
          "<Поставщик ПN=\"2\" ИдПоставщика=\"10\" ИдЛицензии=\"3\">\r\n"
          "<Продукция П200000000013=\"20.02.2024\" П200000000014=\"ФН-2\" П200000000015=\"\" "
          "П200000000016=\"10.00\"/>\r\n</Поставщик>\r\n"
          "<Поставщик ПN=\"3\" ИдПоставщика=\"0\">\r\n"
          "<Продукция П200000000013=\"01.03.2024\" П200000000014=\"3\" П200000000015=\"\" "
          "П200000000016=\"1.00\"/>\r\n</Поставщик>\r\n"
          "<Движение ПN=\"1\" П100000000006=\"1.00\" П100000000007=\"2.00\" П100000000008=\"3.00\" "
          "П100000000009=\"4.00\" П100000000010=\"9.00\" П100000000011=\"0.50\" П100000000012=\"0.25\" "
          "П100000000013=\"0.13\" П100000000014=\"9.88\" П100000000015=\"5.00\" П100000000016=\"0.25\" "
          "П100000000017=\"1.00\" П100000000018=\"0.50\" П100000000019=\"6.75\" П100000000020=\"4.13\"/>\r\n"
          "</СведПроизвИмпорт>\r\n"
          "<СведПроизвИмпорт ПN=\"2\" ИдПроизвИмп=\"6\">\r\n"
          "<Движение ПN=\"1\" П100000000006=\"0.00\" П100000000007=\"0.00\" П100000000008=\"0.00\" "
          "П100000000009=\"0.00\" П100000000010=\"0.00\" П100000000011=\"0.00\" П100000000012=\"0.00\" "
          "П100000000013=\"0.00\" П100000000014=\"0.00\" П100000000015=\"0.00\" П100000000016=\"0.00\" "
          "П100000000017=\"0.00\" П100000000018=\"0.00\" П100000000019=\"0.00\" П100000000020=\"0.00\"/>\r\n"
          "</СведПроизвИмпорт>\r\n</Оборот>\r\n"
          "<Оборот ПN=\"2\" П000000000003=\"A&amp;1\">\r\n"
          "<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"5\">\r\n"
          "<Поставщик ПN=\"1\" ИдПоставщика=\"11\">\r\n"
          "<Продукция П200000000013=\"30.12.1899\" П200000000014=\"\" П200000000015=\"\" "
          "П200000000016=\"1.00\"/>\r\n</Поставщик>\r\n"
          "<Движение ПN=\"1\" П100000000006=\"0.00\" П100000000007=\"0.00\" П100000000008=\"0.00\" "
          "П100000000009=\"0.00\" П100000000010=\"0.00\" П100000000011=\"0.00\" П100000000012=\"0.00\" "
          "П100000000013=\"0.00\" П100000000014=\"0.00\" П100000000015=\"0.13\" П100000000016=\"0.00\" "
          "П100000000017=\"0.00\" П100000000018=\"0.00\" П100000000019=\"0.13\" П100000000020=\"-0.13\"/>\r\n"
          "</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n"
          "<ОбъемОборота НаимЮЛ=\"КИОСК\" КППЮЛ=\"\" НаличиеОборота=\"false\">\r\n") +
        W(kEmptyAddress) + W("</ОбъемОборота>\r\n");
    EXPECT_EQ(body().second, expected);
}

TEST_F(Form11File, GoodsDetailAddsArticleAndNettoAndOnlyMoveDropsTheBalances) {
    const auto& c = frame.controls();
    c.seCalcPrecision.setValue(3);
    c.cbGroupByArticul->setChecked(true);
    c.cbOnlyMove->setChecked(true);
    fill("ZorvicRoznObosob", {{{"CL_ID", 4}, {"CL_NAME", "K"}, {"CL_KPP", "1"}}});
    fill("ZorvicRoznOborot",
         {{{"SUPERPLACE_CL_ID", 4}, {"VIDPROD_KOD", "500"}, {"MANUF_ID", 5}, {"ARTICUL", "a-1&"}, {"NETTO", 0.5},
           {"OST_BEGIN", 7}, {"PRIX_OPT", 1.5}, {"RASX_ROZN", 1.0005}},
          {{"SUPERPLACE_CL_ID", 4}, {"VIDPROD_KOD", "500"}, {"MANUF_ID", 5}, {"ARTICUL", "b-2"}, {"NETTO", 0.75}}});
    fill("ZorvicRoznBuy", {{{"SUPERPLACE_CL_ID", 4}, {"VIDPROD_KOD", "500"}, {"MANUF_ID", 5}, {"CL_ID", 10},
                            {"ARTICUL", "a-1&"}, {"NETTO", 0.5}, {"EXT_DOC_DATE", day(2024, 1, 9)},
                            {"EXT_DOCINDEX", "7"}, {"QUANTITY", 1.5}}});

    const std::string zeros = " П100000000007=\"0.000\" П100000000008=\"0.000\" П100000000009=\"0.000\" "
                              "П100000000010=\"0.000\" П100000000011=\"0.000\" П100000000012=\"0.000\" "
                              "П100000000013=\"0.000\" П100000000014=\"0.000\" П100000000015=\"0.000\" "
                              "П100000000016=\"0.000\" П100000000017=\"0.000\" П100000000018=\"0.000\" "
                              "П100000000019=\"0.000\"/>\r\n";
    const std::string expected =
        W("<ОбъемОборота НаимЮЛ=\"K\" КППЮЛ=\"1\" НаличиеОборота=\"true\">\r\n") + W(kEmptyAddress) +
        W("<Оборот ПN=\"1\" П000000000003=\"500\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"5\">\r\n"
          "<Поставщик ПN=\"1\" ИдПоставщика=\"10\">\r\n"
          "<Продукция Артикул=\"a-1&amp;\" Нетто=\"0.500\" П200000000013=\"09.01.2024\" П200000000014=\"7\" "
          "П200000000015=\"\" П200000000016=\"1.500\"/>\r\n</Поставщик>\r\n"
          "<Движение ПN=\"1\" Артикул=\"a-1&amp;\" Нетто=\"0.500\" П100000000007=\"0.000\" "
          "П100000000008=\"1.500\" П100000000009=\"0.000\" П100000000010=\"1.500\" П100000000011=\"0.000\" "
          "П100000000012=\"0.000\" П100000000013=\"0.000\" П100000000014=\"1.500\" П100000000015=\"1.000\" "
          "П100000000016=\"0.000\" П100000000017=\"0.000\" П100000000018=\"0.000\" П100000000019=\"1.000\"/>\r\n"
          "<Движение ПN=\"1\" Артикул=\"b-2\" Нетто=\"0.750\"") +
        W(zeros) + W("</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n");
    EXPECT_EQ(body().second, expected);
}

// One subdivision 1 with one turnover row of kind 230 and producer 205, all its figures zero,
// and these purchases under it; the data section up to the producer's purchases and from its
// movement on.
class Form11Purchases : public Form11File {
protected:
    // The purchases of producer 205, each numbered by its place in `suppliersAndLicences`; they
    // stand in the table in the order of the places `order` lists, when it lists any.
    void fillPurchases(const std::vector<std::pair<Variant, Variant>>& suppliersAndLicences,
                       const std::vector<std::size_t>& order = {}) {
        refill("ZorvicRoznObosob", {{{"CL_ID", 1}, {"CL_NAME", "K"}, {"CL_KPP", "1"}}});
        refill("ZorvicRoznOborot", {{{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "230"}, {"MANUF_ID", 205}}});
        std::vector<Row> rows;
        for (const auto& [supplier, licence] : suppliersAndLicences) {
            const std::string number = std::to_string(rows.size() + 1);
            rows.push_back({{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "230"}, {"MANUF_ID", 205}, {"CL_ID", supplier},
                            {"CL_LIC_DATE", licence}, {"EXT_DOC_DATE", day(2024, 1, 10)}, {"EXT_DOCINDEX", number},
                            {"QUANTITY", static_cast<double>(rows.size() + 1)}});
        }
        std::vector<Row> placed;
        for (std::size_t place : order) placed.push_back(rows[place]);
        refill("ZorvicRoznBuy", order.empty() ? rows : placed);
    }

    static std::string expected(const std::string& suppliers) {
        std::string movement = "<Движение ПN=\"1\"";
        for (int p = 6; p <= 20; ++p)
            movement += std::string(p < 10 ? " П10000000000" : " П1000000000") + std::to_string(p) + "=\"0.00\"";
        return W(std::string("<ОбъемОборота НаимЮЛ=\"K\" КППЮЛ=\"1\" НаличиеОборота=\"true\">\r\n") + kEmptyAddress +
                 "<Оборот ПN=\"1\" П000000000003=\"230\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"205\">\r\n" +
                 suppliers + movement + "/>\r\n</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n");
    }

    // The purchase of row `n`, its document number n and quantity n.
    static std::string purchase(int n) {
        const std::string text = std::to_string(n);
        return "<Продукция П200000000013=\"10.01.2024\" П200000000014=\"" + text +
               "\" П200000000015=\"\" П200000000016=\"" + text + ".00\"/>\r\n";
    }
};

// A supplier block is the supplier and licence day together, in the order of that pair's first
// row: 508's second licence, first met after 527's rows, comes after 527 and names its own licence.
TEST_F(Form11Purchases, SupplierAndLicenceDayGroupTogetherInTheOrderOfTheirFirstRow) {
    std::vector<std::pair<Variant, Variant>> rows;
    for (const auto& [supplier, licence] : zorvic_test::interleavedLicences()) rows.emplace_back(supplier, licence);
    fillPurchases(rows);

    // qClients: 508 under D1 (1) and D2 (2), 527 (3), 531 (4).
    const auto [references, data] = body();
    EXPECT_EQ(data,
              expected("<Поставщик ПN=\"1\" ИдПоставщика=\"531\" ИдЛицензии=\"4\">\r\n" + purchase(1) +
                       "</Поставщик>\r\n<Поставщик ПN=\"2\" ИдПоставщика=\"508\" ИдЛицензии=\"1\">\r\n" + purchase(2) +
                       purchase(3) + purchase(5) +
                       "</Поставщик>\r\n<Поставщик ПN=\"3\" ИдПоставщика=\"527\" ИдЛицензии=\"3\">\r\n" + purchase(4) +
                       purchase(6) + "</Поставщик>\r\n<Поставщик ПN=\"4\" ИдПоставщика=\"508\" ИдЛицензии=\"2\">\r\n" +
                       purchase(7) + "</Поставщик>\r\n"));

    // The same rows in group order, as the host delivers them, are written as they stand: the
    // same file.
    fillPurchases(rows, zorvic_test::kInterleavedInGroupOrder);
    EXPECT_EQ(body(), std::pair(references, data));
}

// Only a listed licence may be named: a purchase without a licence date, or of a supplier without
// an id (whose purchases match no listed licence), names none rather than a licence 0.
TEST_F(Form11Purchases, PurchaseUnderNoListedLicenceNamesNone) {
    const Variant none = Variant::null(), licence = day(2021, 1, 11);
    fillPurchases({{10, licence}, {11, none}, {none, licence}});

    // qClients: the supplier without an id (1), 10 (2), 11 (3).
    const auto [references, data] = body();
    EXPECT_NE(references.find(W("<Лицензия ИдЛицензии=\"2\" П000000000011=\"\" П000000000012=\"11.01.2021\"")),
              std::string::npos);
    EXPECT_EQ(data, expected("<Поставщик ПN=\"1\" ИдПоставщика=\"10\" ИдЛицензии=\"2\">\r\n" + purchase(1) +
                             "</Поставщик>\r\n<Поставщик ПN=\"2\" ИдПоставщика=\"11\">\r\n" + purchase(2) +
                             "</Поставщик>\r\n<Поставщик ПN=\"3\" ИдПоставщика=\"0\">\r\n" + purchase(3) +
                             "</Поставщик>\r\n"));
}

}  // namespace
