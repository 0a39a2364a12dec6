// The reproducible simulation: spins of a fixed bet through the real rules.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "PlayModel.h"
#include "SilentHost.h"
#include "VectorShuffle.h"
#include "engine/Game.h"

namespace par {

// Totals of a simulated session; all exact integers.
struct SimulationTotals {
    uint64_t spins = 0;
    uint64_t totalBet = 0;
    uint64_t baseWinnings = 0;  // paid by the pay table
    uint64_t winningSpins = 0;  // spins the pay table paid
    uint64_t bonusGames = 0;
    uint64_t bonusPrizes = 0;
    uint32_t finalSeed = 0;

    friend bool operator==(const SimulationTotals&, const SimulationTotals&) = default;
};

// Plays spins of a fixed bet through the real rules and a silent host: the
// generator seeded once, the pauses between spins as the play model has
// them, credits never short, a full meter played with the box the Enter key
// would open. The plain reference that TableSimulator is checked against.
class Simulator {
public:
    Simulator(int32_t betCoins, uint32_t seed, PlayModel model = PlayModel::Replay);

    void PlaySpin();
    void PlaySpins(uint64_t count);
    SimulationTotals Totals() const;

private:
    engine::GameState state_;
    engine::Random random_;
    SilentHost host_;
    AnalysisOutcomes outcomes_;
    engine::Game game_;
    AttentionPauses pauses_;
    PlayModel model_;
    int32_t betCoins_;
    SimulationTotals totals_;
};

// The session's figures, one "name: value" line each, then the return and
// the speed. Given the final seeds of several streams, the figures are their
// sums: a "streams: N" line comes first and "final seeds:" lists them all.
void PrintSimulation(const SimulationTotals& totals, double seconds, std::ostream& out,
                     const std::vector<uint32_t>& streamFinalSeeds = {});

}  // namespace par
