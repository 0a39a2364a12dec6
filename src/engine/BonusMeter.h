// The bonus meter's rules: Bonus and Reset symbols on the payline, the meter's
// level and the bonus game's prizes.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/GameState.h"
#include "engine/TableTypes.h"
#include "engine/Reels.h"

namespace engine {

class Random;

// The meter's top level; a full meter opens the bonus game.
inline constexpr int32_t BonusMeterFull = 12;

// A meter loaded above full is shown, and kept, as full; lower levels,
// negative ones included, stay as they are.
inline void CapBonusPoints(GameState& state)
{
    if (state.BonusPts > BonusMeterFull) state.BonusPts = BonusMeterFull;
}

// The meter's level after a spin: a Reset empties it (the spin's Bonus points
// are lost); otherwise the points are added up to full, and a level already
// above full stays where it is. 64-bit, since a loaded meter may hold any level.
inline int32_t MeterAfterSpin(int32_t level, bool reset, int32_t points)
{
    if (reset) return 0;
    if (points <= 0) return level;
    const int64_t raised = std::min<int64_t>(static_cast<int64_t>(level) + points, BonusMeterFull);
    return std::max<int32_t>(level, static_cast<int32_t>(raised));
}

// Points of the Bonus symbol at a strip position (0 for any other).
inline int32_t BonusPointsAt(int reel, int32_t position);

// The two Reset symbols: reel 0 position 11 and reel 2 position 15.
inline bool IsResetAt(int reel, int32_t position);

// Summed over the payline of the three reels.
inline int32_t PaylineBonusPoints(const ReelStops& stops);
inline bool ResetOnPayline(const ReelStops& stops);

// The prizes before each shuffle, box 1 first.
inline constexpr BonusPrizes BonusPrizeFill{250, 100, 50, 50, 25, 10, 0, 0};

// 1001 passes; each pass swaps entry i with entry Random(8), for i = 0..7.
void ShuffleBonusPrizes(Random& random, BonusPrizes& prizes);

inline int32_t BonusPointsAt(int reel, int32_t position)
{
    return reeldata::ValidReel(reel) ? reeldata::Facts[reel][WrapPosition(position)].bonusPoints : 0;
}

inline bool IsResetAt(int reel, int32_t position)
{
    return reeldata::ValidReel(reel) && reeldata::Facts[reel][WrapPosition(position)].reset;
}

inline int32_t PaylineBonusPoints(const ReelStops& stops)
{
    int32_t points = 0;
    for (int reel = 0; reel < ReelCount; ++reel)
        points += reeldata::Facts[reel][WrapPosition(stops[reel])].paylinePoints;
    return points;
}

inline bool ResetOnPayline(const ReelStops& stops)
{
    bool reset = false;
    for (int reel = 0; reel < ReelCount; ++reel) reset |= reeldata::Facts[reel][WrapPosition(stops[reel])].paylineReset;
    return reset;
}

}  // namespace engine
