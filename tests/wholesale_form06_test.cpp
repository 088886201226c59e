// The body of the form 06 declaration file, written by the real frame from work tables filled by
// hand: the recipients with their licences, then the producers, and the deliveries and returns of
// every subdivision by product kind, producer, recipient and licence.
#include <gtest/gtest.h>

#include <map>

#include "declaration_body_fixture.h"
#include "forms/delivery/report_frame.h"

namespace {

using host::Variant;
using host::W;
using zorvic_test::day;
using zorvic_test::Row;

class Form06File : public zorvic_test::DeclarationBodyFixture<forms::delivery::TZorvicDeliveryReport> {
protected:
    Form06File()
        : DeclarationBodyFixture("ZorvicDelivery", zorvic_test::ReferenceBlock::AheadOfFormHeader,
                                 {"ZorvicDeliveryObosob", "ZorvicDelivery"}) {}
};

// One movement element as the file spells it.
std::string movement(const char* tag, const char* date, const char* number, const char* quantity) {
    return std::string("<") + tag + " П000000000015=\"" + date +
           "\" П000000000016=\"0\" П000000000017=\"0.000000\" П000000000018=\"" + date + "\" П000000000019=\"" +
           number + "\" П000000000020=\"\" П000000000021=\"" + quantity + "\"/>\r\n";
}

// A recipient's rows need not be adjacent in the work table: its licence rows still come
// together in qClients and make one element, and a foreign recipient's rows one element each.
TEST_F(Form06File, RecipientsThenProducersAndDeliveriesWithReturnsUnderEachRecipient) {
    fill("ZorvicDeliveryObosob", {{{"CL_ID", 1}, {"CL_NAME", W("Склад")}, {"CL_KPP", "1"}}});
    auto row = [](int recipient, const char* country, const char* address, Variant licence, int isReturn,
                  Variant date, const char* number, double quantity) {
        return Row{{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "200"}, {"MANUF_ID", 5}, {"MANUF_NAME", W("Завод")},
                   {"MANUF_INN", "7701"}, {"CL_ID", recipient}, {"CL_NAME", recipient == 20 ? W("ООО Вега") : "Ararat"},
                   {"CL_INN", "3662000001"}, {"CL_KPP", "366201001"}, {"CL_COUNTRY_KOD", country},
                   {"CL_ADDRES", address}, {"CL_CITY_NAME", W("Курск")}, {"CL_LIC_DATE", licence},
                   {"ISRET", isReturn}, {"EXT_DOC_DATE", date}, {"EXT_DOCINDEX", number}, {"QUANTITY", quantity}};
    };
    const Variant none = Variant::null();
    fill("ZorvicDelivery", {row(21, "51", "Yerevan", none, 0, day(2024, 1, 10), "d1", 1),
                            row(20, "643", "", day(2021, 3, 1), 0, day(2024, 1, 11), "d2", 2),
                            row(21, "51", "Gyumri", none, 0, day(2024, 1, 12), "d3", 3),
                            row(20, "643", "", day(2021, 3, 1), 1, day(2024, 1, 13), "d4", 0.5),
                            row(20, "643", "", day(2023, 5, 1), 0, day(2024, 1, 14), "d5", 4)});

    const auto [references, data] = body();
    EXPECT_EQ(references,
              W("<Справочники>\r\n<Контрагенты ИдКонтр=\"20\" П000000000007=\"ООО Вега\"><Резидент>\r\n"
                "<Лицензии>\r\n<Лицензия ИдЛицензии=\"1\" П000000000011=\"\" П000000000012=\"01.03.2021\" "
                "П000000000013=\"30.12.1899\" П000000000014=\"\"/>\r\n</Лицензии>\r\n"
                "<Лицензии>\r\n<Лицензия ИдЛицензии=\"2\" П000000000011=\"\" П000000000012=\"01.05.2023\" "
                "П000000000013=\"30.12.1899\" П000000000014=\"\"/>\r\n</Лицензии>\r\n"
                "<П000000000008>\r\n<КодСтраны>643</КодСтраны>\r\n<Индекс></Индекс>\r\n<КодРегион></КодРегион>\r\n"
                "<Район></Район>\r\n<Город>КУРСК</Город>\r\n<Улица></Улица>\r\n<Дом></Дом>\r\n<Корпус></Корпус>\r\n"
                "<Литера/>\r\n<Кварт></Кварт>\r\n</П000000000008>\r\n"
                "<ЮЛ П000000000009=\"3662000001\" П000000000010=\"366201001\"/>\r\n</Резидент>\r\n</Контрагенты>\r\n"
                "<Контрагенты ИдКонтр=\"21\" П000000000007=\"Ararat\">"
                "<Иностр П000000000081=\"051\" П000000000082=\"GYUMRI\"/>\r\n</Контрагенты>\r\n"
                "<Контрагенты ИдКонтр=\"21\" П000000000007=\"Ararat\">"
                "<Иностр П000000000081=\"051\" П000000000082=\"YEREVAN\"/>\r\n</Контрагенты>\r\n"
                "<ПроизводителиИмпортеры  ИдПроизвИмп=\"5\" П000000000004=\"Завод\" П000000000005=\"7701\"/>\r\n"
                "</Справочники>\r\n"));
    EXPECT_EQ(data,
              W("<ОбъемОборота НаимЮЛ=\"СКЛАД\" КППЮЛ=\"1\" НаличиеПоставки=\"true\" НаличиеВозврата=\"true\">\r\n"
                "<АдрОрг>\r\n<КодСтраны></КодСтраны>\r<Индекс></Индекс>\r<КодРегион></КодРегион>\r<Район></Район>\r"
                "<Город></Город>\r<НаселПункт></НаселПункт>\r<Улица></Улица>\r<Дом></Дом>\r<Корпус></Корпус>\r"
                "<Литера />\r<Кварт></Кварт>\r\n</АдрОрг>\r\n"
                "<Оборот ПN=\"1\" П000000000003=\"200\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"5\">\r\n"
                "<Получатель ПN=\"1\" ИдПолучателя=\"21\">\r\n" +
                movement("Поставка", "10.01.2024", "D1", "1.00") + movement("Поставка", "12.01.2024", "D3", "3.00") +
                "</Получатель>\r\n<Получатель ПN=\"2\" ИдПолучателя=\"20\" ИдЛицензии=\"1\">\r\n" +
                movement("Поставка", "11.01.2024", "D2", "2.00") + movement("Возврат", "13.01.2024", "D4", "0.50") +
                "</Получатель>\r\n<Получатель ПN=\"3\" ИдПолучателя=\"20\" ИдЛицензии=\"2\">\r\n" +
                movement("Поставка", "14.01.2024", "D5", "4.00") +
                "</Получатель>\r\n</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n"));
}

// A group is its recipient and licence day together, in the order of that pair's first row: 508's
// second licence, first met after 527's rows, comes after 527 and names its own licence.
TEST_F(Form06File, RecipientAndLicenceDayGroupTogetherInTheOrderOfTheirFirstRow) {
    fill("ZorvicDeliveryObosob", {{{"CL_ID", 1}, {"CL_NAME", "K"}, {"CL_KPP", "1"}}});
    std::vector<Row> rows;
    for (const auto& [recipient, licence] : zorvic_test::interleavedLicences()) {
        const std::string number = std::to_string(rows.size() + 1);
        rows.push_back({{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "230"}, {"MANUF_ID", 205}, {"CL_ID", recipient},
                        {"CL_COUNTRY_KOD", "643"}, {"CL_LIC_DATE", licence}, {"ISRET", 0},
                        {"EXT_DOC_DATE", day(2024, 1, 10)}, {"EXT_DOCINDEX", number},
                        {"QUANTITY", static_cast<double>(rows.size() + 1)}});
    }
    fill("ZorvicDelivery", rows);

    auto delivery = [](const char* n) {
        return movement("Поставка", "10.01.2024", n, (std::string(n) + ".00").c_str());
    };
    // qClients: 508 under D1 (1) and D2 (2), 527 (3), 531 (4).
    const std::string expected =
        W(std::string("<ОбъемОборота НаимЮЛ=\"K\" КППЮЛ=\"1\" НаличиеПоставки=\"true\" НаличиеВозврата=\"true\">\r\n") +
          zorvic_test::kEmptyAddress +
          "<Оборот ПN=\"1\" П000000000003=\"230\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"205\">\r\n"
          "<Получатель ПN=\"1\" ИдПолучателя=\"531\" ИдЛицензии=\"4\">\r\n" +
          delivery("1") + "</Получатель>\r\n<Получатель ПN=\"2\" ИдПолучателя=\"508\" ИдЛицензии=\"1\">\r\n" +
          delivery("2") + delivery("3") + delivery("5") +
          "</Получатель>\r\n<Получатель ПN=\"3\" ИдПолучателя=\"527\" ИдЛицензии=\"3\">\r\n" + delivery("4") +
          delivery("6") + "</Получатель>\r\n<Получатель ПN=\"4\" ИдПолучателя=\"508\" ИдЛицензии=\"2\">\r\n" +
          delivery("7") + "</Получатель>\r\n</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n");
    EXPECT_EQ(body().second, expected);
}

}  // namespace
