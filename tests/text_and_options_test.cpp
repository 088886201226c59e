// The borders of the plug-ins' windows-1251 world: code page conversion and upper-casing, the
// options file, and the calendar arithmetic the reporting period rests on.
#include <gtest/gtest.h>
#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cstdint>
#include <optional>

#include "host/calendar/date_time.h"
#include "host/options/mem_ini_file.h"
#include "host/text/cp1251.h"
#include "test_support.h"

namespace {

using host::W;

// glibc's own converter is the reference the code page table must agree with.
std::optional<std::string> iconvConvert(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input = in;
    std::string out(in.size() * 4 + 8, '\0');
    char* src = input.data();
    char* dst = out.data();
    size_t srcLeft = input.size(), dstLeft = out.size();
    const size_t done = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
}

TEST(Cp1251Test, EveryDefinedByteRoundTripsAsIconvConvertsIt) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue;  // no character in the code page
        const std::string one(1, static_cast<char>(b));
        all += one;
        const auto reference = iconvConvert("UTF-8", "WINDOWS-1251", one);
        ASSERT_TRUE(reference) << "byte " << b;
        EXPECT_EQ(host::cp1251ToUtf8(one), *reference) << "byte " << b;
        EXPECT_EQ(host::utf8ToCp1251(*reference), one) << "byte " << b;
    }
    EXPECT_EQ(host::utf8ToCp1251(host::cp1251ToUtf8(all)), all);
}

TEST(Cp1251Test, CharacterTheCodePageCannotHoldIsRefusedNamingItsOwner) {
    for (const char* text : {"Müller", "Иван 日本", "€ ok but ✓ not"}) {
        try {
            host::utf8ToCp1251(text, "edRukFam");
            ADD_FAILURE() << text << " was accepted";
        } catch (const host::EncodingError& e) {
            EXPECT_NE(std::string(e.what()).find("edRukFam"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(host::utf8ToCp1251("\xD0", "edRukFam"), host::EncodingError);
}

TEST(Cp1251Test, OverlongUtf8IsMalformedNotAnotherWayToWriteAscii) {
    // Taken as ASCII they would smuggle a NUL into an edit or a '/' into a directory.
    EXPECT_THROW(host::utf8ToCp1251(std::string("a\xC0\x80", 3), "edRukFam"), host::EncodingError);
    EXPECT_THROW(host::utf8ToCp1251("\xE0\x80\xAF", "dePath"), host::EncodingError);
}

TEST(Cp1251Test, UpperCasingFollowsTheUnicodeLetterPairsTheCodePageHolds) {
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    ASSERT_NE(utf8, nullptr);
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue;
        const std::string one(1, static_cast<char>(b));
        const auto wide = iconvConvert("UTF-32LE", "WINDOWS-1251", one);
        ASSERT_TRUE(wide && wide->size() == 4);
        std::uint32_t cp = 0;
        for (int i = 3; i >= 0; --i) cp = cp << 8 | static_cast<unsigned char>((*wide)[i]);
        const std::uint32_t upper = towupper_l(cp, utf8);
        std::string upperUtf32(4, '\0');
        for (int i = 0; i < 4; ++i) upperUtf32[i] = static_cast<char>(upper >> (8 * i));
        // An upper case the code page lacks (µ has only a Greek capital) leaves the byte alone.
        const auto expected = iconvConvert("WINDOWS-1251", "UTF-32LE", upperUtf32).value_or(one);
        EXPECT_EQ(host::upperCp1251(one[0]), expected[0]) << "byte " << b;
    }
    freelocale(utf8);
    EXPECT_EQ(host::upperCp1251(W("ёлка, їжак, ґанок, ўсё; Zorvic-2012 №5")),
              W("ЁЛКА, ЇЖАК, ҐАНОК, ЎСЁ; ZORVIC-2012 №5"));
}

class MemIniFileTest : public ::testing::Test {
protected:
    zorvic_test::ScratchDir dir;
    host::MemIniFile ini;
};

TEST_F(MemIniFileTest, SavedTextKeepsKeyOrderWritesBooleansAsDigitsAndCyrillicAsUtf8) {
    ini.writeInteger("ZorvicBuy", "seYear", 2014);
    ini.writeBool("ZorvicBuy", "cbSuperplace", true);
    ini.writeString("ZorvicBuy", "edRukFam", W("Ёлкин"));
    ini.writeBool("ZorvicBuy", "cbOnlyMove", false);
    ini.writeInteger("ZorvicBuy", "rgTypePeriod", 3);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"seYear", "2014"}, {"cbSuperplace", "1"}, {"edRukFam", "Ёлкин"}, {"cbOnlyMove", "0"}, {"rgTypePeriod", "3"}};
    EXPECT_EQ(zorvic_test::sectionEntries(ini.toText(), "ZorvicBuy"), expected);
}

TEST_F(MemIniFileTest, ValuesAreFoundWithoutRegardToCaseAndBadOnesGiveTheFallback) {
    ini.loadFromText(
        "[ZorvicRozn]\nOne=1\nZero=0\nYes=true\nNo=false\nJunk=maybe\nYear=20x2\nMinus=-7\n[COMMON]\n"
        "AlkoClientSelection=True\n");
    EXPECT_TRUE(ini.readBool("zorvicrozn", "ONE", false));
    EXPECT_FALSE(ini.readBool("ZorvicRozn", "zero", true));
    EXPECT_TRUE(ini.readBool("ZorvicRozn", "yes", false));
    EXPECT_FALSE(ini.readBool("ZorvicRozn", "No", true));
    EXPECT_TRUE(ini.readBool("ZorvicRozn", "Junk", true));
    EXPECT_FALSE(ini.readBool("ZorvicRozn", "Junk", false));
    EXPECT_TRUE(ini.readBool("Common", "alkoclientselection", false));
    EXPECT_EQ(ini.readInteger("ZorvicRozn", "Year", 2012), 2012);
    EXPECT_EQ(ini.readInteger("ZorvicRozn", "minus", 0), -7);
    EXPECT_EQ(ini.readInteger("ZorvicRozn", "Absent", 5), 5);
    EXPECT_EQ(ini.readString("ZorvicRozn", "Absent", W("нет")), W("нет"));
}

TEST_F(MemIniFileTest, TextThatCannotBeCp1251IsRefusedNamingSectionAndKey) {
    ini.loadFromText("[ZorvicBuy]\nedRukFam=Müller\nedRukName=Пётр\n");
    EXPECT_EQ(ini.readString("ZorvicBuy", "edRukName", {}), W("Пётр"));
    try {
        ini.readString("ZorvicBuy", "edRukFam", {});
        ADD_FAILURE() << "accepted";
    } catch (const host::EncodingError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("ZorvicBuy"), std::string::npos) << what;
        EXPECT_NE(what.find("edRukFam"), std::string::npos) << what;
    }
}

TEST_F(MemIniFileTest, MissingFileIsEmptyAndSavingReplacesTheFileWhole) {
    const auto path = dir / "options.ini";
    ini.loadFromFile(path.string());
    EXPECT_FALSE(ini.valueExists("ZorvicBuy", "seYear"));

    zorvic_test::writeFile(path, "[ZorvicBuy]\nseYear=2011\n");
    const auto link = dir / "previous.ini";
    std::filesystem::create_hard_link(path, link);
    ini.loadFromFile(path.string());
    ini.writeString("ZorvicBuy", "edNalOrganName", W("ИФНС № 5"));
    ini.saveToFile(path.string());

    const std::string saved = zorvic_test::readFile(path);
    EXPECT_EQ(saved, ini.toText());
    EXPECT_NE(saved.find("ИФНС № 5"), std::string::npos);
    // The old file was replaced by a rename, not overwritten where it lay.
    EXPECT_EQ(zorvic_test::readFile(link), "[ZorvicBuy]\nseYear=2011\n");
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));

    host::MemIniFile reread;
    reread.loadFromFile(path.string());
    EXPECT_EQ(reread.readInteger("ZorvicBuy", "seYear", 0), 2011);
    EXPECT_EQ(reread.readString("ZorvicBuy", "edNalOrganName", {}), W("ИФНС № 5"));
}

TEST(DateTimeTest, MonthArithmeticEndsTheQuartersOnTheirLastDays) {
    for (int year : {2010, 2012, 2100}) {
        const host::DateTime j31 = host::encodeDate(year, 1, 31);
        const std::string y = std::to_string(year);
        EXPECT_EQ(host::formatDate(host::incMonth(j31, 2)), "31.03." + y);
        EXPECT_EQ(host::formatDate(host::incMonth(j31, 5)), "30.06." + y);
        EXPECT_EQ(host::formatDate(host::incMonth(j31, 8)), "30.09." + y);
        EXPECT_EQ(host::formatDate(host::incMonth(j31, 11)), "31.12." + y);
        EXPECT_EQ(host::formatDate(host::incMonth(j31, 1)), (year == 2012 ? "29.02." : "28.02.") + y);
    }
    EXPECT_EQ(host::parseDate("29.02.2012"), host::encodeDate(2012, 2, 29));
    EXPECT_THROW(host::parseDate("29.02.2011"), host::DateRangeError);
}

}  // namespace
