// A new game: fresh money and counts; a game as it is saved.
#include "engine/GameState.h"

#include "engine/Amounts.h"

namespace engine {

void StartNewGame(GameState& state)
{
    state.Credits = 1000;
    state.Borrowed = 1000;
    state.Spins = 0;
    state.TotalBets = 0;
    state.BonusWon = 0;
    state.BonusPts = 0;
    // The coins on the table were paid by the game that is left; the new
    // game starts with an empty table. LastBet, GameName and GameDate stay.
    state.BetCoins = 0;
}

GameState WithCoinsReturned(GameState state)
{
    if (state.BetCoins > 0) state.Credits = SaturatingAdd(state.Credits, state.BetCoins);
    state.BetCoins = 0;
    return state;
}

}  // namespace engine
