// Tests of the INN and KPP checks and of the findings made of them.
#include <gtest/gtest.h>

#include "core/checks/taxpayer_numbers.h"
#include "host/text/cp1251.h"

namespace {

using namespace core::checks;

std::string utf8(const std::string& host) {
    return host::cp1251ToUtf8(host);
}

// Numbers whose check digits were worked out by hand, beside the checker, with the weights of
// the tax service; the last two have a weighted sum of remainder 10, whose check digit is 0.
TEST(InnCheck, RightNumbersPass) {
    for (const char* inn : {"7707083893", "4824007192", "2352018469", "1000000010"})
        EXPECT_TRUE(checkInn(inn, InnKind::LegalEntity).ok()) << inn;
    for (const char* inn : {"500100732259", "366200451858", "771234567859", "100000001102"})
        EXPECT_TRUE(checkInn(inn, InnKind::Individual).ok()) << inn;
}

TEST(InnCheck, WrongCheckDigitSaysWhichAndWhatItShouldBe) {
    const InnCheck legal = checkInn("7707083894");
    EXPECT_EQ(legal.problem, InnProblem::WrongCheckDigit);
    EXPECT_EQ(legal.position, 10u);
    EXPECT_EQ(legal.expected, '3');

    // The twelfth digit is computed over the eleventh: a wrong eleventh is told first.
    const InnCheck eleventh = checkInn("500100732269");
    EXPECT_EQ(eleventh.problem, InnProblem::WrongCheckDigit);
    EXPECT_EQ(eleventh.position, 11u);
    EXPECT_EQ(eleventh.expected, '5');

    const InnCheck twelfth = checkInn("500100732250");
    EXPECT_EQ(twelfth.position, 12u);
    EXPECT_EQ(twelfth.expected, '9');

    const std::string text = utf8(innProblemText(twelfth, "500100732250"));
    EXPECT_NE(text.find("12-я цифра должна быть 9"), std::string::npos) << text;
}

TEST(InnCheck, ShapeProblemsComeBeforeCheckDigits) {
    EXPECT_EQ(checkInn("").problem, InnProblem::Empty);

    const InnCheck letters = checkInn("77070838O3");  // a capital O for a zero
    EXPECT_EQ(letters.problem, InnProblem::NotDigits);
    EXPECT_EQ(letters.position, 9u);

    EXPECT_EQ(checkInn("77070838931").problem, InnProblem::WrongLength);  // 11 digits
    // Each kind takes its own length only.
    EXPECT_EQ(checkInn("500100732259", InnKind::LegalEntity).problem, InnProblem::WrongLength);
    EXPECT_EQ(checkInn("7707083893", InnKind::Individual).problem, InnProblem::WrongLength);
    EXPECT_NE(
        utf8(innProblemText(checkInn("500100732259", InnKind::LegalEntity), "500100732259")).find("организации их 10"),
        std::string::npos);

    // All zeros has right check digits; the format's "00" is what refuses it.
    EXPECT_EQ(checkInn("0000000000").problem, InnProblem::StartsWith00);
    EXPECT_EQ(checkInn("0012345678").problem, InnProblem::StartsWith00);
    EXPECT_EQ(checkInn("010000000021").problem, InnProblem::None);  // one zero in front is allowed
}

TEST(KppCheck, ShapeAndFormatAreToldApart) {
    EXPECT_TRUE(checkKpp("482401001").ok());

    // Letters at 5-6 are a right KPP the format refuses.
    const KppCheck letters = checkKpp("7701AB001");
    EXPECT_EQ(letters.problem, KppProblem::LettersInReason);
    EXPECT_TRUE(letters.shapeOk());
    EXPECT_FALSE(letters.ok());

    const KppCheck zeros = checkKpp("004401001");
    EXPECT_EQ(zeros.problem, KppProblem::StartsWith00);
    EXPECT_TRUE(zeros.shapeOk());

    const KppCheck small = checkKpp("7701ab001");
    EXPECT_EQ(small.problem, KppProblem::LowerCaseReason);
    EXPECT_EQ(small.position, 5u);
    EXPECT_FALSE(small.shapeOk());

    EXPECT_EQ(checkKpp("7701A-001").problem, KppProblem::BadReasonCharacter);
    EXPECT_EQ(checkKpp("7701A-001").position, 6u);
    const KppCheck letterOutside = checkKpp("77A101001");
    EXPECT_EQ(letterOutside.problem, KppProblem::NotDigit);
    EXPECT_EQ(letterOutside.position, 3u);
    EXPECT_EQ(checkKpp("48240100").problem, KppProblem::WrongLength);
    EXPECT_EQ(checkKpp("").problem, KppProblem::Empty);
}

Where supplier() {
    return Where{host::W("Магазин №1"), Subject{host::W("ООО «Ромашка»"), "7707083893", "770701001"}, "12"};
}

TEST(ReportNumbers, SeverityFollowsWhatTheFileDemands) {
    Findings findings;
    reportInn(findings, supplier(), "7707083893", kLegalInn);
    reportKpp(findings, supplier(), "770701001", kRequiredKpp);
    reportKpp(findings, supplier(), "", kOptionalKpp);
    EXPECT_TRUE(findings.empty());

    reportInn(findings, supplier(), "7707083894", kLegalInn);  // passes the pattern, but cannot exist
    reportInn(findings, supplier(), "770708389", kLegalInn);
    reportInn(findings, supplier(), "", kLegalInn);
    reportKpp(findings, supplier(), "7701AB001", kRequiredKpp);
    reportKpp(findings, supplier(), "7701ab001", kRequiredKpp);
    ASSERT_EQ(findings.size(), 5u);
    EXPECT_EQ(findings.items()[0].severity, Severity::Warning);
    EXPECT_EQ(findings.items()[0].rule, "inn-check-digit");
    EXPECT_EQ(findings.items()[1].rule, "inn-format");
    EXPECT_EQ(findings.items()[2].rule, "inn-missing");
    EXPECT_EQ(findings.items()[3].rule, "kpp-letters");
    EXPECT_EQ(findings.items()[4].rule, "kpp-shape");
    for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(findings.items()[i].severity, Severity::Error) << i;
    EXPECT_EQ(findings.items()[4].where.subdivision, host::W("Магазин №1"));
    EXPECT_FALSE(findings.items()[4].fix.empty());
}

TEST(ReportNumbers, FreeTextPlacesOnlyWarnAboutRussianLookingNumbers) {
    // A producer's number may be a foreign registration number of 1 to 20 characters.
    const InnRule producer = *numberRules("11", Party::Producer)->inn;
    Findings findings;
    reportInn(findings, supplier(), "BY190123456", producer);
    reportInn(findings, supplier(), "12345678901", producer);  // 11 digits: a foreign number
    EXPECT_TRUE(findings.empty());
    reportInn(findings, supplier(), "7707083894", producer);
    reportInn(findings, supplier(), "123456789012345678901", producer);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings.items()[0].severity, Severity::Warning);
    EXPECT_EQ(findings.items()[1].severity, Severity::Error);

    // A form 08 receiver in Russia: 10 to 12 characters, a Russian INN.
    const InnRule receiver = *numberRules("08", Party::Receiver)->inn;
    Findings receivers;
    reportInn(receivers, supplier(), "77070838931", receiver);
    ASSERT_EQ(receivers.size(), 1u);
    EXPECT_EQ(receivers.items()[0].severity, Severity::Warning);
    EXPECT_EQ(receivers.items()[0].rule, "inn-shape");

    // A carrier's KPP: any text up to 50; letters are a right KPP there.
    const KppRule carrier = *numberRules("08", Party::Carrier)->kpp;
    Findings carriers;
    reportKpp(carriers, supplier(), "7701AB001", carrier);
    EXPECT_TRUE(carriers.empty());
    reportKpp(carriers, supplier(), "7701ab001", carrier);
    ASSERT_EQ(carriers.size(), 1u);
    EXPECT_EQ(carriers.items()[0].severity, Severity::Warning);
}

TEST(ReportNumbers, EachFormsPlacesForNumbers) {
    EXPECT_FALSE(numberRules("07", Party::OrganizationIndividual));
    EXPECT_EQ(numberRules("12", Party::OrganizationIndividual)->inn->kind, InnKind::Individual);
    EXPECT_FALSE(numberRules("12", Party::OrganizationIndividual)->kpp);
    EXPECT_FALSE(numberRules("11", Party::Carrier));
    EXPECT_FALSE(numberRules("05", Party::Supplier));
    EXPECT_FALSE(numberRules("11", Party::Subdivision)->inn);
    EXPECT_TRUE(numberRules("11", Party::Subdivision)->kpp->required);
    EXPECT_FALSE(numberRules("12", Party::Subdivision)->kpp->required);
    EXPECT_FALSE(numberRules("05", Party::Subdivision)->kpp->required);
    // A legal-entity producer on form 12 needs both numbers as the organization does; an
    // individual supplier on form 07 needs a 12-digit INN, on form 11 any number.
    EXPECT_TRUE(numberRules("12", Party::Producer)->kpp->required);
    EXPECT_TRUE(numberRules("07", Party::SupplierIndividual)->inn->formatPattern);
    EXPECT_FALSE(numberRules("11", Party::SupplierIndividual)->inn->formatPattern);
    EXPECT_THROW(numberRules("5", Party::Organization), std::invalid_argument);

    // Form 05 writes the producer's number in the row itself, at least 5 characters.
    Findings findings;
    reportInn(findings, supplier(), "1234", *numberRules("05", Party::Producer)->inn);
    reportInn(findings, supplier(), "1234", *numberRules("07", Party::Producer)->inn);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings.items()[0].rule, "inn-format");
}

TEST(ReportNumbers, SameNumbersUnderTwoIds) {
    const auto party = [](const char* id, const char* inn, const char* kpp) {
        return ListedParty{id, Subject{host::W("Поставщик ") + id, inn, kpp}};
    };
    Findings findings;
    reportSameNumbers(findings, "", host::W("Поставщики"),
                      {party("1", "7707083893", "770701001"), party("2", "4824007192", "482401001"),
                       party("3", "7707083893", "770701001"), party("1", "7707083893", "770701001"),
                       party("4", "7707083893", "770702001"),  // another subdivision of the same company
                       party("5", "", ""), party("6", "", "")});
    ASSERT_EQ(findings.size(), 1u);
    const Finding& f = findings.items()[0];
    EXPECT_EQ(f.rule, "same-inn-kpp");
    EXPECT_EQ(f.severity, Severity::Warning);
    EXPECT_EQ(f.where.subject.inn, "7707083893");
    EXPECT_NE(utf8(f.message).find("(1, 3)"), std::string::npos) << utf8(f.message);
}

}  // namespace
