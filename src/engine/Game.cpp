// Bets and the spin command: coins onto the table, the spin's order from the
// pending music to the released buttons, and the nudges.
#include "engine/Game.h"

#include "engine/Amounts.h"
#include "engine/PayTable.h"
#include "engine/SoundEffects.h"

namespace engine {

namespace {

constexpr int32_t TableLimit = 5;  // coins a spin can carry

}  // namespace

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

void Game::ShowButtons(bool lit)
{
    Add(step::ShowButton{Button::BetOne, lit});
    Add(step::ShowButton{Button::BetFive, lit});
    Add(step::ShowButton{Button::Spin, lit});
}

void Game::PlaceCoin()
{
    state_.BetCoins = SaturatingAdd(state_.BetCoins, 1);
    state_.Credits = SaturatingSubtract(state_.Credits, 1);
    Add(step::ShowCredits{state_.Credits});
    Add(step::ShowCoins{state_.BetCoins});
}

void Game::BetOne(Script* script)
{
    if (bonusPending_) return;  // no coins go on the table while a bonus box is owed
    const Writing writing(script_, script);
    if (state_.Credits < 1) {
        Add(step::TellInformation{OutOfCreditsMessage});
        return;
    }
    // A full table (left by a spin whose music start failed) takes no sixth
    // coin; it spins as the fifth coin would have.
    if (state_.BetCoins < TableLimit) {
        Add(step::PlayEffect{Effect::Coin});
        PlaceCoin();
    }
    if (state_.BetCoins >= TableLimit) Spin(script);
}

void Game::BetFive(Script* script)
{
    if (bonusPending_) return;
    const Writing writing(script_, script);
    while (state_.Credits >= 1 && state_.BetCoins < TableLimit) {
        PlaceCoin();
        Add(step::PlayEffect{Effect::Coin});
    }
    if (state_.BetCoins >= TableLimit) Spin(script);
}

void Game::Spin(Script* script)
{
    if (bonusPending_) return;
    const Writing writing(script_, script);

    // A pending music change starts first; its failure ends the command.
    if (!host_.StartPendingTrack()) return;

    // With an empty table the whole last bet is placed again, never part of it.
    if (state_.BetCoins == 0 && state_.LastBet > 0 && state_.Credits >= state_.LastBet) {
        state_.BetCoins = state_.LastBet;
        state_.Credits -= state_.LastBet;  // cannot overflow: Credits >= LastBet > 0
        Add(step::ShowCredits{state_.Credits});
        Add(step::ShowCoins{state_.BetCoins});
    }

    if (state_.BetCoins <= 0) {
        Add(step::TellInformation{NoBetMessage});
        return;
    }
    const int32_t motionHeight = host_.MotionHeight();

    // The table stops calling for attention and lights its win areas.
    Add(step::SwitchTimer{AttentionTimer::ButtonAttention, false});
    Add(step::SwitchTimer{AttentionTimer::WinFlash, false});
    Add(step::SwitchTimer{AttentionTimer::BetSignBlink, false});
    winFlashOn_ = false;
    Add(step::ShowLamp{Lamp::LogoPanel, true});
    Add(step::ShowLamp{Lamp::TitlePlate, true});

    // The buttons go dark until the spin is over.
    ShowButtons(false);
    Add(step::ShowLamp{Lamp::BetSign, true});

    // The bet is charged and the stops chosen before the reels move.
    state_.TotalBets = SaturatingAdd(state_.TotalBets, state_.BetCoins);
    MotionOffsets offsets{};
    outcomes_.NextStops(random_, motionHeight, stops_, offsets);
    state_.Spins = SaturatingAdd(state_.Spins, 1);
    Add(step::SpinReels{offsets, stops_});

    RunNudges();
    EvaluateSpin(script);
    // The coins are played; the Coins counter keeps showing them.
    state_.LastBet = state_.BetCoins;
    state_.BetCoins = 0;
    if (bonusPending_) {
        // The spin ends once the bonus window's prize has been counted.
        bonusEndsSpin_ = true;
        return;
    }
    EndSpin();
}

void Game::EndSpin()
{
    ShowButtons(true);
    Add(step::SwitchTimer{AttentionTimer::ButtonAttention, true});
    if (!winFlashOn_) Add(step::SwitchTimer{AttentionTimer::BetSignBlink, true});
}

void Game::PlayOwedBonusGame(Script* script)
{
    if (bonusPending_ || state_.BonusPts < BonusMeterFull) return;
    const Writing writing(script_, script);
    ShowButtons(false);
    bonusEndsSpin_ = false;
    OpenBonusWindow();
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
    Add(step::PlayEffect{down ? Effect::NudgeDown : Effect::NudgeUp});
    const auto r = static_cast<size_t>(reel);
    const int32_t from = stops_[r];
    stops_[r] = WrapPosition(WrapPosition(from) + (down ? -1 : 1));
    Add(step::NudgeReel{reel, direction, from, stops_[r]});
}

}  // namespace engine
