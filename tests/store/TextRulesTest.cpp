// The small rules under the store: integers, character cuts, dates, names, places.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <ctime>
#include <optional>
#include <string>

#include "TestFiles.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"

using store::ParseSettingInteger;

TEST(SettingInteger, DecimalWithOptionalSign)
{
    EXPECT_EQ(ParseSettingInteger("1250"), 1250);
    EXPECT_EQ(ParseSettingInteger("-5"), -5);
    EXPECT_EQ(ParseSettingInteger("+7"), 7);
    EXPECT_EQ(ParseSettingInteger("-0"), 0);
    EXPECT_EQ(ParseSettingInteger("007"), 7);
    EXPECT_EQ(ParseSettingInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseSettingInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseSettingInteger(std::string(5000, '0') + "42"), 42);
}

TEST(SettingInteger, HexadecimalPrefixes)
{
    EXPECT_EQ(ParseSettingInteger("0x10"), 16);
    EXPECT_EQ(ParseSettingInteger("0XfF"), 255);
    EXPECT_EQ(ParseSettingInteger("$1A"), 26);
    EXPECT_EQ(ParseSettingInteger("0x7FFFFFFF"), INT32_MAX);
    EXPECT_EQ(ParseSettingInteger("$7fffffff"), INT32_MAX);
    EXPECT_EQ(ParseSettingInteger("0x0"), 0);
}

TEST(SettingInteger, AnythingElseIsNoInteger)
{
    for (const char* text : {"",
                             "abc",
                             "-",
                             "+",
                             "0x",
                             "0X",
                             "$",
                             "12abc",
                             "1 2",
                             " 12",
                             "12 ",
                             "1.5",
                             "1e3",
                             "--1",
                             "+-1",
                             "-0x10",
                             "0x-1",
                             "-$10",
                             "$-1",
                             "0xg",
                             "$G",
                             "0x1 ",
                             "\xEF\xBB\xBF"
                             "1"}) {
        EXPECT_EQ(ParseSettingInteger(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(SettingInteger, OutsideThirtyTwoBitsIsNoInteger)
{
    EXPECT_EQ(ParseSettingInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseSettingInteger("-2147483649"), std::nullopt);
    EXPECT_EQ(ParseSettingInteger("99999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseSettingInteger(std::string(5000, '9')), std::nullopt);
    // Hex is a number, not a bit pattern: no wrap to negative values.
    EXPECT_EQ(ParseSettingInteger("0x80000000"), std::nullopt);
    EXPECT_EQ(ParseSettingInteger("0xFFFFFFFF"), std::nullopt);
    EXPECT_EQ(ParseSettingInteger("$100000000"), std::nullopt);
    EXPECT_EQ(ParseSettingInteger("0x" + std::string(5000, 'f')), std::nullopt);
}

TEST(CutToCharacters, CountsCharactersNotBytes)
{
    EXPECT_EQ(store::CutToCharacters("abcdef", 3), "abc");
    EXPECT_EQ(store::CutToCharacters("ab", 3), "ab");
    EXPECT_EQ(store::CutToCharacters("", 3), "");
    // "é" two bytes, "€" three, an emoji four: each is one character.
    EXPECT_EQ(store::CutToCharacters("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8D\x87xyz", 3),
              "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8D\x87");
    EXPECT_EQ(store::CutToCharacters("a\xE2\x82\xAC", 1), "a");
    EXPECT_EQ(store::CutToCharacters("a\xE2\x82\xAC", 2), "a\xE2\x82\xAC");
}

TEST(CutToCharacters, StrayBytesCountOneEach)
{
    // A lone continuation byte, a sequence broken off, an overlong form, a surrogate.
    EXPECT_EQ(store::CutToCharacters("\x80\x80x", 2), "\x80\x80");
    EXPECT_EQ(store::CutToCharacters("\xE2\x82", 1), "\xE2");
    EXPECT_EQ(store::CutToCharacters("\xC0\xAFz", 2), "\xC0\xAF");
    EXPECT_EQ(store::CutToCharacters("\xED\xA0\x80", 1), "\xED");
    EXPECT_EQ(store::CutToCharacters("\xF4\x90\x80\x80", 1), "\xF4");
}

TEST(GameDate, SeparatorOfTheLocaleDateFormat)
{
    EXPECT_EQ(store::DateSeparatorFromFormat("%m/%d/%y"), '/');  // C, en_US
    EXPECT_EQ(store::DateSeparatorFromFormat("%d.%m.%Y"), '.');  // de_DE
    EXPECT_EQ(store::DateSeparatorFromFormat("%Y-%m-%d"), '-');  // sv_SE
    EXPECT_EQ(store::DateSeparatorFromFormat("%d. %m. %Y"), '.');
    EXPECT_EQ(store::DateSeparatorFromFormat("%-d/%-m/%Y"), '/');
    EXPECT_EQ(store::DateSeparatorFromFormat("%Ey.%m.%d"), '.');
    EXPECT_EQ(store::DateSeparatorFromFormat("%D"), '/');
    EXPECT_EQ(store::DateSeparatorFromFormat("%F"), '-');
    // No usable separator: the United States one.
    EXPECT_EQ(store::DateSeparatorFromFormat(""), '/');
    EXPECT_EQ(store::DateSeparatorFromFormat("%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5"), '/');
    EXPECT_EQ(store::DateSeparatorFromFormat("%"), '/');
}

TEST(GameDate, MonthDayTwoDigitYear)
{
    std::tm date{};
    date.tm_year = 2026 - 1900;
    date.tm_mon = 11;
    date.tm_mday = 6;
    EXPECT_EQ(store::FormatGameDate(date, '/'), "12/06/26");
    EXPECT_EQ(store::FormatGameDate(date, '.'), "12.06.26");
    date.tm_year = 2000 - 1900;
    date.tm_mon = 0;
    date.tm_mday = 31;
    EXPECT_EQ(store::FormatGameDate(date, '/'), "01/31/00");
}

TEST(GameDate, TodayInTheCLocale)
{
    auto format = [](std::time_t when) {
        std::tm local{};
        localtime_r(&when, &local);
        return store::FormatGameDate(local, '/');
    };
    // The day may turn between the two looks at the clock.
    const std::string before = format(std::time(nullptr));
    const std::string today = store::TodayGameDate();
    const std::string after = format(std::time(nullptr));
    EXPECT_TRUE(today == before || today == after) << today;
}

TEST(ProgramBaseName, NameWithoutDirectoryAndExtension)
{
    EXPECT_EQ(store::ProgramBaseName("/x/slots.exe"), "slots");
    EXPECT_EQ(store::ProgramBaseName("/usr/games/plumfizz"), "plumfizz");
    EXPECT_EQ(store::ProgramBaseName("plumfizz"), "plumfizz");
    EXPECT_EQ(store::ProgramBaseName("./build/plum.fizz.bin"), "plum.fizz");
    EXPECT_EQ(store::ProgramBaseName("/opt/.hidden"), ".hidden");
    EXPECT_EQ(store::ProgramBaseName("/opt/game.d/run"), "run");
}

using ProfileDirectoryTest = store_test::StoreTest;

TEST_F(ProfileDirectoryTest, FollowsXdgConfigHomeThenHome)
{
    EXPECT_EQ(store::ProfileDirectory(), root_ / "config" / "tallyho");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(store::ProfileDirectory(), root_ / "home" / ".config" / "tallyho");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(store::ProfileDirectory(), root_ / "home" / ".config" / "tallyho");
    setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not absolute: ignored
    EXPECT_EQ(store::ProfileDirectory(), root_ / "home" / ".config" / "tallyho");
}

TEST_F(ProfileDirectoryTest, BareNamesLiveThereOthersStayPut)
{
    EXPECT_EQ(store::SettingsFile("plumfizz.ini").Path(), profile_ / "plumfizz.ini");
    EXPECT_EQ(store::SettingsFile("/opt/game/Testing.ini").Path(), "/opt/game/Testing.ini");
    EXPECT_EQ(store::SettingsFile("sub/x.ini").Path(), "sub/x.ini");
    EXPECT_EQ(store::GameStore("plumfizz").File().Path(), profile_ / "plumfizz.ini");
}
