// A spin's outcomes grouped by what the analysis needs (win factor, bonus points, Reset), and how
// one spin moves the bonus meter from a level: the shared ground of the workbench figures.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "CombinationTable.h"
#include "Fraction.h"
#include "MeterChain.h"

namespace par {

// The drawn combinations that share a win factor, bonus points and Reset.
struct OutcomeGroup {
    int32_t factor = 0;  // win per coin
    int32_t points = 0;  // bonus points on the payline, capped at a full meter
    bool reset = false;
    int64_t combinations = 0;
};

// A few dozen groups instead of the table's rows, in a fixed order.
std::vector<OutcomeGroup> GroupOutcomes(const CombinationTable& table);

// How the table's spins move the meter, as CountMeterOutcomes counts them
// for the game's own reels.
MeterOutcomes MeterOutcomesOf(const CombinationTable& table);

// The level the next spin starts at and whether this spin fills the meter
// (the bonus game then runs and empties it).
struct MeterStep {
    int next = 0;
    bool fills = false;
};
MeterStep StepMeter(int level, const OutcomeGroup& group);

// The expected prize of a box picked at random (0 for no boxes).
Fraction PrizeExpectation(std::span<const int32_t> prizes);

}  // namespace par
