// Declaration files checked against their forms' schemas: the demo's six, and files spoilt by hand.
#include "core/checks/schema_validation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "host/text/cp1251.h"

namespace {

namespace fs = std::filesystem;
using core::checks::SchemaProblem;
using core::checks::validateDeclaration;

const fs::path kExpected = fs::path(ZORVIC_SOURCE_DIR) / "tests" / "expected";

// The demo's declaration of a form, found by its module's name.
fs::path demoFile(const std::string& module) {
    for (const auto& entry : fs::directory_iterator(kExpected)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(module + "--") && entry.path().extension() == ".xml") return entry.path();
    }
    ADD_FAILURE() << "no demo declaration of " << module;
    return {};
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The line where the `nth` occurrence of `utf8` starts in a windows-1251 file, as the parser counts
// them: by line feeds, a CR alone (the writer ends address parts with one) making none; 0 when absent.
int lineOf(const std::string& content, std::string_view utf8, int nth = 1) {
    const std::string needle = host::W(utf8);
    std::size_t at = std::string::npos;
    for (int i = 0; i < nth; ++i) {
        at = content.find(needle, at == std::string::npos ? 0 : at + 1);
        if (at == std::string::npos) return 0;
    }
    int line = 1;
    for (std::size_t i = 0; i < at; ++i)
        if (content[i] == '\n') ++line;
    return line;
}

// What a problem is about, apart from the library's wording: its line, the element's name (the
// last step of its path, without a position) and the attribute.
struct Finding {
    int line;
    std::string element;
    std::string attribute;
    bool operator==(const Finding&) const = default;
};

void PrintTo(const Finding& finding, std::ostream* out) {
    *out << "{" << finding.line << ", " << finding.element << ", " << finding.attribute << "}";
}

std::vector<Finding> findings(const std::vector<SchemaProblem>& problems) {
    std::vector<Finding> found;
    for (const SchemaProblem& problem : problems) {
        std::string element = problem.element.substr(problem.element.rfind('/') + 1);
        element = element.substr(0, element.find('['));
        found.push_back({problem.line, element, problem.attribute});
    }
    return found;
}

std::string described(const std::vector<SchemaProblem>& problems) {
    std::string text;
    for (const SchemaProblem& problem : problems) text += core::checks::describe(problem) + "\n";
    return text;
}

// ---- The demo's declarations ----

// The demo as filed: the retailer's forms 11 and 12, the wholesaler's 08, 07, 06 and 05.
TEST(DemoDeclarationSchemas, EveryFormPasses) {
    for (const auto& [module, form] : {std::pair{"pZorvicRozn", "11"}, {"pZorvicRoznBeer", "12"}, {"pZorvicTransport", "08"},
                                       {"pZorvicBuy", "07"}, {"pZorvicDelivery", "06"}, {"pZorvicOborot", "05"}}) {
        const auto problems = validateDeclaration(demoFile(module).string(), form);
        EXPECT_TRUE(problems.empty()) << module << ":\n" << described(problems);
    }
}

// A demo file with the first occurrence of each `from` made its `to` (both UTF-8), written out
// under `name` in the temporary directory; `content` gets what was written.
fs::path spoiltDemo(const std::string& module, const std::vector<std::pair<std::string_view, std::string_view>>& edits,
                    const std::string& name, std::string& content) {
    content = readFile(demoFile(module));
    for (const auto& [from, to] : edits) {
        const std::string needle = host::W(from);
        const std::size_t at = content.find(needle);
        if (at == std::string::npos) {
            ADD_FAILURE() << "not in " << module << ": " << from;
            continue;
        }
        content.replace(at, needle.size(), host::W(to));
    }
    const fs::path path = fs::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// The transport kind and the product group are codes of their own on form 08, not numbers.
TEST(DemoDeclarationSchemas, Form08WantsLetterCodesForTransportKindAndProductGroup) {
    std::string content;
    const fs::path path = spoiltDemo("pZorvicTransport",
                                     {{"<Перевозка ПN=\"1\" П000000000002=\"АТ\"", "<Перевозка ПN=\"1\" П000000000002=\"1\""},
                                      {"П000000000004=\"АП\"", "П000000000004=\"200\""}},
                                     "zorvic-schema-form08-numbers.xml", content);
    const auto problems = validateDeclaration(path.string(), "08");
    fs::remove(path);
    EXPECT_EQ(findings(problems), (std::vector<Finding>{
                                      {lineOf(content, "<Перевозка ПN=\"1\" П000000000002=\"1\""), "Перевозка", "П000000000002"},
                                      {lineOf(content, "П000000000004=\"200\""), "Продукция", "П000000000004"},
                                  }))
        << described(problems);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].message.find("'1'"), std::string::npos) << problems[0].message;
    EXPECT_NE(problems[0].message.find("'АТ', 'ЖД', 'МП', 'РП', 'АВ'"), std::string::npos) << problems[0].message;
    EXPECT_NE(problems[1].message.find("'ЭС', 'АП', 'ССПП', 'ССНПП'"), std::string::npos) << problems[1].message;
    EXPECT_EQ(problems[0].element, "/Файл/Документ/ОбъемПеревозки[3]/Перевозка");
}

// Form 11 has no foreign supplier: one written as a legal entity with zeros for its INN and KPP
// breaks both; and only a retail licence ("06") is the organization's on form 11.
TEST(DemoDeclarationSchemas, Form11RefusesZeroSupplierNumbersAndAWholesaleLicence) {
    std::string content;
    const fs::path path = spoiltDemo("pZorvicRozn",
                                     {{"П000000000009=\"3662145780\" П000000000010=\"366201001\"",
                                       "П000000000009=\"0000000000\" П000000000010=\"000000000\""},
                                      {"ВидДеят=\"06\"", "ВидДеят=\"05\""}},
                                     "zorvic-schema-form11-zeros.xml", content);
    const auto problems = validateDeclaration(path.string(), "11");
    fs::remove(path);
    const int zeros = lineOf(content, "П000000000009=\"0000000000\"");
    EXPECT_EQ(findings(problems), (std::vector<Finding>{
                                      {zeros, "ЮЛ", "П000000000009"},
                                      {zeros, "ЮЛ", "П000000000010"},
                                      {lineOf(content, "ВидДеят=\"05\""), "Лицензия", "ВидДеят"},
                                  }))
        << described(problems);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].element, "/Файл/Справочники/Поставщики/ЮЛ");
    EXPECT_NE(problems[0].message.find("'0000000000'"), std::string::npos) << problems[0].message;
    EXPECT_NE(problems[2].message.find("{'06'}"), std::string::npos) << problems[2].message;
}

// Product kind 261 is no kind of form 12's.
TEST(DemoDeclarationSchemas, Form12RefusesAProductKindOfAnotherForm) {
    std::string content;
    const fs::path path = spoiltDemo("pZorvicRoznBeer", {{"П000000000003=\"500\"", "П000000000003=\"261\""}},
                                     "zorvic-schema-form12-kind.xml", content);
    const auto problems = validateDeclaration(path.string(), "12");
    fs::remove(path);
    EXPECT_EQ(findings(problems),
              (std::vector<Finding>{{lineOf(content, "П000000000003=\"261\""), "Оборот", "П000000000003"}}))
        << described(problems);
    for (const SchemaProblem& problem : problems) EXPECT_NE(problem.message.find("'261'"), std::string::npos);
}

// The references of form 08 are unsigned, its lists' ids signed: the values still meet. A
// consignment-note line runs over two lines; the parser places it where its start tag ends.
TEST(DemoDeclarationSchemas, Form08ReferencesMeetTheirListsAcrossIntegerTypes) {
    std::string content = readFile(demoFile("pZorvicTransport"));
    const std::string reference = host::W("ИдПолучателя=\"33\" П000000000020");
    ASSERT_NE(content.find(reference), std::string::npos);
    content.replace(content.find(reference), reference.size(), host::W("ИдПолучателя=\"99\" П000000000020"));
    const fs::path path = fs::temp_directory_path() / "zorvic-schema-form08-reference.xml";
    std::ofstream(path, std::ios::binary) << content;
    const auto problems = validateDeclaration(path.string(), "08");
    fs::remove(path);
    // The reference is the one problem.
    const auto found = findings(problems);
    ASSERT_EQ(found.size(), 1u) << described(problems);
    EXPECT_EQ(found[0], (Finding{lineOf(content, "ИдПолучателя=\"99\""), "СведТТН", "ИдПолучателя"})) << described(problems);
    EXPECT_NE(problems[0].message.find("['99']"), std::string::npos) << problems[0].message;
}

TEST(DemoDeclarationSchemas, TheFormIsTheOneTheFileDeclares) {
    for (const auto& [module, form] : {std::pair{"pZorvicRozn", "11"}, {"pZorvicRoznBeer", "12"}, {"pZorvicTransport", "08"},
                                       {"pZorvicBuy", "07"}, {"pZorvicDelivery", "06"}, {"pZorvicOborot", "05"}}) {
        const std::string path = demoFile(module).string();
        EXPECT_EQ(core::checks::declaredForm(path), std::optional<std::string>(form)) << module;
        EXPECT_EQ(validateDeclaration(path), validateDeclaration(path, form)) << module;
    }
}

TEST(DemoDeclarationSchemas, EachFormHasItsOwnSchema) {
    EXPECT_EQ(core::checks::schemaForms(), (std::vector<std::string_view>{"11", "12", "08", "07", "06", "05"}));
    // A file against another form's schema: form 06 lists counterparties where form 07 lists
    // suppliers, and before the producers.
    const auto problems = validateDeclaration(demoFile("pZorvicBuy").string(), "06");
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems.front().element, "/Файл/Справочники/Поставщики[1]") << described(problems);
    // And a form without one.
    const auto none = validateDeclaration(demoFile("pZorvicBuy").string(), "99");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].line, 0);
    EXPECT_NE(none[0].message.find("\"99\""), std::string::npos) << none[0].message;
}

// ---- Files spoilt by hand, from the demo's form 07 ----

class SpoiltDeclaration : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zorvic-schema-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        original_ = readFile(demoFile("pZorvicBuy"));
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The demo's file with the `nth` occurrence of `from` made `to` (both UTF-8), written out.
    std::string spoilt(std::string_view from, std::string_view to, int nth = 1) {
        content_ = original_;
        const std::string needle = host::W(from);
        std::size_t at = std::string::npos;
        for (int i = 0; i < nth; ++i) {
            at = content_.find(needle, at == std::string::npos ? 0 : at + 1);
            if (at == std::string::npos) {
                ADD_FAILURE() << "not in the file: " << from;
                return {};
            }
        }
        content_.replace(at, needle.size(), host::W(to));
        return written(content_);
    }

    std::string written(const std::string& content) {
        const fs::path path = dir_ / "declaration.xml";
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    // Exactly one problem, on the line where `where` stands in the spoilt file, about `element`
    // and `attribute`, said with its line.
    void expectOne(const std::string& path, std::string_view where, const std::string& element,
                   const std::string& attribute) {
        const auto problems = validateDeclaration(path, "07");
        const int line = lineOf(content_, where);
        ASSERT_GT(line, 0) << where;
        EXPECT_EQ(findings(problems), (std::vector<Finding>{{line, element, attribute}})) << described(problems);
        if (!problems.empty()) {
            EXPECT_TRUE(core::checks::describe(problems[0]).starts_with("строка " + std::to_string(line) + ", "))
                << core::checks::describe(problems[0]);
        }
    }

    fs::path dir_;
    std::string original_;
    std::string content_;
};

TEST_F(SpoiltDeclaration, TheUnspoiltCopyPasses) {
    content_ = original_;
    EXPECT_TRUE(validateDeclaration(written(content_), "07").empty());
}

// Form 07 lists its references before the form header, unlike forms 11, 12 and 08.
TEST_F(SpoiltDeclaration, ElementOutOfOrder) {
    const std::string header = host::W("<ФормаОтч  НомФорм=\"07\"  ПризПериодОтч=\"3\" ГодПериодОтч=\"2024\">\r\n"
                                       "<Первичная />\r\n</ФормаОтч>\r\n");
    content_ = original_;
    const std::size_t at = content_.find(header);
    ASSERT_NE(at, std::string::npos);
    content_.erase(at, header.size());
    content_.insert(content_.find(host::W("<Справочники>")), header);
    expectOne(written(content_), "<ФормаОтч", "ФормаОтч", "");
}

TEST_F(SpoiltDeclaration, RequiredAttributeMissing) {
    const std::string path = spoilt(" НаимПрог=\"VELTRA V.3\"", "");
    expectOne(path, "<Файл", "Файл", "НаимПрог");
    EXPECT_NE(validateDeclaration(path, "07")[0].message.find("required"), std::string::npos);
}

TEST_F(SpoiltDeclaration, BadDate) {
    const std::string path = spoilt("П000000000018=\"07.03.2024\"", "П000000000018=\"07.13.2024\"");
    expectOne(path, "П000000000018=\"07.13.2024\"", "Закупка", "П000000000018");
}

// Eight digits break both the length and the pattern: two problems, one place.
TEST_F(SpoiltDeclaration, KppOfEightDigits) {
    const std::string path = spoilt("КППЮЛ=\"366201001\"", "КППЮЛ=\"36620100\"");
    const int line = lineOf(content_, "КППЮЛ=\"36620100\"");
    const auto problems = validateDeclaration(path, "07");
    EXPECT_EQ(findings(problems), (std::vector<Finding>{{line, "Реквизиты", "КППЮЛ"}, {line, "Реквизиты", "КППЮЛ"}}))
        << described(problems);
    EXPECT_EQ(problems.at(0).element, "/Файл/Документ/Организация/Реквизиты");
}

TEST_F(SpoiltDeclaration, DecimalWithSixFractionDigits) {
    const std::string path = spoilt("П000000000021=\"12.6000000\"", "П000000000021=\"12.600001\"");
    expectOne(path, "П000000000021=\"12.600001\"", "Закупка", "П000000000021");
    EXPECT_NE(validateDeclaration(path, "07")[0].message.find("fractionDigits"), std::string::npos);
}

// The trailing zeros of the writer's seven decimals are no fraction digits.
TEST_F(SpoiltDeclaration, TrailingZerosAreNoFractionDigits) {
    EXPECT_TRUE(validateDeclaration(spoilt("П000000000021=\"12.6000000\"", "П000000000021=\"12.60000000000\""), "07").empty());
}

TEST_F(SpoiltDeclaration, ReferenceToNoListedId) {
    const std::string path = spoilt("ИдПоставщика=\"23\"", "ИдПоставщика=\"77\"");
    expectOne(path, "ИдПоставщика=\"77\"", "Поставщик", "ИдПоставщика");
    EXPECT_EQ(validateDeclaration(path, "07").at(0).element, "/Файл/Документ/ОбъемОборота[2]/Оборот[5]/СведПроизвИмпорт/Поставщик");
    expectOne(spoilt("ИдЛицензии=\"5\">", "ИдЛицензии=\"4\">"), "ИдЛицензии=\"4\">", "Поставщик", "ИдЛицензии");
    // After the addresses, whose lone CRs count as no lines.
    expectOne(spoilt("ИдПроизвИмп=\"21\">", "ИдПроизвИмп=\"22\">"), "ИдПроизвИмп=\"22\">", "СведПроизвИмпорт",
              "ИдПроизвИмп");
}

TEST_F(SpoiltDeclaration, DuplicatedId) {
    const std::string producer = host::W("<ПроизводителиИмпортеры  ИдПроизвИмп=\"23\"");
    content_ = original_;
    const std::size_t at = content_.find(producer);
    ASSERT_NE(at, std::string::npos);
    const std::size_t end = content_.find('\n', at) + 1;
    content_.insert(end, content_.substr(at, end - at));
    // The second listing is the one in the way.
    const auto problems = validateDeclaration(written(content_), "07");
    EXPECT_EQ(findings(problems),
              (std::vector<Finding>{{lineOf(content_, "ИдПроизвИмп=\"23\"", 2), "ПроизводителиИмпортеры", "ИдПроизвИмп"}}))
        << described(problems);
    EXPECT_NE(problems.at(0).message.find("Duplicate key-sequence ['23']"), std::string::npos) << problems[0].message;
    EXPECT_EQ(problems[0].element, "/Файл/Справочники/ПроизводителиИмпортеры[6]");
}

TEST_F(SpoiltDeclaration, LicenceIdListedTwice) {
    const std::string path = spoilt("ИдЛицензии=\"3\" П000000000011", "ИдЛицензии=\"2\" П000000000011");
    const auto problems = validateDeclaration(path, "07");
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(findings(problems)[0], (Finding{lineOf(content_, "ИдЛицензии=\"2\" П000000000011", 2), "Лицензия", "ИдЛицензии"}))
        << described(problems);
}

// A corrective declaration names its number, of at most three digits, where a primary one has none.
TEST_F(SpoiltDeclaration, CorrectiveNumber) {
    EXPECT_TRUE(validateDeclaration(spoilt("<Первичная />", "<Корректирующая НомерКорр=\"2\"/>"), "07").empty());
    expectOne(spoilt("<Первичная />", "<Корректирующая НомерКорр=\"1000\"/>"), "<Корректирующая", "Корректирующая",
              "НомерКорр");
    expectOne(spoilt("<Первичная />", "<Корректирующая/>"), "<Корректирующая", "Корректирующая", "НомерКорр");
}

TEST_F(SpoiltDeclaration, FileCutInHalf) {
    content_ = original_.substr(0, original_.size() / 2);
    const std::string path = written(content_);
    const auto problems = validateDeclaration(path, "07");
    ASSERT_FALSE(problems.empty());
    const int lastLine = lineOf(content_ + "\x01", "\x01");
    for (const SchemaProblem& problem : problems) {
        EXPECT_GT(problem.line, 0) << problem.message;
        EXPECT_LE(problem.line, lastLine) << problem.message;
    }
    EXPECT_NE(problems.back().message.find("Premature end of data"), std::string::npos) << described(problems);
    EXPECT_TRUE(core::checks::describe(problems[0]).starts_with("строка ")) << core::checks::describe(problems[0]);
    // Not read that far, the file declares its form all the same.
    EXPECT_EQ(core::checks::declaredForm(path), std::optional<std::string>("07"));
}

TEST_F(SpoiltDeclaration, NotXmlAtAll) {
    content_ = "PK\x03\x04 not a declaration";
    const auto problems = validateDeclaration(written(content_));
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].line, 1) << described(problems);
    EXPECT_EQ(core::checks::declaredForm(written(content_)), std::nullopt);
}

TEST_F(SpoiltDeclaration, MissingFile) {
    const std::string path = (dir_ / "absent.xml").string();
    for (const auto& problems : {validateDeclaration(path, "07"), validateDeclaration(path)}) {
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].line, 0);
        EXPECT_NE(problems[0].message.find(path), std::string::npos) << problems[0].message;
    }
    EXPECT_EQ(core::checks::declaredForm(path), std::nullopt);
    const auto directory = validateDeclaration(dir_.string(), "07");
    ASSERT_EQ(directory.size(), 1u);
    EXPECT_NE(directory[0].message.find("каталог"), std::string::npos) << directory[0].message;
}

// Without a form number there is no schema to choose.
TEST_F(SpoiltDeclaration, NoFormNumber) {
    const std::string path = spoilt("НомФорм=\"07\"", "");
    EXPECT_EQ(core::checks::declaredForm(path), std::nullopt);
    const auto problems = validateDeclaration(path);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].message.find("НомФорм"), std::string::npos) << problems[0].message;
}

}  // namespace
