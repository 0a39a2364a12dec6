// How far one spin's win strays from the average: the exact distribution of a spin's win, its
// variance, the volatility index and the chances of large wins.
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "CombinationTable.h"
#include "Fraction.h"
#include "MeterChain.h"

namespace par {

// The chance of each possible win of one spin, in credits.
using WinDistribution = std::map<int64_t, Fraction>;

// The pay table alone, for a bet of the given coins.
WinDistribution BaseWinDistribution(const CombinationTable& table, int32_t coins);

// The pay table and the bonus game of a spin in the long run: the spin
// starts at a meter level with its long-run share, and a spin that fills the
// meter adds one of the model's eight prizes, each equally likely.
WinDistribution WinDistributionWithBonus(const CombinationTable& table, int32_t coins, const MeterChain& chain);

// z of the standard normal distribution for a two-sided 90 % interval.
inline constexpr double Z90 = 1.6448536269514722;

inline constexpr std::array<int32_t, 3> LargeWinMultiples{10, 50, 500};

struct VolatilityFigures {
    Fraction meanPerCoin;
    Fraction variancePerCoin;  // of one spin's win per coin
    double standardDeviation = 0;
    double volatilityIndex = 0;  // Z90 x standard deviation
    int64_t largestWin = 0;      // in credits
    // The chance of a win of at least 10, 50 and 500 times the bet.
    std::array<Fraction, LargeWinMultiples.size()> atLeast;
};

VolatilityFigures Volatility(const WinDistribution& wins, int32_t coins);

// The square root of an exact fraction, as a double.
double SquareRoot(const Fraction& value);
double ToDouble(const Fraction& value);

}  // namespace par
