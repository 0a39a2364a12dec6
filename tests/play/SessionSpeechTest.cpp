// What a screen reader is told: the announcements of a round in the order it
// is played, the table's reading kept with what is drawn (in recall too), and
// the symbols and sentences in words.
#include <gtest/gtest.h>

#include <algorithm>

#include "SessionFakes.h"
#include "play/ForcedStops.h"

using namespace playtest;
using play::Command;

namespace {

// Three double bars with a nudge on the left reel and 4 bonus points.
constexpr engine::ReelStops DoubleBarsWithNudge{27, 12, 2};

void ExpectReadingIsTheGame(const play::Session& s)
{
    const play::TableShown& r = s.Shown();
    EXPECT_EQ(r.credits, s.State().Credits);
    EXPECT_EQ(r.meter, s.State().BonusPts);
    EXPECT_EQ(r.stops, s.Rules().Stops());
}

}  // namespace

TEST(SessionSpeech, ARoundIsAnnouncedInTheOrderItIsPlayed)
{
    play::ForcedStops stops(DoubleBarsWithNudge);
    Table t(stops);
    play::Session& s = t.Start();
    ASSERT_TRUE(s.Shown().takesPlay);
    t.Play(Command::BetOne);
    t.Play(Command::Spin);
    EXPECT_EQ(t.announcer.spoken,
              (std::vector<std::string>{
                  "Coins 1. Credits 999.",
                  "Left reel nudges up. Three double bars. You win 10. Credits 1009. Bonus meter 4 of 12."}));
    ExpectReadingIsTheGame(s);
    EXPECT_EQ(s.Shown().winnings, 10);
    EXPECT_EQ(s.Shown().coins, 1) << "the coins stay on show until the next bet";
    EXPECT_TRUE(s.Shown().takesPlay);

    // The third spin fills the meter: its own win is told before the boxes,
    // the bonus game's once its prize is counted.
    t.Play(Command::Spin);
    t.announcer.spoken.clear();
    t.Play(Command::Spin);
    ASSERT_EQ(t.dialogs.bonusWindows, 1);
    const int32_t credits = s.State().Credits;
    // The prizes are shuffled by the generator: the first box may be empty.
    const std::string held =
        t.dialogs.lastPrize > 0 ? "holds " + std::to_string(t.dialogs.lastPrize) : std::string("is empty");
    EXPECT_EQ(t.announcer.spoken,
              (std::vector<std::string>{"Left reel nudges up. Three double bars. You win 10. Credits " +
                                            std::to_string(credits - t.dialogs.lastPrize) + ". Bonus meter 12 of 12.",
                                        "Bonus game: box 1 " + held + ". Credits " + std::to_string(credits) +
                                            ". Bonus meter 0 of 12."}));
    ExpectReadingIsTheGame(s);
}

TEST(SessionSpeech, KeysRefusedWhileTheReelsTurnAreToldOnceACommand)
{
    play::ForcedStops stops(DoubleBarsWithNudge);
    Table t(stops);
    play::Session& s = t.Start();
    t.Play(Command::BetOne);
    t.announcer.spoken.clear();
    int refused = 0;
    t.clock.onWait = [&] {
        if (refused < 3 && s.Lifecycle().CommandRunning()) {
            ++refused;
            s.Play(refused == 2 ? Command::BetFive : Command::Spin);
        }
    };
    t.Play(Command::Spin);
    ASSERT_EQ(refused, 3);
    EXPECT_EQ(s.State().Spins, 1) << "a refused key never spins";
    ASSERT_EQ(t.announcer.spoken.size(), 2u);
    EXPECT_EQ(t.announcer.spoken.front(), "Reels turning.");
    EXPECT_EQ(t.announcer.spoken.back().rfind("Left reel nudges up. Three double bars.", 0), 0u);

    // The next spin's refusal is told again; with a dialog open nothing is.
    refused = 0;
    t.announcer.spoken.clear();
    t.Play(Command::Spin);
    EXPECT_EQ(std::count(t.announcer.spoken.begin(), t.announcer.spoken.end(), "Reels turning."), 1);
    t.clock.onWait = nullptr;
    ASSERT_TRUE(s.BeginDialog());
    t.announcer.spoken.clear();
    s.Play(Command::Spin);
    EXPECT_TRUE(t.announcer.spoken.empty());
    EXPECT_EQ(s.State().Spins, 2);
}

TEST(SessionSpeech, BorrowingIsToldAndRecallReadsTheRecalledSpinUntilItEnds)
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    t.Play(Command::BetOne);
    t.Play(Command::Spin);
    const engine::GameState before = s.State();
    s.State().Borrowed += 500;
    s.State().Credits += 500;
    s.AfterBorrow(before);
    EXPECT_EQ(t.announcer.spoken.back(), "You borrowed 500. Credits " + std::to_string(s.State().Credits) +
                                             ", borrowed " + std::to_string(s.State().Borrowed) + ".");
    ExpectReadingIsTheGame(s);
    const play::TableShown playing = s.Shown();

    const int changes = t.announcer.changes;
    ASSERT_TRUE(s.Recall(t.files.LastSpins(10).front()));
    EXPECT_GT(t.announcer.changes, changes);
    EXPECT_FALSE(s.Shown().takesPlay);
    EXPECT_EQ(s.Shown().credits, before.Credits) << "the recalled spin's credits, not the borrowed ones";
    EXPECT_EQ(s.Shown().winnings, 1500);
    s.EndRecall();
    EXPECT_EQ(s.Shown(), playing);
}

TEST(SpokenTable, SymbolsAndSentences)
{
    EXPECT_EQ(play::PaylineText(engine::StartStops), "Plum, Plum, Plum");
    EXPECT_EQ(play::SymbolName(0, 11), "Reset");
    EXPECT_EQ(play::SymbolName(0, 21), "Bonus single bar");
    EXPECT_EQ(play::SymbolName(2, 1), "Down single bar");
    EXPECT_EQ(play::SymbolName(1, 2), "Blank");
    EXPECT_EQ(play::SymbolName(7, 1), "Blank") << "no reel 7";

    engine::SpinOutcome lost;
    EXPECT_EQ(play::SpinAnnouncement(lost, 994), "No win. Credits 994.");
    EXPECT_EQ(play::BorrowAnnouncement(2000, 1500, 20), "You paid back 500. Credits 20, borrowed 1500.");
    EXPECT_EQ(play::BorrowAnnouncement(INT32_MIN, INT32_MAX, 0),
              "You borrowed 4294967295. Credits 0, borrowed 2147483647.");
}
