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
    t.Start();
    t.Play(Command::BetOne);
    t.Play(Command::Spin);
    return t.session->State().Credits;
}

}  // namespace

TEST(Session, ACloseMidScriptSkipsToItsEndAndSavesOnce)
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    t.Play(Command::BetOne);
    const size_t savesBefore = t.files.saves.size();
    s.Play(Command::Spin);
    // A few frames in, the window is closed.
    for (int wake = 0; wake < 5; ++wake) {
        ASSERT_TRUE(t.clock.WakePending());
        t.clock.RunAll(1);
    }
    ASSERT_TRUE(s.CommandRunning());
    EXPECT_EQ(s.CloseRequested(), CloseStep::RunClose);
    EXPECT_FALSE(t.clock.WakePending()) << "nothing more is played";
    EXPECT_LT(t.screen.framesShown.size(), 47u);
    // The table shows the spin's end; the outcome was secured before the first frame.
    EXPECT_EQ(s.Shown().credits, CreditsAfterUninterruptedWin());
    EXPECT_EQ(s.State().Credits, CreditsAfterUninterruptedWin());
    EXPECT_EQ(t.files.saves.size(), savesBefore + 1);
    EXPECT_TRUE(s.CloseWithReminder());
    ASSERT_TRUE(s.SaveOnClose());
    EXPECT_EQ(t.files.saves.size(), savesBefore + 2) << "the skip saves nothing of its own; the close saves once";
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
        if (signalled || t.screen.framesShown.size() < 47 || !s.CommandRunning()) return;
        signalled = true;
        s.SignalArrived();
        EXPECT_EQ(s.CloseRequested(), CloseStep::RunClose);
    };
    t.Play(Command::BetOne);
    t.Play(Command::Spin);
    ASSERT_TRUE(signalled);
    EXPECT_EQ(s.State().Credits, CreditsAfterUninterruptedWin());
    EXPECT_EQ(s.Shown().credits, CreditsAfterUninterruptedWin());
    EXPECT_FALSE(s.CloseWithReminder());
}

TEST(Session, TheBonusStepWaitsForThePlayerAndACloseThenPaysItsBox)
{
    Table t;
    t.files.stored.Credits = 500;
    t.files.stored.BonusPts = engine::BonusMeterFull;
    t.dialogs.pickAtOnce = false;
    play::Session& s = t.Start();
    ASSERT_EQ(t.dialogs.bonusWindows, 1);
    EXPECT_TRUE(s.CommandRunning());
    EXPECT_FALSE(t.clock.WakePending()) << "nothing runs while the player picks";
    EXPECT_EQ(s.State().BonusPts, engine::BonusMeterFull) << "owed until picked";
    // A close settles the box, pays it and closes.
    EXPECT_EQ(s.CloseRequested(), CloseStep::RunClose);
    EXPECT_TRUE(t.dialogs.finishedNow);
    EXPECT_EQ(s.State().BonusPts, 0);
    EXPECT_EQ(s.State().Credits, 500 + t.dialogs.lastPrize);
    EXPECT_EQ(s.Shown().credits, 500 + t.dialogs.lastPrize);
}

TEST(Session, ABonusGameOwedFromTheLastRunIsPlayedAtTheStartUpTick)
{
    Table t;
    t.files.stored.Credits = 500;
    t.files.stored.BonusPts = engine::BonusMeterFull;
    play::Session& s = t.Start(false);
    EXPECT_EQ(t.dialogs.bonusWindows, 0);
    t.StartupTick();
    ASSERT_EQ(t.dialogs.bonusWindows, 1);
    EXPECT_EQ(s.State().BonusPts, 0);
    EXPECT_EQ(s.State().Credits, 500 + t.dialogs.lastPrize);
    // Its prize was saved, with the meter empty, before it was counted.
    ASSERT_FALSE(t.files.saves.empty());
    EXPECT_EQ(t.files.saves.front().BonusPts, 0);
    EXPECT_EQ(t.files.saves.front().Credits, 500 + t.dialogs.lastPrize);
    EXPECT_TRUE(s.Lifecycle().AcceptsPlay());
}

TEST(Session, AClosedBonusWindowNotYetOpenedStaysOwed)
{
    // A close while the reels turn, before the bonus window: the meter stays
    // full and the game is owed at the next start.
    const engine::ReelStops filling = [] {
        for (int32_t a = 1; a <= 30; ++a)
            for (int32_t b = 1; b <= 30; ++b)
                for (int32_t c = 1; c <= 30; ++c) {
                    const engine::SpinOutcome o = engine::DecideSpin({a, b, c}, 1, 11);
                    if (o.meterAfter == engine::BonusMeterFull) return engine::ReelStops{a, b, c};
                }
        return engine::StartStops;
    }();
    play::ForcedStops stops(filling);
    Table t(stops);
    t.files.stored.Credits = 100;
    t.files.stored.BonusPts = 11;
    play::Session& s = t.Start();
    t.Play(Command::BetOne);
    s.Play(Command::Spin);
    t.clock.RunAll(3);
    EXPECT_EQ(s.CloseRequested(), CloseStep::RunClose);
    EXPECT_EQ(t.dialogs.bonusWindows, 0);
    EXPECT_EQ(s.State().BonusPts, engine::BonusMeterFull);
    ASSERT_TRUE(s.SaveOnClose());
    EXPECT_EQ(t.files.saves.back().BonusPts, engine::BonusMeterFull);
    EXPECT_EQ(t.files.saves.back().Spins, 1);
}

TEST(Session, AStepThatFailsIsToldTheSpinEndsAndPlayGoesOn)
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    t.sounds.failOn = engine::Effect::CountUpTick;
    t.Play(Command::BetOne);
    t.Play(Command::Spin);
    EXPECT_EQ(t.dialogs.errors, std::vector<std::string>{"Device not ready"});
    EXPECT_FALSE(s.CommandRunning());
    // The table shows the spin's end and calls for attention again.
    EXPECT_EQ(s.Shown().credits, s.State().Credits);
    EXPECT_TRUE(t.controls.TimerRunning(engine::AttentionTimer::ButtonAttention));
    t.sounds.failOn.reset();
    t.Play(Command::Spin);
    EXPECT_EQ(s.State().Spins, 2);
}

TEST(Session, EachPhaseRefusesTheCommandsItMust)
{
    Table t;
    play::Session& s = t.Start(false);
    // Starting: no bets until the tick; a dialog may open.
    t.Play(Command::BetOne);
    EXPECT_EQ(s.State().BetCoins, 0);
    ASSERT_TRUE(s.BeginDialog());
    EXPECT_FALSE(s.BeginDialog());
    t.Play(Command::BetFive);
    EXPECT_EQ(s.State().BetCoins, 0);
    t.StartupTick();
    EXPECT_FALSE(s.Lifecycle().AcceptsPlay()) << "the tick releases the table only after the dialog";
    EXPECT_EQ(s.EndDialog(false), Then::Stay);
    EXPECT_TRUE(s.Lifecycle().AcceptsPlay());

    // Playing: no bet, New Game, dialog or borrow in the middle of a spin.
    s.Play(Command::BetFive);
    ASSERT_TRUE(s.CommandRunning());
    EXPECT_TRUE(s.State().SpinInProgress);
    EXPECT_FALSE(s.GameCommandsAllowed());
    EXPECT_FALSE(t.controls.commandsEnabled);
    EXPECT_FALSE(s.BeginDialog());
    const engine::GameState before = s.State();
    s.Play(Command::BetOne);
    s.NewGame();
    EXPECT_EQ(s.State().Credits, before.Credits);
    EXPECT_EQ(s.State().Spins, before.Spins);
    t.clock.RunAll();
    EXPECT_FALSE(s.CommandRunning());
    EXPECT_FALSE(s.State().SpinInProgress);
    EXPECT_TRUE(t.controls.commandsEnabled);
    EXPECT_TRUE(s.GameCommandsAllowed());
}

TEST(Session, AnUnwritableProfileIsToldOnceAndTheCloseSavesOnce)
{
    Table t;
    play::Session& s = t.Start();
    t.files.failure = "Permission denied";
    t.Play(Command::BetFive);
    t.Play(Command::Spin);
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
    t.Play(Command::BetOne);
    s.Play(Command::Spin);
    ASSERT_TRUE(t.screen.framesShown.empty());
    ASSERT_EQ(t.files.saves.size(), 1u);
    EXPECT_EQ(t.files.saves[0].Spins, 1);
    EXPECT_EQ(t.files.saves[0].BetCoins, 0);
    t.clock.RunAll();
    EXPECT_EQ(t.files.saves[0].Credits, s.State().Credits);
}

TEST(Session, ASideWindowHoldsTheScriptAndLateFramesGoOnFromThere)
{
    play::ForcedStops stops(engine::StartStops);
    Table t(stops);
    play::Session& s = t.Start();
    t.Play(Command::BetOne);
    s.Play(Command::Spin);
    t.clock.RunAll(10);
    s.HoldScript();
    t.clock.RunAll(1);  // the wake-up due comes, and is held
    const size_t shown = t.screen.framesShown.size();
    t.clock.now += 400'000;  // the window stays open a while
    EXPECT_FALSE(t.clock.WakePending());
    EXPECT_EQ(t.screen.framesShown.size(), shown);
    s.ReleaseScript();
    t.clock.RunAll();
    ASSERT_EQ(t.screen.framesShown.size(), 47u);
    // The late frame is shown at once, the rest 25 ms apart from it.
    EXPECT_EQ(t.screen.framesShown[shown] - t.screen.framesShown[shown - 1], 425'000);
    EXPECT_EQ(t.screen.framesShown[shown + 1] - t.screen.framesShown[shown], 25'000);
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
    t.Play(Command::BetOne);
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

// Answers the play's questions as nothing: a player of scripts on its own.
struct QuietListener : play::ScriptListener {
    void ShownChanged() override {}
    void NudgeSettled(int, engine::SlideDirection) override {}
    void BonusPickDue(const engine::BonusPrizes&) override {}
    void InformationDue(const std::string&) override {}
    void StepFailed(const std::string&) override {}
    void ScriptEnded() override { ++ended; }
    int ended = 0;
};

TEST(ScriptPlayer, FramesComeEvery25MsALateOneDelaysTheRestAndWaitsAreTheirOwn)
{
    FakeScreen screen;
    FakeClock clock;
    FakeSounds sounds;
    FakeControls controls;
    screen.clock = &clock;
    play::FrameLog log(clock);
    play::TableShown shown;
    QuietListener listener;
    play::ScriptPlayer player(play::ScriptStage{screen, clock, sounds, controls, log}, shown, listener);
    int waits = 0;
    clock.onWait = [&] {
        if (++waits == 10) clock.now += 7'000;  // a late wake-up
    };
    engine::Script script;
    script.Add(engine::step::SpinReels{engine::MotionOffsets{}, engine::StartStops});
    script.Add(engine::step::Pause{75'000});
    script.Add(engine::step::ShowCredits{12});
    player.Play(script);
    EXPECT_TRUE(screen.framesShown.empty()) << "no frame before its time";
    clock.RunAll(47);
    ASSERT_EQ(screen.framesShown.size(), 47u);
    for (size_t frame = 1; frame < screen.framesShown.size(); ++frame) {
        EXPECT_EQ(screen.framesShown[frame] - screen.framesShown[frame - 1], frame == 9 ? 32'000 : 25'000)
            << "frame " << frame + 1;
    }
    // One stop sound per reel, in the frames where each came to rest.
    EXPECT_EQ(sounds.effects, std::vector<engine::Effect>(3, engine::Effect::ReelStop));
    EXPECT_EQ(shown.stops, engine::StartStops);

    // The pause is one wait on the clock, and the step after it comes then.
    const int64_t before = clock.now;
    EXPECT_EQ(shown.credits, 0);
    clock.RunAll();
    EXPECT_EQ(clock.now - before, 75'000);
    EXPECT_EQ(shown.credits, 12);
    EXPECT_EQ(clock.waits, 48);
    EXPECT_EQ(listener.ended, 1);
}
