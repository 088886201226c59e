// The declaration file around the forms' bodies: its name, the prolog, the form header, the
// organization block and its lookups, and what happens when the file cannot be made or a run
// fails half way.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <regex>

#include "core/declaration_file/body_frame.h"
#include "core/declaration_file/day_text.h"
#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/text_forming.h"
#include "core/declaration_frame.h"
#include "forms/buy/profile.h"
#include "forms/rozn/profile.h"
#include "forms/roznbeer/profile.h"
#include "forms/transport/profile.h"
#include "host/data/main_dm.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"
#include "test_support.h"

namespace {

using host::Variant;
using host::W;

TEST(DeclarationNumber, FixedDecimalsWithHalvesAwayFromZero) {
    EXPECT_EQ(core::declarationNumber(1.5, 3), "1.500");
    EXPECT_EQ(core::declarationNumber(0, 3), "0.000");
    EXPECT_EQ(core::declarationNumber(-2.25, 3), "-2.250");
    EXPECT_EQ(core::declarationNumber(0.125, 2), "0.13");
    EXPECT_EQ(core::declarationNumber(-0.125, 2), "-0.13");
    EXPECT_EQ(core::declarationNumber(10, 2), "10.00");
    EXPECT_EQ(core::declarationNumber(2.5, 0), "3");
    EXPECT_EQ(core::declarationNumber(-2.5, 0), "-3");
    EXPECT_EQ(core::declarationNumber(0.4, 0), "0");
    EXPECT_EQ(core::declarationNumber(-0.004, 2), "0.00") << "a value that rounds to zero has no sign";
    EXPECT_EQ(core::declarationNumber(-0.0, 3), "0.000");
    EXPECT_EQ(core::declarationNumber(1.005, 2), "1.00") << "1.005 is stored just below the half";
    EXPECT_EQ(core::declarationNumber(9.9999995, 7), "9.9999995");
    EXPECT_EQ(core::declarationNumber(99.995, 2), "100.00");
    EXPECT_EQ(core::declarationNumber(1234567.1234567, 7), "1234567.1234567");
    EXPECT_EQ(core::declarationNumber(123456789012.5, 0), "123456789013");
}

// The general way of forming a declaration number, which the numbers taken from the value's
// exact binary form must agree with: the value printed with thirty digits more than kept, and
// rounded up when the first digit dropped is 5 or more.
std::string printedNumber(double value, int decimals) {
    std::vector<char> buffer(400);
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals + 30, std::fabs(value));
    const std::string digits(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t point = digits.find('.');
    std::string kept = digits.substr(0, point) + digits.substr(point + 1, static_cast<std::size_t>(decimals));
    if (digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
        if (i == 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i - 1];
    }
    const std::size_t whole = kept.size() - static_cast<std::size_t>(decimals);
    std::string text = kept.substr(0, whole);
    if (decimals > 0) text += "." + kept.substr(whole);
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    return std::signbit(value) && !zero ? "-" + text : text;
}

TEST(DeclarationNumber, EveryValueGivesTheDigitsOfItsExactExpansionRoundedOnce) {
    std::mt19937_64 random(20240415);
    std::vector<double> values = {0.5, 1.5, 2.5, 0.125, 0.375, 1e-15, 1e-25, 5e-324, 1e15, 9007199254740993.0,
                                  1.8e19, 4.5e18, 123456789.987654321, 0.0049999999999999999, 0.015, 2.675};
    for (int i = 0; i < 5000; ++i) {
        // Any bit pattern of a finite value, halves of every size, and amounts as they are typed.
        const double bits = std::bit_cast<double>(random() & ~(std::uint64_t{1} << 62));
        values.push_back(bits);
        values.push_back(std::ldexp(static_cast<double>(random() % 1000000) + 0.5,
                                    static_cast<int>(random() % 40) - 30));
        values.push_back(static_cast<double>(random() % 100000000) / 1000.0);
    }
    for (double value : values) {
        for (int decimals = 0; decimals <= 10; ++decimals) {
            ASSERT_EQ(core::declarationNumber(value, decimals), printedNumber(value, decimals)) << value << " " << decimals;
            ASSERT_EQ(core::declarationNumber(-value, decimals), printedNumber(-value, decimals)) << -value;
        }
    }
}

// A row's date as the declaration writes it, once per day for a run of rows of one day.
TEST(DayText, EveryDayReadsAsTheHostFormatsIt) {
    core::DayText text;
    for (double days = -700000; days < 3000000; days += 997.25) {
        const Variant date(host::DateTime{days});
        ASSERT_EQ(text(date), host::formatDate(host::DateTime{days})) << days;
        ASSERT_EQ(text(Variant(host::DateTime{days + 0.2})), host::formatDate(host::DateTime{days})) << days;
    }
    EXPECT_EQ(text(Variant::null()), "30.12.1899");
    EXPECT_EQ(text(Variant(host::encodeDate(2024, 2, 29))), "29.02.2024");
    EXPECT_EQ(text(Variant(host::DateTime{host::encodeDate(2024, 2, 29).days + 0.999})), "29.02.2024");
    EXPECT_EQ(text(Variant(host::encodeDate(2024, 3, 1))), "01.03.2024");
    EXPECT_EQ(text(Variant(host::encodeDate(999, 12, 31))), host::formatDate(host::encodeDate(999, 12, 31)));
}

TEST(TextForming, QuotesAndCells) {
    EXPECT_EQ(core::DoubleQuotedStr("a\"b"), "\"a\"b\"");
    EXPECT_EQ(core::CellString("123", 9), "000000123");
    EXPECT_EQ(core::CellString("", 9), "000000000");
    EXPECT_EQ(core::CellString("1234567890123", 12), "123456789012");
    EXPECT_EQ(core::apostrophesReplaced("O'Neil's"), "O\"Neil\"s");
}

// Answers the organization lookups by their SQL text, and remembers what was asked.
class Lookups final : public host::HostDatabase {
public:
    std::map<std::string, std::vector<Variant>> answers;
    std::vector<std::string> asked;

    std::string sqlText(const std::string& key) override { throw host::HostDatabaseError("no key " + key); }
    std::optional<std::vector<Variant>> firstRow(const std::string& sql) override {
        asked.push_back(sql);
        const auto it = answers.find(sql);
        if (it == answers.end()) return std::nullopt;
        return it->second;
    }
    host::HostDataSet& sharedDataSet() override { throw host::HostDatabaseError("no dataset here"); }
};

const std::string kAddressSql =
    "select country_kod, post_index, region_kod, district_name,city_name,       nas_punkt, street_name, house, "
    "building, appartment  from GET_ADDRESS_KLADR(0,7)";

class DeclarationFile : public ::testing::Test, public host::ui::MessageService {
protected:
    void SetUp() override {
        host::ui::setMessageService(this);
        host::MainDM().attachDatabase(&lookups);
        host::MainDM().setWorkDirectory((scratch / "").string());
        host::MainDM().setToday(host::encodeDate(2010, 4, 15));
        std::filesystem::create_directories(scratch / "out");
        lookups.answers["select INN_CLIENTS from CLIENTS where ID_CLIENTS=7"] = {Variant("7701234567")};
        lookups.answers["select KPP from CLIENTS where ID_CLIENTS=7"] = {Variant("7701001")};
        lookups.answers["select iif(legal_name <> '', legal_name, name_clients) from CLIENTS where ID_CLIENTS=7"] = {
            Variant(W("ооо \"Ромашка & К\""))};
        lookups.answers["select TEL_CLIENTS from CLIENTS where ID_CLIENTS=7"] = {Variant(W("+7 (495) 123-45-67 доб. 890"))};
        lookups.answers[kAddressSql] = {Variant("643"), Variant("101000"), Variant("77"), Variant(""),
                                        Variant(W("Москва г")), Variant::null(), Variant(W("Тверская ул")),
                                        Variant("1"), Variant(""), Variant("5")};
    }
    void TearDown() override {
        host::MainDM().attachDatabase(nullptr);
        host::MainDM().setToday(std::nullopt);
        host::ui::setMessageService(nullptr);
    }
    void show(const std::string& text, const std::string& caption) override { shown.emplace_back(text, caption); }

    void licence(const char* asOf) {
        const std::string view = std::string(" from CLIENT_LIC_VIEW(7, '") + asOf + "')";
        lookups.answers["select LIC_REG_NUMBER" + view] = {Variant(W("  77рпа0001234\t"))};
        lookups.answers["select lic_sfera_kod" + view] = {Variant(6)};
        lookups.answers["select LIC_DATE" + view] = {Variant(host::encodeDate(2009, 1, 20))};
        lookups.answers["select LIC_GOODDATE" + view] = {Variant(host::encodeDate(2014, 1, 19))};
    }

    std::unique_ptr<core::DeclarationFrame> frame(const core::FormProfile& profile) {
        auto made = std::make_unique<core::DeclarationFrame>(profile);
        made->setReportName(std::string(profile.moduleName.substr(1)));
        made->chooseClient(7, "7");
        host::MemIniFile empty;
        made->ReadOptions(empty);
        auto& c = made->controls();
        c.seYear.setValue(2010);
        c.rgReportKind.setItemIndex(1);
        c.dePath.setText((scratch / "out").string());
        c.edRukFam.setText(W("Петров'а"));
        c.edRukName.setText(W("ёж"));
        made->SetTMPTablesDatabaseName();
        return made;
    }

    std::string write(core::DeclarationFrame& made) {
        made.MakeFile();
        EXPECT_FALSE(made.producedPath().empty());
        return zorvic_test::readFile(made.producedPath());
    }

    zorvic_test::ScratchDir scratch;
    Lookups lookups;
    std::vector<std::pair<std::string, std::string>> shown;
};

const std::string kAddressLine = W(
    "<КодСтраны>643</КодСтраны>\r<Индекс>101000</Индекс>\r<КодРегион>77</КодРегион>\r<Район></Район>\r"
    "<Город>Москва г</Город>\r<НаселПункт></НаселПункт>\r<Улица>Тверская ул</Улица>\r<Дом>1</Дом>\r"
    "<Корпус></Корпус>\r<Литера />\r<Кварт>5</Кварт>");

const std::string kPersons = W(
    "<ОтветЛицо>\r\n<Руководитель>\r\n<Фамилия>\"ПЕТРОВ&apos;А\"</Фамилия>\r\n<Имя>\"ЁЖ\"</Имя>\r\n"
    "<Отчество>\"\"</Отчество>\r\n</Руководитель>\r\n<Главбух>\r\n<Фамилия>\"\"</Фамилия>\r\n<Имя>\"\"</Имя>\r\n"
    "<Отчество>\"\"</Отчество>\r\n</Главбух>\r\n</ОтветЛицо>\r\n");

TEST_F(DeclarationFile, Form11ReadsByteForByte) {
    licence("31.03.2010");
    auto made = frame(forms::rozn::kProfile);
    const std::string file = write(*made);
    const std::string expected =
        W("<?xml version =\"1.0\" encoding =\"windows-1251\"?>\r\n"
          "<Файл ДатаДок=\"15.04.2010\" ВерсФорм=\"4.30\" НаимПрог=\"VELTRA V.3\">\r\n"
          "<ФормаОтч  НомФорм=\"11\"  ПризПериодОтч=\"3\" ГодПериодОтч=\"2010\">\r\n"
          "<Первичная />\r\n</ФормаОтч>\r\n<Документ>\r\n<Организация>\r\n"
          "<Реквизиты НаимЮЛ=\"ООО &quot;РОМАШКА &amp; К&quot;\" ИННЮЛ=\"7701234567\" КППЮЛ=\"007701001\" "
          "ТелОрг=\"+7 (495) 123-45-67 Д\" EmailОтпр=\"\">\r\n<АдрОрг>\r\n") +
        kAddressLine + W("\r\n</АдрОрг>\r\n</Реквизиты>\r\n") + kPersons +
        W("<Деятельность>\r\n<Лицензируемая>\r\n"
          "<Лицензия  ВидДеят=\"06\" СерНомЛиц=\"77РПА0001234\" ДатаНачЛиц=\"20.01.2009\" ДатаОконЛиц=\"19.01.2014\" />\r\n"
          "</Лицензируемая>\r\n</Деятельность>\r\n</Организация>\r\n</Документ>\r\n</Файл>\r\n");
    EXPECT_EQ(file, expected);

    const std::string name = std::filesystem::path(made->producedPath()).filename().string();
    EXPECT_TRUE(std::regex_match(name, std::regex("R1_7701234567_030_15042010_[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.xml")))
        << name;
    EXPECT_FALSE(std::filesystem::exists(made->producedPath() + ".part"));
}

TEST_F(DeclarationFile, CorrectionFourthQuarterAndAnOrganizationWithoutLicenceOrKpp) {
    lookups.answers.erase("select KPP from CLIENTS where ID_CLIENTS=7");
    auto made = frame(forms::buy::kProfile);
    made->controls().rgTypePeriod.setItemIndex(3);
    made->controls().cbVidDoc.setItemIndex(1);
    made->controls().seCorrNumber.setValue(2);
    const std::string file = write(*made);
    EXPECT_NE(file.find(W("<ФормаОтч  НомФорм=\"07\"  ПризПериодОтч=\"0\" ГодПериодОтч=\"2010\">\r\n"
                          "<Корректирующая НомерКорр=\"2\"/>\r\n</ФормаОтч>\r\n")),
              std::string::npos);
    EXPECT_NE(file.find(W("КППЮЛ=\"000000000\"")), std::string::npos);
    EXPECT_NE(file.find(W("<Лицензия  ВидДеят=\"-\" СерНомЛиц=\"-\" ДатаНачЛиц=\"00.00.0000\" "
                          "ДатаОконЛиц=\"00.00.0000\" />\r\n")),
              std::string::npos);
    // The licence view is asked for the quarter's last day.
    EXPECT_NE(std::find(lookups.asked.begin(), lookups.asked.end(),
                        "select LIC_REG_NUMBER from CLIENT_LIC_VIEW(7, '31.12.2010')"),
              lookups.asked.end());
    EXPECT_NE(made->producedPath().find("D7_7701234567_000_15042010_"), std::string::npos);
}

TEST_F(DeclarationFile, Form12AsksOnceAndNamesAnEntrepreneur) {
    const std::string combined =
        "select cl.inn_clients, cl.kpp, coalesce(ok.is_ip, 0)  from CLIENTS cl  left join OWNKIND ok on ok.id = "
        "cl.ownkind where cl.id_clients = 7";
    lookups.answers[combined] = {Variant("771234567890"), Variant::null(), Variant(1)};
    auto made = frame(forms::roznbeer::kProfile);
    const std::string file = write(*made);
    EXPECT_NE(file.find(W("<Реквизиты НаимОрг=\"ООО &quot;РОМАШКА &amp; К&quot;\" ТелОрг=\"+7 (495) 123-45-67 Д\" "
                          "EmailОтпр=\"\">\r\n")),
              std::string::npos);
    EXPECT_NE(file.find(W("</АдрОрг>\r\n<ФЛ ИННФЛ=\"771234567890\"/></Реквизиты>\r\n")), std::string::npos);
    EXPECT_NE(file.find(W("</ОтветЛицо>\r\n</Организация>\r\n")), std::string::npos) << "no licence block";
    EXPECT_EQ(std::count(lookups.asked.begin(), lookups.asked.end(), combined), 1);
    EXPECT_EQ(std::count_if(lookups.asked.begin(), lookups.asked.end(),
                            [](const std::string& sql) { return sql.find("INN_CLIENTS from") != std::string::npos; }),
              0);
    EXPECT_NE(made->producedPath().find("R2_771234567890_030_"), std::string::npos);

    lookups.answers[combined] = {Variant("7701234567"), Variant("770101001"), Variant(0)};
    const std::string legal = write(*frame(forms::roznbeer::kProfile));
    EXPECT_NE(legal.find(W("<ЮЛ ИННЮЛ=\"7701234567\" КППЮЛ=\"770101001\"/></Реквизиты>\r\n")), std::string::npos);
}

TEST_F(DeclarationFile, Form08KeepsTheKppAsItIsAndAddsTheLegalEntity) {
    licence("31.03.2010");
    const std::string file = write(*frame(forms::transport::kProfile));
    EXPECT_NE(file.find(W("</АдрОрг>\r\n<ЮЛ ИННЮЛ=\"7701234567\" КППЮЛ=\"7701001\"/>\r\n</Реквизиты>\r\n")),
              std::string::npos);
    EXPECT_NE(file.find(W("<ФормаОтч  НомФорм=\"08\"")), std::string::npos);
}

TEST_F(DeclarationFile, DirectoryDelimiterIsAddedOnlyWhenMissing) {
    licence("31.03.2010");
    for (const std::string& directory : {(scratch / "out").string(), (scratch / "out").string() + "/"}) {
        auto made = frame(forms::rozn::kProfile);
        made->controls().dePath.setText(directory);
        made->MakeFile();
        EXPECT_EQ(std::filesystem::path(made->producedPath()).parent_path(), scratch / "out");
    }
}

TEST_F(DeclarationFile, AFileThatCannotBeMadeIsReportedAndNothingIsWritten) {
    auto made = frame(forms::rozn::kProfile);
    made->controls().dePath.setText((scratch / "missing").string());
    try {
        made->MakeFile();
        ADD_FAILURE() << "a file that cannot be made went unreported";
    } catch (const core::DeclarationFileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(W("Не удалось создать файл ") + "\r" + (scratch / "missing").string() +
                                                      "/R1_",
                                                  0),
                  0u)
            << host::cp1251ToUtf8(error.what());
    }
    EXPECT_TRUE(made->producedPath().empty());
    EXPECT_TRUE(shown.empty()) << "an error like any other, not a message box";
}

// A frame whose collection only counts that it ran.
class CountingFrame final : public core::DeclarationFrame {
public:
    explicit CountingFrame(const core::FormProfile& profile) : DeclarationFrame(profile) {}
    int collections = 0;
    void FillDataTable() override { ++collections; }
};

std::unique_ptr<CountingFrame> counting(const core::FormProfile& profile, const std::filesystem::path& out) {
    auto made = std::make_unique<CountingFrame>(profile);
    made->setReportName(std::string(profile.moduleName.substr(1)));
    made->chooseClient(7, "7");
    host::MemIniFile empty;
    made->ReadOptions(empty);
    made->sqlClearTables.clear();
    made->controls().seYear.setValue(2010);
    made->controls().rgReportKind.setItemIndex(1);
    made->controls().dePath.setText(out.string());
    made->SetTMPTablesDatabaseName();
    return made;
}

TEST_F(DeclarationFile, WhatWouldStopTheFileIsFoundBeforeTheCollection) {
    licence("31.03.2010");
    const std::string name = "select iif(legal_name <> '', legal_name, name_clients) from CLIENTS where ID_CLIENTS=7";
    lookups.answers[name] = {Variant(W("Вектор"))};
    const std::vector<std::string> unfit = {"77/../../etc", "7701\\x", "77\n01", "77\x7f"};
    for (const std::string& inn : unfit) {
        lookups.answers["select INN_CLIENTS from CLIENTS where ID_CLIENTS=7"] = {Variant(inn)};
        auto made = counting(forms::buy::kProfile, scratch / "out");
        try {
            made->bbtnGenerateClick(nullptr);
            ADD_FAILURE() << "an INN of " << inn << " went into a file name";
        } catch (const std::runtime_error& error) {
            const std::string message = host::cp1251ToUtf8(error.what());
            EXPECT_NE(message.find("Вектор"), std::string::npos) << message;
            EXPECT_NE(message.find("ID_CLIENTS 7"), std::string::npos) << message;
            EXPECT_NE(message.find(inn.substr(0, 2)), std::string::npos) << message;
        }
        EXPECT_EQ(made->collections, 0);
    }
    EXPECT_TRUE(std::filesystem::is_empty(scratch / "out"));
    EXPECT_FALSE(std::filesystem::exists(scratch / "etc"));

    // An empty INN keeps the name the frame's rules give it; the checks before filing flag it.
    lookups.answers["select INN_CLIENTS from CLIENTS where ID_CLIENTS=7"] = {Variant("")};
    auto empty = counting(forms::buy::kProfile, scratch / "out");
    empty->bbtnGenerateClick(nullptr);
    EXPECT_EQ(empty->collections, 1);
    ASSERT_FALSE(empty->producedPath().empty());
    EXPECT_EQ(std::filesystem::path(empty->producedPath()).filename().string().rfind("D7__03", 0), 0u);

    // A directory that cannot take the file is said as the file's creation says it, before
    // anything is collected; the print form does not need it.
    lookups.answers["select INN_CLIENTS from CLIENTS where ID_CLIENTS=7"] = {Variant("7701234567")};
    auto missing = counting(forms::buy::kProfile, scratch / "missing");
    try {
        missing->bbtnGenerateClick(nullptr);
        ADD_FAILURE() << "a directory that cannot take the file went unnoticed";
    } catch (const core::DeclarationFileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(W("Не удалось создать файл ") + "\r" + (scratch / "missing").string() +
                                                      "/D7_",
                                                  0),
                  0u);
    }
    EXPECT_EQ(missing->collections, 0);
    missing->controls().rgReportKind.setItemIndex(0);
    EXPECT_NO_THROW(missing->checkBeforeCollection());
}

TEST_F(DeclarationFile, AStopRequestEndsTheWritingAndLeavesNothing) {
    licence("31.03.2010");
    auto made = frame(forms::rozn::kProfile);
    host::requestStop(SIGTERM);
    try {
        made->MakeFile();
        ADD_FAILURE() << "the stop request was not noticed";
    } catch (const host::StopRequested& stop) {
        EXPECT_EQ(stop.signal(), SIGTERM);
    }
    host::clearStopRequest();
    EXPECT_TRUE(made->producedPath().empty());
    EXPECT_TRUE(std::filesystem::is_empty(scratch / "out"));
}

// A body that fails half way through the data section.
class FailingFrame final : public core::DeclarationFrame {
public:
    FailingFrame() : DeclarationFrame(forms::rozn::kProfile) {}
    bool closed = false;

protected:
    void closeBodySources() noexcept override { closed = true; }
    void writeDataSection(core::DeclarationWriter& out, const FileContext&) override {
        out.line("<half/>");
        throw std::runtime_error("the table went away");
    }
};

TEST_F(DeclarationFile, ARunThatFailsLeavesNothingBehind) {
    licence("31.03.2010");
    FailingFrame made;
    made.setReportName("ZorvicRozn");
    made.chooseClient(7, "7");
    host::MemIniFile empty;
    made.ReadOptions(empty);
    made.controls().dePath.setText((scratch / "out").string());
    EXPECT_THROW(made.MakeFile(), std::runtime_error);
    EXPECT_TRUE(made.closed) << "the body's sources are closed on the way out";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(scratch / "out")) files.push_back(entry.path());
    EXPECT_TRUE(files.empty()) << "left behind: " << files[0];
}

// A dataset of a body's sources that notes what is done to it, holding its rows or streaming
// them, and fails to open when told to.
class NotingSource final : public host::LocalDataSet {
public:
    NotingSource(std::string name, bool holdsRows, std::vector<std::string>& log, bool failsToOpen = false)
        : LocalDataSet(std::move(name), !holdsRows), log_(log), failsToOpen_(failsToOpen) {}

    void open() override {
        log_.push_back("open " + name());
        if (failsToOpen_) throw std::runtime_error("cannot open " + name());
    }
    void close() override { log_.push_back("close " + name()); }

protected:
    std::string readSql() const override { return {}; }
    std::vector<std::string> readTables() const override { return {}; }

private:
    std::vector<std::string>& log_;
    bool failsToOpen_;
};

// A body whose sources are two lists that hold their rows and a dataset that streams.
class ListingFrame final : public core::BodyFrame {
public:
    explicit ListingFrame(bool secondListFails)
        : BodyFrame(forms::rozn::kProfile), second_("second", true, log, secondListFails) {}
    std::vector<std::string> log;

protected:
    Sources bodySources() override { return {{}, {&streaming_, &first_, &second_}}; }

private:
    NotingSource streaming_{"streaming", false, log};
    NotingSource first_{"first", true, log};
    NotingSource second_;
};

// The lists that hold their rows open beside the walks' surveys, the streaming datasets after
// them; a list that cannot open ends the run with nothing left open and no file.
TEST_F(DeclarationFile, TheListsOpenFirstAndAFailingOneLeavesNothingOpen) {
    licence("31.03.2010");
    auto setUp = [this](ListingFrame& made) {
        made.setReportName("ZorvicRozn");
        made.chooseClient(7, "7");
        host::MemIniFile empty;
        made.ReadOptions(empty);
        made.controls().dePath.setText((scratch / "out").string());
    };
    ListingFrame listing(false);
    setUp(listing);
    listing.MakeFile();
    EXPECT_FALSE(listing.producedPath().empty());
    using Log = std::vector<std::string>;
    EXPECT_EQ(listing.log, (Log{"open first", "open second", "open streaming", "close streaming", "close second",
                                "close first"}));
    std::filesystem::remove(listing.producedPath());

    ListingFrame failing(true);
    setUp(failing);
    EXPECT_THROW(failing.MakeFile(), std::runtime_error);
    EXPECT_EQ(failing.log, (Log{"open first", "open second", "close second", "close first"}));
    EXPECT_TRUE(std::filesystem::is_empty(scratch / "out"));
}

TEST_F(DeclarationFile, AnAddressThatIsNotThereEndsTheRun) {
    lookups.answers.erase(kAddressSql);
    auto made = frame(forms::rozn::kProfile);
    EXPECT_THROW(made->MakeFile(), std::runtime_error);
    EXPECT_TRUE(made->producedPath().empty());
}

TEST(DeclarationWriter, AWriteErrorIsReportedAndNothingGetsTheDeclarationsName) {
    zorvic_test::ScratchDir scratch;
    const std::string path = (scratch / "d.xml").string();
    const pid_t child = fork();
    if (child == 0) {
        // A file system that takes no more than a few bytes.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            core::DeclarationWriter out(path);
            out.line(std::string(5000, 'x'));
            out.commit();
        } catch (const std::runtime_error&) {
            _exit(3);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 3) << "the write error went unnoticed";
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part")) << "a handled failure leaves no part behind";
}

}  // namespace
