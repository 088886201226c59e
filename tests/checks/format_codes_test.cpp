// Tests of the forms' code lists, as the program carries them, and of the number limits.
#include <gtest/gtest.h>

#include <map>

#include "core/checks/format_codes.h"
#include "host/text/cp1251.h"

namespace {

using namespace core::checks;

std::string utf8(const std::string& host) {
    return host::cp1251ToUtf8(host);
}

const CodeTables& tables() {
    return CodeTables::embedded();
}

TEST(FormCodes, EveryFormsListsLoad) {
    const std::map<std::string, std::size_t> productKinds{{"11", 34}, {"12", 4},  {"08", 0},
                                                          {"07", 70}, {"06", 70}, {"05", 64}};
    for (const std::string& form : declarationForms()) {
        EXPECT_EQ(tables().allowed(form, CodeList::ProductKind).size(), productKinds.at(form)) << form;
    }
    EXPECT_TRUE(tables().allowed("12", CodeList::LicensedActivity).empty());
    EXPECT_EQ(tables().allowed("08", CodeList::TransportKind).size(), 5u);
    EXPECT_TRUE(tables().allowed("11", CodeList::TransportKind).empty());
    EXPECT_THROW(tables().allowed("13", CodeList::ProductKind), std::invalid_argument);
    EXPECT_THROW(tables().allowed("8", CodeList::ProductKind), std::invalid_argument);
}

TEST(FormCodes, ProductKindsDifferBetweenForms) {
    // Vodka is retail alcohol, not beer; beer the other way round.
    EXPECT_TRUE(tables().find("11", CodeList::ProductKind, "200"));
    EXPECT_FALSE(tables().find("12", CodeList::ProductKind, "200"));
    EXPECT_TRUE(tables().find("12", CodeList::ProductKind, "500"));
    EXPECT_FALSE(tables().find("11", CodeList::ProductKind, "500"));
    // Both retail forms take 260.
    EXPECT_TRUE(tables().find("11", CodeList::ProductKind, "260"));
    EXPECT_TRUE(tables().find("12", CodeList::ProductKind, "260"));
    // 231 is wholesale only; 330 is on forms 07 and 06 but not 05.
    EXPECT_FALSE(tables().find("11", CodeList::ProductKind, "231"));
    EXPECT_TRUE(tables().find("05", CodeList::ProductKind, "231"));
    EXPECT_TRUE(tables().find("07", CodeList::ProductKind, "330"));
    EXPECT_TRUE(tables().find("06", CodeList::ProductKind, "330"));
    EXPECT_FALSE(tables().find("05", CodeList::ProductKind, "330"));
    // Spirits lead the wholesale lists with a zero, which is part of the code.
    EXPECT_TRUE(tables().find("07", CodeList::ProductKind, "010"));
    EXPECT_FALSE(tables().find("07", CodeList::ProductKind, "10"));
    EXPECT_EQ(utf8(tables().name(CodeList::ProductKind, "200")), "Водка");
}

TEST(FormCodes, ActivityKindsAndFormEightLetters) {
    EXPECT_TRUE(tables().find("11", CodeList::LicensedActivity, "06"));
    EXPECT_FALSE(tables().find("11", CodeList::LicensedActivity, "05"));
    for (const char* form : {"08", "07", "06"}) {
        EXPECT_EQ(tables().allowed(form, CodeList::LicensedActivity).size(), 5u) << form;
        EXPECT_FALSE(tables().find(form, CodeList::LicensedActivity, "06")) << form;
    }
    EXPECT_TRUE(tables().find("05", CodeList::LicensedActivity, "03"));
    EXPECT_TRUE(tables().find("05", CodeList::LicensedActivity, "05"));
    EXPECT_FALSE(tables().find("05", CodeList::LicensedActivity, "01"));
    EXPECT_EQ(tables().allowed("07", CodeList::UnlicensedActivity).size(), 4u);
    EXPECT_TRUE(tables().find("11", CodeList::UnlicensedActivity, "12"));

    // The letter codes are Cyrillic, compared as host text.
    for (const char* kind : {"АТ", "ЖД", "МП", "РП", "АВ"})
        EXPECT_TRUE(tables().find("08", CodeList::TransportKind, host::W(kind))) << kind;
    EXPECT_FALSE(tables().find("08", CodeList::TransportKind, "AT"));  // Latin letters
    for (const char* group : {"ЭС", "АП", "ССПП", "ССНПП"})
        EXPECT_TRUE(tables().find("08", CodeList::ProductGroup, host::W(group))) << group;
    EXPECT_FALSE(tables().find("08", CodeList::ProductGroup, host::W("СП")));
}

TEST(FormCodes, FindingNamesTheFormsThatTakeTheCode) {
    Findings findings;
    const Where where{host::W("Магазин №1"), {}, host::W("строка 3")};
    reportCode(findings, where, "12", CodeList::ProductKind, "500");
    EXPECT_TRUE(findings.empty());
    reportCode(findings, where, "12", CodeList::ProductKind, "200");
    reportCode(findings, where, "12", CodeList::ProductKind, "261");
    ASSERT_EQ(findings.size(), 2u);
    const std::string vodka = utf8(findings.items()[0].message);
    EXPECT_EQ(findings.items()[0].rule, "product-kind");
    EXPECT_EQ(findings.items()[0].severity, Severity::Error);
    EXPECT_NE(vodka.find("«200» (Водка) не допускается в форме 12; он есть в формах 11, 07, 06, 05"), std::string::npos)
        << vodka;
    EXPECT_NE(utf8(findings.items()[0].fix).find("260, 500, 510, 520"), std::string::npos);
    EXPECT_NE(utf8(findings.items()[1].message).find("ни в одной форме"), std::string::npos);
}

TEST(FormCodes, BrokenDataIsRefusedNamingTheLine) {
    const std::string header = "code\tforms\tname\n";
    const std::string others = "list\tforms\tcode\tname\n";
    const auto refusal = [](const std::string& kinds, const std::string& codes) -> std::string {
        try {
            CodeTables::parse(kinds, codes);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "accepted";
    };
    EXPECT_EQ(refusal(header + "200\t11 12\tВодка\n", others + "transport-kind\t08\tАТ\t\n"), "accepted");
    EXPECT_NE(refusal("# only a comment\n" + header + "200\t11 13\t\n", others).find("line 3: \"13\" is not a form"),
              std::string::npos);
    EXPECT_NE(refusal(header + "200\t11\n", others).find("line 2: 2 columns"), std::string::npos);
    EXPECT_NE(refusal(header + "200\t11\t\n200\t11\t\n", others).find("listed twice"), std::string::npos);
    EXPECT_NE(refusal(header, others + "vehicle\t08\tX\t\n").find("not a known list"), std::string::npos);
    EXPECT_NE(refusal("200\t11\t\n", others).find("column header"), std::string::npos);
    EXPECT_NE(refusal(header, "").find("form_codes.tsv: no column header"), std::string::npos);
}

TEST(NumberLimits, DigitsCountAsTheValueHasThem) {
    EXPECT_TRUE(measureDecimal("1234567890.12345").fits());
    EXPECT_FALSE(measureDecimal("12345678901.12345").fits());  // 16 digits
    EXPECT_TRUE(measureDecimal("123456789012345").fits());
    EXPECT_FALSE(measureDecimal("1234567890123456").fits());
    EXPECT_FALSE(measureDecimal("0.123456").fits());  // 6 decimals
    EXPECT_EQ(measureDecimal("0.123456").fractionDigits, 6);
    // Zeros in front and zeros at the end of the fraction are not digits of the value.
    EXPECT_TRUE(measureDecimal("1.500000").fits());
    EXPECT_TRUE(measureDecimal("-0001234567890.123450").fits());
    EXPECT_EQ(measureDecimal("0.000").totalDigits, 0);
    for (const char* bad : {"", "-", ".", "1,5", "1e5", "1.2.3", " 1", "++1"})
        EXPECT_FALSE(measureDecimal(bad).lexical) << bad;
    EXPECT_TRUE(measureDecimal(".5").lexical);
    EXPECT_TRUE(measureDecimal("+1.").lexical);
}

TEST(NumberLimits, AsTheWriterPrintsThem) {
    EXPECT_TRUE(numberFits(12.5, 5));
    EXPECT_TRUE(numberFits(12.5, 7));  // printed 12.5000000: the zeros are no digits of the value
    EXPECT_FALSE(numberFits(0.1234567, 7));
    EXPECT_TRUE(numberFits(0.1234567, 5));
    EXPECT_TRUE(numberFits(9999999999.99999, 5));
    EXPECT_TRUE(numberFits(99999999999.0, 5));        // 11 whole digits: the zeros after the point do not count
    EXPECT_FALSE(numberFits(12345678901.123456, 5));  // 11 whole digits and 5 decimals
    EXPECT_TRUE(numberFits(12345678901.123456, 4));
    EXPECT_FALSE(numberFits(1e15, 0));  // 16 whole digits
    EXPECT_FALSE(numberFits(-1e15, 0));

    Findings findings;
    reportNumber(findings, {}, host::W("Остаток на начало"), 0.1234567, 7);
    reportNumber(findings, {}, host::W("Остаток на начало"), 1e15, 2);
    reportNumber(findings, {}, host::W("Остаток на начало"), 1.5, 7);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings.items()[0].rule, "number-limits");
    EXPECT_NE(utf8(findings.items()[0].message).find("7 знаков после запятой"), std::string::npos);
    EXPECT_NE(utf8(findings.items()[1].message).find("16 цифр"), std::string::npos)
        << utf8(findings.items()[1].message);
}

}  // namespace
