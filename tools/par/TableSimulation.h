// The simulation as the tool runs it: the same spins and totals as the engine's, each spin looked
// up in the combination table of a model instead of played through the rules.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "CombinationTable.h"
#include "PlayModel.h"
#include "Simulation.h"
#include "engine/Random.h"

namespace par {

// For the game's own model, gives exactly the totals and final seed of
// Simulator for the same bet, seed and play model (the tests hold the two
// together), several times faster: one table load per spin, the stops drawn
// by jumping ahead, and the vectorised prize shuffle. For any other model it
// plays that model's table, meter and prizes.
class TableSimulator {
public:
    // The game's generator and the player's pauses both seeded with seed.
    TableSimulator(const CombinationTable& table, int32_t betCoins, uint32_t seed, PlayModel model);
    // The two generators seeded apart, for one of several streams.
    TableSimulator(const CombinationTable& table, int32_t betCoins, uint32_t gameSeed, uint32_t pauseSeed,
                   PlayModel model);

    void PlaySpins(uint64_t count);
    SimulationTotals Totals() const;

private:
    // The attention pauses with their picks in vector lanes, where the
    // processor has them.
    void PlaySpinsInLanes(uint64_t count);
    // Plays a bonus game from the seed and returns the seed it leaves.
    uint32_t PlayBonusGame(uint32_t seed);

    // Each combination's outcome as a byte: the index of its class, a
    // distinct pair of win and meter step. 27,000 bytes stay in the
    // first-level cache. At most 9 rules x 26 steps occur, within 256.
    std::array<uint8_t, static_cast<size_t>(StopCombinations)> classOf_{};
    std::array<uint64_t, 256> winOfClass_{};       // credits at this bet
    std::array<int32_t, 256> meterStepOfClass_{};  // points gained; -full for a meter emptied
    engine::BonusPrizes prizes_{};
    int32_t meterFull_ = 0;

    engine::Random random_;
    AttentionPauses pauses_;
    PlayModel model_;
    int32_t betCoins_;
    int32_t meter_ = 0;
    bool winFlash_ = false;
    SimulationTotals totals_;
};

// The generators' seeds of stream k (1..streams) of a simulation seeded with
// seed. One stream is the plain run: both generators seeded with seed. Of
// several, each takes x = SplitMix64(seed x 2^32 + k): the game's generator
// the low 32 bits of x, the player's pauses the high 32 bits; so no stream is
// the single run's, and none another's shifted by a fixed number of spins.
struct StreamSeeds {
    uint32_t game = 0;
    uint32_t pauses = 0;
};
StreamSeeds SeedsOfStream(uint32_t seed, unsigned stream, unsigned streams);

// Plays spins split over independent streams, each in a thread of its own
// (the first streams one spin more where they do not divide evenly), and
// returns each stream's totals in order. The same arguments give the same
// figures whatever the machine.
std::vector<SimulationTotals> SimulateStreams(const CombinationTable& table, int32_t betCoins, uint32_t seed,
                                              PlayModel model, uint64_t spins, unsigned streams);

// The streams' totals summed; the final seed is the first stream's.
SimulationTotals SumOfStreams(const std::vector<SimulationTotals>& streams);

}  // namespace par
