// The rules' Host: what a spin asks for, passed to the screen, the sounds and
// the dialogs, paced by the frame schedule, and quiet while a spin finishes
// for a close.
#include "play/Session.h"

#include "engine/BonusMeter.h"

namespace play {

void Session::DrawCreditsCounter()
{
    parts_.screen.DrawCredits(state_.Credits);
    TableReading reading = reading_;
    reading.credits = state_.Credits;
    SetReading(reading);
}

void Session::DrawCoinsCounter()
{
    parts_.screen.DrawCoins(state_.BetCoins);
    TableReading reading = reading_;
    reading.coins = state_.BetCoins;
    reading.winnings = -1;  // the figure is wiped with the coins
    SetReading(reading);
}

void Session::DrawWinningsCaption()
{
    parts_.screen.DrawWinningsCaption();
}

void Session::DrawWinningsCounter(int32_t shown)
{
    parts_.screen.DrawWinnings(shown);
    TableReading reading = reading_;
    reading.winnings = shown;
    SetReading(reading);
}

void Session::DrawButton(engine::Button button, bool lit)
{
    parts_.screen.DrawButton(button, lit);
}

void Session::DrawLogoPanel(bool lit)
{
    parts_.screen.DrawLogoPanel(lit);
}

void Session::DrawTitlePlate(bool lit)
{
    parts_.screen.DrawTitlePlate(lit);
}

void Session::DrawBetSign(bool lit)
{
    parts_.screen.DrawBetSign(lit);
}

void Session::DrawBonusMeter()
{
    engine::CapBonusPoints(state_);
    parts_.screen.DrawBonusMeter(state_.BonusPts);
    const bool moved = state_.BonusPts != reading_.meter;
    TableReading reading = reading_;
    reading.meter = state_.BonusPts;
    SetReading(reading);
    // The meter fills point by point; it is told once it has settled.
    if (moved && lifecycle_.CommandRunning()) meterMoved_ = true;
}

void Session::SetTimerEnabled(engine::AttentionTimer timer, bool enabled)
{
    parts_.controls.SetTimerRunning(timer, enabled);
}

bool Session::IsTimerEnabled(engine::AttentionTimer timer) const
{
    return parts_.controls.TimerRunning(timer);
}

void Session::PlaySoundEffect(engine::Effect effect)
{
    if (Finishing()) return;  // the spin is finishing for a close: silently
    parts_.sounds.PlayEffect(effect);
}

void Session::PlayWinSound()
{
    if (Finishing()) return;
    parts_.sounds.PlayWinSound();
}

void Session::Delay(double seconds)
{
    if (Finishing()) return;
    motion_.Wait(seconds);
}

void Session::ShowInformation(const std::string& text)
{
    parts_.dialogs.ShowInformation(text);
}

bool Session::StartPendingTrack()
{
    std::string error;
    if (parts_.sounds.StartPendingTrack(error)) return true;
    parts_.dialogs.ShowError(error);
    return false;
}

int32_t Session::MotionHeight() const
{
    return parts_.screen.MotionHeight();
}

void Session::AnimateSpin(const engine::MotionOffsets& offsets)
{
    motion_.Spin(
        offsets, game_.Stops(), [this](int) { PlaySoundEffect(engine::Effect::ReelStop); },
        [this] { return state_.ClosingRequested; });
    TableReading reading = reading_;
    reading.stops = game_.Stops();
    SetReading(reading);
}

void Session::SlideReel(int reel, engine::SlideDirection direction)
{
    nudgeDirection_ = direction;
    motion_.Slide(reel, game_.Stops()[static_cast<size_t>(reel)], direction, [this] { return Finishing(); });
}

void Session::SettleReel(int reel)
{
    motion_.Settle(reel, [this] { return Finishing(); });
    TableReading reading = reading_;
    reading.stops = game_.Stops();
    SetReading(reading);
    Announce(NudgeAnnouncement(reel, nudgeDirection_, game_.Stops()));
}

void Session::SecureOutcome(const engine::GameState& settled)
{
    // A failure here is told by the save at the end of the spin, which
    // fails the same way; the reels are not held up by a box.
    try {
        SaveGame(settled);
    } catch (const std::exception&) {}
    // Spoken once counted, not before the reels have shown it.
    if (bonusPick_) {
        bonusToAnnounce_ = std::make_pair(bonusPick_->box, state_.SpinWin);
    } else {
        spinToAnnounce_ = engine::DecideSpin(game_.Stops(), state_.BetCoins, state_.BonusPts);
    }
    RecordOutcome(settled);
}

void Session::RunBonusWindow(const engine::BonusPrizes& prizes)
{
    // The spin's own win, counted by now, is told before the boxes.
    AnnounceCounted();
    const int box = parts_.dialogs.RunBonusWindow(state_, prizes, random_,
                                                  [this](engine::Effect effect) { PlaySoundEffect(effect); });
    // Kept with the bonus game's outcome, which the rules secure next.
    bonusPick_ = BonusPick{box, prizes};
}

}  // namespace play
