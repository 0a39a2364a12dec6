// How a spin pays: the payline read, the meter, the win and its count-up.
#include <cmath>

#include "engine/Amounts.h"
#include "engine/CountUp.h"
#include "engine/Game.h"
#include "engine/PayTable.h"
#include "engine/SoundEffects.h"

namespace engine {

namespace {
const int32_t CountUpPauseMicros = static_cast<int32_t>(std::lround(CountUpDelaySeconds * 1e6));
}

void Game::EvaluateSpin(Script* script)
{
    const Writing writing(script_, script);
    state_.SpinWin = 0;
    const PaylineReading payline = ReadPaylineForEvaluation(stops_);

    // The meter reacts before any win is paid.
    AddBonusPoints(payline.reset, payline.bonusPoints);

    const int32_t factor = PayFactor(MatchPayRule(payline.symbols));
    state_.SpinWin = SaturatingAdd(state_.SpinWin, SaturatingMultiply(state_.BetCoins, factor));

    if (state_.SpinWin > 0) {
        Add(step::SwitchTimer{AttentionTimer::WinFlash, true});
        winFlashOn_ = true;
        // The count begins only once the win sound has ended.
        Add(step::PlayWinSound{});
        CountUpWin(script);
    }

    if (state_.BonusPts >= BonusMeterFull) OpenBonusWindow();
}

void Game::CountUpWin(Script* script)
{
    const Writing writing(script_, script);
    if (state_.SpinWin <= 0) return;
    int32_t shown = 0;
    while (state_.SpinWin > 0) {
        const int32_t step = CountUpStep(state_.SpinWin);
        state_.Credits = SaturatingAdd(state_.Credits, step);
        shown = SaturatingAdd(shown, step);
        state_.SpinWin -= step;  // SpinWin >= 1 and step <= SpinWin: no overflow
        Add(step::PlayEffect{Effect::CountUpTick});
        Add(step::ShowCredits{state_.Credits});
        Add(step::ShowWinnings{shown});
        Add(step::Pause{CountUpPauseMicros});
    }
}

}  // namespace engine
