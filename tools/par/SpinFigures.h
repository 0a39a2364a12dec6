// The figures of one spin (each rule's chance, the hit frequency, the return, Reset and bonus
// points), counted with a weight for each drawn stop combination.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "CombinationTable.h"
#include "Fraction.h"
#include "engine/PayTable.h"

namespace par {

struct SpinFigures {
    int64_t total = 0;  // the sum of the weights
    std::array<int64_t, engine::PayRuleCount> rules{};
    int64_t winning = 0;
    int64_t paidPerCoin = 0;      // weight x factor, summed
    int64_t resets = 0;           // a Reset on the payline
    std::vector<int64_t> points;  // by the points the meter gains (capped at full), not emptied

    Fraction Chance(int64_t weight) const { return Fraction(BigInt(weight), BigInt(total)); }
};

// Weights by combination index (CombinationIndex), one per combination of the table.
SpinFigures CountSpinFigures(const CombinationTable& table, const std::vector<uint64_t>& weights);

// Every combination once: the ideal reels.
SpinFigures IdealSpinFigures(const CombinationTable& table);

}  // namespace par
