// The play of the game without a window: closes and signals in the middle of
// a spin, the owed bonus game, the commands each phase refuses, the save
// policy, the attention lights and the frame schedule.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "SessionFakes.h"
#include "engine/BonusMeter.h"
#include "play/ForcedStops.h"

using namespace playtest;
using play::CloseStep;
using play::Command;
using play::Then;

namespace {

// The credits a spin of the start stops at one coin leaves, played to its end.
int32_t CreditsAfterUninterruptedWin()
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    s.Play(Command::BetOne);
    s.Play(Command::Spin);
    return s.State().Credits;
}

}  // namespace

TEST(Session, ACloseDuringASpinFinishesItAtOnceThenCloses)
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    int waitsInSpin = 0;
    CloseStep step = CloseStep::Accept;
    t.clock.onWait = [&] {
        if (s.Rules().SpinRunning() && ++waitsInSpin == 5) step = s.CloseRequested();
    };
    ASSERT_EQ(s.Play(Command::BetOne), Then::Stay);
    EXPECT_EQ(s.Play(Command::Spin), Then::Close);
    EXPECT_EQ(step, CloseStep::FinishSpin);
    EXPECT_TRUE(t.dialogs.finishedNow);
    EXPECT_LE(waitsInSpin, 6) << "the rest of the spin waited";
    EXPECT_EQ(s.State().Credits, CreditsAfterUninterruptedWin());
    EXPECT_EQ(s.State().SpinWin, 0);

    EXPECT_EQ(s.CloseRequested(), CloseStep::RunClose);
    EXPECT_TRUE(s.CloseWithReminder());
    ASSERT_TRUE(s.SaveOnClose());
    EXPECT_EQ(t.files.saves.back().Credits, s.State().Credits);
    EXPECT_EQ(t.files.saves.back().Spins, 1);
    EXPECT_TRUE(s.CloseFinished(true));
    EXPECT_EQ(s.CloseRequested(), CloseStep::Accept);
}

TEST(Session, ASignalDuringTheCountUpPaysTheWholeWinAndSkipsTheReminder)
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    bool signalled = false;
    t.clock.onWait = [&] {
        // The frames are shown: the waits now are the count-up's.
        if (signalled || t.screen.framesShown.size() < 47 || !s.Rules().SpinRunning()) return;
        signalled = true;
        s.SignalArrived();
        EXPECT_EQ(s.CloseRequested(), CloseStep::FinishSpin);
    };
    s.Play(Command::BetOne);
    EXPECT_EQ(s.Play(Command::Spin), Then::Close);
    ASSERT_TRUE(signalled);
    EXPECT_EQ(s.State().Credits, CreditsAfterUninterruptedWin());
    EXPECT_EQ(s.CloseRequested(), CloseStep::RunClose);
    EXPECT_FALSE(s.CloseWithReminder());
}

TEST(Session, ABonusGameOwedFromTheLastRunIsPlayedAtTheStartUpTick)
{
    Table t;
    t.files.stored.Credits = 500;
    t.files.stored.BonusPts = engine::BonusMeterFull;
    play::Session& s = t.Start(false);
    EXPECT_EQ(t.dialogs.bonusWindows, 0);
    EXPECT_EQ(s.StartupTick(), Then::Stay);
    ASSERT_EQ(t.dialogs.bonusWindows, 1);
    EXPECT_EQ(s.State().BonusPts, 0);
    EXPECT_EQ(s.State().Credits, 500 + t.dialogs.lastPrize);
    // Its prize was saved, with the meter empty, before it was counted.
    ASSERT_FALSE(t.files.saves.empty());
    EXPECT_EQ(t.files.saves.front().BonusPts, 0);
    EXPECT_EQ(t.files.saves.front().Credits, 500 + t.dialogs.lastPrize);
    EXPECT_TRUE(s.Lifecycle().AcceptsPlay());
}

TEST(Session, EachPhaseRefusesTheCommandsItMust)
{
    Table t;
    play::Session& s = t.Start(false);
    // Starting: no bets until the tick; a dialog may open.
    EXPECT_EQ(s.Play(Command::BetOne), Then::Stay);
    EXPECT_EQ(s.State().BetCoins, 0);
    ASSERT_TRUE(s.BeginDialog());
    EXPECT_FALSE(s.BeginDialog());
    s.Play(Command::BetFive);
    EXPECT_EQ(s.State().BetCoins, 0);
    s.StartupTick();
    EXPECT_FALSE(s.Lifecycle().AcceptsPlay()) << "the tick releases the table only after the dialog";
    EXPECT_EQ(s.EndDialog(false), Then::Stay);
    EXPECT_TRUE(s.Lifecycle().AcceptsPlay());

    // Playing: no bet, New Game, dialog or borrow in the middle of a spin.
    bool checked = false;
    t.clock.onWait = [&] {
        if (checked || !s.Rules().SpinRunning()) return;
        checked = true;
        EXPECT_FALSE(s.GameCommandsAllowed());
        EXPECT_FALSE(t.controls.commandsEnabled);
        EXPECT_FALSE(s.BeginDialog());
        const engine::GameState before = s.State();
        s.Play(Command::BetOne);
        s.NewGame();
        EXPECT_EQ(s.State().Credits, before.Credits);
        EXPECT_EQ(s.State().Spins, before.Spins);
    };
    s.Play(Command::BetFive);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(t.controls.commandsEnabled);
    EXPECT_TRUE(s.GameCommandsAllowed());
}

TEST(Session, AnUnwritableProfileIsToldOnceAndTheCloseSavesOnce)
{
    Table t;
    play::Session& s = t.Start();
    t.files.failure = "Permission denied";
    s.Play(Command::BetFive);
    s.Play(Command::Spin);
    ASSERT_EQ(t.dialogs.errors.size(), 1u);
    EXPECT_EQ(t.dialogs.errors[0], "Your games cannot be saved: Permission denied.");

    // The first close is told and keeps the game; the second goes, silently.
    ASSERT_EQ(s.CloseRequested(), CloseStep::RunClose);
    EXPECT_FALSE(s.SaveOnClose());
    EXPECT_FALSE(s.CloseFinished(false));
    ASSERT_EQ(t.dialogs.errors.size(), 2u);
    EXPECT_EQ(t.dialogs.errors[1], "Permission denied");
    ASSERT_EQ(s.CloseRequested(), CloseStep::RunClose);
    EXPECT_FALSE(s.SaveOnClose());
    EXPECT_TRUE(s.CloseFinished(false));
    EXPECT_EQ(t.dialogs.errors.size(), 2u);
}

TEST(Session, TheOutcomeIsSecuredBeforeTheReelsTurn)
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    s.Play(Command::BetOne);
    std::vector<engine::GameState> savedAtFirstFrame;
    t.clock.onWait = [&] {
        if (savedAtFirstFrame.empty() && s.Rules().SpinRunning()) savedAtFirstFrame = t.files.saves;
    };
    s.Play(Command::Spin);
    ASSERT_EQ(savedAtFirstFrame.size(), 1u);
    EXPECT_EQ(savedAtFirstFrame[0].Spins, 1);
    EXPECT_EQ(savedAtFirstFrame[0].Credits, s.State().Credits);
    EXPECT_EQ(savedAtFirstFrame[0].BetCoins, 0);
}

TEST(AttentionLights, IdleButtonsHopOneAtATimeNeverTwiceRunning)
{
    // Whatever the generator's state, the first pick after start-up is not bet one.
    for (uint32_t seed = 0; seed < 40; ++seed) {
        play::AttentionLights lights;
        engine::Random random(seed * 2654435761u);
        EXPECT_FALSE(lights.NextButtons(false, random).betOne) << "seed " << seed;
        EXPECT_NE(lights.LastPick(), 0) << "seed " << seed;
    }

    // Through the play: the screen shows the pick, one button at a time.
    Table t;
    play::Session& s = t.Start();
    std::set<int> picks;
    int previous = s.Lights().LastPick();
    for (int tick = 0; tick < 200; ++tick) {
        s.ButtonAttentionTick();
        const int pick = s.Lights().LastPick();
        ASSERT_NE(pick, previous) << "tick " << tick;
        previous = pick;
        picks.insert(pick);
        EXPECT_EQ(t.screen.buttons[engine::Button::BetOne], pick == 0);
        EXPECT_EQ(t.screen.buttons[engine::Button::Spin], pick == 1);
        EXPECT_EQ(t.screen.buttons[engine::Button::BetFive], pick == 2);
    }
    EXPECT_EQ(picks.size(), 3u);
}

TEST(AttentionLights, CoinsOnTheTableBlinkTheSpinButton)
{
    Table t;
    play::Session& s = t.Start();
    s.Play(Command::BetOne);
    ASSERT_EQ(s.State().BetCoins, 1);
    const uint32_t seed = s.Random().Seed();
    std::optional<bool> previous;
    for (int tick = 0; tick < 6; ++tick) {
        s.ButtonAttentionTick();
        EXPECT_TRUE(t.screen.buttons[engine::Button::BetOne]);
        EXPECT_TRUE(t.screen.buttons[engine::Button::BetFive]);
        EXPECT_NE(t.screen.buttons[engine::Button::Spin], previous);
        previous = t.screen.buttons[engine::Button::Spin];
    }
    EXPECT_EQ(s.Random().Seed(), seed);  // the blink draws no random numbers
}

TEST(ReelMotion, FramesComeEvery25MsAndALateOneDelaysTheRest)
{
    FakeScreen screen;
    FakeClock clock;
    screen.clock = &clock;
    play::FrameLog log(clock);
    play::ReelMotion motion(screen, clock, log);
    int waits = 0;
    clock.onWait = [&] {
        if (++waits == 10) clock.now += 7'000;  // a late wake-up
    };
    std::vector<int> stopped;
    motion.Spin(
        engine::MotionOffsets{}, engine::StartStops, [&](int reel) { stopped.push_back(reel); }, [] { return false; });
    ASSERT_EQ(screen.framesShown.size(), 47u);
    for (size_t frame = 1; frame < screen.framesShown.size(); ++frame) {
        EXPECT_EQ(screen.framesShown[frame] - screen.framesShown[frame - 1], frame == 9 ? 32'000 : 25'000)
            << "frame " << frame + 1;
    }
    EXPECT_EQ(stopped, (std::vector<int>{0, 1, 2}));

    // A paced wait is one wait on the clock.
    const int64_t before = clock.now;
    clock.onWait = nullptr;
    motion.Wait(0.075);
    EXPECT_EQ(clock.now - before, 75'000);
    EXPECT_EQ(clock.waits, 48);
}
