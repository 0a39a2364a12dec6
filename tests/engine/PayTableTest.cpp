// The pay table: only the first matching rule pays, every payline agrees with the chart, a Reset
// is no symbol, and the exact return over all 27,000 stop combinations.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

#include "TestSupport.h"
#include "engine/PayTable.h"

namespace {

using engine::MatchPayRule;
using engine::PaylineSymbols;
using engine::PayRule;

int32_t PerCoin(const PaylineSymbols& s)
{
    return engine::PayFactor(MatchPayRule(s));
}

TEST(PayTable, FirstMatchingRuleOnly)
{
    EXPECT_EQ(PerCoin({0, 0, 0}), 1500);
    EXPECT_EQ(PerCoin({1, 1, 1}), 250);
    EXPECT_EQ(PerCoin({2, 2, 2}), 20);
    EXPECT_EQ(PerCoin({3, 3, 3}), 10);
    EXPECT_EQ(PerCoin({4, 4, 4}), 5);

    // Two 0s pay 50, before the three-of-a-kind and mixed rules.
    EXPECT_EQ(MatchPayRule({0, 0, 1}), PayRule::TwoSymbol0);
    EXPECT_EQ(PerCoin({0, 0, 1}), 50);
    EXPECT_EQ(PerCoin({9, 0, 0}), 50);
    // One 0 pays 2, whatever the others show.
    EXPECT_EQ(MatchPayRule({0, 1, 1}), PayRule::OneSymbol0);
    EXPECT_EQ(PerCoin({0, 1, 1}), 2);
    EXPECT_EQ(PerCoin({1, 1, 0}), 2);
    EXPECT_EQ(PerCoin({1, 1, 2}), 0);
    EXPECT_EQ(PerCoin({2, 2, 9}), 0);
    // Mixed bars: each reel one of 2, 3, 4, in any order.
    std::array<int32_t, 3> bars{2, 3, 4};
    do {
        EXPECT_EQ(MatchPayRule({bars[0], bars[1], bars[2]}), PayRule::MixedBars);
    } while (std::next_permutation(bars.begin(), bars.end()));
    EXPECT_EQ(MatchPayRule({2, 2, 3}), PayRule::MixedBars);
    EXPECT_EQ(MatchPayRule({9, 9, 9}), PayRule::None);
}

TEST(PayTable, EveryPaylineAgreesWithTheChartReadTopDown)
{
    // The chart read as a player reads it, top row first.
    auto chart = [](const PaylineSymbols& s) {
        const auto count = [&](int32_t v) { return std::count(s.begin(), s.end(), v); };
        const bool bars = std::all_of(s.begin(), s.end(), [](int32_t v) { return v >= 2 && v <= 4; });
        if (count(0) == 3) return 1500;
        if (count(1) == 3) return 250;
        if (count(0) == 2) return 50;
        if (count(2) == 3) return 20;
        if (count(3) == 3) return 10;
        if (count(4) == 3) return 5;
        if (bars) return 2;
        if (count(0) == 1) return 2;
        return 0;
    };
    for (int32_t a = -1; a <= 9; ++a) {
        for (int32_t b = -1; b <= 9; ++b) {
            for (int32_t c = -1; c <= 9; ++c) {
                ASSERT_EQ(PerCoin({a, b, c}), chart({a, b, c})) << a << " " << b << " " << c;
            }
        }
    }
    // Values no reel can show still follow the rules.
    EXPECT_EQ(MatchPayRule({0, 0, 42}), PayRule::TwoSymbol0);
    EXPECT_EQ(MatchPayRule({-7, 4, 4}), PayRule::None);
}

TEST(PayTable, ResetIsNoSymbol)
{
    // The Reset positions hold code 0 but match nothing.
    EXPECT_EQ(engine::PaylineSymbolAt(0, 11), engine::NoSymbol);
    EXPECT_EQ(engine::PaylineSymbolAt(2, 15), engine::NoSymbol);
    EXPECT_EQ(engine::PaylineSymbolAt(0, 23), 0);
    EXPECT_EQ(MatchPayRule({engine::NoSymbol, 0, 0}), PayRule::TwoSymbol0);
    EXPECT_EQ(MatchPayRule({engine::NoSymbol, engine::NoSymbol, 0}), PayRule::OneSymbol0);
}

TEST(PayTable, ResetOnReel0WithTwoZerosPaysFifty)
{
    TestTable t;
    t.game.Stops() = {StopShowing(11), StopShowing(15), StopShowing(29)};
    t.state.BetCoins = 3;
    t.state.Credits = 0;
    t.Evaluate();
    EXPECT_EQ(t.state.Credits, 150);
    EXPECT_EQ(t.state.SpinWin, 0);
}

// Plays the evaluation of every stop combination (nudged as a spin nudges
// them) and returns the credits paid.
int64_t PaidOverAllCombinations(int32_t coins)
{
    TestTable t;
    int64_t paid = 0;
    for (int32_t s0 = 1; s0 <= 30; ++s0) {
        for (int32_t s1 = 1; s1 <= 30; ++s1) {
            for (int32_t s2 = 1; s2 <= 30; ++s2) {
                engine::ReelStops stops{s0, s1, s2};
                for (int reel = 0; reel < 3; ++reel) {
                    if (engine::NeedsDownNudge(stops, reel)) stops[reel] = engine::WrapPosition(stops[reel] - 1);
                    if (engine::NeedsUpNudge(stops, reel)) stops[reel] = engine::WrapPosition(stops[reel] + 1);
                }
                t.game.Stops() = stops;
                t.state.BetCoins = coins;
                t.state.BonusPts = 0;  // one spin cannot fill an empty meter
                t.state.Credits = 0;
                t.host.calls.clear();
                t.Evaluate();
                paid += t.state.Credits;
            }
        }
    }
    return paid;
}

TEST(PayTable, ExactReturnOverAllStopCombinations)
{
    for (int32_t coins : {1, 5}) {
        const int64_t paid = PaidOverAllCombinations(coins);
        const int64_t bet = int64_t{27000} * coins;
        const int64_t divisor = std::gcd(paid, bet);
        EXPECT_EQ(paid / divisor, 3664) << coins << " coins";
        EXPECT_EQ(bet / divisor, 3375) << coins << " coins";
    }
}

}  // namespace
