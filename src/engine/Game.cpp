#include "engine/Game.h"

#include <exception>

#include "engine/Amounts.h"
#include "engine/SoundEffects.h"

namespace engine {

namespace {
constexpr int32_t TableLimit = 5;  // coins a spin can carry
}

Game::Game(GameState& state, Random& random, Host& host) : state_(state), random_(random), host_(host)
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

void Game::PlaySound(int effect)
{
    if (!finishing_) host_.PlaySoundEffect(effect);
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
        host_.PlaySoundEffect(SoundEffect::Coin);
        PlaceCoin();
    }
    if (state_.BetCoins >= TableLimit) Spin();
}

void Game::BetFive()
{
    if (running_) return;
    while (state_.Credits >= 1 && state_.BetCoins < TableLimit) {
        PlaceCoin();
        host_.PlaySoundEffect(SoundEffect::Coin);
    }
    if (state_.BetCoins >= TableLimit) Spin();
}

void Game::Spin()
{
    if (running_) return;

    // Marks the call as running until it returns, however it returns. Should
    // a host call throw, the spin is settled at once instead of leaving the
    // table locked: the played coins leave the table, an uncounted win goes
    // into Credits, and input is released.
    struct RunningScope {
        Game& game;
        const int exceptionsAtEntry = std::uncaught_exceptions();
        bool inProgress = false;  // SpinInProgress set by this spin
        bool betCharged = false;
        explicit RunningScope(Game& g) : game(g)
        {
            game.running_ = true;
            game.finishing_ = false;
        }
        ~RunningScope()
        {
            if (std::uncaught_exceptions() > exceptionsAtEntry) {
                GameState& s = game.state_;
                if (betCharged) {
                    s.LastBet = s.BetCoins;
                    s.BetCoins = 0;
                }
                if (s.SpinWin > 0) s.Credits = SaturatingAdd(s.Credits, s.SpinWin);
                s.SpinWin = 0;
                if (inProgress) s.SpinInProgress = false;
            }
            game.running_ = false;
            game.finishing_ = false;
        }
    } scope(*this);

    // 1. A pending music change; its failure ends the command.
    if (!host_.StartPendingTrack()) return;

    // 2. Automatic re-bet of the whole last bet, never part of it.
    if (state_.BetCoins == 0 && state_.LastBet > 0 && state_.Credits >= state_.LastBet) {
        state_.BetCoins = state_.LastBet;
        state_.Credits -= state_.LastBet;  // cannot overflow: Credits >= LastBet > 0
        host_.DrawCreditsCounter();
        host_.DrawCoinsCounter();
    }

    // 3. Nothing to play.
    if (state_.BetCoins <= 0) {
        host_.ShowInformation(NoBetMessage);
        return;
    }

    // 4. Attention off, win areas lit.
    host_.SetTimerEnabled(AttentionTimer::Timer2, false);
    host_.SetTimerEnabled(AttentionTimer::Timer3, false);
    host_.SetTimerEnabled(AttentionTimer::Timer5, false);
    host_.DrawLogoPanel(true);
    host_.DrawTitlePlate(true);

    // 5, 6.
    state_.SpinInProgress = true;
    scope.inProgress = true;
    host_.DrawButton('1', 0);
    host_.DrawButton('5', 0);
    host_.DrawButton('S', 0);
    host_.DrawBetSign(true);

    // 7. The start of the reel animation changes the game; the host only
    // draws the frames. A close that arrived before this point has already
    // been seen, so the flag is cleared for the animation.
    state_.SpinInProgress = true;
    state_.TotalBets = SaturatingAdd(state_.TotalBets, state_.BetCoins);
    scope.betCharged = true;
    MotionOffsets offsets{};
    ChooseStops(random_, host_.MotionHeight(), stops_, offsets);
    state_.ClosingRequested = false;
    state_.Spins = SaturatingAdd(state_.Spins, 1);
    if (!finishing_) host_.AnimateSpin(offsets);

    // 8, 9.
    RunNudges();
    EvaluateSpin();

    // 10. The Coins counter keeps showing the coins just played.
    state_.LastBet = state_.BetCoins;
    state_.BetCoins = 0;
    state_.SpinInProgress = false;

    // 11, 12.
    host_.DrawButton('1', 1);
    host_.DrawButton('5', 1);
    host_.DrawButton('S', 1);
    host_.SetTimerEnabled(AttentionTimer::Timer2, true);
    if (!host_.IsTimerEnabled(AttentionTimer::Timer3)) host_.SetTimerEnabled(AttentionTimer::Timer5, true);
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
    PlaySound(down ? SoundEffect::NudgeDown : SoundEffect::NudgeUp);
    if (!finishing_) host_.SlideReel(reel, direction);
    stops_[reel] = WrapPosition(WrapPosition(stops_[reel]) + (down ? -1 : 1));
    if (!finishing_) host_.SettleReel(reel);
}

}  // namespace engine
