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

// Up to the animation, which comes only once the outcome has been secured
// (shown here by the Credits it settles at).
Calls SpinStart(int32_t settledCredits)
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
            "MotionHeight",
            "Secure Credits=" + std::to_string(settledCredits) + " Pts=0",
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
    t.state.ClosingRequested = true;  // set before the spin: no effect on it

    engine::GameState atAnimation;
    ReelStops stopsAtAnimation{};
    bool runningAtAnimation = false;
    t.host.afterCall = [&](const std::string& call) {
        if (call != "Animate") return;
        atAnimation = t.state;
        stopsAtAnimation = t.game.Stops();
        runningAtAnimation = t.game.SpinRunning();
    };
    EXPECT_FALSE(t.game.SpinRunning());
    t.game.Spin();

    EXPECT_EQ(t.host.calls, Concat({{"StartTrack", "Credits=8", "Coins=2"},
                                    SpinStart(8),
                                    {"Button 1 1", "Button 5 1", "Button S 1", "ButtonAttention on", "Query WinFlash",
                                     "BetSignBlink on"}}));
    // The start of the animation has charged the bet, drawn the stops and
    // counted the spin.
    EXPECT_TRUE(atAnimation.SpinInProgress);
    EXPECT_TRUE(runningAtAnimation);
    EXPECT_FALSE(atAnimation.ClosingRequested);
    EXPECT_EQ(atAnimation.TotalBets, 2);
    EXPECT_EQ(atAnimation.Spins, 1);
    engine::Random draws(seed);
    for (int reel = 0; reel < 3; ++reel) {
        EXPECT_EQ(t.host.lastOffsets[reel], draws(456));
        EXPECT_EQ(stopsAtAnimation[reel], draws(30) + 1);
    }
    // The end of the spin.
    EXPECT_FALSE(t.game.SpinRunning());
    EXPECT_FALSE(t.state.SpinInProgress);
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
    t.game.Spin();
    EXPECT_EQ(t.host.calls,
              Concat({{"StartTrack"},
                      SpinStart(22),
                      {"WinFlash on", "WinSound", "WinningsCaption", "Sound 3", "Credits=21", "Winnings=1",
                       "Delay 0.075", "Sound 3", "Credits=22", "Winnings=2", "Delay 0.075", "Button 1 1", "Button 5 1",
                       "Button S 1", "ButtonAttention on", "Query WinFlash"}}));
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
    std::vector<int32_t> stopAtSlide;
    std::vector<int32_t> stopAtSettle;
    t.host.afterCall = [&](const std::string& call) {
        if (call.rfind("Slide ", 0) == 0) stopAtSlide.push_back(t.game.Stops()[static_cast<size_t>(call[6] - '0')]);
        if (call.rfind("Settle ", 0) == 0) stopAtSettle.push_back(t.game.Stops()[static_cast<size_t>(call[7] - '0')]);
    };
    t.game.Spin();

    const Calls after = t.host.From("Animate");
    ASSERT_GE(after.size(), 7u);
    EXPECT_EQ(Calls(after.begin() + 1, after.begin() + 7),
              (Calls{"Sound 8", "Slide 0 Down", "Settle 0", "Sound 9", "Slide 2 Up", "Settle 2"}));
    const ReelStops drawn = [&] {
        engine::Random r(seed);
        ReelStops s{};
        engine::MotionOffsets o{};
        engine::ChooseStops(r, 456, s, o);
        return s;
    }();
    // The slide starts from the stop as it stands; the settle follows the change.
    EXPECT_EQ(stopAtSlide, (std::vector<int32_t>{drawn[0], drawn[2]}));
    EXPECT_EQ(stopAtSettle,
              (std::vector<int32_t>{engine::WrapPosition(drawn[0] - 1), engine::WrapPosition(drawn[2] + 1)}));
    EXPECT_EQ(t.game.Stops(), RestingStopsFor(seed));
}

TEST(Bets, RefusedWithTheirMessages)
{
    TestTable t;
    t.state.Credits = 0;
    t.state.BetCoins = 2;
    const engine::GameState before = t.state;
    t.game.BetOne();
    EXPECT_EQ(t.host.calls, Calls{"Info You are out of credits...better borrow some!"});
    EXPECT_EQ(t.state.Credits, before.Credits);
    EXPECT_EQ(t.state.BetCoins, before.BetCoins);

    t.host.calls.clear();
    t.game.BetFive();  // silently nothing
    EXPECT_TRUE(t.host.calls.empty());
    EXPECT_EQ(t.state.BetCoins, 2);

    t.state.Credits = -5;
    t.host.calls.clear();
    t.game.BetOne();
    EXPECT_EQ(t.host.calls, Calls{"Info You are out of credits...better borrow some!"});
    EXPECT_EQ(t.state.Credits, -5);
}

TEST(Bets, NoBetPlaced)
{
    TestTable t;
    t.state.Credits = 50;
    t.game.Spin();
    EXPECT_EQ(t.host.calls, (Calls{"StartTrack", "Info No bet was placed!"}));

    // No partial re-bet: 4 credits do not cover the last bet of 5.
    t.host.calls.clear();
    t.state.Credits = 4;
    t.state.LastBet = 5;
    t.game.Spin();
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
    t.game.Spin();
    ASSERT_GE(t.host.calls.size(), 3u);
    EXPECT_EQ(Calls(t.host.calls.begin(), t.host.calls.begin() + 3), (Calls{"StartTrack", "Credits=2", "Coins=5"}));
    EXPECT_EQ(t.state.TotalBets, 5);
    EXPECT_EQ(t.host.Count("Sound 1"), 0);  // no coin sound for the re-bet
}

TEST(Bets, BetFiveStopsWhenCreditsRunOut)
{
    TestTable t;
    t.state.Credits = 3;
    t.game.BetFive();
    EXPECT_EQ(t.host.calls, (Calls{"Credits=2", "Coins=1", "Sound 1", "Credits=1", "Coins=2", "Sound 1", "Credits=0",
                                   "Coins=3", "Sound 1"}));
    EXPECT_EQ(t.state.BetCoins, 3);
    t.game.Spin();
    EXPECT_EQ(t.state.TotalBets, 3);
    EXPECT_EQ(t.state.LastBet, 3);
}

TEST(Bets, FifthCoinStartsTheSpin)
{
    TestTable t;
    t.state.Credits = 10;
    t.state.BetCoins = 4;
    t.game.BetOne();
    ASSERT_GE(t.host.calls.size(), 4u);
    EXPECT_EQ(Calls(t.host.calls.begin(), t.host.calls.begin() + 4),
              (Calls{"Sound 1", "Credits=9", "Coins=5", "StartTrack"}));
    EXPECT_EQ(t.state.TotalBets, 5);
    EXPECT_EQ(t.state.Spins, 1);
    EXPECT_EQ(t.state.LastBet, 5);

    TestTable five;
    five.state.Credits = 10;
    five.game.BetFive();
    EXPECT_EQ(five.state.TotalBets, 5);
    EXPECT_EQ(five.host.Count("Sound 1"), 5);
}

TEST(Spin, FailedMusicStartEndsTheCommand)
{
    TestTable t;
    t.host.trackStarts = false;
    t.state.Credits = 10;
    t.state.BetCoins = 4;
    t.game.BetOne();  // the fifth coin: the spin command ends at the music
    EXPECT_EQ(t.host.calls, (Calls{"Sound 1", "Credits=9", "Coins=5", "StartTrack"}));
    EXPECT_EQ(t.state.BetCoins, 5);
    EXPECT_EQ(t.state.Spins, 0);
    EXPECT_FALSE(t.game.SpinRunning());

    // A full table takes no sixth coin; it spins.
    t.host.trackStarts = true;
    t.host.calls.clear();
    t.game.BetOne();
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
    t.host.pickedBox = 0;
    int bonusGames = 0;
    for (int spin = 0; spin < 400; ++spin) {
        const int32_t before = t.state.Credits;
        const int32_t bonusWonBefore = t.state.BonusWon;
        const int windowsBefore = t.host.Count("BonusWindow");
        t.game.Spin();
        const bool bonus = t.host.Count("BonusWindow") > windowsBefore;
        bonusGames += bonus ? 1 : 0;
        const int32_t prize = bonus ? std::max(t.host.lastPrizes[0], 0) : 0;
        const int32_t win = 3 * engine::PayFactor(RuleAt(t.game.Stops()));
        ASSERT_EQ(t.state.Credits - before, -3 + win + prize) << "spin " << spin;
        ASSERT_EQ(t.state.BonusWon - bonusWonBefore, prize);
        ASSERT_EQ(t.state.SpinWin, 0);
        // Before the reels moved, the spin's end was made durable: a full
        // meter stands for the bonus game still to come, its prize not yet in.
        ASSERT_EQ(t.host.secured.size(), bonus ? 2u : 1u) << "spin " << spin;
        const engine::GameState& drawn = t.host.secured.front();
        ASSERT_EQ(drawn.Credits, t.state.Credits - prize) << "spin " << spin;
        ASSERT_EQ(drawn.BonusPts, bonus ? engine::BonusMeterFull : t.state.BonusPts) << "spin " << spin;
        ASSERT_EQ(drawn.Spins, t.state.Spins);
        ASSERT_EQ(drawn.TotalBets, t.state.TotalBets);
        ASSERT_EQ(drawn.BetCoins, 0);
        const engine::GameState& settled = t.host.secured.back();
        ASSERT_EQ(settled.Credits, t.state.Credits);
        ASSERT_EQ(settled.BonusPts, t.state.BonusPts);
        ASSERT_EQ(settled.BonusWon, t.state.BonusWon);
        t.host.secured.clear();
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
    t.game.Spin();
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

TEST(Spin, InputDuringASpinIsIgnored)
{
    TestTable t;
    t.state.Credits = 100;
    t.state.BetCoins = 2;
    std::vector<bool> running;
    t.host.afterCall = [&](const std::string& call) {
        if (call != "Animate") return;
        running.push_back(t.game.SpinRunning());
        t.game.Spin();
        t.game.BetOne();
        t.game.BetFive();
    };
    t.game.Spin();
    EXPECT_EQ(running, std::vector<bool>{true});
    EXPECT_EQ(t.host.Count("StartTrack"), 1);
    EXPECT_EQ(t.host.Count("Sound 1"), 0);
    EXPECT_EQ(t.state.Spins, 1);
    EXPECT_EQ(t.state.TotalBets, 2);
    EXPECT_EQ(t.state.LastBet, 2);
    EXPECT_FALSE(t.game.SpinRunning());
}

TEST(Spin, AHostFailureDoesNotLockTheTable)
{
    const uint32_t seed = SeedForPlainSpin(engine::PayRule::TwoSymbol0);
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = 100;
    t.state.BetCoins = 2;
    t.host.afterCall = [](const std::string& call) {
        if (call == "Delay 0.075") throw std::runtime_error("sound file unreadable");
    };
    EXPECT_THROW(t.game.Spin(), std::runtime_error);
    EXPECT_FALSE(t.game.SpinRunning());
    EXPECT_FALSE(t.state.SpinInProgress);
    EXPECT_EQ(t.state.Credits, 200);  // the whole win of 100, not just the first step
    EXPECT_EQ(t.state.SpinWin, 0);
    EXPECT_EQ(t.state.BetCoins, 0);
    EXPECT_EQ(t.state.LastBet, 2);
    EXPECT_EQ(t.state.TotalBets, 2);

    // Before anything was charged, nothing changes.
    TestTable early;
    early.state.Credits = 100;
    early.state.BetCoins = 2;
    early.state.SpinInProgress = true;  // held by the start-up, not by this spin
    early.host.afterCall = [](const std::string& call) {
        if (call == "StartTrack") throw std::runtime_error("music device gone");
    };
    EXPECT_THROW(early.game.Spin(), std::runtime_error);
    EXPECT_TRUE(early.state.SpinInProgress);
    EXPECT_EQ(early.state.BetCoins, 2);
    EXPECT_FALSE(early.game.SpinRunning());
}

TEST(FinishSpinNow, DuringTheCountTheRestGoesInAtOnce)
{
    const uint32_t seed = SeedForPlainSpin(engine::PayRule::TwoSymbol0);
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = 1000;
    t.state.LastBet = 5;
    t.host.afterCall = [&](const std::string& call) {
        if (call == "Delay 0.075") t.game.FinishSpinNow();
    };
    t.game.Spin();
    EXPECT_EQ(t.state.Credits, 995 + 250);
    EXPECT_EQ(t.state.SpinWin, 0);
    EXPECT_EQ(t.host.Count("Delay 0.075"), 1);
    EXPECT_EQ(t.host.Count("Sound 3"), 1);
    // One step of 10, then the remaining 240 in one redraw.
    EXPECT_EQ(t.host.Matching("Winnings="), (Calls{"Winnings=10", "Winnings=250"}));
    EXPECT_EQ(t.host.Matching("Credits="), (Calls{"Credits=995", "Credits=1005", "Credits=1245"}));
    EXPECT_FALSE(t.state.SpinInProgress);
    EXPECT_EQ(t.host.calls.back(), "Query WinFlash");
}

TEST(FinishSpinNow, DuringTheAnimationNoSlidesSoundsOrWaits)
{
    const uint32_t seed = SeedWhere([](const ReelStops& drawn, const ReelStops& resting) {
        return drawn != resting && engine::PayFactor(RuleAt(resting)) >= 2 && MeterStill(resting);
    });
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = 100;
    t.state.BetCoins = 5;
    t.host.afterCall = [&](const std::string& call) {
        if (call == "Animate") t.game.FinishSpinNow();
    };
    t.game.Spin();
    const ReelStops resting = RestingStopsFor(seed);
    const int32_t win = 5 * engine::PayFactor(RuleAt(resting));
    EXPECT_EQ(t.game.Stops(), resting);  // the stops still nudge
    EXPECT_TRUE(t.host.Matching("Slide").empty());
    EXPECT_TRUE(t.host.Matching("Settle").empty());
    EXPECT_TRUE(t.host.Matching("Sound").empty());
    EXPECT_TRUE(t.host.Matching("Delay").empty());
    EXPECT_EQ(t.host.Count("WinSound"), 0);
    EXPECT_EQ(t.host.Matching("Winnings="), Calls{"Winnings=" + std::to_string(win)});
    EXPECT_EQ(t.state.Credits, 100 + win);
}

TEST(FinishSpinNow, FullMeterIsKeptForTheNextSpin)
{
    const uint32_t filling = SeedWhere([](const ReelStops&, const ReelStops& resting) {
        return !engine::ResetOnPayline(resting) && engine::PaylineBonusPoints(resting) > 0;
    });
    const uint32_t calm = SeedWhere(
        [](const ReelStops& drawn, const ReelStops& resting) { return drawn != resting && MeterStill(resting); });
    TestTable t;
    t.random.SetSeed(filling);
    t.state.Credits = 100;
    t.state.BonusPts = 11;
    t.state.LastBet = 1;
    t.host.afterCall = [&](const std::string& call) {
        if (call == "Animate") t.game.FinishSpinNow();
    };
    t.game.Spin();
    EXPECT_EQ(t.state.BonusPts, 12);
    EXPECT_EQ(t.host.Count("BonusWindow"), 0);
    EXPECT_EQ(t.host.Count("Sound 6"), 0);

    // The next spin is an ordinary one again and plays the bonus game.
    t.host.afterCall = nullptr;
    t.host.calls.clear();
    t.random.SetSeed(calm);
    t.game.Spin();
    EXPECT_FALSE(t.host.Matching("Slide").empty());
    EXPECT_EQ(t.host.Count("BonusWindow"), 1);
    EXPECT_EQ(t.state.BonusPts, 0);
}

TEST(FinishSpinNow, WhileThePrizeIsCounted)
{
    const uint32_t filling = SeedWhere([](const ReelStops&, const ReelStops& resting) {
        return !engine::ResetOnPayline(resting) && engine::PaylineBonusPoints(resting) > 0 &&
               RuleAt(resting) == engine::PayRule::None;
    });
    TestTable t;
    t.random.SetSeed(filling);
    t.state.Credits = 100;
    t.state.BonusPts = 11;
    t.state.LastBet = 1;
    t.host.chooseBox = [](const engine::BonusPrizes& prizes) {
        return static_cast<int>(std::find(prizes.begin(), prizes.end(), 250) - prizes.begin());
    };
    bool windowClosed = false;
    t.host.afterCall = [&](const std::string& call) {
        if (call == "BonusWindow") windowClosed = true;
        if (windowClosed && call == "Delay 0.075") t.game.FinishSpinNow();
    };
    t.game.Spin();
    EXPECT_EQ(t.state.Credits, 99 + 250);
    EXPECT_EQ(t.state.BonusWon, 250);
    EXPECT_EQ(t.host.Count("Delay 0.075"), 1);
    EXPECT_EQ(t.host.Matching("Winnings="), (Calls{"Winnings=10", "Winnings=250"}));
}

TEST(FinishSpinNow, OutsideASpinChangesNothing)
{
    const uint32_t seed = SeedForPlainSpin(engine::PayRule::MixedBars);
    TestTable t;
    t.random.SetSeed(seed);
    t.state.Credits = 20;
    t.state.BetCoins = 1;
    t.game.FinishSpinNow();
    t.game.Spin();
    EXPECT_EQ(t.host.Count("WinSound"), 1);
    EXPECT_EQ(t.host.Count("Delay 0.075"), 2);
}

}  // namespace
