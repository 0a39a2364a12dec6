// Recall: a spin of the history shown again; nothing can be played or
// changed meanwhile, the last ten spins are stepped through, the replay
// plays the frames again, and the end returns to the game as it was.
#include <gtest/gtest.h>

#include <regex>

#include "SessionFakes.h"
#include "play/ForcedStops.h"

using namespace playtest;
using play::Command;
using play::RecallStep;

TEST(SessionRecall, NothingIsPlayedOrChangedAndTheGameReturnsAsItWas)
{
    play::ForcedStops stops(engine::StartStops);  // a win: the flash runs after it
    Table t(stops);
    play::Session& s = t.Start();
    t.Play(Command::BetOne);
    t.Play(Command::Spin);
    t.Play(Command::Spin);
    const engine::GameState before = s.State();
    const size_t saves = t.files.saves.size();
    const std::map<engine::AttentionTimer, bool> timers = t.controls.running;
    ASSERT_TRUE(timers.at(engine::AttentionTimer::WinFlash));

    const std::vector<store::StoredEntry> spins = t.files.LastSpins(10);
    ASSERT_EQ(spins.size(), 2u);
    ASSERT_TRUE(s.Recall(spins[1]));
    EXPECT_TRUE(t.screen.kept);
    ASSERT_EQ(t.screen.recallMarks.size(), 1u);
    EXPECT_EQ(t.screen.recallMarks[0].rfind("Spin 1 of ", 0), 0u) << t.screen.recallMarks[0];
    for (const auto& [timer, running] : t.controls.running) EXPECT_FALSE(running);

    // Refused: bets, spins, New Game, the dialogs and borrowing.
    t.Play(Command::BetOne);
    t.Play(Command::BetFive);
    s.NewGame();
    EXPECT_FALSE(s.BeginDialog());
    EXPECT_FALSE(s.GameCommandsAllowed());
    EXPECT_EQ(s.State().Credits, before.Credits);
    EXPECT_EQ(s.State().BetCoins, before.BetCoins);
    EXPECT_EQ(s.State().Spins, before.Spins);

    // The last ten, newest first: the first spin has no previous one.
    EXPECT_FALSE(s.StepRecall(RecallStep::Previous));
    EXPECT_TRUE(s.StepRecall(RecallStep::Next));
    EXPECT_EQ(t.screen.recallMarks.back().rfind("Spin 2 of ", 0), 0u);
    EXPECT_FALSE(s.StepRecall(RecallStep::Next));

    const size_t framesBefore = t.screen.framesShown.size();
    s.ReplayRecalled();
    t.clock.RunAll();
    EXPECT_EQ(t.screen.framesShown.size(), framesBefore + 47);

    s.EndRecall();
    EXPECT_FALSE(s.Recalling());
    EXPECT_FALSE(t.screen.kept) << "the table kept before the recall was not shown again";
    EXPECT_EQ(t.controls.running, timers);
    EXPECT_EQ(t.files.saves.size(), saves);
    t.Play(Command::BetOne);
    EXPECT_EQ(s.State().BetCoins, 1);
}

TEST(SessionRecall, BeginsOnlyWhenIdleAndACloseEndsIt)
{
    Table t;
    play::Session& s = t.Start(false);
    store::StoredEntry spin{1, "2026-12-07T20:00:00.000Z", {}};
    EXPECT_FALSE(s.Recall(spin)) << "not before the start-up tick";
    t.StartupTick();
    spin.entry.kind = store::HistoryKind::Borrow;
    EXPECT_FALSE(s.Recall(spin)) << "only spins are recalled";
    spin.entry.kind = store::HistoryKind::Spin;
    ASSERT_TRUE(s.Recall(spin));
    // Its date as the saved games write it (month, day, year), then the time.
    ASSERT_FALSE(t.screen.recallMarks.empty());
    EXPECT_TRUE(std::regex_search(t.screen.recallMarks.back(), std::regex(R"(, 12\D0[78]\D26 \d\d:\d\d$)")))
        << t.screen.recallMarks.back();
    EXPECT_EQ(s.CloseRequested(), play::CloseStep::RunClose);
    EXPECT_FALSE(s.Recalling());
}
