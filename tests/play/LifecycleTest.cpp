// The window's lifecycle on its own: which commands and closes each phase
// takes, and what a close in the middle of a command leads to.
#include "play/WindowLifecycle.h"

#include <gtest/gtest.h>

namespace {

using play::CloseStep;
using play::WindowLifecycle;
using play::WindowPhase;

struct Lifecycle : ::testing::Test {
    engine::GameState state;
    WindowLifecycle life{state};
};

TEST_F(Lifecycle, StartUpHoldsPlayUntilTheTickOrANewGame)
{
    EXPECT_TRUE(state.SpinInProgress);
    EXPECT_FALSE(life.AcceptsPlay());
    EXPECT_FALSE(life.BeginCommand());
    life.NewGameStarted();
    EXPECT_FALSE(state.SpinInProgress);
    ASSERT_TRUE(life.BeginCommand());
    EXPECT_TRUE(state.SpinInProgress) << "held while the command plays";
    // The tick inside that command's spin leaves the phase to the command.
    life.StartupTick();
    EXPECT_EQ(life.Phase(), WindowPhase::Playing);
    life.EndCommand();
    EXPECT_TRUE(life.AcceptsPlay());
    EXPECT_FALSE(state.SpinInProgress);
}

TEST_F(Lifecycle, CommandsDoNotNest)
{
    life.StartupTick();
    ASSERT_TRUE(life.BeginCommand());
    EXPECT_TRUE(life.CommandRunning());
    EXPECT_FALSE(life.BeginCommand());
    life.EndCommand();
    EXPECT_EQ(life.Phase(), WindowPhase::Idle);
}

TEST_F(Lifecycle, CloseDuringACommandClosesAtOnce)
{
    // The session has skipped the command's script to its end.
    life.StartupTick();
    ASSERT_TRUE(life.BeginCommand());
    life.SignalArrived();
    EXPECT_EQ(life.CloseRequested(), CloseStep::RunClose);
    EXPECT_FALSE(life.CommandRunning());
    EXPECT_FALSE(state.SpinInProgress);
    EXPECT_FALSE(life.CloseWithReminder());
    EXPECT_EQ(life.CloseRequested(), CloseStep::Ignore);  // while the closing steps run
    EXPECT_TRUE(life.CloseFinished(true));
    EXPECT_EQ(life.Phase(), WindowPhase::Closed);
    EXPECT_EQ(life.CloseRequested(), CloseStep::Accept);
}

TEST_F(Lifecycle, AFailedSaveKeepsTheWindowOnceAndTheGamePlayable)
{
    life.StartupTick();
    life.SignalArrived();
    ASSERT_EQ(life.CloseRequested(), CloseStep::RunClose);
    EXPECT_FALSE(life.CloseFinished(false));
    EXPECT_EQ(life.Phase(), WindowPhase::Idle);
    EXPECT_TRUE(life.CloseWithReminder());  // the player was told; the next close is theirs
    // The player may play on; the next close goes through even if the save fails again.
    ASSERT_TRUE(life.BeginCommand());
    life.EndCommand();
    ASSERT_EQ(life.CloseRequested(), CloseStep::RunClose);
    EXPECT_TRUE(life.CloseFinished(false));
    EXPECT_EQ(life.CloseRequested(), CloseStep::Accept);
}

TEST_F(Lifecycle, AFailedStartUpClosesWithoutSaving)
{
    life.StartupFailed();
    EXPECT_EQ(life.CloseRequested(), CloseStep::Accept);
}

}  // namespace

namespace {

TEST_F(Lifecycle, ADialogHoldsPlayAndACloseUntilItEnds)
{
    ASSERT_TRUE(life.BeginDialog());  // before the start-up tick
    EXPECT_FALSE(life.BeginDialog());
    EXPECT_FALSE(life.BeginCommand());
    // The tick during the dialog releases the table only after it.
    life.StartupTick();
    EXPECT_FALSE(life.AcceptsPlay());
    EXPECT_EQ(life.CloseRequested(), CloseStep::Ignore);
    EXPECT_TRUE(life.EndDialog()) << "the close is due once the dialog has ended";
    EXPECT_FALSE(state.SpinInProgress);
    EXPECT_EQ(life.CloseRequested(), CloseStep::RunClose);

    WindowLifecycle idle{state};
    idle.StartupTick();
    ASSERT_TRUE(idle.BeginDialog());
    EXPECT_FALSE(idle.EndDialog());
    EXPECT_TRUE(idle.AcceptsPlay());
    ASSERT_TRUE(idle.BeginCommand());
    EXPECT_FALSE(idle.BeginDialog()) << "no dialog inside a spin";
}

}  // namespace
