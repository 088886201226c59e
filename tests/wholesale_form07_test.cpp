// The body of the form 07 declaration file, written by the real frame from work tables filled by
// hand: producers and suppliers with their licences ahead of the form header, and the purchases
// and returns of every subdivision by product kind, producer, supplier and licence.
#include <gtest/gtest.h>

#include <map>

#include "declaration_body_fixture.h"
#include "forms/buy/report_frame.h"

namespace {

using host::Variant;
using host::W;
using zorvic_test::day;
using zorvic_test::Row;

class Form07File : public zorvic_test::DeclarationBodyFixture<forms::buy::TZorvicBuyReport> {
protected:
    Form07File()
        : DeclarationBodyFixture("ZorvicBuy", zorvic_test::ReferenceBlock::AheadOfFormHeader,
                                 {"ZorvicBuyObosob", "ZorvicBuy"}) {}
};

// One movement element as the file spells it.
std::string movement(const char* tag, const char* date, const char* number, const char* quantity) {
    return std::string("<") + tag + " П000000000015=\"" + date +
           "\" П000000000016=\"0\" П000000000017=\"0.000000\" П000000000018=\"" + date + "\" П000000000019=\"" +
           number + "\" П000000000020=\"\" П000000000021=\"" + quantity + "\"/>\r\n";
}

TEST_F(Form07File, EmptyTablesGiveAnEmptyReferenceBlockAheadOfTheHeaderAndNoDataSection) {
    EXPECT_EQ(body(), std::pair(W("<Справочники>\r\n</Справочники>\r\n"), std::string()));
}

TEST_F(Form07File, ReferenceBlockListsProducersThenEverySupplierWithItsLicences) {
    auto supplier10 = [](Variant date, Variant goodDate, const char* number, const char* organ, Variant producer) {
        return Row{{"CL_ID", 10}, {"CL_NAME", W("ООО \"Бета\" & ко")}, {"CL_INN", "123456789"},
                   {"CL_KPP", "1234567890"}, {"CL_COUNTRY_KOD", "643"}, {"CL_POST_INDEX", "394000"},
                   {"CL_REGION", "36"}, {"CL_CITY_NAME", W("Воронеж")}, {"CL_NAS_PUNKT", W("пос")},
                   {"CL_STREET_NAME", W("ул. Мира <1>")}, {"CL_HOUSE", "1"}, {"CL_LIC_DATE", date},
                   {"CL_LIC_GOOD_DATE", goodDate}, {"CL_LIC_REG_NUMBER", W(number)}, {"CL_LIC_ORGAN", W(organ)},
                   {"MANUF_ID", producer}, {"MANUF_NAME", W("Завод \"Нива\" & ко")}, {"MANUF_INN", "7701000001"},
                   {"MANUF_KPP", "770101001"}};
    };
    auto foreign = [](const char* address) {
        return Row{{"CL_ID", 12}, {"CL_NAME", "Acme Pty"}, {"CL_COUNTRY_KOD", "36"}, {"CL_ADDRES", address},
                   {"MANUF_ID", Variant::null()}, {"MANUF_NAME", "-"}};
    };
    const std::string longNumber(105, '9');
    Row wine = supplier10(day(2020, 2, 1), day(2025, 1, 31), "РА-1 & <x>", "фсрар", 6);
    wine.insert_or_assign("MANUF_NAME", W("Вина"));
    wine.insert_or_assign("MANUF_INN", "9102");
    wine.insert_or_assign("MANUF_KPP", "");
    fill("ZorvicBuy", {wine, foreign("sydney & co"),
                       supplier10(day(2024, 2, 1), day(2029, 1, 31), "РА-3", "мру 2", 5),
                       {{"CL_ID", 11}, {"CL_IS_IP", 1}, {"CL_NAME", W("Иванов И.И.")}, {"CL_INN", "500100732259"},
                        {"CL_COUNTRY_KOD", "643"}, {"CL_NAS_PUNKT", W("с. Ольховка")}, {"MANUF_ID", 5},
                        {"MANUF_NAME", W("Завод \"Нива\" & ко")}, {"MANUF_INN", "7701000001"},
                        {"MANUF_KPP", "770101001"}},
                       supplier10(day(2024, 2, 1), Variant::null(), longNumber.c_str(), "мру", 5),
                       foreign("melbourne"),
                       supplier10(day(2020, 2, 1), day(2025, 1, 31), "РА-1 & <x>", "фсрар", 5)});

    // qClients: supplier 10 by licence date, then end date (none first): rows 1 to 3; 11 is
    // row 4; the foreign 12 by address, rows 5 and 6.
    const std::string expected =
        W("<Справочники>\r\n"
          "<ПроизводителиИмпортеры  ИдПроизвИмп=\"5\" П000000000004=\"Завод &quot;Нива&quot; &amp; ко\" "
          "П000000000005=\"7701000001\" П000000000006=\"770101001\"/>\r\n"
          "<ПроизводителиИмпортеры  ИдПроизвИмп=\"6\" П000000000004=\"Вина\" П000000000005=\"9102\"/>\r\n"
          "<Поставщики ИдПостав=\"10\" П000000000007=\"ООО &quot;Бета&quot; &amp; ко\"><Резидент>\r\n"
          "<Лицензии>\r\n<Лицензия ИдЛицензии=\"1\" П000000000011=\"РА-1 &amp; &lt;x&gt;\" "
          "П000000000012=\"01.02.2020\" П000000000013=\"31.01.2025\" П000000000014=\"ФСРАР\"/>\r\n</Лицензии>\r\n"
          "<Лицензии>\r\n<Лицензия ИдЛицензии=\"2\" П000000000011=\"") +
        std::string(100, '9') +
        W("\" П000000000012=\"01.02.2024\" П000000000013=\"30.12.1899\" П000000000014=\"МРУ\"/>\r\n</Лицензии>\r\n"
          "<Лицензии>\r\n<Лицензия ИдЛицензии=\"3\" П000000000011=\"РА-3\" П000000000012=\"01.02.2024\" "
          "П000000000013=\"31.01.2029\" П000000000014=\"МРУ 2\"/>\r\n</Лицензии>\r\n"
          "<П000000000008>\r\n<КодСтраны>643</КодСтраны>\r\n<Индекс>394000</Индекс>\r\n<КодРегион>36</КодРегион>\r\n"
          "<Район></Район>\r\n<Город>ВОРОНЕЖ</Город>\r\n<Улица>УЛ. МИРА &lt;1&gt;</Улица>\r\n<Дом>1</Дом>\r\n"
          "<Корпус></Корпус>\r\n<Литера/>\r\n<Кварт></Кварт>\r\n</П000000000008>\r\n"
          "<ЮЛ П000000000009=\"0123456789\" П000000000010=\"123456789\"/>\r\n</Резидент>\r\n</Поставщики>\r\n"
          "<Поставщики ИдПостав=\"11\" П000000000007=\"Иванов И.И.\"><Резидент>\r\n"
          "<П000000000008>\r\n<КодСтраны>643</КодСтраны>\r\n<Индекс></Индекс>\r\n<КодРегион></КодРегион>\r\n"
          "<Район></Район>\r\n<Город></Город>\r\n<НаселПункт>С. ОЛЬХОВКА</НаселПункт>\r\n<Улица></Улица>\r\n"
          "<Дом></Дом>\r\n<Корпус></Корпус>\r\n<Литера/>\r\n<Кварт></Кварт>\r\n</П000000000008>\r\n"
          "<ФЛ П000000000009=\"500100732259\"/>\r\n</Резидент>\r\n</Поставщики>\r\n"
          "<Поставщики ИдПостав=\"12\" П000000000007=\"Acme Pty\">"
          "<Иностр П000000000081=\"036\" П000000000082=\"MELBOURNE\"/>\r\n</Поставщики>\r\n"
          "<Поставщики ИдПостав=\"12\" П000000000007=\"Acme Pty\">"
          "<Иностр П000000000081=\"036\" П000000000082=\"SYDNEY &amp; CO\"/>\r\n</Поставщики>\r\n"
          "</Справочники>\r\n");
    EXPECT_EQ(body().first, expected);
}

TEST_F(Form07File, DataSectionGroupsMovementsWhateverTheirTableOrderAndNamesListedLicences) {
    fill("ZorvicBuyObosob",
         {{{"CL_ID", 1}, {"CL_NAME", W("магазин \"у дома\" & ко")}, {"CL_KPP", "ab12"}, {"CL_COUNTRY_KOD", "643"},
           {"CL_POST_INDEX", "394000"}, {"CL_REGION", "36"}, {"CL_DISTRICT", W("р-н")},
           {"CL_CITY_CLEAR", W("Воронеж")}, {"CL_NAS_PUNKT", W("пос")}, {"CL_STREET", W("ул")},
           {"CL_HOUSE_CLEAR", "1<a>"}, {"CL_BUILDING", W("к2")}, {"CL_APPARTMENT", "7"}},
          {{"CL_ID", 2}, {"CL_NAME", W("Киоск")}}});
    auto row = [](int place, const char* kind, Variant producer, int supplier, const char* country, Variant licence,
                  const char* organ, int isReturn, Variant date, const char* number, double quantity) {
        return Row{{"SUPERPLACE_CL_ID", place}, {"VIDPROD_KOD", W(kind)},    {"MANUF_ID", producer},
                   {"CL_ID", supplier},         {"CL_COUNTRY_KOD", country}, {"CL_LIC_DATE", licence},
                   {"CL_LIC_ORGAN", organ},     {"ISRET", isReturn},         {"EXT_DOC_DATE", date},
                   {"EXT_DOCINDEX", W(number)}, {"QUANTITY", quantity}};
    };
    const Variant y2020 = day(2020, 2, 1), y2024 = day(2024, 2, 1), none = Variant::null();
    fill("ZorvicBuy", {row(1, "200", 5, 10, "643", y2020, "", 0, day(2024, 1, 15), "ab<1>&'x", 0.125),
                       row(1, "200", 5, 10, "643", y2024, "A", 1, day(2024, 2, 20), "фн-2", 10),
                       row(3, "200", 5, 10, "643", y2020, "", 0, day(2024, 1, 1), "other place", 1),
                       row(1, "a&1", none, 11, "643", none, "", 0, none, "", -0.004),
                       row(1, "200", 5, 10, "643", y2020, "", 1, day(2024, 1, 16), "n4", -2.5),
                       row(1, "200", 5, 12, "36", y2020, "", 0, day(2024, 3, 1), "3", 1),
                       row(1, "200", 6, 10, "643", y2024, "B", 0, day(2024, 3, 2), "7", 2.5)});

    // qClients: supplier 10 under 2020 (1), under 2024 by organ A (2) and B (3); 11 without a
    // licence (4); the foreign 12 (5), whose licence date names no listed licence.
    const std::string expected =
        W("<ОбъемОборота НаимЮЛ=\"МАГАЗИН &quot;У ДОМА&quot; &amp; КО\" КППЮЛ=\"AB12\" НаличиеЗакупки=\"true\" "
          "НаличиеВозврата=\"true\">\r\n<АдрОрг>\r\n<КодСтраны>643</КодСтраны>\r<Индекс>394000</Индекс>\r"
          "<КодРегион>36</КодРегион>\r<Район>р-н</Район>\r<Город>Воронеж</Город>\r<НаселПункт>пос</НаселПункт>\r"
          "<Улица>ул</Улица>\r<Дом>1&lt;a&gt;</Дом>\r<Корпус>к2</Корпус>\r<Литера />\r<Кварт>7</Кварт>\r\n"
          "</АдрОрг>\r\n<Оборот ПN=\"1\" П000000000003=\"200\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"5\">\r\n"
          "<Поставщик ПN=\"1\" ИдПоставщика=\"10\" ИдЛицензии=\"1\">\r\n" +
          movement("Закупка", "15.01.2024", "AB&lt;1&gt;&amp;&apos;X", "0.13") +
          movement("Возврат", "16.01.2024", "N4", "-2.50") +
          "</Поставщик>\r\n<Поставщик ПN=\"2\" ИдПоставщика=\"10\" ИдЛицензии=\"2\">\r\n" +
          movement("Возврат", "20.02.2024", "ФН-2", "10.00") +
          "</Поставщик>\r\n<Поставщик ПN=\"3\" ИдПоставщика=\"12\">\r\n" + movement("Закупка", "01.03.2024", "3", "1.00") +
          "</Поставщик>\r\n</СведПроизвИмпорт>\r\n<СведПроизвИмпорт ПN=\"2\" ИдПроизвИмп=\"6\">\r\n"
          "<Поставщик ПN=\"1\" ИдПоставщика=\"10\" ИдЛицензии=\"2\">\r\n" +
          movement("Закупка", "02.03.2024", "7", "2.50") +
          "</Поставщик>\r\n</СведПроизвИмпорт>\r\n</Оборот>\r\n<Оборот ПN=\"2\" П000000000003=\"A&amp;1\">\r\n"
          "<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"\">\r\n<Поставщик ПN=\"1\" ИдПоставщика=\"11\">\r\n" +
          movement("Закупка", "30.12.1899", "", "0.00") +
          "</Поставщик>\r\n</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n"
          "<ОбъемОборота НаимЮЛ=\"КИОСК\" КППЮЛ=\"\" НаличиеЗакупки=\"false\" НаличиеВозврата=\"false\">\r\n"
          "<АдрОрг>\r\n<КодСтраны></КодСтраны>\r<Индекс></Индекс>\r<КодРегион></КодРегион>\r<Район></Район>\r"
          "<Город></Город>\r<НаселПункт></НаселПункт>\r<Улица></Улица>\r<Дом></Дом>\r<Корпус></Корпус>\r"
          "<Литера />\r<Кварт></Кварт>\r\n</АдрОрг>\r\n</ОбъемОборота>\r\n");
    EXPECT_EQ(body().second, expected);
}

// A group is its supplier and licence day together, in the order of that pair's first row: 508's
// second licence, first met after 527's rows, comes after 527 and names its own licence.
TEST_F(Form07File, SupplierAndLicenceDayGroupTogetherInTheOrderOfTheirFirstRow) {
    fill("ZorvicBuyObosob", {{{"CL_ID", 1}, {"CL_NAME", "K"}, {"CL_KPP", "1"}}});
    std::vector<Row> rows;
    for (const auto& [supplier, licence] : zorvic_test::interleavedLicences()) {
        const std::string number = std::to_string(rows.size() + 1);
        rows.push_back({{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "230"}, {"MANUF_ID", 205}, {"CL_ID", supplier},
                        {"CL_COUNTRY_KOD", "643"}, {"CL_LIC_DATE", licence}, {"ISRET", 0},
                        {"EXT_DOC_DATE", day(2024, 1, 10)}, {"EXT_DOCINDEX", number},
                        {"QUANTITY", static_cast<double>(rows.size() + 1)}});
    }
    fill("ZorvicBuy", rows);

    auto purchase = [](const char* n) {
        return movement("Закупка", "10.01.2024", n, (std::string(n) + ".00").c_str());
    };
    // qClients: 508 under D1 (1) and D2 (2), 527 (3), 531 (4).
    const std::string expected =
        W(std::string("<ОбъемОборота НаимЮЛ=\"K\" КППЮЛ=\"1\" НаличиеЗакупки=\"true\" НаличиеВозврата=\"true\">\r\n") +
          zorvic_test::kEmptyAddress +
          "<Оборот ПN=\"1\" П000000000003=\"230\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"205\">\r\n"
          "<Поставщик ПN=\"1\" ИдПоставщика=\"531\" ИдЛицензии=\"4\">\r\n" +
          purchase("1") + "</Поставщик>\r\n<Поставщик ПN=\"2\" ИдПоставщика=\"508\" ИдЛицензии=\"1\">\r\n" +
          purchase("2") + purchase("3") + purchase("5") +
          "</Поставщик>\r\n<Поставщик ПN=\"3\" ИдПоставщика=\"527\" ИдЛицензии=\"3\">\r\n" + purchase("4") +
          purchase("6") + "</Поставщик>\r\n<Поставщик ПN=\"4\" ИдПоставщика=\"508\" ИдЛицензии=\"2\">\r\n" +
          purchase("7") + "</Поставщик>\r\n</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n");
    const auto [references, data] = body();
    EXPECT_EQ(data, expected);

    // The same rows in group order, as the host delivers them, are written as they stand: the
    // same file.
    std::vector<Row> grouped;
    for (std::size_t place : zorvic_test::kInterleavedInGroupOrder) grouped.push_back(rows[place]);
    refill("ZorvicBuy", grouped);
    EXPECT_EQ(body(), std::pair(references, expected));
}

}  // namespace
