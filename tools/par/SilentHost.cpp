#include "SilentHost.h"

#include "engine/Amounts.h"
#include "engine/BonusMeter.h"

namespace par {

void SilentHost::DrawBonusMeter()
{
    // As the table's meter does: a level above full is shown, and kept, as full.
    engine::CapBonusPoints(state_);
}

void SilentHost::RunBonusWindow(const engine::BonusPrizes& prizes)
{
    ++bonusGames_;
    const int32_t prize = prizes[static_cast<size_t>(random_(static_cast<int32_t>(prizes.size())))];
    // An empty box leaves SpinWin as it is and adds nothing.
    if (prize > 0) {
        state_.SpinWin = prize;
        state_.BonusWon = engine::SaturatingAdd(state_.BonusWon, prize);
        bonusPrizes_ += prize;
    }
}

int64_t SilentHost::TakeBonusGames()
{
    const int64_t games = bonusGames_;
    bonusGames_ = 0;
    return games;
}

int64_t SilentHost::TakeBonusPrizes()
{
    const int64_t prizes = bonusPrizes_;
    bonusPrizes_ = 0;
    return prizes;
}

}  // namespace par
