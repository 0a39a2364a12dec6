// How a spin pays: the payline read, the meter, the win and its count-up.
#include "engine/Amounts.h"
#include "engine/CountUp.h"
#include "engine/Game.h"
#include "engine/PayTable.h"
#include "engine/SoundEffects.h"

namespace engine {

void Game::EvaluateSpin()
{
    state_.SpinWin = 0;
    const PaylineReading payline = ReadPaylineForEvaluation(stops_);

    // The meter reacts before any win is paid.
    AddBonusPoints(payline.reset, payline.bonusPoints);

    const int32_t factor = PayFactor(MatchPayRule(payline.symbols));
    state_.SpinWin = SaturatingAdd(state_.SpinWin, SaturatingMultiply(state_.BetCoins, factor));

    if (state_.SpinWin > 0) {
        host_.SetTimerEnabled(AttentionTimer::WinFlash, true);
        // The count begins only once the win sound has ended.
        if (!finishing_) host_.PlayWinSound();
        CountUpWin();
    }

    if (state_.BonusPts >= BonusMeterFull) RunBonusGame();
}

void Game::CountUpWin()
{
    host_.DrawWinningsCaption();
    int32_t shown = 0;
    while (state_.SpinWin > 0) {
        if (finishing_) {
            // The rest in one step, so that it is in Credits before the save.
            state_.Credits = SaturatingAdd(state_.Credits, state_.SpinWin);
            shown = SaturatingAdd(shown, state_.SpinWin);
            state_.SpinWin = 0;
            host_.DrawCreditsCounter();
            host_.DrawWinningsCounter(shown);
            break;
        }
        const int32_t step = CountUpStep(state_.SpinWin);
        state_.Credits = SaturatingAdd(state_.Credits, step);
        shown = SaturatingAdd(shown, step);
        state_.SpinWin -= step;  // SpinWin >= 1 and step <= SpinWin: no overflow
        host_.PlaySoundEffect(Effect::CountUpTick);
        host_.DrawCreditsCounter();
        host_.DrawWinningsCounter(shown);
        host_.Delay(CountUpDelaySeconds);
    }
}

}  // namespace engine
