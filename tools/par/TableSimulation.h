// The simulation as the tool runs it: the same spins and totals as the engine's, each spin looked
// up in the combination table of a model instead of played through the rules.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "CombinationTable.h"
#include "PlayModel.h"
#include "Simulation.h"
#include "SpinDraws.h"
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

    // A spin looked up: returns its win and moves the meter. The outcome is
    // put together from small tables that stay in the first-level cache
    // even after a bonus game's shuffle has gone through it: for each reel
    // and drawn stop what comes onto the payline, and the rule of each
    // reading of the three paylines.
    uint64_t Spin(uint32_t seed, int32_t& meter) const
    {
        const uint32_t f0 = reelFacts_[0][StopOf(StopDraw0(seed))];
        const uint32_t f1 = reelFacts_[1][StopOf(StopDraw1(seed))];
        const uint32_t f2 = reelFacts_[2][StopOf(StopDraw2(seed))];
        const uint8_t rule = ruleOfPayline_[(f0 & SymbolMask) * 49 + (f1 & SymbolMask) * 7 + (f2 & SymbolMask)];
        const auto points = static_cast<int32_t>((f0 >> PointsShift) + (f1 >> PointsShift) + (f2 >> PointsShift));
        const bool emptied = ((f0 | f1 | f2) & EmptiesBit) != 0;
        meter = emptied ? 0 : std::min(meter + points, meterFull_);
        return winOfRule_[rule];
    }

    // A reel's payline after the nudges as a byte: the symbol as 0..6
    // (symbols 0..4, blank 5, Reset 6) in bits 0-2, a Reset that empties the
    // meter in bit 3, the Bonus points in bits 4-7.
    static constexpr uint32_t SymbolMask = 0x07;
    static constexpr uint32_t EmptiesBit = 0x08;
    static constexpr int PointsShift = 4;
    std::array<std::array<uint8_t, engine::StripLength>, engine::ReelCount> reelFacts_{};
    std::array<uint8_t, 7 * 7 * 7> ruleOfPayline_{};
    std::array<uint64_t, engine::PayRuleCount + 1> winOfRule_{};  // credits at this bet
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

// Calls play(k) for each stream k = 0..streams - 1, each on a thread of its
// own when there are several, and rethrows the first stream's failure once
// all have finished.
void RunStreams(unsigned streams, const std::function<void(unsigned)>& play);

// The streams' totals summed; the final seed is the first stream's.
SimulationTotals SumOfStreams(const std::vector<SimulationTotals>& streams);

}  // namespace par
