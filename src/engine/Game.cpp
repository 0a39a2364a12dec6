// Bets and the spin command: coins onto the table, the spin's order from the
// pending music to the released buttons, nudges, and a spin cut short.
#include "engine/Game.h"

#include <exception>

#include "engine/Amounts.h"
#include "engine/PayTable.h"
#include "engine/SoundEffects.h"
#include "engine/SpinOutcome.h"

namespace engine {

namespace {
constexpr int32_t TableLimit = 5;  // coins a spin can carry
}

// Marks a spin (or an owed bonus game) as running until it returns, however
// it returns. Should a host call throw, the spin is settled at once instead of
// leaving the table locked: the played coins leave the table, an uncounted win
// goes into Credits, and input is released.
class Game::RunningScope {
public:
    explicit RunningScope(Game& game) : game_(game)
    {
        game_.running_ = true;
        game_.finishing_ = false;
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

    // Where a spin sets and clears SpinInProgress.
    void HoldInput()
    {
        game_.state_.SpinInProgress = true;
        inputHeld_ = true;
    }
    void ReleaseInput()
    {
        game_.state_.SpinInProgress = false;
        inputHeld_ = false;
    }
    void BetCharged() { game_.betCharged_ = true; }

    ~RunningScope()
    {
        if (std::uncaught_exceptions() > exceptionsAtEntry_) {
            GameState& s = game_.state_;
            if (game_.betCharged_) {
                s.LastBet = s.BetCoins;
                s.BetCoins = 0;
            }
            if (s.SpinWin > 0) s.Credits = SaturatingAdd(s.Credits, s.SpinWin);
            s.SpinWin = 0;
            if (inputHeld_) ReleaseInput();
        }
        game_.running_ = false;
        game_.finishing_ = false;
        game_.betCharged_ = false;
    }

private:
    Game& game_;
    const int exceptionsAtEntry_ = std::uncaught_exceptions();
    bool inputHeld_ = false;  // SpinInProgress set by this scope
};

Game::Game(GameState& state, Random& random, Host& host, OutcomeSource& outcomes)
    : state_(state), random_(random), host_(host), outcomes_(outcomes)
{}

ReelStops& Game::Stops()
{
    return stops_;
}
const ReelStops& Game::Stops() const
{
    return stops_;
}
const BonusPrizes& Game::Prizes() const
{
    return prizes_;
}
bool Game::SpinRunning() const
{
    return running_;
}

void Game::FinishSpinNow()
{
    if (running_) finishing_ = true;
}

void Game::ReleaseStartupHold()
{
    state_.SpinInProgress = false;
}

void Game::RequestClose()
{
    state_.ClosingRequested = true;
}

void Game::PlaySound(Effect effect)
{
    if (!finishing_) host_.PlaySoundEffect(effect);
}

void Game::DrawButtons(bool lit)
{
    host_.DrawButton(Button::BetOne, lit);
    host_.DrawButton(Button::BetFive, lit);
    host_.DrawButton(Button::Spin, lit);
}

void Game::PlaceCoin()
{
    state_.BetCoins = SaturatingAdd(state_.BetCoins, 1);
    state_.Credits = SaturatingSubtract(state_.Credits, 1);
    host_.DrawCreditsCounter();
    host_.DrawCoinsCounter();
}

void Game::BetOne()
{
    if (running_) return;  // no coins go on the table in the middle of a spin
    if (state_.Credits < 1) {
        host_.ShowInformation(OutOfCreditsMessage);
        return;
    }
    // A full table (left by a spin whose music start failed) takes no sixth
    // coin; it spins as the fifth coin would have.
    if (state_.BetCoins < TableLimit) {
        host_.PlaySoundEffect(Effect::Coin);
        PlaceCoin();
    }
    if (state_.BetCoins >= TableLimit) Spin();
}

void Game::BetFive()
{
    if (running_) return;
    while (state_.Credits >= 1 && state_.BetCoins < TableLimit) {
        PlaceCoin();
        host_.PlaySoundEffect(Effect::Coin);
    }
    if (state_.BetCoins >= TableLimit) Spin();
}

void Game::Spin()
{
    if (running_) return;

    RunningScope scope(*this);

    // A pending music change starts first; its failure ends the command.
    if (!host_.StartPendingTrack()) return;

    // With an empty table the whole last bet is placed again, never part of it.
    if (state_.BetCoins == 0 && state_.LastBet > 0 && state_.Credits >= state_.LastBet) {
        state_.BetCoins = state_.LastBet;
        state_.Credits -= state_.LastBet;  // cannot overflow: Credits >= LastBet > 0
        host_.DrawCreditsCounter();
        host_.DrawCoinsCounter();
    }

    if (state_.BetCoins <= 0) {
        host_.ShowInformation(NoBetMessage);
        return;
    }

    // The table stops calling for attention and lights its win areas.
    host_.SetTimerEnabled(AttentionTimer::ButtonAttention, false);
    host_.SetTimerEnabled(AttentionTimer::WinFlash, false);
    host_.SetTimerEnabled(AttentionTimer::BetSignBlink, false);
    host_.DrawLogoPanel(true);
    host_.DrawTitlePlate(true);

    // Input is held and the buttons go dark until the spin is over.
    scope.HoldInput();
    DrawButtons(false);
    host_.DrawBetSign(true);

    // The bet is charged and the stops chosen before the reels move; the host
    // only draws the frames. A close that arrived before this point has
    // already been seen, so the flag is cleared for the animation.
    state_.TotalBets = SaturatingAdd(state_.TotalBets, state_.BetCoins);
    scope.BetCharged();
    MotionOffsets offsets{};
    outcomes_.NextStops(random_, host_.MotionHeight(), stops_, offsets);
    state_.ClosingRequested = false;
    state_.Spins = SaturatingAdd(state_.Spins, 1);
    // The outcome is decided: it is made durable before it is shown.
    host_.SecureOutcome(SettledSpin());
    if (!finishing_) host_.AnimateSpin(offsets);

    RunNudges();
    EvaluateSpin();

    // The Coins counter keeps showing the coins just played.
    state_.LastBet = state_.BetCoins;
    state_.BetCoins = 0;
    scope.ReleaseInput();

    DrawButtons(true);
    host_.SetTimerEnabled(AttentionTimer::ButtonAttention, true);
    if (!host_.IsTimerEnabled(AttentionTimer::WinFlash)) host_.SetTimerEnabled(AttentionTimer::BetSignBlink, true);
}

void Game::PlayOwedBonusGame()
{
    if (running_ || state_.BonusPts < BonusMeterFull) return;
    RunningScope scope(*this);
    scope.HoldInput();
    DrawButtons(false);
    RunBonusGame();
    scope.ReleaseInput();
    DrawButtons(true);
}

GameState Game::SettledSpin() const
{
    const SpinOutcome outcome = DecideSpin(stops_, state_.BetCoins, state_.BonusPts);
    GameState settled = state_;
    settled.BonusPts = outcome.meterAfter;
    settled.Credits = SaturatingAdd(settled.Credits, outcome.win);
    settled.SpinWin = 0;
    settled.LastBet = settled.BetCoins;
    settled.BetCoins = 0;
    return settled;
}

GameState Game::SettledWin() const
{
    GameState settled = state_;
    if (state_.SpinWin > 0) settled.Credits = SaturatingAdd(settled.Credits, state_.SpinWin);
    settled.SpinWin = 0;
    // The coins of a running spin have been played; any others go back with the save.
    if (betCharged_) {
        settled.LastBet = settled.BetCoins;
        settled.BetCoins = 0;
    }
    return settled;
}

void Game::RunNudges()
{
    // Each reel finishes its nudges before the next one is looked at.
    for (int reel = 0; reel < ReelCount; ++reel) {
        if (NeedsDownNudge(stops_, reel)) Nudge(reel, SlideDirection::Down);
        if (NeedsUpNudge(stops_, reel)) Nudge(reel, SlideDirection::Up);
    }
}

void Game::Nudge(int reel, SlideDirection direction)
{
    const bool down = direction == SlideDirection::Down;
    PlaySound(down ? Effect::NudgeDown : Effect::NudgeUp);
    if (!finishing_) host_.SlideReel(reel, direction);
    stops_[reel] = WrapPosition(WrapPosition(stops_[reel]) + (down ? -1 : 1));
    if (!finishing_) host_.SettleReel(reel);
}

}  // namespace engine
