// The table in words for a screen reader: the symbols' names and the
// sentences that announce a bet, a spin, a nudge, the meter, the bonus game
// and a borrowing.
#pragma once

#include <cstdint>
#include <string>

#include "engine/TableTypes.h"
#include "engine/Reels.h"
#include "engine/SpinOutcome.h"

namespace play {

// The symbol a reel shows at a strip position, as the built-in pictures draw
// it: "Plum", "Seven", "Triple bar", "Up double bar", "Bonus single bar",
// "Reset", "Blank".
std::string SymbolName(int reel, int32_t position);
// The payline, left to right: "Plum, Seven, Double bar".
std::string PaylineText(const engine::ReelStops& stops);

// "Coins 3. Credits 997."
std::string BetAnnouncement(int32_t coins, int32_t credits);
// "Three plums. You win 1500. Credits 2499." or "No win. Credits 994."
std::string SpinAnnouncement(const engine::SpinOutcome& outcome, int32_t credits);
// "Right reel nudges down."
std::string NudgeAnnouncement(int reel, engine::SlideDirection direction);
// "Bonus meter 7 of 12."
std::string MeterAnnouncement(int32_t meter);
// "Bonus game: box 3 holds 250. Credits 3249."
std::string BonusAnnouncement(int box, int32_t prize, int32_t credits);
// A bet or spin refused while the reels turn: "Reels turning."
std::string RefusedAnnouncement();
// "You borrowed 1000. Credits 1994, borrowed 2000." or "You paid back ...".
std::string BorrowAnnouncement(int32_t borrowedBefore, int32_t borrowedAfter, int32_t credits);

}  // namespace play
