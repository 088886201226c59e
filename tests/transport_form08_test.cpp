// The body of the form 08 declaration file, written by the real frame from work tables filled by
// hand: carriers with their licences, vehicles and receivers, and per subdivision the transports
// nested by kind, product kind, carrier and licence, vehicle and waybill.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "declaration_body_fixture.h"
#include "forms/transport/body_text.h"
#include "forms/transport/report_frame.h"

namespace {

using host::Variant;
using host::W;
using zorvic_test::day;
using zorvic_test::Row;

// Quantities to three decimals.
class Form08File : public zorvic_test::DeclarationBodyFixture<forms::transport::TZorvicTransportReport> {
protected:
    Form08File()
        : DeclarationBodyFixture("ZorvicTransport", zorvic_test::ReferenceBlock::BehindFormHeader,
                                 {"ZorvicTransportObosob"}, 3) {}
};

// An individual carrier's address lines with nothing but the locality.
std::string localityOnly(const char* locality) {
    return std::string("<Адрес>\r\n<КодСтраны></КодСтраны>\r\n<Индекс></Индекс>\r\n<КодРегион></КодРегион>\r\n"
                       "<Район></Район>\r\n<Город></Город>\r\n<НаселПункт>") +
           locality + "</НаселПункт>\r\n<Улица></Улица>\r\n<Дом></Дом>\r\n<Корпус></Корпус>\r\n<Литера/>\r\n"
                      "<Кварт></Кварт>\r\n</Адрес>\r\n";
}

TEST_F(Form08File, ReferenceBlockListsCarriersWithEachLicenceThenVehiclesAndReceivers) {
    const Row buyer101 = {{"BUYER_ID", 101}, {"BUYER_NAME", W("ООО Приём")}, {"BUYER_INN", "7702000003"},
                          {"BUYER_KPP", "770201001"}};
    auto row = [&](Row carrier, const char* type, Variant volume, Row buyer) {
        carrier.insert({{"TRANS_TYPE", W(type)}, {"TRANS_NUMBER", W(*type == 'F' ? "X&1" : "А123ВС")},
                        {"TRANS_VOLUME", volume}});
        carrier.insert(buyer.begin(), buyer.end());
        return carrier;
    };
    const Row vector = {{"CL_ID", 3}, {"CL_IS_IP", 0}, {"CL_NAME", W("ООО \"Вектор\" & Co")}, {"CL_INN", "770100001"}};
    Row firstLicence = vector, secondLicence = vector;
    firstLicence.insert({{"CL_LIC_DATE", day(2020, 2, 1)}, {"CL_LIC_GOOD_DATE", day(2025, 1, 31)},
                         {"CL_LIC_REG_NUMBER", W("РА 1")}, {"CL_LIC_ORGAN", W("фсрар")}});
    secondLicence.insert({{"CL_LIC_DATE", day(2023, 3, 1)}, {"CL_LIC_REG_NUMBER", std::string(105, '9')},
                          {"CL_LIC_ORGAN", W("мру <7>")}});
    Row ivanov = {{"CL_ID", 5}, {"CL_IS_IP", 1}, {"CL_NAME", W("  Иванов Иван Иванович ")}, {"CL_COUNTRY_KOD", "643"},
                  {"CL_POST_INDEX", "300000"}, {"CL_REGION", "71"}, {"CL_DISTRICT_NAME", W("тульский р-н")},
                  {"CL_CITY_NAME", W("Тула")}, {"CL_NAS_PUNKT", W("не пишется")}, {"CL_STREET_NAME", W("ленина & 1")},
                  {"CL_HOUSE", "2"}, {"CL_BUILDING", W("к1")}, {"CL_APPARTMENT", W("кв 3")}};
    Row ivanovOtherRow = ivanov;  // no licence date in either of the carrier's rows
    ivanov["CL_LIC_ORGAN"] = "a";
    ivanovOtherRow["CL_LIC_ORGAN"] = "b";
    fill("ZorvicTransport",
         {row(secondLicence, "Газель", 12.0, buyer101), row(firstLicence, "Газель", 10.0, buyer101),
          row(ivanov, "Fura <2>", 0.5,
              {{"BUYER_ID", 103}, {"BUYER_NAME", W("Кафе 'Уют'")}, {"BUYER_INN", "5000000000"}}),
          row(ivanovOtherRow, "Fura <2>", 0.25, {{"BUYER_ID", 102}, {"BUYER_NAME", W("ИП Ромашка & Ко")}}),
          row({{"CL_ID", 6}, {"CL_IS_IP", 1}, {"CL_NAME", W("Сидоров")}, {"CL_NAS_PUNKT", W("с. ивановка")},
               {"CL_LIC_DATE", day(2021, 10, 10)}, {"CL_LIC_GOOD_DATE", day(2026, 10, 9)},
               {"CL_LIC_REG_NUMBER", "77-1"}, {"CL_LIC_ORGAN", W("фсрар")}},
              "Газель", Variant::null(), {{"BUYER_NAME", W("без кода")}}),
          row({{"CL_ID", 7}, {"CL_IS_IP", 1}, {"CL_NAME", W("Петров Пётр")}}, "Газель", 1.0, buyer101),
          row({{"CL_ID", 8}, {"CL_IS_IP", 1}, {"CL_NAME", W("О'Нил Ли  Сун Ок")}}, "Газель", 1.0, buyer101)});

    // qClients, by carrier and then licence date: 3 under either licence (1, 2), 5 twice without
    // a licence (3, 4), 6 (5), 7 (6), 8 (7).
    const std::string expected =
        W("<Справочники>\r\n"
          "<Перевозчики ИдПеревозчика=\"3\"><ПеревозчикЮрЛицо П000000000003=\"ООО &quot;Вектор&quot; &amp; Co\" "
          "П000000000004=\"0770100001\" П000000000005=\"000000000\"/>\r\n"
          "<Лицензии>\r\n<Лицензия ИдЛицензии=\"1\" П000000000008=\"РА 1\" П000000000009=\"01.02.2020\" "
          "П000000000010=\"31.01.2025\" П000000000011=\"ФСРАР\"/>\r\n</Лицензии>\r\n"
          "<Лицензии>\r\n<Лицензия ИдЛицензии=\"2\" П000000000008=\"") +
        std::string(100, '9') +
        W("\" П000000000009=\"01.03.2023\" П000000000010=\"30.12.1899\" П000000000011=\"МРУ &lt;7&gt;\"/>\r\n"
          "</Лицензии>\r\n</Перевозчики>\r\n"
          "<Перевозчики ИдПеревозчика=\"5\"><ПеревозчикФизЛицо>\r\n"
          "<ФИО Фамилия=\"Иванов\" Имя=\"Иван\" Отчество=\"Иванович\" />\r\n"
          "<Адрес>\r\n<КодСтраны>643</КодСтраны>\r\n<Индекс>300000</Индекс>\r\n<КодРегион>71</КодРегион>\r\n"
          "<Район>ТУЛЬСКИЙ Р-Н</Район>\r\n<Город>ТУЛА</Город>\r\n<Улица>ЛЕНИНА &amp; 1</Улица>\r\n"
          "<Дом>2</Дом>\r\n<Корпус>К1</Корпус>\r\n<Литера/>\r\n<Кварт>КВ 3</Кварт>\r\n</Адрес>\r\n"
          "</ПеревозчикФизЛицо>\r\n</Перевозчики>\r\n"
          "<Перевозчики ИдПеревозчика=\"6\"><ПеревозчикФизЛицо>\r\n"
          "<ФИО Фамилия=\"\" Имя=\"\" Отчество=\"Сидоров\" />\r\n") +
        W(localityOnly("С. ИВАНОВКА")) +
        W("</ПеревозчикФизЛицо>\r\n<Лицензии>\r\n<Лицензия ИдЛицензии=\"5\" П000000000008=\"77-1\" "
          "П000000000009=\"10.10.2021\" П000000000010=\"09.10.2026\" П000000000011=\"ФСРАР\"/>\r\n</Лицензии>\r\n"
          "</Перевозчики>\r\n"
          "<Перевозчики ИдПеревозчика=\"7\"><ПеревозчикФизЛицо>\r\n"
          "<ФИО Фамилия=\"Петров\" Имя=\"\" Отчество=\"Пётр\" />\r\n") +
        W(localityOnly("")) +
        W("</ПеревозчикФизЛицо>\r\n</Перевозчики>\r\n"
          "<Перевозчики ИдПеревозчика=\"8\"><ПеревозчикФизЛицо>\r\n"
          "<ФИО Фамилия=\"О&apos;Нил\" Имя=\"Ли\" Отчество=\"Сун Ок\" />\r\n") +
        W(localityOnly("")) +
        W("</ПеревозчикФизЛицо>\r\n</Перевозчики>\r\n"
          "<ТранспортныеСредства ИдТС=\"1\" П000000000012=\"Fura &lt;2&gt;\" П000000000013=\"0.5\" "
          "П000000000014=\"X&amp;1\"/>\r\n"
          "<ТранспортныеСредства ИдТС=\"2\" П000000000012=\"Газель\" П000000000013=\"12.0\" "
          "П000000000014=\"А123ВС\"/>\r\n"
          "<Получатели ИдПолучателя=\"101\" П000000000019=\"ООО Приём\">\r\n"
          "<ОрганизацияРФ П000000000020=\"7702000003\" П000000000021=\"770201001\"/>\r\n</Получатели>\r\n"
          "<Получатели ИдПолучателя=\"102\" П000000000019=\"ИП Ромашка &amp; Ко\">\r\n</Получатели>\r\n"
          "<Получатели ИдПолучателя=\"103\" П000000000019=\"Кафе &apos;Уют&apos;\">\r\n"
          "<ОрганизацияРФ П000000000020=\"5000000000\" П000000000021=\"\"/>\r\n</Получатели>\r\n"
          "</Справочники>\r\n");
    const auto [references, data] = body();
    EXPECT_EQ(references, expected);
    EXPECT_EQ(data, "") << "no subdivision, no data section";
}

TEST_F(Form08File, DataSectionNestsTransportsWhateverTheirTableOrder) {
    fill("ZorvicTransportObosob",
         {{{"CL_ID", 1}, {"CL_NAME", W("склад \"север\" & ко")}, {"CL_KPP", "ab1"}, {"CL_COUNTRY_KOD", "643"},
           {"CL_CITY_CLEAR", W("Тула")}, {"CL_STREET", W("ул. мира")}, {"CL_HOUSE_CLEAR", "1<a>"}},
          {{"CL_ID", 2}, {"CL_NAME", W("Киоск")}}});
    // One consignment-note line; the waybill has number "тн-1" of 2 February and quantity 4
    // unless a row says otherwise.
    auto line = [](int place, const char* kind, const char* product, int carrier, Variant licence, const char* type,
                   const char* document, double quantity, Row other = {}) {
        Row row{{"SUPERPLACE_CL_ID", place}, {"VIDTRANS_KOD", kind}, {"VIDPROD_KOD", product}, {"CL_ID", carrier},
                {"CL_LIC_DATE", licence}, {"TRANS_TYPE", W(type)}, {"TRANS_NUMBER", "N1"},
                {"TN_DATE", day(2024, 2, 2)}, {"TN_INDEX", W("тн-1")}, {"TN_QUANTITY", 4.0},
                {"EXT_DOC_DATE", day(2024, 2, 1)}, {"EXT_DOCINDEX", W(document)}, {"QUANTITY", quantity},
                {"BUYER_ID", 101}};
        for (const auto& [column, value] : other) row[column] = value;
        return row;
    };
    const Variant licence2020 = day(2020, 2, 1), none = Variant::null();
    fill("ZorvicTransport",
         {line(1, "1", "200", 3, licence2020, "Газель", "нак-1", 1.5),
          line(1, "1", "200", 4, none, "Fura", "нак&2", 2,
               {{"TN_DATE", day(2024, 2, 3)}, {"TN_INDEX", W("тн-2")}, {"TN_QUANTITY", 2.0}, {"BUYER_ID", 102}}),
          line(9, "1", "200", 3, licence2020, "Газель", "чужой", 99),
          line(1, "1", "200", 3, licence2020, "Газель", "нак-3", 2.25),
          line(1, "1", "300", 4, none, "Газель", "нак-5", 1, {{"TN_INDEX", W("тн-5")}}),
          line(1, "1", "200", 3, day(2023, 3, 1), "Газель", "нак-6", 6, {{"TN_INDEX", W("тн-6")}}),
          line(1, "1", "200", 3, day(2020, 2, 1, 0.25), "Fura", "нак-7", 7, {{"TN_INDEX", W("тн<7>")}}),
          line(1, "2", "200", 3, licence2020, "Газель", "нак-8", 8),
          line(1, "1", "200", 3, licence2020, "Газель", "н'4", 0.5,
               {{"TN_DATE", day(2024, 2, 2, 0.5)}, {"TN_QUANTITY", 9.0}})});

    // qClients: 3 under the licence of 1 February 2020 (1), of the same day at 6 o'clock (2), of
    // 2023 (3); 4 without a licence (4). qTransport: Fura (1), Газель (2). Groups come in the order
    // of their first row, a level's key taken whole: carrier 3 under its 2023 licence after 4.
    auto waybill = [](const char* number, const char* date, const char* quantity) {
        return std::string("<СведТН ПN=\"1\" П000000000014=\"") + date + "\" П000000000015=\"" + number +
               "\" П000000000016=\"" + quantity + "\">\r\n";
    };
    auto consignment = [](int n, const char* document, const char* quantity, const char* receiver = "101") {
        return "<СведТТН ПN=\"" + std::to_string(n) + "\" П000000000017=\"01.02.2024\" П000000000018=\"" + document +
               "\" П000000000019=\"" + quantity + "\"\r\n ИдПолучателя=\"" + receiver + "\" П000000000020=\"" +
               quantity + "\"/>\r\n";
    };
    const std::string closeVehicle = "</СведТН>\r\n</ТранспортноеСредство>\r\n";
    const std::string expected =
        "<ОбъемПеревозки  НаимЮЛ=\"СКЛАД &quot;СЕВЕР&quot; &amp; КО\" КППЮЛ=\"AB1\" НаличиеПеревозок=\"true\">\r\n"
        "<АдрОрг>\r\n<КодСтраны>643</КодСтраны>\r<Индекс></Индекс>\r<КодРегион></КодРегион>\r<Район></Район>\r"
        "<Город>Тула</Город>\r<НаселПункт></НаселПункт>\r<Улица>ул. мира</Улица>\r<Дом>1&lt;a&gt;</Дом>\r"
        "<Корпус></Корпус>\r<Литера />\r<Кварт></Кварт>\r\n</АдрОрг>\r\n"
        "<Перевозка ПN=\"1\" П000000000002=\"1\">\r\n<Продукция П000000000004=\"200\">\r\n"
        "<СведПеревозчик ПN=\"1\" ИдПеревозчика=\"3\" ИдЛицензии=\"1\">\r\n"
        "<ТранспортноеСредство ПN=\"1\" ИдТС=\"2\">\r\n" +
        waybill("ТН-1", "02.02.2024", "4.000") + consignment(1, "НАК-1", "1.500") + consignment(2, "НАК-3", "2.250") +
        consignment(3, "Н&apos;4", "0.500") + closeVehicle + "<ТранспортноеСредство ПN=\"2\" ИдТС=\"1\">\r\n" +
        waybill("ТН&lt;7&gt;", "02.02.2024", "4.000") + consignment(1, "НАК-7", "7.000") + closeVehicle +
        "</СведПеревозчик>\r\n<СведПеревозчик ПN=\"2\" ИдПеревозчика=\"4\">\r\n"
        "<ТранспортноеСредство ПN=\"1\" ИдТС=\"1\">\r\n" +
        waybill("ТН-2", "03.02.2024", "2.000") + consignment(1, "НАК&amp;2", "2.000", "102") + closeVehicle +
        "</СведПеревозчик>\r\n<СведПеревозчик ПN=\"3\" ИдПеревозчика=\"3\" ИдЛицензии=\"3\">\r\n"
        "<ТранспортноеСредство ПN=\"1\" ИдТС=\"2\">\r\n" +
        waybill("ТН-6", "02.02.2024", "4.000") + consignment(1, "НАК-6", "6.000") + closeVehicle +
        "</СведПеревозчик>\r\n</Продукция>\r\n<Продукция П000000000004=\"300\">\r\n"
        "<СведПеревозчик ПN=\"1\" ИдПеревозчика=\"4\">\r\n<ТранспортноеСредство ПN=\"1\" ИдТС=\"2\">\r\n" +
        waybill("ТН-5", "02.02.2024", "4.000") + consignment(1, "НАК-5", "1.000") + closeVehicle +
        "</СведПеревозчик>\r\n</Продукция>\r\n</Перевозка>\r\n"
        "<Перевозка ПN=\"2\" П000000000002=\"2\">\r\n<Продукция П000000000004=\"200\">\r\n"
        "<СведПеревозчик ПN=\"1\" ИдПеревозчика=\"3\" ИдЛицензии=\"1\">\r\n"
        "<ТранспортноеСредство ПN=\"1\" ИдТС=\"2\">\r\n" +
        waybill("ТН-1", "02.02.2024", "4.000") + consignment(1, "НАК-8", "8.000") + closeVehicle +
        "</СведПеревозчик>\r\n</Продукция>\r\n</Перевозка>\r\n</ОбъемПеревозки>\r\n"
        "<ОбъемПеревозки  НаимЮЛ=\"КИОСК\" КППЮЛ=\"\" НаличиеПеревозок=\"false\">\r\n"
        "<АдрОрг>\r\n<КодСтраны></КодСтраны>\r<Индекс></Индекс>\r<КодРегион></КодРегион>\r<Район></Район>\r"
        "<Город></Город>\r<НаселПункт></НаселПункт>\r<Улица></Улица>\r<Дом></Дом>\r<Корпус></Корпус>\r"
        "<Литера />\r<Кварт></Кварт>\r\n</АдрОрг>\r\n</ОбъемПеревозки>\r\n";
    EXPECT_EQ(body().second, W(expected));
}

// At each level with a key of several fields (carrier and licence day, vehicle type and number,
// waybill day and number) a group is its whole key, in the order of that key's first row, and
// its rows keep their table order. Each subdivision has one such level out of order.
TEST_F(Form08File, EveryLevelGroupsByItsWholeKeyInTheOrderOfItsFirstRow) {
    fill("ZorvicTransportObosob", {{{"CL_ID", 1}, {"CL_NAME", "A"}, {"CL_KPP", "1"}},
                                   {{"CL_ID", 2}, {"CL_NAME", "B"}, {"CL_KPP", "2"}},
                                   {{"CL_ID", 3}, {"CL_NAME", "C"}, {"CL_KPP", "3"}}});
    const Variant d5 = zorvic_test::interleavedLicences().front().licence;
    std::vector<Row> rows;
    // A line whose document number and quantity are its number; carrier 531 under D5, vehicle
    // Газель N1 and waybill тн-1 of 2 February unless said otherwise.
    auto line = [&](int place, int number, Row other) {
        Row row{{"SUPERPLACE_CL_ID", place}, {"VIDTRANS_KOD", "1"}, {"VIDPROD_KOD", "200"}, {"CL_ID", 531},
                {"CL_LIC_DATE", d5}, {"TRANS_TYPE", W("Газель")}, {"TRANS_NUMBER", "N1"},
                {"TN_DATE", day(2024, 2, 2)}, {"TN_INDEX", W("тн-1")}, {"TN_QUANTITY", 4.0},
                {"EXT_DOC_DATE", day(2024, 2, 1)}, {"EXT_DOCINDEX", std::to_string(number)},
                {"QUANTITY", static_cast<double>(number)}, {"BUYER_ID", 101}};
        for (const auto& [column, value] : other) row[column] = value;
        rows.push_back(std::move(row));
    };
    int number = 0;
    for (const auto& [carrier, licence] : zorvic_test::interleavedLicences())
        line(1, ++number, {{"CL_ID", carrier}, {"CL_LIC_DATE", licence}});
    auto vehicle = [](const char* type, const char* plate) {
        return Row{{"TRANS_TYPE", W(type)}, {"TRANS_NUMBER", plate}};
    };
    line(2, 11, vehicle("Fura", "A1"));
    line(2, 12, vehicle("Газель", "B2"));
    line(2, 13, vehicle("Газель", "B2"));
    line(2, 14, vehicle("Fura", "C3"));
    line(2, 15, vehicle("Газель", "B2"));
    auto waybill = [](Variant date, const char* index) { return Row{{"TN_DATE", date}, {"TN_INDEX", W(index)}}; };
    line(3, 21, waybill(day(2024, 2, 2), "тн-1"));
    line(3, 22, waybill(day(2024, 2, 3), "тн-2"));
    line(3, 23, waybill(day(2024, 2, 3, 0.75), "тн-2"));
    line(3, 24, waybill(day(2024, 2, 2), "тн-3"));
    line(3, 25, waybill(day(2024, 2, 3), "тн-2"));
    fill("ZorvicTransport", rows);

    auto consignments = [](std::initializer_list<int> numbers) {
        std::string text;
        int n = 0;
        for (int number : numbers) {
            const std::string quantity = std::to_string(number) + ".000";
            text += "<СведТТН ПN=\"" + std::to_string(++n) + "\" П000000000017=\"01.02.2024\" П000000000018=\"" +
                    std::to_string(number) + "\" П000000000019=\"" + quantity +
                    "\"\r\n ИдПолучателя=\"101\" П000000000020=\"" + quantity + "\"/>\r\n";
        }
        return text;
    };
    auto waybillElement = [](int n, const char* date, const char* index, const std::string& lines) {
        return "<СведТН ПN=\"" + std::to_string(n) + "\" П000000000014=\"" + date + "\" П000000000015=\"" + index +
               "\" П000000000016=\"4.000\">\r\n" + lines + "</СведТН>\r\n";
    };
    auto vehicleElement = [](int n, int id, const std::string& waybills) {
        return "<ТранспортноеСредство ПN=\"" + std::to_string(n) + "\" ИдТС=\"" + std::to_string(id) + "\">\r\n" +
               waybills + "</ТранспортноеСредство>\r\n";
    };
    auto carrierElement = [](int n, int id, int licence, const std::string& vehicles) {
        return "<СведПеревозчик ПN=\"" + std::to_string(n) + "\" ИдПеревозчика=\"" + std::to_string(id) +
               "\" ИдЛицензии=\"" + std::to_string(licence) + "\">\r\n" + vehicles + "</СведПеревозчик>\r\n";
    };
    auto subdivision = [](const char* name, const char* kpp, const std::string& carriers) {
        return std::string("<ОбъемПеревозки  НаимЮЛ=\"") + name + "\" КППЮЛ=\"" + kpp +
               "\" НаличиеПеревозок=\"true\">\r\n" + zorvic_test::kEmptyAddress +
               "<Перевозка ПN=\"1\" П000000000002=\"1\">\r\n<Продукция П000000000004=\"200\">\r\n" + carriers +
               "</Продукция>\r\n</Перевозка>\r\n</ОбъемПеревозки>\r\n";
    };
    auto onlyWaybill = [&](std::initializer_list<int> numbers) {
        return vehicleElement(1, 4, waybillElement(1, "02.02.2024", "ТН-1", consignments(numbers)));
    };

    // qClients: 508 under D1 (1) and D2 (2), 527 (3), 531 (4). qTransport: Fura A1 (1), Fura C3
    // (2), Газель B2 (3), Газель N1 (4).
    const std::string expected =
        subdivision("A", "1",
                    carrierElement(1, 531, 4, onlyWaybill({1})) + carrierElement(2, 508, 1, onlyWaybill({2, 3, 5})) +
                        carrierElement(3, 527, 3, onlyWaybill({4, 6})) + carrierElement(4, 508, 2, onlyWaybill({7}))) +
        subdivision("B", "2",
                    carrierElement(
                        1, 531, 4,
                        vehicleElement(1, 1, waybillElement(1, "02.02.2024", "ТН-1", consignments({11}))) +
                            vehicleElement(2, 3, waybillElement(1, "02.02.2024", "ТН-1", consignments({12, 13, 15}))) +
                            vehicleElement(3, 2, waybillElement(1, "02.02.2024", "ТН-1", consignments({14}))))) +
        subdivision(
            "C", "3",
            carrierElement(1, 531, 4,
                           vehicleElement(1, 4,
                                          waybillElement(1, "02.02.2024", "ТН-1", consignments({21})) +
                                              waybillElement(2, "03.02.2024", "ТН-2", consignments({22, 23, 25})) +
                                              waybillElement(3, "02.02.2024", "ТН-3", consignments({24})))));
    EXPECT_EQ(body().second, W(expected));

    // The same rows in group order, as the host delivers them, are written as they stand.
    std::vector<Row> grouped;
    for (int n : {1, 2, 3, 5, 4, 6, 7, 11, 12, 13, 15, 14, 21, 22, 23, 25, 24})
        grouped.push_back(*std::find_if(rows.begin(), rows.end(), [n](const Row& row) {
            return row.at("EXT_DOCINDEX") == Variant(std::to_string(n));
        }));
    refill("ZorvicTransport", grouped);
    EXPECT_EQ(body().second, W(expected));
}

TEST(Form08Volume, HasOneDecimalWithHalvesAwayFromZeroAndFifteenSignificantDigits) {
    using forms::transport::volumeText;
    EXPECT_EQ(volumeText(0.25), "0.3");
    EXPECT_EQ(volumeText(-0.25), "-0.3");
    EXPECT_EQ(volumeText(-0.04), "0.0");
    EXPECT_EQ(volumeText(9.96), "10.0");
    EXPECT_EQ(volumeText(1234.05), "1234.0") << "1234.05 is stored just below the half";
    EXPECT_EQ(volumeText(99999999999999.99), "100000000000000.0");
    EXPECT_EQ(volumeText(1234567890123456789.0), "1234567890123460000.0");
}

}  // namespace
