// The win distributions of one spin and their figures.
#include "Volatility.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "CombinationTable.h"

namespace par {

namespace {

// The drawn combinations by factor, bonus points and Reset: a few dozen
// groups instead of 27,000 rows of exact arithmetic.
using OutcomeKey = std::tuple<int32_t, int32_t, bool>;

std::map<OutcomeKey, int64_t> GroupCombinations(const CombinationTable& table)
{
    std::map<OutcomeKey, int64_t> groups;
    for (const CombinationOutcome& c : table) ++groups[{c.factor, c.bonusPoints, c.emptiesMeter}];
    return groups;
}

}  // namespace

WinDistribution BaseWinDistribution(const CombinationTable& table, int32_t coins)
{
    WinDistribution wins;
    for (const auto& [key, count] : GroupCombinations(table)) {
        wins[int64_t{coins} * std::get<0>(key)] += Fraction(BigInt(count), BigInt(StopCombinations));
    }
    return wins;
}

WinDistribution WinDistributionWithBonus(const CombinationTable& table, int32_t coins, const MeterChain& chain)
{
    // The chance that points fill the meter: the spin starts high enough.
    const int32_t full = table.model.meterFull;
    const engine::BonusPrizes& prizes = table.model.prizes;
    std::vector<Fraction> fills(static_cast<size_t>(full) + 1, Fraction(0));
    for (int points = 1; points <= full; ++points) {
        for (int level = 0; level < chain.Levels(); ++level) {
            if (level + points >= full) fills[points] += chain.levelShare[level];
        }
    }
    const Fraction perBox(BigInt(1), BigInt(static_cast<int64_t>(prizes.size())));
    WinDistribution wins;
    for (const auto& [key, count] : GroupCombinations(table)) {
        const auto [factor, points, reset] = key;
        const Fraction chance{BigInt(count), BigInt(StopCombinations)};
        const int64_t base = int64_t{coins} * factor;
        const Fraction fill = reset ? Fraction(0) : fills[static_cast<size_t>(std::min(points, full))];
        if (!fill.IsZero()) {
            for (int32_t prize : prizes) wins[base + prize] += chance * fill * perBox;
        }
        if (fill != Fraction(1)) wins[base] += chance * (Fraction(1) - fill);
    }
    return wins;
}

double ToDouble(const Fraction& value)
{
    return std::stod(value.ToDecimal(17));
}

double SquareRoot(const Fraction& value)
{
    if (value < Fraction(0)) throw std::domain_error("square root of a negative number");
    return std::sqrt(ToDouble(value));
}

VolatilityFigures Volatility(const WinDistribution& wins, int32_t coins)
{
    if (coins <= 0) throw std::domain_error("a bet of at least one coin");
    VolatilityFigures v;
    Fraction mean(0);
    Fraction square(0);
    for (const auto& [win, chance] : wins) {
        if (chance.IsZero()) continue;
        mean += chance * Fraction(win);
        square += chance * Fraction(win * win);
        v.largestWin = std::max(v.largestWin, win);
    }
    const Fraction perCoin(BigInt(1), BigInt(int64_t{coins}));
    v.meanPerCoin = mean * perCoin;
    v.variancePerCoin = (square - mean * mean) * perCoin * perCoin;
    v.standardDeviation = SquareRoot(v.variancePerCoin);
    v.volatilityIndex = Z90 * v.standardDeviation;
    for (size_t i = 0; i < LargeWinMultiples.size(); ++i) {
        v.atLeast[i] = Fraction(0);
        for (const auto& [win, chance] : wins) {
            if (win >= int64_t{coins} * LargeWinMultiples[i]) v.atLeast[i] += chance;
        }
    }
    return v;
}

}  // namespace par
