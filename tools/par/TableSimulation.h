// The simulation as the tool runs it: the same spins and totals as the engine's, each spin looked
// up in the combination table instead of played through the rules.
#pragma once

#include <array>
#include <cstdint>

#include "CombinationTable.h"
#include "PlayModel.h"
#include "Simulation.h"
#include "engine/Random.h"

namespace par {

// Gives exactly the totals and final seed of Simulator for the same bet,
// seed and play model (the tests hold the two together), several times
// faster: one table load per spin, the stops drawn by jumping ahead, and
// the vectorised prize shuffle.
class TableSimulator {
public:
    TableSimulator(int32_t betCoins, uint32_t seed, PlayModel model);

    void PlaySpins(uint64_t count);
    SimulationTotals Totals() const;

private:
    void PlayBonusGame();

    // The table's outcomes packed in a byte each, so that all 27,000 stay in
    // the first-level cache: the rule in bits 0-3, the bonus points in bits
    // 4-6, Reset in bit 7.
    static constexpr uint8_t RuleMask = 0x0F;
    static constexpr int PointsShift = 4;
    static constexpr uint8_t PointsMask = 0x07;
    static constexpr uint8_t ResetBit = 0x80;
    std::array<uint8_t, static_cast<size_t>(StopCombinations)> packed_{};
    std::array<uint64_t, engine::PayRuleCount + 1> winByRule_{};  // credits at this bet

    engine::Random random_;
    AttentionPauses pauses_;
    PlayModel model_;
    int32_t betCoins_;
    int32_t meter_ = 0;
    bool winFlash_ = false;
    SimulationTotals totals_;
};

}  // namespace par
