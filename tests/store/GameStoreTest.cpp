// The saved games: nine slots, eight keys each.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "TestFiles.h"
#include "engine/GameState.h"
#include "store/GameStore.h"

namespace fs = std::filesystem;
using engine::GameState;
using store::GameStore;
using store_test::ReadBytes;
using store_test::WriteBytes;

namespace {

class GameStoreTest : public store_test::StoreTest {
protected:
    // A fixed day, so that no test depends on when it runs.
    GameStore store_{"plumfizz", [] { return std::string("12/06/26"); }};

    fs::path FilePath() const { return profile_ / "plumfizz.ini"; }

    static GameState Played()
    {
        GameState state;
        state.Credits = 1250;
        state.Borrowed = 2000;
        state.Spins = 37;
        state.TotalBets = 120;
        state.BonusWon = 50;
        state.BonusPts = 4;
        state.GameName = "Played earlier";
        state.GameDate = "01/02/03";
        return state;
    }
};

TEST_F(GameStoreTest, SlotNeverSavedLoadsAsAFreshGame)
{
    for (const bool fileExists : {false, true}) {
        if (fileExists) WriteBytes(FilePath(), "");
        GameState state = Played();
        state.BetCoins = 3;
        state.LastBet = 5;
        state.SpinWin = 40;
        state.SpinInProgress = false;
        store_.LoadGameSlot(state, 2);
        EXPECT_EQ(state.GameName, "GameNo3");
        EXPECT_EQ(state.GameDate, "12/06/26");
        EXPECT_EQ(state.Credits, 1000);
        EXPECT_EQ(state.Borrowed, 1000);
        EXPECT_EQ(state.Spins, 0);
        EXPECT_EQ(state.TotalBets, 0);
        EXPECT_EQ(state.BonusWon, 0);
        EXPECT_EQ(state.BonusPts, 0);
        // What is not saved is not touched.
        EXPECT_EQ(state.BetCoins, 3);
        EXPECT_EQ(state.LastBet, 5);
        EXPECT_EQ(state.SpinWin, 40);
        EXPECT_FALSE(state.SpinInProgress);
    }
    GameState current;
    store_.LoadGameSlot(current, store::CurrentGameSlot);
    EXPECT_EQ(current.GameName, "CurrentGame");
}

TEST_F(GameStoreTest, SaveWritesTheEightKeysInOrder)
{
    store_.SaveGameSlot(Played(), store::CurrentGameSlot, "CurrentGame");
    EXPECT_EQ(ReadBytes(FilePath()),
              "[CurrentGame]\nGameName=CurrentGame\nGameDate=12/06/26\nCredits=1250\nBorrowed=2000\n"
              "Spins=37\nTotalBets=120\nBonusWon=50\nBonusPts=4\n");
}

TEST_F(GameStoreTest, SaveUsesTodayAndTheGivenNameAndChangesNoField)
{
    const GameState played = Played();
    GameState state = played;
    store_.SaveGameSlot(state, 0, "Lucky run");
    EXPECT_EQ(state.GameName, played.GameName);
    EXPECT_EQ(state.GameDate, played.GameDate);

    GameState loaded;
    store_.LoadGameSlot(loaded, 0);
    EXPECT_EQ(loaded.GameName, "Lucky run");
    EXPECT_EQ(loaded.GameDate, "12/06/26");  // the day of saving, not of playing
    EXPECT_EQ(loaded.Credits, 1250);
    EXPECT_EQ(loaded.Borrowed, 2000);
    EXPECT_EQ(loaded.Spins, 37);
    EXPECT_EQ(loaded.TotalBets, 120);
    EXPECT_EQ(loaded.BonusWon, 50);
    EXPECT_EQ(loaded.BonusPts, 4);
}

TEST_F(GameStoreTest, LongNameLoadsCutButStaysWholeInTheFile)
{
    const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    store_.SaveGameSlot(Played(), 1, forty);
    GameState state;
    store_.LoadGameSlot(state, 1);
    EXPECT_EQ(state.GameName, forty.substr(0, 30));
    EXPECT_NE(ReadBytes(FilePath()).find("GameName=" + forty + "\n"), std::string::npos);

    // Cut by characters: thirty "é" are sixty bytes.
    std::string accented;
    for (int i = 0; i < 40; ++i) accented += "\xC3\xA9";
    store_.SaveGameSlot(Played(), 1, accented);
    store_.LoadGameSlot(state, 1);
    EXPECT_EQ(state.GameName, accented.substr(0, 60));
}

TEST_F(GameStoreTest, DateIsCutToTenCharacters)
{
    WriteBytes(FilePath(), "[GameNo1]\nGameDate=2026-12-06 10:15\n");
    GameState state;
    store_.LoadGameSlot(state, 0);
    EXPECT_EQ(state.GameDate, "2026-12-06");
}

TEST_F(GameStoreTest, HexCreditsLoadAndGarbageGivesTheDefault)
{
    WriteBytes(FilePath(), "[GameNo1]\nCredits=0x10\nBorrowed=$20\n[GameNo2]\nCredits=abc\nBorrowed=12x\n");
    GameState state;
    store_.LoadGameSlot(state, 0);
    EXPECT_EQ(state.Credits, 16);
    EXPECT_EQ(state.Borrowed, 32);
    store_.LoadGameSlot(state, 1);
    EXPECT_EQ(state.Credits, 1000);
    EXPECT_EQ(state.Borrowed, 1000);
}

TEST_F(GameStoreTest, NoRangeChecksOnLoad)
{
    WriteBytes(FilePath(), "[GameNo8]\nCredits=-5\nBorrowed=-2147483648\nBonusPts=40\nSpins=2147483647\n");
    GameState state;
    store_.LoadGameSlot(state, 7);
    EXPECT_EQ(state.Credits, -5);
    EXPECT_EQ(state.Borrowed, INT32_MIN);
    EXPECT_EQ(state.BonusPts, 40);
    EXPECT_EQ(state.Spins, INT32_MAX);
}

TEST_F(GameStoreTest, SavingSlot4LeavesEveryOtherSectionByteForByte)
{
    std::string before = "; my games\r\n";
    for (int slot = 0; slot <= store::CurrentGameSlot; ++slot) {
        const std::string section = GameStore::SectionName(slot);
        before += "[" + section + "]\r\nGameName=" + section + " game\r\nGameDate=01/0" + std::to_string(slot + 1) +
                  "/26\r\nCredits=" + std::to_string(100 * slot) +
                  "\r\nBorrowed=1000\r\nSpins=" + std::to_string(slot) +
                  "\r\nTotalBets=7\r\nBonusWon=0\r\nBonusPts=" + std::to_string(slot) + "\r\nNote=kept\r\n\r\n";
    }
    before += "[Other program]\r\nkey = value\r\n";
    WriteBytes(FilePath(), before);

    store_.SaveGameSlot(Played(), 4, "Fifth");

    const std::string section4 = "[GameNo5]\r\n";
    const std::size_t start = before.find(section4) + section4.size();
    const std::size_t end = before.find("Note=kept", start);
    std::string expected = before;
    expected.replace(start, end - start,
                     "GameName=Fifth\r\nGameDate=12/06/26\r\nCredits=1250\r\nBorrowed=2000\r\nSpins=37\r\n"
                     "TotalBets=120\r\nBonusWon=50\r\nBonusPts=4\r\n");
    EXPECT_EQ(ReadBytes(FilePath()), expected);
}

TEST_F(GameStoreTest, SaveIntoAPartSectionKeepsForeignKeys)
{
    WriteBytes(FilePath(), "[GameNo3]\nExtra=1\ncredits=5\n\n[GameNo4]\nCredits=9\n");
    store_.SaveGameSlot(Played(), 2, "Third");
    EXPECT_EQ(ReadBytes(FilePath()),
              "[GameNo3]\nExtra=1\ncredits=1250\nGameName=Third\nGameDate=12/06/26\nBorrowed=2000\nSpins=37\n"
              "TotalBets=120\nBonusWon=50\nBonusPts=4\n\n[GameNo4]\nCredits=9\n");
}

TEST_F(GameStoreTest, FailedSaveChangesNothing)
{
    const std::string before = "[GameNo1]\nCredits=77\n";
    WriteBytes(FilePath(), before);
    int calls = 0;
    store::SettingsFile::SetBeforeRenameHook([&](const fs::path&) {
        ++calls;
        throw std::runtime_error("simulated failure");
    });
    try {
        store_.SaveGameSlot(Played(), 0, "Lost");
        FAIL() << "no error";
    } catch (const store::WriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + FilePath().string() + ": simulated failure");
    }
    EXPECT_EQ(calls, 1);  // the slot is one write, whole or not at all
    EXPECT_EQ(ReadBytes(FilePath()), before);
}

TEST_F(GameStoreTest, SlotsOutsideZeroToEightAreRefused)
{
    GameState state;
    EXPECT_THROW(store_.LoadGameSlot(state, -1), std::out_of_range);
    EXPECT_THROW(store_.LoadGameSlot(state, 9), std::out_of_range);
    EXPECT_THROW(store_.SaveGameSlot(state, 9, "x"), std::out_of_range);
    EXPECT_EQ(GameStore::SectionName(0), "GameNo1");
    EXPECT_EQ(GameStore::SectionName(7), "GameNo8");
    EXPECT_EQ(GameStore::SectionName(8), "CurrentGame");
    EXPECT_FALSE(fs::exists(FilePath()));
}

}  // namespace
