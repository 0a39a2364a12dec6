// The attention lights' next states.
#include "play/AttentionLights.h"

namespace play {

ButtonLights AttentionLights::NextButtons(bool coinsOrWinShown, engine::Random& random)
{
    if (coinsOrWinShown) {
        spinBlink_ = !spinBlink_;
        return {true, spinBlink_, true};
    }
    int pick = random(3);
    while (pick == lastPick_) pick = random(3);
    lastPick_ = pick;
    return {pick == 0, pick == 1, pick == 2};
}

AttentionLights::WinFlash AttentionLights::NextWinFlash()
{
    WinFlash flash;
    flash.plateLit = winFlashPhase_;
    winFlashPhase_ = !winFlashPhase_;
    flash.panelLit = winFlashPhase_;
    return flash;
}

bool AttentionLights::NextBetSign()
{
    betSignPhase_ = !betSignPhase_;
    return betSignPhase_;
}

}  // namespace play
