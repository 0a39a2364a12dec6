// The silent host's bonus window, and its counts of bonus games and prizes.
#include "SilentHost.h"

namespace par {

void SilentHost::PlayBonusPick(engine::Game& game)
{
    if (!game.BonusPickPending()) return;
    ++bonusGames_;
    const int box = static_cast<int>(random_(static_cast<int32_t>(game.Prizes().size()))) + 1;
    // An empty box adds nothing.
    const int32_t prize = game.PrizeInBox(box);
    if (prize > 0) bonusPrizes_ += prize;
    game.PickBonusBox(box, nullptr);
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
