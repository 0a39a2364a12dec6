// Amounts at the 32-bit limits: sums and products saturate, counts and credits stop at the limit,
// bets from a deep negative balance are refused, and any stop value is read around the loop.
#include <gtest/gtest.h>

#include <limits>

#include "TestSupport.h"
#include "engine/Amounts.h"
#include "engine/PayTable.h"

namespace {

constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();

TEST(Amounts, SaturateInsteadOfWrapping)
{
    EXPECT_EQ(engine::SaturatingAdd(Max, 1), Max);
    EXPECT_EQ(engine::SaturatingAdd(Max - 5, 3), Max - 2);
    EXPECT_EQ(engine::SaturatingAdd(Min, -1), Min);
    EXPECT_EQ(engine::SaturatingAdd(Max, Min), -1);
    EXPECT_EQ(engine::SaturatingSubtract(Min, 1), Min);
    EXPECT_EQ(engine::SaturatingSubtract(0, Min), Max);
    EXPECT_EQ(engine::SaturatingSubtract(Max, -1), Max);
    EXPECT_EQ(engine::SaturatingMultiply(5, 1500), 7500);
    EXPECT_EQ(engine::SaturatingMultiply(Max, 5), Max);
    EXPECT_EQ(engine::SaturatingMultiply(Min, 5), Min);
    EXPECT_EQ(engine::SaturatingMultiply(Min, -1), Max);
}

TEST(Amounts, CountsStopAtTheLimit)
{
    TestTable t;
    t.state.Credits = 100;
    t.state.BetCoins = 5;
    t.state.TotalBets = Max - 2;
    t.state.Spins = Max;
    t.Spin();
    EXPECT_EQ(t.state.TotalBets, Max);
    EXPECT_EQ(t.state.Spins, Max);
    EXPECT_EQ(t.state.LastBet, 5);
}

TEST(Amounts, WinOnTopOfTheLargestBalance)
{
    const uint32_t seed = SeedWhere([](const engine::ReelStops&, const engine::ReelStops& resting) {
        return engine::PayFactor(engine::MatchPayRule(engine::ReadPayline(resting))) >= 50;
    });
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = Max;
    t.state.LastBet = 5;  // re-bet: Max - 5, then a win of at least 250
    t.pickedBox = -1;
    t.Spin();
    EXPECT_EQ(t.state.Credits, Max);
    EXPECT_EQ(t.state.SpinWin, 0);
}

TEST(Amounts, DeepNegativeBalanceCannotBet)
{
    TestTable t;
    t.state.Credits = Min;
    t.state.LastBet = 5;
    t.BetOne();
    t.BetFive();
    t.Spin();
    EXPECT_EQ(t.state.Credits, Min);
    EXPECT_EQ(t.state.BetCoins, 0);
    EXPECT_EQ(t.host.calls, (std::vector<std::string>{"Info You are out of credits...better borrow some!", "StartTrack",
                                                      "Info No bet was placed!"}));
}

TEST(Amounts, AnyStopValueIsReadAroundTheLoop)
{
    TestTable t;
    t.state.Credits = 0;
    t.state.BetCoins = 1;
    // A host may put anything into the stops; they are read wrapped.
    t.game.Stops() = {Max, Min, -8};
    t.Evaluate();
    engine::ReelStops wrapped{engine::WrapPosition(Max), engine::WrapPosition(Min), engine::WrapPosition(-8)};
    EXPECT_EQ(t.state.Credits, engine::PayFactor(engine::MatchPayRule(engine::ReadPayline(wrapped))));
}

}  // namespace
