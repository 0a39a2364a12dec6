// The reels: the strips' codes and cells, stops around the loop, the payline row, the nudges and
// the draw of the stops; arguments out of range do no harm.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "engine/BonusMeter.h"
#include "engine/PayTable.h"
#include "engine/Random.h"
#include "engine/Reels.h"
#include "engine/SpinOutcome.h"

namespace {

using engine::CellAt;
using engine::CodeAt;
using engine::ReelStops;

struct Special {
    int reel;
    int32_t position;
    int32_t cell;
};

// Every position drawn with a cell other than its plain symbol's.
constexpr Special Specials[] = {
    {0, 1, 7},   {0, 7, 5},   {0, 9, 7},   {0, 29, 6},  {0, 15, 10}, {0, 19, 9},  {0, 25, 8},
    {0, 21, 13}, {0, 11, 14}, {1, 3, 7},   {1, 7, 6},   {1, 19, 5},  {1, 11, 10}, {1, 23, 9},
    {1, 29, 8},  {1, 5, 11},  {1, 13, 12}, {1, 25, 13}, {2, 7, 7},   {2, 11, 5},  {2, 17, 6},
    {2, 1, 10},  {2, 21, 10}, {2, 23, 8},  {2, 25, 9},  {2, 3, 12},  {2, 27, 13}, {2, 15, 14},
};

TEST(ReelStrips, CodesAlternateSymbolsAndBlanks)
{
    const std::array<const char*, 3> strips{
        "493919294909294919394909294939",
        "394929392949390949291939491929",
        "493919493929490939194929394909",
    };
    for (int reel = 0; reel < 3; ++reel) {
        EXPECT_EQ(engine::ReelStrip(reel), strips[reel]);
        for (int32_t pos = 1; pos <= 30; ++pos) {
            EXPECT_EQ(CodeAt(reel, pos), strips[reel][pos - 1] - '0');
            EXPECT_EQ(CodeAt(reel, pos) == 9, pos % 2 == 0) << reel << "/" << pos;
        }
    }
}

TEST(ReelStrips, CellsOfEveryPosition)
{
    std::array<std::array<int32_t, 31>, 3> expected{};
    for (int reel = 0; reel < 3; ++reel) {
        for (int32_t pos = 1; pos <= 30; ++pos) expected[reel][pos] = CodeAt(reel, pos) == 9 ? 15 : CodeAt(reel, pos);
    }
    for (const Special& s : Specials) expected[s.reel][s.position] = s.cell;
    for (int reel = 0; reel < 3; ++reel) {
        for (int32_t pos = 1; pos <= 30; ++pos) EXPECT_EQ(CellAt(reel, pos), expected[reel][pos]) << reel << "/" << pos;
    }
}

TEST(ReelStrips, SymbolCountsPerReel)
{
    // symbol 0, Reset, symbols 1..4 (all forms), blanks
    const std::array<std::array<int, 7>, 3> expected{{
        {1, 1, 2, 3, 3, 5, 15},
        {1, 0, 2, 4, 4, 4, 15},
        {1, 1, 2, 2, 4, 5, 15},
    }};
    for (int reel = 0; reel < 3; ++reel) {
        std::array<int, 7> counts{};
        for (int32_t pos = 1; pos <= 30; ++pos) {
            const int32_t cell = CellAt(reel, pos);
            if (cell == 14)
                ++counts[1];
            else if (cell == 15)
                ++counts[6];
            else if (CodeAt(reel, pos) == 0)
                ++counts[0];
            else
                ++counts[static_cast<size_t>(CodeAt(reel, pos) + 1)];
        }
        EXPECT_EQ(counts, expected[reel]) << "reel " << reel;
    }
}

TEST(ReelStops, WrapAroundTheLoop)
{
    EXPECT_EQ(engine::WrapPosition(1), 1);
    EXPECT_EQ(engine::WrapPosition(30), 30);
    EXPECT_EQ(engine::WrapPosition(31), 1);
    EXPECT_EQ(engine::WrapPosition(32), 2);
    EXPECT_EQ(engine::WrapPosition(0), 30);
    EXPECT_EQ(engine::WrapPosition(-1), 29);
    for (int32_t p : {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), -31, 61, 1000000}) {
        const int32_t w = engine::WrapPosition(p);
        EXPECT_GE(w, 1);
        EXPECT_LE(w, 30);
        EXPECT_EQ((static_cast<int64_t>(p) - w) % 30, 0) << p;
    }
}

TEST(ReelStops, PaylineIsTheMiddleRow)
{
    EXPECT_EQ(engine::PaylinePosition(ReelStops{30, 29, 1}, 0), 1);
    EXPECT_EQ(engine::PaylinePosition(ReelStops{30, 29, 1}, 1), 30);
    EXPECT_EQ(engine::PaylinePosition(ReelStops{30, 29, 1}, 2), 2);
    // The first table shows symbol 0 on all three reels.
    EXPECT_EQ(engine::ReadPayline(engine::StartStops), (engine::PaylineSymbols{0, 0, 0}));
}

TEST(ReelNudges, ExamplesOfTheRules)
{
    // Reel 2 at 21: Down form on top, so down to 20 (symbol 4 on the
    // payline); the new bottom row is a blank, so no Up nudge.
    EXPECT_TRUE(engine::NeedsDownNudge(ReelStops{1, 1, 21}, 2));
    EXPECT_FALSE(engine::NeedsUpNudge(ReelStops{1, 1, 20}, 2));
    EXPECT_EQ(engine::NudgedStop(2, 21), 20);
    EXPECT_EQ(CodeAt(2, 21), 4);

    // Reel 0 at 27: Up form of symbol 3 at the bottom, so up to 28.
    EXPECT_FALSE(engine::NeedsDownNudge(ReelStops{27, 1, 1}, 0));
    EXPECT_TRUE(engine::NeedsUpNudge(ReelStops{27, 1, 1}, 0));
    EXPECT_EQ(engine::NudgedStop(0, 27), 28);
    EXPECT_EQ(engine::PaylinePosition(ReelStops{28, 1, 1}, 0), 29);

    // Reel 1 at 4: Bonus form of symbol 2 on the payline, no nudge.
    EXPECT_EQ(engine::NudgedStop(1, 4), 4);
    EXPECT_EQ(CellAt(1, 5), 11);

    // Down from 1 wraps to 30 (reel 2's position 1 is a Down form).
    EXPECT_EQ(engine::NudgedStop(2, 1), 30);
}

TEST(ReelNudges, OnlyBlankPaylinesMoveAndAtMostOnce)
{
    for (int reel = 0; reel < 3; ++reel) {
        for (int32_t stop = 1; stop <= 30; ++stop) {
            const ReelStops stops = [&] {
                ReelStops s{1, 1, 1};
                s[reel] = stop;
                return s;
            }();
            const bool blankOnPayline = CodeAt(reel, engine::PaylinePosition(stops, reel)) == 9;
            const int32_t rest = engine::NudgedStop(reel, stop);
            if (!blankOnPayline) {
                EXPECT_EQ(rest, stop) << reel << "/" << stop;
            }
            const int32_t moved = (rest - stop + 30) % 30;
            EXPECT_TRUE(moved == 0 || moved == 1 || moved == 29) << reel << "/" << stop;
            // What a nudge brings onto the payline is an Up or Down form.
            if (moved != 0) {
                const int32_t cell = CellAt(reel, engine::WrapPosition(rest + 1));
                EXPECT_TRUE(cell >= 5 && cell <= 10) << reel << "/" << stop;
            }
        }
    }
}

TEST(ReelNudges, PaylineOverThirtyStops)
{
    // symbol 0..4, blank, Reset, nudged up, nudged down
    const std::array<std::array<int, 9>, 3> expected{{
        {1, 2, 5, 5, 8, 8, 1, 4, 3},
        {1, 2, 6, 6, 6, 9, 0, 3, 3},
        {1, 2, 4, 6, 8, 8, 1, 3, 4},
    }};
    for (int reel = 0; reel < 3; ++reel) {
        std::array<int, 9> counts{};
        for (int32_t stop = 1; stop <= 30; ++stop) {
            ReelStops stops{1, 1, 1};
            stops[reel] = stop;
            if (engine::NeedsDownNudge(stops, reel)) {
                ++counts[8];
                stops[reel] = engine::WrapPosition(stops[reel] - 1);
            }
            if (engine::NeedsUpNudge(stops, reel)) {
                ++counts[7];
                stops[reel] = engine::WrapPosition(stops[reel] + 1);
            }
            const int32_t pos = engine::PaylinePosition(stops, reel);
            if (engine::IsResetAt(reel, pos))
                ++counts[6];
            else if (CodeAt(reel, pos) == 9)
                ++counts[5];
            else
                ++counts[static_cast<size_t>(CodeAt(reel, pos))];
        }
        EXPECT_EQ(counts, expected[reel]) << "reel " << reel;
    }
}

TEST(ReelStops, ChooseStopsDrawsOffsetThenStopPerReel)
{
    engine::Random random(99);
    engine::Random copy(99);
    ReelStops stops{};
    engine::MotionOffsets offsets{};
    engine::ChooseStops(random, 456, stops, offsets);
    for (int reel = 0; reel < 3; ++reel) {
        EXPECT_EQ(offsets[reel], copy(456));
        EXPECT_EQ(stops[reel], copy(30) + 1);
    }
    EXPECT_EQ(random.Seed(), copy.Seed());
}

TEST(ReelStops, OutOfRangeArgumentsAreHarmless)
{
    EXPECT_EQ(CodeAt(3, 5), 9);
    EXPECT_EQ(CellAt(-1, 5), 15);
    EXPECT_EQ(CodeAt(0, 31), CodeAt(0, 1));
    EXPECT_FALSE(engine::NeedsDownNudge(ReelStops{1, 1, 1}, 7));
    EXPECT_EQ(engine::PaylinePosition(ReelStops{std::numeric_limits<int32_t>::max(), 0, -5}, 0),
              engine::WrapPosition(engine::WrapPosition(std::numeric_limits<int32_t>::max()) + 1));
    EXPECT_EQ(engine::ReelStrip(3), "");
}

}  // namespace

// The outcome worked out before a spin is shown rests where the nudges the
// spin plays leave the reels, and pays what the payline there pays.
TEST(SpinOutcome, AgreesWithTheNudgesAndThePayTableOnEveryStop)
{
    for (int32_t a = 1; a <= 30; ++a) {
        for (int32_t b = 1; b <= 30; ++b) {
            for (int32_t c = 1; c <= 30; ++c) {
                const engine::ReelStops drawn{a, b, c};
                const engine::SpinOutcome outcome = engine::DecideSpin(drawn, 3, 11);
                engine::ReelStops resting{};
                for (int reel = 0; reel < engine::ReelCount; ++reel) {
                    resting[reel] = engine::NudgedStop(reel, drawn[reel]);
                    ASSERT_EQ(engine::WrapPosition(outcome.resting[reel]), resting[reel]);
                    const bool moved = outcome.nudgedDown[reel] != outcome.nudgedUp[reel];
                    ASSERT_EQ(moved, resting[reel] != drawn[reel]) << a << "," << b << "," << c;
                }
                const engine::PayRule rule = engine::MatchPayRule(engine::ReadPayline(resting));
                ASSERT_EQ(outcome.rule, rule);
                ASSERT_EQ(outcome.win, 3 * engine::PayFactor(rule));
                ASSERT_EQ(outcome.meterAfter, engine::MeterAfterSpin(11, engine::ResetOnPayline(resting),
                                                                     engine::PaylineBonusPoints(resting)));
            }
        }
    }
}
