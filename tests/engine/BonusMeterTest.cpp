// The bonus meter and the bonus game: points and Resets, the meter's steps up to full, any loaded
// level, the prize shuffle against its definition, and how a prize is counted.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "VectorShuffle.h"
#include "engine/BonusMeter.h"

namespace {

using Calls = std::vector<std::string>;

// The box holding a given prize.
std::function<int(const engine::BonusPrizes&)> BoxWith(int32_t prize)
{
    return [prize](const engine::BonusPrizes& prizes) {
        return static_cast<int>(std::find(prizes.begin(), prizes.end(), prize) - prizes.begin());
    };
}

// Evaluates a payline showing the given strip positions.
void Evaluate(TestTable& t, int32_t p0, int32_t p1, int32_t p2)
{
    t.game.Stops() = {StopShowing(p0), StopShowing(p1), StopShowing(p2)};
    t.host.calls.clear();
    t.Evaluate();
}

TEST(BonusMeter, PointValuesAndResets)
{
    EXPECT_EQ(engine::BonusPointsAt(0, 21), 1);
    EXPECT_EQ(engine::BonusPointsAt(1, 5), 3);
    EXPECT_EQ(engine::BonusPointsAt(1, 13), 2);
    EXPECT_EQ(engine::BonusPointsAt(1, 25), 1);
    EXPECT_EQ(engine::BonusPointsAt(2, 3), 2);
    EXPECT_EQ(engine::BonusPointsAt(2, 27), 1);
    int total = 0;
    for (int reel = 0; reel < 3; ++reel) {
        for (int32_t pos = 1; pos <= 30; ++pos) total += engine::BonusPointsAt(reel, pos);
    }
    EXPECT_EQ(total, 10);  // no other position carries points
    EXPECT_TRUE(engine::IsResetAt(0, 11));
    EXPECT_TRUE(engine::IsResetAt(2, 15));
    EXPECT_FALSE(engine::IsResetAt(1, 15));
    EXPECT_FALSE(engine::IsResetAt(0, 23));
}

TEST(BonusMeter, TenPlusThreeFillsTheMeterAndTheWinIsCountedFirst)
{
    TestTable t;
    t.state.BonusPts = 10;
    t.state.BetCoins = 1;
    t.state.Credits = 100;
    t.chooseBox = BoxWith(25);
    // Reel 0 shows symbol 2, reel 1 the 3-point Bonus form of symbol 2, reel
    // 2 symbol 3: mixed bars pay 2.
    Evaluate(t, 13, 5, 9);
    const Calls expected{"Meter=11", "Sound 6", "Meter=12", "Sound 6",  // two steps only: the meter stops at 12
                         "WinFlash on", "WinSound", "Sound 3", "Credits=101", "Winnings=1",
                         "Delay 0.075", "Sound 3", "Credits=102", "Winnings=2", "Delay 0.075", "BonusWindow", "Meter=0",
                         // The prize of 25: no win sound, no flashing, counted from 0 again.
                         "Sound 3", "Credits=107", "Winnings=5", "Delay 0.075"};
    ASSERT_GE(t.host.calls.size(), expected.size());
    EXPECT_EQ(Calls(t.host.calls.begin(), t.host.calls.begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected);
    EXPECT_EQ(t.state.Credits, 127);
    EXPECT_EQ(t.state.BonusPts, 0);
    EXPECT_EQ(t.state.BonusWon, 25);
    EXPECT_EQ(t.host.Count("WinSound"), 1);
    EXPECT_EQ(t.host.Count("WinFlash on"), 1);
    // The prize and the empty meter are settled before the prize is counted.
    ASSERT_EQ(t.settled.size(), 2u);
    EXPECT_EQ(t.settled[0].BonusPts, engine::BonusMeterFull);
    EXPECT_EQ(t.settled[0].Credits, 102);
    EXPECT_EQ(t.settled[1].Credits, 127);
    EXPECT_EQ(t.settled[1].BonusPts, 0);
}

TEST(BonusMeter, PointsOfTwoReelsClimbOneStepPerSound)
{
    TestTable t;
    t.state.BonusPts = 5;
    t.state.BetCoins = 1;
    Evaluate(t, 2, 13, 3);
    EXPECT_EQ(t.host.calls,
              (Calls{"Meter=6", "Sound 6", "Meter=7", "Sound 6", "Meter=8", "Sound 6", "Meter=9", "Sound 6"}));
    EXPECT_EQ(t.state.BonusPts, 9);
}

TEST(BonusMeter, ResetEmptiesTheMeterAndLosesThisSpinsPoints)
{
    TestTable t;
    t.state.BonusPts = 7;
    t.state.BetCoins = 1;
    Evaluate(t, 11, 5, 2);
    EXPECT_EQ(t.host.calls, (Calls{"Sound 2", "Meter=0"}));
    EXPECT_EQ(t.state.BonusPts, 0);

    // On an empty meter only the sound is heard.
    Evaluate(t, 2, 2, 15);
    EXPECT_EQ(t.host.calls, (Calls{"Sound 2"}));
    EXPECT_EQ(t.state.BonusPts, 0);
}

TEST(BonusMeter, LoadedLevelAboveFullPlaysTheBonusGame)
{
    TestTable t;
    t.state.BonusPts = 15;
    t.state.BetCoins = 1;
    t.pickedBox = -1;
    Evaluate(t, 2, 5, 2);  // 3 points on the payline change nothing
    EXPECT_EQ(t.host.From("BonusWindow"), (Calls{"BonusWindow", "Meter=0", "Button 1 1", "Button 5 1", "Button S 1"}));
    EXPECT_EQ(t.state.BonusPts, 0);
}

TEST(BonusMeter, AnyLoadedLevelIsSafe)
{
    const int32_t min = std::numeric_limits<int32_t>::min();
    const int32_t max = std::numeric_limits<int32_t>::max();
    struct Case {
        int32_t level;
        int32_t p0;  // 11: Reset; 2: blank
        int32_t expected;
    };
    // Reel 1 shows the 3-point Bonus symbol in every case.
    for (const Case c : {Case{-3, 11, 0}, Case{-3, 2, 0}, Case{min, 11, 0}, Case{min, 2, min + 3}, Case{max, 11, 0},
                         Case{max, 2, 0}, Case{12, 2, 0}}) {
        TestTable t;
        t.state.BonusPts = c.level;
        t.state.BetCoins = 1;
        t.pickedBox = -1;
        Evaluate(t, c.p0, 5, 2);
        EXPECT_EQ(t.state.BonusPts, c.expected) << c.level << " with " << c.p0;
    }
}

// Shuffles as defined: 1001 passes of swap(i, Random(8)), with the generator
// written out independently.
engine::BonusPrizes ReferenceShuffle(uint32_t& seed, engine::BonusPrizes prizes)
{
    uint64_t s = seed;
    for (int pass = 0; pass < 1001; ++pass) {
        for (int i = 0; i < 8; ++i) {
            s = (s * 134775813ULL + 1ULL) % 4294967296ULL;
            std::swap(prizes[static_cast<size_t>(i)], prizes[static_cast<size_t>(s * 8 / 4294967296ULL)]);
        }
    }
    seed = static_cast<uint32_t>(s);
    return prizes;
}

TEST(BonusGame, ShuffleMatchesItsDefinitionOnEveryPath)
{
    const engine::BonusPrizes distinct{1, 2, 3, 4, 5, 6, 7, 8};
    bool vectorized = false;
    for (uint32_t i = 0; i < 400; ++i) {
        const uint32_t seed = i * 2654435761u;
        for (const engine::BonusPrizes& start : {engine::BonusPrizeFill, distinct}) {
            uint32_t referenceSeed = seed;
            const engine::BonusPrizes expected = ReferenceShuffle(referenceSeed, start);

            engine::Random b(seed);
            engine::BonusPrizes fast = start;
            if (par::ShuffleBonusPrizesVectorized(b, fast)) {
                vectorized = true;
                ASSERT_EQ(fast, expected) << seed;
                ASSERT_EQ(b.Seed(), referenceSeed);
            }

            engine::Random c(seed);
            engine::BonusPrizes chosen = start;
            engine::ShuffleBonusPrizes(c, chosen);
            ASSERT_EQ(chosen, expected) << seed;
            ASSERT_EQ(c.Seed(), referenceSeed);
        }
    }
    if (!vectorized) GTEST_LOG_(INFO) << "vector instructions missing: only the portable shuffle was checked";
}

TEST(BonusGame, FillsShufflesAndEmptiesTheMeter)
{
    TestTable t;
    t.random.SetSeed(4242);
    t.state.BonusPts = 12;
    t.pickedBox = -1;
    t.PlayOwedBonusGame();

    uint32_t seed = 4242;
    EXPECT_EQ(t.host.lastPrizes, ReferenceShuffle(seed, engine::BonusPrizes{250, 100, 50, 50, 25, 10, 0, 0}));
    EXPECT_EQ(t.random.Seed(), seed);
    EXPECT_EQ(t.game.Prizes(), t.host.lastPrizes);
    engine::BonusPrizes sorted = t.host.lastPrizes;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (engine::BonusPrizes{0, 0, 10, 25, 50, 50, 100, 250}));

    EXPECT_EQ(t.host.From("BonusWindow"), (Calls{"BonusWindow", "Meter=0", "Button 1 1", "Button 5 1", "Button S 1"}));
    EXPECT_EQ(t.state.BonusPts, 0);
}

TEST(BonusGame, EmptyBoxCountsNothing)
{
    TestTable t;
    t.state.Credits = 40;
    t.state.BonusPts = 12;
    t.chooseBox = BoxWith(0);
    t.PlayOwedBonusGame();
    EXPECT_EQ(t.host.From("BonusWindow"), (Calls{"BonusWindow", "Meter=0", "Button 1 1", "Button 5 1", "Button S 1"}));
    EXPECT_EQ(t.state.Credits, 40);
    EXPECT_EQ(t.state.BonusWon, 0);
}

TEST(BonusGame, PrizeIsCountedWithoutWinSoundOrFlashing)
{
    TestTable t;
    t.state.Credits = 40;
    t.state.BonusWon = 100;
    t.state.BonusPts = 12;
    t.chooseBox = BoxWith(250);
    t.PlayOwedBonusGame();
    EXPECT_EQ(t.state.Credits, 290);
    EXPECT_EQ(t.state.BonusWon, 350);
    EXPECT_EQ(t.state.SpinWin, 0);
    EXPECT_EQ(t.host.Count("WinSound"), 0);
    EXPECT_TRUE(t.host.Matching("Timer").empty());
    const Calls after = t.host.From("Meter=0");
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[1], "Sound 3");
    EXPECT_EQ(after[2], "Credits=50");  // first step of 10
    // The prize is settled, ready to be made durable, before it is counted.
    ASSERT_EQ(t.settled.size(), 2u);
    EXPECT_EQ(t.settled.back().Credits, 290);
    EXPECT_EQ(t.settled.back().BonusPts, 0);
    EXPECT_EQ(t.host.Matching("Winnings=").back(), "Winnings=250");
}

TEST(BonusGame, AnOwedGameIsPlayedOnceWithTheTableHeld)
{
    TestTable t;
    t.state.Credits = 40;
    t.state.BonusPts = engine::BonusMeterFull;
    t.state.SpinInProgress = false;
    t.chooseBox = BoxWith(10);
    // The script stops at the bonus window with the meter still full: a game
    // saved now still owes its bonus game, and no bet or spin is taken.
    const engine::Script opening = t.game.PlayOwedBonusGame();
    EXPECT_TRUE(opening.WaitsForBonusPick());
    EXPECT_TRUE(t.game.BonusPickPending());
    EXPECT_EQ(t.state.BonusPts, engine::BonusMeterFull);
    EXPECT_TRUE(t.game.Spin().Empty());
    EXPECT_TRUE(t.game.BetOne().Empty());
    t.host.Read(opening);
    EXPECT_EQ(t.host.calls.front(), "Button 1 0");
    t.host.Read(t.game.PickBonusBox(static_cast<int>(std::find(t.game.Prizes().begin(), t.game.Prizes().end(), 10) -
                                                     t.game.Prizes().begin()) +
                                   1));
    EXPECT_EQ(t.host.calls.back(), "Button S 1");
    EXPECT_EQ(t.state.Credits, 50);
    EXPECT_EQ(t.state.BonusPts, 0);
    EXPECT_EQ(t.state.Spins, 0);

    // Paid: nothing is owed any more.
    t.host.calls.clear();
    t.PlayOwedBonusGame();
    EXPECT_TRUE(t.host.calls.empty());
    EXPECT_EQ(t.state.Credits, 50);
}

}  // namespace
