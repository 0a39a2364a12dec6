// GameState: the one record of the game being played, shared by every window.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

// The one record of the game being played. Plain data: every window reads and
// writes it directly.
struct GameState {
    // Saved with a game (the saved-game keys carry the same names).
    int32_t Credits = 1000;
    int32_t Borrowed = 1000;
    int32_t Spins = 0;
    int32_t TotalBets = 0;
    int32_t BonusWon = 0;
    int32_t BonusPts = 0;
    std::string GameName;  // at most 30 characters once loaded
    std::string GameDate;  // "mm/dd/yy", at most 10 characters once loaded

    // Run-time only.
    int32_t BetCoins = 0;
    int32_t LastBet = 0;
    int32_t SpinWin = 0;
    // Bets and spins are held while set: while a command's script plays, and
    // from the start until the start-up tick releases it. The play sets it.
    bool SpinInProgress = true;
};

// New Game: fresh money and counts on an empty table; the last bet and the
// name and date stay. Coins on the table belonged to the game that is left.
// The caller repaints and releases a start-up hold.
void StartNewGame(GameState& state);

// The game as it is saved: coins on the table came out of its Credits
// unplayed, so they go back into them and the table is empty.
GameState WithCoinsReturned(GameState state);

}  // namespace engine
