// How fast the return converges: one spin's variance and the long-run (asymptotic) variance of the
// average, exact over the bonus meter's Markov chain, the intervals of the return after n spins,
// and a check of those intervals against independent simulated runs.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "CombinationTable.h"
#include "Fraction.h"
#include "MeterChain.h"
#include "Report.h"

namespace par {

struct ConvergenceFigures {
    int32_t coins = 1;
    Fraction meanPerCoin;  // the long-run return per coin
    // Of one spin's win per coin, the meter at its long-run shares.
    Fraction oneSpinVariance;
    // n x the variance of the average return over n spins, as n grows: the
    // one-spin variance plus twice every autocovariance between spins.
    Fraction asymptoticVariance;
};

// The meter level at the start of a spin is the chain's state, the spin's
// win its reward, the prize of a spin that fills the meter one of the
// model's boxes. With r(i) the mean win from level i and g the solution of
// (I - P) g = r - mean with the long-run shares weighting g to 0, over the
// levels a session can reach from an empty meter, the sum of the
// autocovariances is E[(W_0 - mean) g(L_1)]. The chain must be the table's
// (SolveMeterChain(CountMeterOutcomes(table))).
ConvergenceFigures ComputeConvergence(const CombinationTable& table, const MeterChain& chain, int32_t coins);

// Two-sided normal quantiles.
inline constexpr std::array<double, 3> IntervalLevels{0.90, 0.95, 0.99};
inline constexpr std::array<double, 3> IntervalZ{1.6448536269514722, 1.959963984540054, 2.5758293035489004};

struct ReturnInterval {
    double low = 0;
    double high = 0;
};

// The normal interval of the return per coin after the given spins.
ReturnInterval IntervalAfter(const ConvergenceFigures& figures, uint64_t spins, double z);

// The spins after which the return lies within the given relative distance
// of the long-run return at the given z: ceil((z sigma / (share x mean))^2).
uint64_t SpinsToWithin(const ConvergenceFigures& figures, double share, double z);

// Runs of the fast table simulation of the game's generator (the play model
// with attention pauses), each seeded with seed + run and played as
// --simulate plays it in the given number of independent streams.
struct ConvergenceCheck {
    uint64_t runs = 0;
    uint64_t spinsPerRun = 0;
    uint32_t seed = 0;
    unsigned streams = 1;
    std::array<uint64_t, IntervalLevels.size()> inside{};  // runs inside each interval
    double seconds = 0;
};

ConvergenceCheck CheckConvergence(const CombinationTable& table, const ConvergenceFigures& figures, uint64_t runs,
                                  uint64_t spinsPerRun, uint32_t seed, unsigned streams = 1);

// The running return per coin of one simulated run (one stream) at the
// given spin counts (ascending).
std::vector<std::pair<uint64_t, double>> SimulatedReturnPath(const CombinationTable& table, int32_t coins,
                                                             uint32_t seed, const std::vector<uint64_t>& checkpoints);

// Variances for each bet, then the intervals for one bet, then the check if
// one ran.
std::vector<ReportTable> ConvergenceTables(const std::vector<ConvergenceFigures>& byBet,
                                           const ConvergenceFigures& shown, const ConvergenceCheck* check, bool exact);

}  // namespace par
