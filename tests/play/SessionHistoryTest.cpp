// The play's history: every spin, bonus game and money event kept with
// credits that chain from one entry to the next; a history that cannot be
// kept, or is kept again, told once, after the spin, while play goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "SessionFakes.h"

using namespace playtest;
using play::CloseStep;
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
    // Told over the table, at the start-up tick, not while the window is made.
    t.Start(false);
    EXPECT_TRUE(t.dialogs.errors.empty());
    t.StartupTick();
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
    size_t toldBefore = 0;
    t.clock.onWait = [&] {
        if (s.CommandRunning() && t.dialogs.errors.size() > toldBefore) toldDuringTheSpin = true;
    };
    t.Play(Command::BetFive);
    EXPECT_FALSE(toldDuringTheSpin);
    ASSERT_EQ(t.dialogs.errors.size(), 1u);
    // The history is not switched off: the next spin goes in after the one
    // that waited, and that it is kept again is told once that spin has ended.
    t.files.historyFailure.reset();
    toldBefore = t.dialogs.errors.size();
    t.Play(Command::Spin);
    EXPECT_FALSE(toldDuringTheSpin);
    ASSERT_EQ(t.dialogs.errors.size(), 2u);
    EXPECT_NE(t.dialogs.errors[1].find("kept again"), std::string::npos);
    ASSERT_EQ(t.files.history.size(), 2u);
    EXPECT_EQ(t.files.history[1].creditsBefore, t.files.history[0].creditsAfter);
}

TEST(SessionHistory, WhatTheHistoryMissesIsToldAtAClosingByThePlayerOnly)
{
    for (const bool bySignal : {false, true}) {
        Table t;
        play::Session& s = t.Start();
        t.files.closeNotice = "The game history misses 3 spins.";
        if (bySignal) s.SignalArrived();
        ASSERT_EQ(s.CloseRequested(), CloseStep::RunClose);
        EXPECT_TRUE(s.SaveOnClose());
        EXPECT_TRUE(s.CloseFinished(true));
        EXPECT_TRUE(s.CloseFinished(true));  // asked again: tried and told once
        EXPECT_EQ(t.files.historyClosings, 1);
        EXPECT_EQ(t.dialogs.errors.size(), bySignal ? 0u : 1u) << (bySignal ? "by signal" : "by the player");
    }
}

TEST(SessionHistory, TheSavedGamesFilesTellWhenTheHistoryStopsAndHowManySpinsWentInWhenKeptAgain)
{
    char folder[] = "/tmp/play-history-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_CONFIG_HOME", (std::string(folder) + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (std::string(folder) + "/data").c_str(), 1);
    play::SavedGamesFile files("plumfizz");
    EXPECT_EQ(files.OpenHistory(), std::nullopt);
    store::HistoryEntry spin;
    sqlite3* other = nullptr;
    const auto lockedFor = [&](int spins) {
        sqlite3_open(store::HistoryPath("plumfizz").c_str(), &other);
        sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        std::vector<std::optional<std::string>> told;
        for (int n = 0; n < spins; ++n) told.push_back(files.Record(spin));
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        return told;
    };
    const auto told = lockedFor(8);
    ASSERT_TRUE(told[0]);
    EXPECT_EQ(told[0]->rfind("The game history cannot be kept for now (", 0), 0u) << *told[0];
    EXPECT_EQ(std::count(told.begin(), told.end(), std::nullopt), 7);
    EXPECT_EQ(files.Record(spin), "The game history is kept again; 8 spins were added.");
    lockedFor(1);
    EXPECT_EQ(files.Record(spin), "The game history is kept again; 1 spin was added.");
    EXPECT_EQ(files.LastSpins(20).size(), 11u);
    EXPECT_EQ(files.CloseHistory(), std::nullopt);
    std::filesystem::remove_all(folder);
}
