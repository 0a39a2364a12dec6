// A new game: fresh money and counts.
#include "engine/GameState.h"

namespace engine {

void StartNewGame(GameState& state)
{
    state.Credits = 1000;
    state.Borrowed = 1000;
    state.Spins = 0;
    state.TotalBets = 0;
    state.BonusWon = 0;
    state.BonusPts = 0;
    // BetCoins, LastBet, GameName and GameDate stay: coins already on the
    // table are played against the fresh credits.
}

}  // namespace engine
