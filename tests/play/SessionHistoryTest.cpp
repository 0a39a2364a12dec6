// The play's history: every spin, bonus game and money event kept with
// credits that chain from one entry to the next, and a history that cannot
// be kept told once, after the spin, while play goes on.
#include <gtest/gtest.h>

#include "SessionFakes.h"

using namespace playtest;
using play::Command;
using store::HistoryKind;

TEST(SessionHistory, EachEntrysCreditsBeforeAreTheCreditsAfterOfTheOneBefore)
{
    Table t;
    t.files.stored.Credits = 40;
    play::Session& s = t.Start();
    s.Random().SetSeed(20261207);
    engine::Random player(7);  // what the player does next
    for (int step = 0; step < 600; ++step) {
        const int32_t choice = player(20);
        const engine::GameState before = s.State();
        if (choice < 6) {
            t.Play(Command::BetOne);
        } else if (choice < 12) {
            t.Play(Command::Spin);
        } else if (choice < 17) {
            t.Play(Command::BetFive);
        } else if (choice == 17) {
            s.State().Borrowed += 100;
            s.State().Credits += 100;
            s.AfterBorrow(before);
        } else if (choice == 18 && s.State().Credits >= 10 && s.State().Borrowed >= 10) {
            s.State().Borrowed -= 10;
            s.State().Credits -= 10;
            s.AfterBorrow(before);
        } else if (choice == 19 && step % 7 == 0) {
            s.NewGame();
        }
    }

    const std::vector<store::HistoryEntry>& history = t.files.history;
    int spins = 0, bonusGames = 0, events = 0;
    int32_t credits = 40;
    for (const store::HistoryEntry& entry : history) {
        ASSERT_EQ(entry.creditsBefore, credits) << store::HistoryKindName(entry.kind) << " at entry " << spins;
        switch (entry.kind) {
        case HistoryKind::Spin:
            ++spins;
            EXPECT_EQ(entry.creditsAfter - entry.creditsBefore, entry.win - entry.bet);
            EXPECT_GE(entry.bet, 1);
            break;
        case HistoryKind::Bonus:
            ++bonusGames;
            EXPECT_EQ(entry.creditsAfter - entry.creditsBefore, entry.prize);
            EXPECT_EQ(entry.prize, entry.boxes[static_cast<size_t>(entry.box - 1)]);
            break;
        default: ++events; break;
        }
        credits = entry.creditsAfter;
    }
    EXPECT_EQ(credits, engine::WithCoinsReturned(s.State()).Credits);
    EXPECT_EQ(history.back().spins, s.State().Spins);
    EXPECT_GT(spins, 100);
    EXPECT_GT(bonusGames, 0);
    EXPECT_GT(events, 10);
}

TEST(SessionHistory, AHistoryThatCannotBeOpenedIsToldOnceAndPlayGoesOn)
{
    Table t;
    t.files.historyFailure = "file is not a database";
    t.Start();
    ASSERT_EQ(t.dialogs.errors.size(), 1u);
    EXPECT_NE(t.dialogs.errors[0].find("file is not a database"), std::string::npos);
    t.Play(Command::BetFive);
    t.Play(Command::Spin);
    EXPECT_EQ(t.dialogs.errors.size(), 1u);
    ASSERT_FALSE(t.files.saves.empty());
    EXPECT_EQ(t.files.saves.back().Spins, 2);
}

TEST(SessionHistory, AFailureDuringASpinIsToldOnceTheSpinHasEnded)
{
    Table t;
    play::Session& s = t.Start();
    t.files.historyFailure = "disk I/O error";
    bool toldDuringTheSpin = false;
    t.clock.onWait = [&] {
        if (s.CommandRunning() && !t.dialogs.errors.empty()) toldDuringTheSpin = true;
    };
    t.Play(Command::BetFive);
    EXPECT_FALSE(toldDuringTheSpin);
    ASSERT_EQ(t.dialogs.errors.size(), 1u);
    t.files.historyFailure.reset();  // the history stays off for the rest of the run
    t.Play(Command::Spin);
    EXPECT_TRUE(t.files.history.empty());
    EXPECT_EQ(t.dialogs.errors.size(), 1u);
}
