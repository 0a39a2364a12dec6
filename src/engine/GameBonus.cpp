// The bonus meter during a spin (points, Reset) and the bonus game that a full
// meter opens, up to the player's box and from it.

#include "engine/Amounts.h"
#include "engine/Game.h"
#include "engine/SoundEffects.h"

namespace engine {

void Game::AddBonusPoints(bool reset, int32_t points)
{
    if (reset) {
        // The meter is emptied; Bonus points of the same spin are lost.
        Add(step::PlayEffect{Effect::MeterReset});
        if (state_.BonusPts != 0) {
            state_.BonusPts = 0;
            Add(step::ShowMeter{0});
        }
        return;
    }

    // One step, one drawing and one sound per point, up to the level the rules give.
    const int32_t target = MeterAfterSpin(state_.BonusPts, false, points);
    while (state_.BonusPts < target) {
        ++state_.BonusPts;
        Add(step::ShowMeter{std::min(state_.BonusPts, BonusMeterFull)});
        Add(step::PlayEffect{Effect::MeterPoint});
    }
}

void Game::OpenBonusWindow()
{
    // Until the box is picked the meter stays full: a game saved now still
    // owes its bonus game.
    prizes_ = BonusPrizeFill;
    outcomes_.ShufflePrizes(random_, prizes_);
    bonusPending_ = true;
    Add(step::PickBonusBox{prizes_});
}

int32_t Game::PrizeInBox(int box) const
{
    if (box < 1 || box > static_cast<int>(prizes_.size())) return 0;
    return prizes_[static_cast<size_t>(box - 1)];
}

void Game::PickBonusBox(int box, Script* script)
{
    if (!bonusPending_) return;
    const Writing writing(script_, script);
    bonusPending_ = false;
    const int32_t prize = PrizeInBox(box);
    if (prize > 0) {
        state_.SpinWin = prize;
        state_.BonusWon = SaturatingAdd(state_.BonusWon, prize);
    }
    state_.BonusPts = 0;
    Add(step::ShowMeter{0});

    // A prize is counted without the win sound and without the win flashing.
    CountUpWin(script);

    if (bonusEndsSpin_) {
        bonusEndsSpin_ = false;
        EndSpin();
    } else {
        ShowButtons(true);
    }
}

}  // namespace engine
