// The bonus meter during a spin (points, Reset) and the bonus game that a full
// meter opens.

#include "engine/Game.h"
#include "engine/SoundEffects.h"

namespace engine {

void Game::AddBonusPoints()
{
    AddBonusPoints(ResetOnPayline(stops_), PaylineBonusPoints(stops_));
}

void Game::AddBonusPoints(bool reset, int32_t points)
{
    if (reset) {
        // The meter is emptied; Bonus points of the same spin are lost.
        PlaySound(Effect::MeterReset);
        if (state_.BonusPts != 0) {
            state_.BonusPts = 0;
            host_.DrawBonusMeter();
        }
        return;
    }

    // One step, one drawing and one sound per point, up to the level the rules give.
    const int32_t target = MeterAfterSpin(state_.BonusPts, false, points);
    while (state_.BonusPts < target) {
        ++state_.BonusPts;
        host_.DrawBonusMeter();
        PlaySound(Effect::MeterPoint);
    }
}

void Game::RunBonusGame()
{
    // A spin finishing at once opens no window: the full meter is kept, and
    // with it the bonus game owed, played at the next start.
    if (finishing_) return;

    prizes_ = BonusPrizeFill;
    outcomes_.ShufflePrizes(random_, prizes_);
    host_.RunBonusWindow(prizes_);

    state_.BonusPts = 0;
    host_.DrawBonusMeter();
    // The prize and the emptied meter are made durable before the prize is
    // counted: the bonus game owed is paid, and never owed twice.
    host_.SecureOutcome(SettledWin());

    // A prize is counted without the win sound and without the win flashing.
    if (state_.SpinWin > 0) CountUpWin();
}

}  // namespace engine
