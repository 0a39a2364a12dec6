// The window's lifecycle on its own: which commands and closes each phase
// takes, and what a close in the middle of a command leads to.
#include "play/WindowLifecycle.h"

#include <gtest/gtest.h>

#include "SilentHost.h"

namespace {

using play::CloseStep;
using play::WindowLifecycle;
using play::WindowPhase;

struct Lifecycle : ::testing::Test {
    engine::GameState state;
    engine::Random random;
    par::SilentHost host{state, random};  // never called: the lifecycle only asks the rules to write their flags
    engine::Game rules{state, random, host};
    WindowLifecycle life{rules};
};

TEST_F(Lifecycle, StartUpHoldsPlayUntilTheTickOrANewGame)
{
    EXPECT_TRUE(state.SpinInProgress);
    EXPECT_FALSE(life.AcceptsPlay());
    EXPECT_FALSE(life.BeginCommand());
    life.NewGameStarted();
    EXPECT_FALSE(state.SpinInProgress);
    ASSERT_TRUE(life.BeginCommand());
    // The tick inside that command's spin leaves the phase to the command.
    life.StartupTick();
    EXPECT_EQ(life.Phase(), WindowPhase::Playing);
    EXPECT_FALSE(life.EndCommand());
    EXPECT_TRUE(life.AcceptsPlay());
}

TEST_F(Lifecycle, CommandsDoNotNest)
{
    life.StartupTick();
    ASSERT_TRUE(life.BeginCommand());
    EXPECT_TRUE(life.CommandRunning());
    EXPECT_FALSE(life.BeginCommand());
    EXPECT_FALSE(life.EndCommand());
    EXPECT_EQ(life.Phase(), WindowPhase::Idle);
}

TEST_F(Lifecycle, CloseDuringASpinFinishesItThenCloses)
{
    life.StartupTick();
    ASSERT_TRUE(life.BeginCommand());
    EXPECT_EQ(life.CloseRequested(), CloseStep::FinishSpin);
    EXPECT_TRUE(state.ClosingRequested);
    EXPECT_TRUE(life.FinishingSpin());
    EXPECT_TRUE(life.CommandRunning());
    // A second close while the spin finishes waits for the first.
    EXPECT_EQ(life.CloseRequested(), CloseStep::Ignore);
    EXPECT_TRUE(life.EndCommand());
    EXPECT_EQ(life.CloseRequested(), CloseStep::RunClose);
    EXPECT_TRUE(life.CloseWithReminder());
    EXPECT_EQ(life.CloseRequested(), CloseStep::Ignore);  // while the reminder asks
    EXPECT_TRUE(life.CloseFinished(true));
    EXPECT_EQ(life.CloseRequested(), CloseStep::Accept);
}

TEST_F(Lifecycle, SignalDuringACountUpClosesWithoutTheReminder)
{
    life.StartupTick();
    ASSERT_TRUE(life.BeginCommand());
    life.SignalArrived();
    EXPECT_EQ(life.CloseRequested(), CloseStep::FinishSpin);
    EXPECT_TRUE(life.EndCommand());
    EXPECT_EQ(life.CloseRequested(), CloseStep::RunClose);
    EXPECT_FALSE(life.CloseWithReminder());
    EXPECT_TRUE(life.CloseFinished(true));
    EXPECT_EQ(life.Phase(), WindowPhase::Closed);
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
    EXPECT_FALSE(life.EndCommand());
    ASSERT_EQ(life.CloseRequested(), CloseStep::RunClose);
    EXPECT_TRUE(life.CloseFinished(false));
    EXPECT_EQ(life.CloseRequested(), CloseStep::Accept);
}

TEST_F(Lifecycle, AFailedStartUpClosesWithoutSaving)
{
    life.StartupFailed();
    EXPECT_EQ(life.CloseRequested(), CloseStep::Accept);
    EXPECT_FALSE(state.ClosingRequested);
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

    WindowLifecycle idle{rules};
    idle.StartupTick();
    ASSERT_TRUE(idle.BeginDialog());
    EXPECT_FALSE(idle.EndDialog());
    EXPECT_TRUE(idle.AcceptsPlay());
    ASSERT_TRUE(idle.BeginCommand());
    EXPECT_FALSE(idle.BeginDialog()) << "no dialog inside a spin";
}

}  // namespace
