// The win distribution in bands of the bet: the chance of a spin's total win (pay table and bonus
// prize together) falling in each band, the share of the return each band brings, the largest win.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Fraction.h"
#include "Report.h"
#include "Volatility.h"

namespace par {

// The upper ends of the bands above 0, in multiples of the bet: a win of
// exactly 0, then (0, 1x], (1x, 2x], ..., (100x, 250x], and above 250x.
inline constexpr std::array<int32_t, 8> WinBandEdges{1, 2, 5, 10, 20, 50, 100, 250};
inline constexpr size_t WinBandCount = WinBandEdges.size() + 2;

struct WinBand {
    std::string name;  // "0", "(0, 1x]", ..., "above 250x"
    Fraction probability;
    Fraction returnShare;  // of the mean win; 0 when nothing is ever won
};

struct WinBandFigures {
    int32_t coins = 1;
    std::array<WinBand, WinBandCount> bands;
    Fraction meanWin;        // credits per spin
    int64_t largestWin = 0;  // credits, of a win with a chance above 0
    Fraction largestWinChance;
};

// The band of a win of the given credits at a bet of the given coins.
size_t WinBandOf(int64_t win, int32_t coins);

// Throws std::domain_error for a bet below one coin or negative wins.
WinBandFigures BandWins(const WinDistribution& wins, int32_t coins);

// One table per bet.
ReportTable WinBandTable(const WinBandFigures& figures, bool exact);

}  // namespace par
