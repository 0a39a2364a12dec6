// A spin's outcomes grouped by what the analysis needs (win factor, bonus points, a Reset that
// empties the meter), and how one spin moves the bonus meter from a level: the shared ground of
// the workbench figures.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "CombinationTable.h"
#include "Fraction.h"
#include "MeterChain.h"

namespace par {

// The drawn combinations that share a win factor, bonus points and whether
// a Reset empties the meter.
struct OutcomeGroup {
    int32_t factor = 0;         // win per coin
    int32_t points = 0;         // bonus points on the payline, capped at the model's full meter
    bool emptiesMeter = false;  // a Reset on the payline that empties the meter (the points lost)
    int64_t combinations = 0;
};

// A few dozen groups instead of the table's rows, in a fixed order.
std::vector<OutcomeGroup> GroupOutcomes(const CombinationTable& table);

// The level the next spin starts at and whether this spin fills the meter
// (the bonus game then runs and empties it), for a meter that the given
// points fill.
struct MeterStep {
    int next = 0;
    bool fills = false;
};
MeterStep StepMeter(int level, const OutcomeGroup& group, int32_t meterFull);

// The expected prize of a box picked at random (0 for no boxes).
Fraction PrizeExpectation(std::span<const int32_t> prizes);

}  // namespace par
