// Bets and spins: the order of a spin's calls, the nudges, refused bets, the music, the money over
// many spins, input during a spin, a host's failure, and a spin finished at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "engine/PayTable.h"

namespace {

using Calls = std::vector<std::string>;
using engine::ReelStops;

engine::PayRule RuleAt(const ReelStops& resting)
{
    return engine::MatchPayRule(engine::ReadPayline(resting));
}

// No Reset and no Bonus points on the payline.
bool MeterStill(const ReelStops& resting)
{
    return !engine::ResetOnPayline(resting) && engine::PaylineBonusPoints(resting) == 0;
}

// Up to the animation.
Calls SpinStart()
{
    return {"ButtonAttention off",
            "WinFlash off",
            "BetSignBlink off",
            "LogoPanel 1",
            "TitlePlate 1",
            "Button 1 0",
            "Button 5 0",
            "Button S 0",
            "BetSign 1",
            "Animate"};
}

// A seed whose spin nudges nothing, pays by the given rule and leaves the
// meter alone, so a test sees only what it is about.
uint32_t SeedForPlainSpin(engine::PayRule rule)
{
    return SeedWhere([rule](const ReelStops& drawn, const ReelStops& resting) {
        return drawn == resting && RuleAt(resting) == rule && MeterStill(resting);
    });
}

Calls Concat(std::initializer_list<Calls> parts)
{
    Calls all;
    for (const Calls& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(Spin, LosingSpinWithReBetInOrder)
{
    const uint32_t seed = SeedForPlainSpin(engine::PayRule::None);
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = 10;
    t.state.LastBet = 2;
    t.Spin();

    EXPECT_EQ(t.host.calls,
              Concat({{"StartTrack", "Credits=8", "Coins=2"},
                      SpinStart(),
                      {"Button 1 1", "Button 5 1", "Button S 1", "ButtonAttention on", "BetSignBlink on"}}));
    // The bet is charged, the stops drawn and the spin counted: the reels
    // turn from the offsets drawn to the stops drawn.
    EXPECT_EQ(t.state.TotalBets, 2);
    EXPECT_EQ(t.state.Spins, 1);
    engine::Random draws(seed);
    for (int reel = 0; reel < 3; ++reel) {
        EXPECT_EQ(t.host.lastOffsets[reel], draws(456));
        EXPECT_EQ(t.host.lastSpinStops[reel], draws(30) + 1);
    }
    // The game stands where the spin settles before anything is shown.
    ASSERT_EQ(t.settled.size(), 1u);
    EXPECT_EQ(t.settled[0].Credits, 8);
    EXPECT_EQ(t.state.BetCoins, 0);
    EXPECT_EQ(t.state.LastBet, 2);
    EXPECT_EQ(t.state.Credits, 8);
    EXPECT_EQ(t.state.SpinWin, 0);
}

TEST(Spin, WinningSpinCountsAndLeavesTheFlashOn)
{
    const uint32_t seed = SeedForPlainSpin(engine::PayRule::MixedBars);
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = 20;
    t.state.BetCoins = 1;
    t.Spin();
    EXPECT_EQ(t.host.calls, Concat({{"StartTrack"},
                                    SpinStart(),
                                    {"WinFlash on", "WinSound", "Sound 3", "Credits=21", "Winnings=1",
                                     "Delay 0.075", "Sound 3", "Credits=22", "Winnings=2", "Delay 0.075", "Button 1 1",
                                     "Button 5 1", "Button S 1", "ButtonAttention on"}}));
    EXPECT_EQ(t.state.Credits, 22);
    EXPECT_EQ(t.state.LastBet, 1);
}

TEST(Spin, NudgesReelByReelDownThenUp)
{
    const uint32_t seed = SeedWhere([](const ReelStops& drawn, const ReelStops& resting) {
        return resting[0] == engine::WrapPosition(drawn[0] - 1) && drawn[1] == resting[1] &&
               resting[2] == engine::WrapPosition(drawn[2] + 1);
    });
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = 20;
    t.state.BetCoins = 1;
    t.Spin();

    const ReelStops drawn = [&] {
        engine::Random r(seed);
        ReelStops s{};
        engine::MotionOffsets o{};
        engine::ChooseStops(r, 456, s, o);
        return s;
    }();
    // The slide starts from the stop as it stands; the settle is on the changed stop.
    const auto at = [](int32_t stop) { return std::to_string(stop); };
    const Calls after = t.host.From("Animate");
    ASSERT_GE(after.size(), 7u);
    EXPECT_EQ(Calls(after.begin() + 1, after.begin() + 7),
              (Calls{"Sound 8", "Slide 0 Down from " + at(drawn[0]), "Settle 0 on " + at(engine::WrapPosition(drawn[0] - 1)),
                     "Sound 9", "Slide 2 Up from " + at(drawn[2]), "Settle 2 on " + at(engine::WrapPosition(drawn[2] + 1))}));
    EXPECT_EQ(t.game.Stops(), RestingStopsFor(seed));
}

TEST(Bets, RefusedWithTheirMessages)
{
    TestTable t;
    t.state.Credits = 0;
    t.state.BetCoins = 2;
    const engine::GameState before = t.state;
    t.BetOne();
    EXPECT_EQ(t.host.calls, Calls{"Info You are out of credits...better borrow some!"});
    EXPECT_EQ(t.state.Credits, before.Credits);
    EXPECT_EQ(t.state.BetCoins, before.BetCoins);

    t.host.calls.clear();
    t.BetFive();  // silently nothing
    EXPECT_TRUE(t.host.calls.empty());
    EXPECT_EQ(t.state.BetCoins, 2);

    t.state.Credits = -5;
    t.host.calls.clear();
    t.BetOne();
    EXPECT_EQ(t.host.calls, Calls{"Info You are out of credits...better borrow some!"});
    EXPECT_EQ(t.state.Credits, -5);
}

TEST(Bets, NoBetPlaced)
{
    TestTable t;
    t.state.Credits = 50;
    t.Spin();
    EXPECT_EQ(t.host.calls, (Calls{"StartTrack", "Info No bet was placed!"}));

    // No partial re-bet: 4 credits do not cover the last bet of 5.
    t.host.calls.clear();
    t.state.Credits = 4;
    t.state.LastBet = 5;
    t.Spin();
    EXPECT_EQ(t.host.calls, (Calls{"StartTrack", "Info No bet was placed!"}));
    EXPECT_EQ(t.state.Credits, 4);
    EXPECT_EQ(t.state.LastBet, 5);
    EXPECT_EQ(t.state.Spins, 0);
    EXPECT_EQ(t.state.TotalBets, 0);
    EXPECT_FALSE(t.state.SpinInProgress);
}

TEST(Bets, ReBetOfTheWholeLastBet)
{
    TestTable t;
    t.state.Credits = 7;
    t.state.LastBet = 5;
    t.Spin();
    ASSERT_GE(t.host.calls.size(), 3u);
    EXPECT_EQ(Calls(t.host.calls.begin(), t.host.calls.begin() + 3), (Calls{"StartTrack", "Credits=2", "Coins=5"}));
    EXPECT_EQ(t.state.TotalBets, 5);
    EXPECT_EQ(t.host.Count("Sound 1"), 0);  // no coin sound for the re-bet
}

TEST(Bets, BetFiveStopsWhenCreditsRunOut)
{
    TestTable t;
    t.state.Credits = 3;
    t.BetFive();
    EXPECT_EQ(t.host.calls, (Calls{"Credits=2", "Coins=1", "Sound 1", "Credits=1", "Coins=2", "Sound 1", "Credits=0",
                                   "Coins=3", "Sound 1"}));
    EXPECT_EQ(t.state.BetCoins, 3);
    t.Spin();
    EXPECT_EQ(t.state.TotalBets, 3);
    EXPECT_EQ(t.state.LastBet, 3);
}

TEST(Bets, FifthCoinStartsTheSpin)
{
    TestTable t;
    t.state.Credits = 10;
    t.state.BetCoins = 4;
    t.BetOne();
    ASSERT_GE(t.host.calls.size(), 4u);
    EXPECT_EQ(Calls(t.host.calls.begin(), t.host.calls.begin() + 4),
              (Calls{"StartTrack", "Sound 1", "Credits=9", "Coins=5"}));
    EXPECT_EQ(t.state.TotalBets, 5);
    EXPECT_EQ(t.state.Spins, 1);
    EXPECT_EQ(t.state.LastBet, 5);

    TestTable five;
    five.state.Credits = 10;
    five.BetFive();
    EXPECT_EQ(five.state.TotalBets, 5);
    EXPECT_EQ(five.host.Count("Sound 1"), 5);
}

TEST(Spin, FailedMusicStartEndsTheCommand)
{
    TestTable t;
    t.host.trackStarts = false;
    t.state.Credits = 10;
    t.state.BetCoins = 4;
    t.BetOne();  // the fifth coin: the spin command ends at the music
    // The music is asked while the command is decided, before its script.
    EXPECT_EQ(t.host.calls, (Calls{"StartTrack", "Sound 1", "Credits=9", "Coins=5"}));
    EXPECT_EQ(t.state.BetCoins, 5);
    EXPECT_EQ(t.state.Spins, 0);

    // A full table takes no sixth coin; it spins.
    t.host.trackStarts = true;
    t.host.calls.clear();
    t.BetOne();
    EXPECT_EQ(t.host.calls.front(), "StartTrack");
    EXPECT_EQ(t.state.TotalBets, 5);
    EXPECT_GE(t.state.Credits, 9);
    EXPECT_EQ(t.state.LastBet, 5);
}

TEST(Spin, MoneyFlowOverManySpins)
{
    TestTable t;
    t.random.SetSeed(777);
    t.state.Credits = 100000;
    t.state.LastBet = 3;
    t.state.BonusPts = 0;
    t.pickedBox = 0;
    int bonusGames = 0;
    for (int spin = 0; spin < 400; ++spin) {
        const int32_t before = t.state.Credits;
        const int32_t bonusWonBefore = t.state.BonusWon;
        const int windowsBefore = t.host.Count("BonusWindow");
        t.Spin();
        const bool bonus = t.host.Count("BonusWindow") > windowsBefore;
        bonusGames += bonus ? 1 : 0;
        const int32_t prize = bonus ? std::max(t.host.lastPrizes[0], 0) : 0;
        const int32_t win = 3 * engine::PayFactor(RuleAt(t.game.Stops()));
        ASSERT_EQ(t.state.Credits - before, -3 + win + prize) << "spin " << spin;
        ASSERT_EQ(t.state.BonusWon - bonusWonBefore, prize);
        ASSERT_EQ(t.state.SpinWin, 0);
        // Before the reels move, the spin's end is settled: a full meter
        // stands for the bonus game still to come, its prize not yet in.
        ASSERT_EQ(t.settled.size(), bonus ? 2u : 1u) << "spin " << spin;
        const engine::GameState& drawn = t.settled.front();
        ASSERT_EQ(drawn.Credits, t.state.Credits - prize) << "spin " << spin;
        ASSERT_EQ(drawn.BonusPts, bonus ? engine::BonusMeterFull : t.state.BonusPts) << "spin " << spin;
        ASSERT_EQ(drawn.Spins, t.state.Spins);
        ASSERT_EQ(drawn.TotalBets, t.state.TotalBets);
        ASSERT_EQ(drawn.BetCoins, 0);
        const engine::GameState& settled = t.settled.back();
        ASSERT_EQ(settled.Credits, t.state.Credits);
        ASSERT_EQ(settled.BonusPts, t.state.BonusPts);
        ASSERT_EQ(settled.BonusWon, t.state.BonusWon);
        t.settled.clear();
        t.host.calls.clear();
    }
    EXPECT_EQ(t.state.TotalBets, 1200);
    EXPECT_EQ(t.state.Spins, 400);
    EXPECT_GT(bonusGames, 0);
}

TEST(NewGame, FreshMoneyOnAnEmptyTable)
{
    TestTable t;
    t.state = {};
    t.state.Credits = 3;
    t.state.Borrowed = 2500;
    t.state.Spins = 50;
    t.state.TotalBets = 200;
    t.state.BonusWon = 75;
    t.state.BonusPts = 7;
    t.state.BetCoins = 3;
    t.state.LastBet = 2;
    t.state.GameName = "Lucky";
    t.state.GameDate = "01/02/03";
    engine::StartNewGame(t.state);
    EXPECT_EQ(t.state.Credits, 1000);
    EXPECT_EQ(t.state.Borrowed, 1000);
    EXPECT_EQ(t.state.Spins, 0);
    EXPECT_EQ(t.state.TotalBets, 0);
    EXPECT_EQ(t.state.BonusWon, 0);
    EXPECT_EQ(t.state.BonusPts, 0);
    EXPECT_EQ(t.state.BetCoins, 0);
    EXPECT_EQ(t.state.LastBet, 2);
    EXPECT_EQ(t.state.GameName, "Lucky");
    EXPECT_EQ(t.state.GameDate, "01/02/03");

    // A spin on the empty table places the last bet again, from the new credits.
    t.Spin();
    EXPECT_EQ(t.state.TotalBets, 2);
    EXPECT_GE(t.state.Credits, 998);
}

TEST(NewGame, CoinsOnTheTableGoBackIntoTheGameThatIsSaved)
{
    engine::GameState state;
    state.Credits = 997;
    state.BetCoins = 3;
    const engine::GameState saved = engine::WithCoinsReturned(state);
    EXPECT_EQ(saved.Credits, 1000);
    EXPECT_EQ(saved.BetCoins, 0);
    EXPECT_EQ(state.Credits, 997) << "the running game keeps its coins on the table";
    state.Credits = std::numeric_limits<int32_t>::max() - 1;
    EXPECT_EQ(engine::WithCoinsReturned(state).Credits, std::numeric_limits<int32_t>::max());
}

TEST(Spin, AFailedMusicStartChangesNothing)
{
    // The host's only failure comes before anything is charged.
    struct FailingHost : RecordingHost {
        bool StartPendingTrack() override { throw std::runtime_error("music device gone"); }
    } host;
    engine::GameState state;
    state.Credits = 100;
    state.BetCoins = 2;
    engine::Random random(1);
    engine::Game game(state, random, host);
    EXPECT_THROW(game.Spin(), std::runtime_error);
    EXPECT_EQ(state.BetCoins, 2);
    EXPECT_EQ(state.Credits, 100);
    EXPECT_EQ(state.Spins, 0);
    // The next command is taken as usual.
    EXPECT_FALSE(game.BetOne().Empty());
    EXPECT_EQ(state.BetCoins, 3);
}

}  // namespace
