// Every one of the 27,000 drawn stop combinations with its outcome, worked out once from the
// engine's own rules, so that simulations and sweeps look a spin up instead of replaying it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "StopCombinations.h"
#include "engine/PayTable.h"
#include "engine/Reels.h"

namespace par {

// What one drawn combination of stops comes to once the reels have nudged.
struct CombinationOutcome {
    std::array<int8_t, engine::ReelCount> restingStops{};  // the stops after the nudges
    int8_t rule = static_cast<int8_t>(engine::PayRule::None);
    int8_t bonusPoints = 0;  // of the Bonus symbols on the payline (lost to a Reset)
    bool reset = false;      // a Reset symbol on the payline
    int16_t factor = 0;      // win per coin

    engine::PayRule Rule() const { return static_cast<engine::PayRule>(rule); }
};

using CombinationTable = std::array<CombinationOutcome, static_cast<size_t>(StopCombinations)>;

// The drawn stops (1..30 each, before nudges) as an index into the table.
inline constexpr size_t CombinationIndex(int32_t stop0, int32_t stop1, int32_t stop2)
{
    return static_cast<size_t>(((stop0 - 1) * engine::StripLength + (stop1 - 1)) * engine::StripLength + (stop2 - 1));
}

// The drawn stops of a table index, the inverse of CombinationIndex.
engine::ReelStops DrawnStops(size_t index);

// The outcome of one drawn combination: NudgedStop, the payline reading,
// MatchPayRule and PayFactor, as a spin applies them.
CombinationOutcome EvaluateCombination(const engine::ReelStops& drawn);

// The whole table, built on first use.
const CombinationTable& Combinations();

}  // namespace par
