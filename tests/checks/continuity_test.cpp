// Reading a declaration's balances back, the quarter before, and the comparison of a quarter's
// opening balances with the last quarter's closing ones, on small files written by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/checks/continuity_checks.h"
#include "core/checks/declaration_balances.h"
#include "host/text/cp1251.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace core::checks;
using host::W;

// A declaration as this program writes it, the header and body given in UTF-8 and stored in
// windows-1251.
fs::path declaration(const zorvic_test::ScratchDir& dir, const std::string& name, const std::string& form,
                     const std::string& period, const std::string& year, const std::string& inside) {
    const fs::path path = dir / name;
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version =\"1.0\" encoding =\"windows-1251\"?>\n"
        << host::utf8ToCp1251("<Файл ДатаДок=\"15.04.2024\" ВерсФорм=\"4.30\" НаимПрог=\"VELTRA V.3\">\n"
                              "<ФормаОтч  НомФорм=\"" + form + "\"  ПризПериодОтч=\"" + period + "\" ГодПериодОтч=\"" +
                              year + "\">\n<Первичная />\n</ФормаОтч>\n" + inside + "</Файл>\n");
    return path;
}

// Form 11: a producer with numbers on its reference element, two goods lines of one producer.
const std::string kForm11 =
    "<Справочники>\n"
    "<ПроизводителиИмпортеры  ИДПроизвИмп=\"10\" П000000000004=\"АО «Напитки»\" П000000000005=\"3661022337\" "
    "П000000000006=\"366101001\"/>\n"
    "<Поставщики ИдПостав=\"1\" П000000000007=\"Опт\"><ЮЛ П000000000009=\"3662145780\" П000000000010=\"366201001\"/>\n"
    "</Поставщики>\n</Справочники>\n<Документ>\n"
    "<ОбъемОборота НаимЮЛ=\"МАГАЗИН № 3\" КППЮЛ=\"366343002\" НаличиеОборота=\"true\">\n"
    "<Оборот ПN=\"1\" П000000000003=\"200\">\n<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"10\">\n"
    "<Движение ПN=\"1\" П100000000006=\"2.40000\" П100000000020=\"5.20000\"/>\n"
    "<Движение ПN=\"1\" П100000000006=\"1.00000\" П100000000020=\"0.30000\"/>\n"
    "</СведПроизвИмпорт>\n</Оборот>\n</ОбъемОборота>\n</Документ>\n";

// Form 12: a producer without KPP (an entrepreneur) and one with, each in its own element.
const std::string kForm12 =
    "<Справочники>\n"
    "<ПроизводителиИмпортеры  ИДПроизвИмп=\"13\" П000000000004=\"Сидоров А.В.\">\n<ФЛ П000000000005=\"366200451858\"/>\n"
    "</ПроизводителиИмпортеры><ПроизводителиИмпортеры  ИДПроизвИмп=\"22\" П000000000004=\"Пивоварня\">\n"
    "<ЮЛ П000000000005=\"4824007192\" П000000000006=\"482401001\"/>\n</ПроизводителиИмпортеры>"
    "<Поставщики ИдПостав=\"12\" П000000000007=\"Пивной двор\"><ЮЛ П000000000009=\"3666128908\" "
    "П000000000010=\"366601001\"/>\n</Поставщики>\n</Справочники>\n<Документ>\n"
    "<Организация>\n<Реквизиты НаимОрг=\"ИП\">\n<ФЛ ИННФЛ=\"366200451858\"/></Реквизиты>\n</Организация>\n"
    "<ОбъемОборота НаимЮЛ=\"МАГАЗИН\" КППЮЛ=\"366343002\" НаличиеОборота=\"true\">\n"
    "<Оборот ПN=\"1\" П000000000003=\"500\">\n"
    "<СведПроизвИмпорт ПN=\"1\" ИдПроизвИмп=\"13\">\n<Движение ПN=\"1\" П100000000006=\"0.00000\" "
    "П100000000018=\"10.00000\"/>\n</СведПроизвИмпорт>\n"
    "<СведПроизвИмпорт ПN=\"2\" ИдПроизвИмп=\"22\">\n<Движение ПN=\"1\" П100000000006=\"6.00000\" "
    "П100000000018=\"11.50000\"/>\n</СведПроизвИмпорт>\n</Оборот>\n</ОбъемОборота>\n</Документ>\n";

// Form 05: the producers' requisites and figures on one element, two subdivisions.
std::string form05(const std::string& closing) {
    return "<Документ>\n<Организация>\n<Реквизиты НаимЮЛ=\"ООО «ОПТ»\" ИННЮЛ=\"3662145780\" "
           "КППЮЛ=\"366201001\"/>\n</Организация>\n"
           "<ОбъемОборота НаимЮЛ=\"ООО «ОПТ»\" КППЮЛ=\"366201001\" НаличиеОборота=\"true\">\n"
           "<Оборот ПN=\"1\" П000000000003=\"200\">\n<СведПроизвИмпорт ПN=\"1\" П000000000004=\"АО «Напитки»\" "
           "П000000000005=\"3661022337\" П000000000006=\"366101001\" П000000000007=\"0.0000000\" П000000000024=\"" +
           closing + "\"/>\n</Оборот>\n</ОбъемОборота>\n"
           "<ОбъемОборота НаимЮЛ=\"СКЛАД\" КППЮЛ=\"366343001\" НаличиеОборота=\"true\">\n"
           "<Оборот ПN=\"1\" П000000000003=\"200\">\n<СведПроизвИмпорт ПN=\"1\" П000000000004=\"АО «Напитки»\" "
           "П000000000005=\"3661022337\" П000000000006=\"366101001\" П000000000007=\"25.8000000\" "
           "П000000000024=\"40.7750000\"/>\n</Оборот>\n</ОбъемОборота>\n</Документ>\n";
}

const BalanceLine* only(const DeclarationBalances& balances, const std::string& subdivision, const std::string& inn) {
    const BalanceLine* found = nullptr;
    for (const auto& [key, line] : balances.lines)
        if (line.subdivisionName == W(subdivision) && line.producer.inn == inn) {
            if (found) return nullptr;
            found = &line;
        }
    return found;
}

TEST(DeclarationBalances, EachFormsBalancesAreReadByTheirProducerAndSummedOverItsLines) {
    const zorvic_test::ScratchDir dir;
    const DeclarationBalances retail = readDeclarationBalances(declaration(dir, "r1.xml", "11", "6", "2024", kForm11));
    EXPECT_EQ(retail.form, "11");
    EXPECT_EQ(retail.quarter, (Quarter{2024, 1}));
    EXPECT_EQ(retail.decimals, 5);
    ASSERT_EQ(retail.lines.size(), 1u);
    const BalanceLine& line = retail.lines.begin()->second;
    EXPECT_EQ(line.subdivisionName, W("МАГАЗИН № 3"));
    EXPECT_EQ(line.subdivisionKpp, "366343002");
    EXPECT_EQ(line.kind, "200");
    EXPECT_EQ(line.producer.name, W("АО «Напитки»"));
    EXPECT_EQ(line.producer.kpp, "366101001");
    // Goods detail gives a producer several lines: the balances are their sums.
    EXPECT_DOUBLE_EQ(line.opening, 3.4);
    EXPECT_DOUBLE_EQ(line.closing, 5.5);

    const DeclarationBalances beer = readDeclarationBalances(declaration(dir, "r2.xml", "12", "0", "2023", kForm12));
    EXPECT_EQ(beer.quarter, (Quarter{2023, 3}));
    EXPECT_EQ(beer.organizationInn, "366200451858");
    ASSERT_EQ(beer.lines.size(), 2u);
    const BalanceLine* person = only(beer, "МАГАЗИН", "366200451858");
    ASSERT_NE(person, nullptr);
    EXPECT_EQ(person->producer.kpp, "");
    EXPECT_DOUBLE_EQ(person->closing, 10);
    const BalanceLine* entity = only(beer, "МАГАЗИН", "4824007192");
    ASSERT_NE(entity, nullptr);
    // The supplier's numbers after the producers are not the producer's.
    EXPECT_EQ(entity->producer.kpp, "482401001");
    EXPECT_DOUBLE_EQ(entity->opening, 6);

    const DeclarationBalances wholesale =
        readDeclarationBalances(declaration(dir, "d5.xml", "05", "3", "2024", form05("1.2000000")));
    EXPECT_EQ(wholesale.decimals, 7);
    EXPECT_EQ(wholesale.organizationInn, "3662145780");
    ASSERT_EQ(wholesale.lines.size(), 2u);
    ASSERT_NE(only(wholesale, "СКЛАД", "3661022337"), nullptr);
    EXPECT_DOUBLE_EQ(only(wholesale, "СКЛАД", "3661022337")->closing, 40.775);
    EXPECT_DOUBLE_EQ(only(wholesale, "ООО «ОПТ»", "3661022337")->closing, 1.2);
}

TEST(DeclarationBalances, TheQuarterBeforeTheFirstIsTheLastOfTheYearBefore) {
    EXPECT_EQ(quarterBefore({2024, 0}), (Quarter{2023, 3}));
    EXPECT_EQ(quarterBefore({2024, 1}), (Quarter{2024, 0}));
    EXPECT_EQ(quarterBefore({2024, 3}), (Quarter{2024, 2}));
    // An item past the four counts as the fourth quarter, as the period choice takes it.
    EXPECT_EQ(quarterBefore({2024, 7}), (Quarter{2024, 2}));
    EXPECT_EQ(quarterText({2023, 3}), W("4 квартал 2023 года"));
}

// The file's complaint, in UTF-8 for the test to read.
std::string refusal(const std::string& path, std::string_view form, Quarter quarter) {
    try {
        readPreviousDeclaration(path, form, quarter);
    } catch (const BalanceFileError& e) {
        return host::cp1251ToUtf8(e.what());
    }
    return "accepted";
}

TEST(DeclarationBalances, APreviousFileOfAnotherFormOrQuarterOrNoDeclarationIsRefusedSayingWhy) {
    const zorvic_test::ScratchDir dir;
    const std::string q1 = declaration(dir, "q1.xml", "05", "3", "2024", form05("1.2")).string();
    EXPECT_EQ(refusal(q1, "05", {2024, 1}), "accepted");
    EXPECT_EQ(refusal(q1, "11", {2024, 1}), "это декларация по форме 05, а проверяется форма 11");
    EXPECT_EQ(refusal(q1, "05", {2024, 2}),
              "это декларация за 1 квартал 2024 года, а нужна за предыдущий квартал, 2 квартал 2024 года");
    const std::string purchases = declaration(dir, "d7.xml", "07", "3", "2024", "<Документ/>\n").string();
    EXPECT_EQ(refusal(purchases, "07", {2024, 1}), "в декларации по форме 07 нет остатков");
    // A producer the reference block does not list: no file of this program's.
    const std::string unknownProducer =
        declaration(dir, "mv.xml", "11", "3", "2024",
                    "<Документ>\n<ОбъемОборота НаимЮЛ=\"М\" КППЮЛ=\"366343002\">\n<Оборот П000000000003=\"200\">\n"
                    "<СведПроизвИмпорт ИдПроизвИмп=\"10\"/>\n</Оборот>\n</ОбъемОборота>\n</Документ>\n")
            .string();
    EXPECT_NE(refusal(unknownProducer, "11", {2024, 1}).find("не найден в справочнике"), std::string::npos);
    // Made with "Не выгружать остатки": figures without the balances.
    const std::string noBalances = declaration(dir, "nb.xml", "11", "3", "2024",
                                               kForm11.substr(0, kForm11.find("<Движение")) +
                                                   "<Движение ПN=\"1\" П100000000007=\"1.00000\"/>\n"
                                                   "</СведПроизвИмпорт>\n</Оборот>\n</ОбъемОборота>\n</Документ>\n")
                                       .string();
    EXPECT_NE(refusal(noBalances, "11", {2024, 1}).find("Не выгружать остатки"), std::string::npos);

    const fs::path text = dir / "notes.txt";
    std::ofstream(text) << "остатки на 31.03\n";
    EXPECT_NE(refusal(text.string(), "05", {2024, 1}).find("файл не прочитан как XML, строка 1"), std::string::npos);
    const fs::path other = dir / "other.xml";
    std::ofstream(other) << "<?xml version=\"1.0\"?>\n<options><a/></options>\n";
    EXPECT_EQ(refusal(other.string(), "05", {2024, 1}), "это не файл декларации: корневой элемент options, а не Файл");
    std::ofstream(dir / "empty-root.xml") << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Файл><Документ/></Файл>\n";
    EXPECT_EQ(refusal((dir / "empty-root.xml").string(), "05", {2024, 1}),
              "это не файл декларации: документ без заголовка формы");
    EXPECT_EQ(refusal((dir / "missing.xml").string(), "05", {2024, 1}), "файла нет");
    EXPECT_EQ(refusal((dir / "").string(), "05", {2024, 1}), "это каталог, а не файл");
    const std::string badPeriod = declaration(dir, "p.xml", "05", "4", "2024", form05("1")).string();
    EXPECT_NE(refusal(badPeriod, "05", {2024, 1}).find("не квартал и год"), std::string::npos);
    const std::string badFigure = declaration(dir, "f.xml", "05", "3", "2024", form05("1,2")).string();
    EXPECT_EQ(refusal(badFigure, "05", {2024, 1}), "остаток на конец \"1,2\" не число");
}

// Two quarters of one subdivision and kind: producer -> (opening now, closing then); a negative
// figure leaves the side without that producer.
struct Figures {
    std::string inn;
    double now;
    double then;
};

std::vector<Finding> compare(const std::vector<Figures>& figures, int decimals = 5,
                             const std::string& previousInn = "3665099122") {
    DeclarationBalances current, previous;
    previous.quarter = {2024, 0};
    current.organizationInn = "3665099122";
    previous.organizationInn = previousInn;
    for (const Figures& f : figures) {
        BalanceLine line{W("МАГАЗИН"), "366343002", "200", {W("Завод ") + f.inn, f.inn, ""}, 0, 0};
        if (f.inn.empty()) line.producer.name = W("Завод без номеров");
        if (f.now >= 0) {
            line.opening = f.now;
            current.lines[balanceKey(line)] = line;
        }
        if (f.then >= 0) {
            line.opening = 0;
            line.closing = f.then;
            previous.lines[balanceKey(line)] = line;
        }
    }
    Findings findings;
    compareBalances(findings, current, previous, decimals, [](const BalanceLine&) { return W("Магазин"); });
    return findings.items();
}

TEST(Continuity, OpeningsAreComparedWithLastQuartersClosingsAsPrinted) {
    // Equal as printed: a difference below the last decimal is none.
    EXPECT_TRUE(compare({{"1", 2.4, 2.4}, {"2", 1.000004, 1.0}, {"3", 0, -1}, {"4", -1, 0.000001}}).empty());
    // Another precision prints the same figures apart.
    EXPECT_EQ(compare({{"2", 1.000004, 1.0}}, 6).size(), 1u);

    const std::vector<Finding> differ = compare({{"1", 2.4, 2.1}});
    ASSERT_EQ(differ.size(), 1u);
    const Finding& finding = differ[0];
    EXPECT_EQ(finding.severity, Severity::Warning);
    EXPECT_EQ(finding.rule, "continuity");
    EXPECT_EQ(finding.where.subdivision, W("Магазин"));
    EXPECT_EQ(finding.where.subject.inn, "1");
    EXPECT_EQ(finding.where.place, W("остаток на начало: код 200"));
    EXPECT_EQ(host::cp1251ToUtf8(finding.message),
              "Остаток на начало квартала 2.40000 не равен остатку на конец предыдущего квартала (1 квартал 2024 "
              "года) 2.10000.");
    EXPECT_FALSE(finding.fix.empty());
}

TEST(Continuity, ALineOnOneSideOnlyCountsAsZeroOnTheOtherAndSaysWhichSideLacksIt) {
    const std::vector<Finding> findings = compare({{"1", 3, -1}, {"2", -1, 4.5}, {"", 1, 2}});
    ASSERT_EQ(findings.size(), 3u);
    std::map<std::string, std::string> byInn;
    for (const Finding& finding : findings) byInn[finding.where.subject.inn] = host::cp1251ToUtf8(finding.message);
    EXPECT_NE(byInn["1"].find("Остаток на начало квартала 3.00000, а в декларации за предыдущий квартал"),
              std::string::npos)
        << byInn["1"];
    EXPECT_NE(byInn["1"].find("нет: остаток на конец там нулевой"), std::string::npos);
    EXPECT_NE(byInn["2"].find("(1 квартал 2024 года) 4.50000, а в этой декларации"), std::string::npos) << byInn["2"];
    // A producer without numbers is matched by its name.
    EXPECT_NE(byInn[""].find("1.00000 не равен"), std::string::npos) << byInn[""];

    // Another organization's declaration: said once, its lines not compared.
    const std::vector<Finding> another = compare({{"1", 3, -1}, {"2", -1, 4.5}}, 5, "3662145780");
    ASSERT_EQ(another.size(), 1u);
    EXPECT_EQ(host::cp1251ToUtf8(another[0].message),
              "Декларация за предыдущий квартал (1 квартал 2024 года) — другой организации, ИНН 3662145780, а эта — "
              "ИНН 3665099122: остатки не сверялись.");
}

}  // namespace
