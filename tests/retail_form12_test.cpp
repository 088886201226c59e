// The body of the form 12 declaration file, written by the real frame from work tables filled by
// hand: producers with their legal-entity or individual element, suppliers without licences, and
// the turnover of every subdivision with the purchases from each supplier.
#include <gtest/gtest.h>

#include <map>

#include "declaration_body_fixture.h"
#include "forms/roznbeer/report_frame.h"

namespace {

using host::Variant;
using host::W;
using zorvic_test::day;
using zorvic_test::kEmptyAddress;
using zorvic_test::Row;

// Besides the address, the organization's lookups answer INN, KPP and the entrepreneur mark in
// one row. Its tests fill every work table themselves.
class Form12File : public zorvic_test::DeclarationBodyFixture<forms::roznbeer::TZorvicRoznBeerReport> {
protected:
    Form12File() : DeclarationBodyFixture("ZorvicRoznBeer", zorvic_test::ReferenceBlock::BehindFormHeader, {}) {}

    std::optional<std::vector<Variant>> firstRow(const std::string& sql) override {
        if (auto address = DeclarationBodyFixture::firstRow(sql)) return address;
        if (sql.find("coalesce(ok.is_ip, 0)") != std::string::npos)
            return std::vector<Variant>{Variant("7701234567"), Variant("770101001"), Variant(entrepreneurMark)};
        return std::nullopt;
    }

    int entrepreneurMark = 0;
};

TEST_F(Form12File, EntrepreneurDeclaresProducersSuppliersAndMovementWithoutBalances) {
    entrepreneurMark = 1;
    const auto& c = frame.controls();
    c.seCalcPrecision.setValue(0.5);
    c.cbOnlyMove->setChecked(true);
    fill("ZorvicRoznBeerObosob", {{{"CL_ID", 1}, {"CL_NAME", W("пивной бар")}, {"CL_KPP", "770101001"}}});
    fill("ZorvicRoznBeerOborot",
         {{{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "500"}, {"MANUF_ID", 7}, {"MANUF_NAME", W("Пивзавод")},
           {"MANUF_INN", "7703"}, {"MANUF_KPP", "770301001"}, {"OST_BEGIN", 10}, {"PRIX_PROIZ", 2.5},
           {"RASX_ROZN", 0.4}},
          {{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "500"}, {"MANUF_ID", 8}, {"MANUF_NAME", W("ИП Пивовар")},
           {"MANUF_INN", "770400000001"}, {"MANUF_KPP", ""}}});
    const Row sidorov = {{"CL_ID", 20}, {"CL_IS_IP", 1}, {"CL_NAME", W("ИП Сидоров")}, {"CL_INN", "770512345678"}};
    const Row malt = {{"CL_ID", 21}, {"CL_IS_IP", 0}, {"CL_NAME", W("ООО Солод")}, {"CL_INN", "77061234567"},
                      {"CL_KPP", "770601001"}};
    auto purchase = [](Row supplier, Variant date, const char* number, double quantity) {
        supplier.insert({{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "500"}, {"MANUF_ID", 7}, {"EXT_DOC_DATE", date},
                         {"EXT_DOCINDEX", number}, {"QUANTITY", quantity}});
        return supplier;
    };
    fill("ZorvicRoznBeerBuy", {purchase(sidorov, day(2024, 1, 10), "1", 2.5),
                               purchase(malt, day(2024, 1, 11), "2", -2.5),
                               purchase(sidorov, day(2024, 2, 12), "3", 0.4)});

    const std::string zeros = " П100000000007=\"0\" П100000000008=\"0\" П100000000009=\"0\" П100000000010=\"0\" "
                              "П100000000011=\"0\" П100000000012=\"0\" П100000000013=\"0\" П100000000014=\"0\" "
                              "П100000000015=\"0\" П100000000016=\"0\" П100000000017=\"0\"/>\r\n";
    const std::string references =
        W("<Справочники>\r\n"
          "<ПроизводителиИмпортеры  ИДПроизвИмп=\"7\" П000000000004=\"Пивзавод\">\r\n"
          "<ЮЛ П000000000005=\"7703\" П000000000006=\"770301001\"/>\r\n</ПроизводителиИмпортеры>"
          "<ПроизводителиИмпортеры  ИДПроизвИмп=\"8\" П000000000004=\"ИП Пивовар\">\r\n"
          "<ФЛ П000000000005=\"770400000001\"/>\r\n</ПроизводителиИмпортеры>"
          "<Поставщики ИдПостав=\"20\" П000000000007=\"ИП Сидоров\"><ФЛ П000000000009=\"770512345678\"/>\r\n"
          "</Поставщики>\r\n"
          "<Поставщики ИдПостав=\"21\" П000000000007=\"ООО Солод\">"
          "<ЮЛ П000000000009=\"7706123456\" П000000000010=\"770601001\"/>\r\n</Поставщики>\r\n"
          "</Справочники>\r\n");
    const std::string data =
        W("<ОбъемОборота НаимЮЛ=\"ПИВНОЙ БАР\" НаличиеОборота=\"true\">\r\n") + W(kEmptyAddress) +
        W("<Оборот ПN=\"1\" П000000000003=\"500\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"7\">\r\n"
          "<Поставщик ПN=\"1\" ИдПоставщика=\"20\">\r\n"
          "<Продукция П200000000013=\"10.01.2024\" П200000000014=\"1\" П200000000015=\"\" П200000000016=\"3\"/>\r\n"
          "<Продукция П200000000013=\"12.02.2024\" П200000000014=\"3\" П200000000015=\"\" П200000000016=\"0\"/>\r\n"
          "</Поставщик>\r\n<Поставщик ПN=\"2\" ИдПоставщика=\"21\">\r\n"
          "<Продукция П200000000013=\"11.01.2024\" П200000000014=\"2\" П200000000015=\"\" П200000000016=\"-3\"/>\r\n"
          "</Поставщик>\r\n"
          "<Движение ПN=\"1\" П100000000007=\"3\" П100000000008=\"0\" П100000000009=\"0\" П100000000010=\"3\" "
          "П100000000011=\"0\" П100000000012=\"0\" П100000000013=\"3\" П100000000014=\"0\" П100000000015=\"0\" "
          "П100000000016=\"0\" П100000000017=\"0\"/>\r\n</СведПроизвИмпорт>\r\n"
          "<СведПроизвИмпорт ПN=\"2\" ИдПроизвИмп=\"8\">\r\n<Движение ПN=\"1\"") +
        W(zeros) + W("</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n");

    EXPECT_EQ(body(), std::pair(references, data));
}

TEST_F(Form12File, LegalEntityDeclaresTheKppAndBothBalances) {
    frame.controls().seCalcPrecision.setValue(2);
    fill("ZorvicRoznBeerObosob", {{{"CL_ID", 1}, {"CL_NAME", W("Бар")}, {"CL_KPP", "1"}}});
    fill("ZorvicRoznBeerOborot",
         {{{"SUPERPLACE_CL_ID", 1}, {"VIDPROD_KOD", "500"}, {"MANUF_ID", 7}, {"MANUF_NAME", "P"}, {"MANUF_INN", "1"},
           {"MANUF_KPP", "2"}, {"OST_BEGIN", 1}, {"PRIX_PROIZ", 1}, {"PRIX_OPT", 1}, {"PRIX_IMPORT", 1},
           {"PRIX_RET", 1}, {"PRIX_OTHER", 1}, {"RASX_ROZN", 0.5}, {"RASX_RET", 0.25}, {"RASX_OTHER", 0.125}}});
    fill("ZorvicRoznBeerBuy", {});

    const auto [references, data] = body();
    EXPECT_EQ(references,
              W("<Справочники>\r\n<ПроизводителиИмпортеры  ИДПроизвИмп=\"7\" П000000000004=\"P\">\r\n"
                "<ЮЛ П000000000005=\"1\" П000000000006=\"2\"/>\r\n</ПроизводителиИмпортеры></Справочники>\r\n"));
    EXPECT_EQ(data,
              W("<ОбъемОборота НаимЮЛ=\"БАР\" КППЮЛ=\"1\" НаличиеОборота=\"true\">\r\n") + W(kEmptyAddress) +
                  W("<Оборот ПN=\"1\" П000000000003=\"500\">\r\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"7\">\r\n"
                    "<Движение ПN=\"1\" П100000000006=\"1.00\" П100000000007=\"1.00\" П100000000008=\"1.00\" "
                    "П100000000009=\"1.00\" П100000000010=\"3.00\" П100000000011=\"1.00\" П100000000012=\"1.00\" "
                    "П100000000013=\"5.00\" П100000000014=\"0.50\" П100000000015=\"0.13\" П100000000016=\"0.25\" "
                    "П100000000017=\"0.88\" П100000000018=\"5.13\"/>\r\n"
                    "</СведПроизвИмпорт>\r\n</Оборот>\r\n</ОбъемОборота>\r\n"));
}

}  // namespace
