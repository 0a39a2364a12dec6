// Every one of the 27,000 drawn stop combinations with its outcome under a model, worked out once,
// so that the sheet, sweeps and simulations look a spin up instead of replaying it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "SlotModel.h"
#include "StopCombinations.h"
#include "engine/PayTable.h"
#include "engine/Reels.h"

namespace par {

// What one drawn combination of stops comes to once the reels have nudged.
struct CombinationOutcome {
    std::array<int8_t, engine::ReelCount> restingStops{};  // the stops after the nudges
    int8_t rule = static_cast<int8_t>(engine::PayRule::None);
    int8_t bonusPoints = 0;     // of the Bonus symbols on the payline
    bool reset = false;         // a Reset symbol on the payline
    bool emptiesMeter = false;  // the Reset empties the meter (and the points are lost)
    int32_t factor = 0;         // win per coin

    engine::PayRule Rule() const { return static_cast<engine::PayRule>(rule); }
    // The points the meter gains from this spin; 0 when it is emptied.
    int32_t MeterPoints() const { return emptiesMeter ? 0 : bonusPoints; }
};

// A model with the outcome of each of its 27,000 drawn combinations: the
// central product the figures of a model are computed from.
struct CombinationTable {
    SlotModel model;
    std::vector<CombinationOutcome> outcomes;  // by CombinationIndex

    size_t size() const { return outcomes.size(); }
    const CombinationOutcome& operator[](size_t index) const { return outcomes[index]; }
    auto begin() const { return outcomes.begin(); }
    auto end() const { return outcomes.end(); }
};

// The drawn stops (1..30 each, before nudges) as an index into the table.
inline constexpr size_t CombinationIndex(int32_t stop0, int32_t stop1, int32_t stop2)
{
    return static_cast<size_t>(((stop0 - 1) * engine::StripLength + (stop1 - 1)) * engine::StripLength + (stop2 - 1));
}

// The drawn stops of a table index, the inverse of CombinationIndex.
engine::ReelStops DrawnStops(size_t index);

// The outcome of one drawn combination: the nudges, the payline reading, the
// first matching rule (the engine's MatchPayRule) and the model's factor.
CombinationOutcome EvaluateCombination(const SlotModel& model, const engine::ReelStops& drawn);

CombinationTable BuildCombinationTable(const SlotModel& model);

// The game's own model's table, built on first use.
const CombinationTable& DefaultCombinations();

}  // namespace par
