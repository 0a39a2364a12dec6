// Counting how spins move the bonus meter, and solving the meter's chain exactly.
#include "MeterChain.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "StopCombinations.h"

namespace par {

MeterOutcomes CountMeterOutcomes()
{
    MeterOutcomes outcomes;
    ForEachStopCombination([&](const engine::ReelStops& stops) {
        ++outcomes.combinations;
        if (engine::ResetOnPayline(stops)) {
            ++outcomes.resets;
            return;
        }
        const int32_t points = std::min(engine::PaylineBonusPoints(stops), engine::BonusMeterFull);
        ++outcomes.points[static_cast<size_t>(points)];
    });
    return outcomes;
}

std::vector<Fraction> SolveLinearSystem(std::vector<std::vector<Fraction>> a, std::vector<Fraction> b)
{
    const size_t n = a.size();
    if (b.size() != n) throw std::domain_error("system of the wrong shape");
    for (const auto& row : a) {
        if (row.size() != n) throw std::domain_error("system of the wrong shape");
    }
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        while (pivot < n && a[pivot][col].IsZero()) ++pivot;
        if (pivot == n) throw std::domain_error("singular system");
        std::swap(a[pivot], a[col]);
        std::swap(b[pivot], b[col]);
        for (size_t row = 0; row < n; ++row) {
            if (row == col || a[row][col].IsZero()) continue;
            const Fraction factor = a[row][col] / a[col][col];
            for (size_t k = col; k < n; ++k) a[row][k] = a[row][k] - factor * a[col][k];
            b[row] = b[row] - factor * b[col];
        }
    }
    std::vector<Fraction> x(n);
    for (size_t i = 0; i < n; ++i) x[i] = b[i] / a[i][i];
    return x;
}

MeterChain SolveMeterChain(const MeterOutcomes& outcomes)
{
    if (outcomes.combinations <= 0) throw std::domain_error("no meter outcomes");
    const BigInt total(outcomes.combinations);
    auto chance = [&](int64_t count) { return Fraction(BigInt(count), total); };

    MeterChain chain;
    for (auto& row : chain.transition) row.fill(Fraction(0));
    for (int from = 0; from < MeterLevels; ++from) {
        chain.transition[from][0] += chance(outcomes.resets);
        chain.bonusChance[from] = Fraction(0);
        for (int points = 0; points <= engine::BonusMeterFull; ++points) {
            const int64_t count = outcomes.points[static_cast<size_t>(points)];
            if (count == 0) continue;
            const int to = from + points;
            if (to >= engine::BonusMeterFull) {
                // The meter fills: the bonus game runs and empties it.
                chain.bonusChance[from] += chance(count);
                chain.transition[from][0] += chance(count);
            } else {
                chain.transition[from][to] += chance(count);
            }
        }
    }

    // The stationary shares s solve s = s × P with the shares summing to 1;
    // the first balance equation is redundant and gives way to the sum.
    std::vector<std::vector<Fraction>> matrix(MeterLevels, std::vector<Fraction>(MeterLevels));
    std::vector<Fraction> rhs(MeterLevels, Fraction(0));
    for (int col = 0; col < MeterLevels; ++col) matrix[0][col] = Fraction(1);
    rhs[0] = Fraction(1);
    for (int to = 1; to < MeterLevels; ++to) {
        for (int from = 0; from < MeterLevels; ++from) {
            matrix[to][from] = chain.transition[from][to] - Fraction(from == to ? 1 : 0);
        }
    }
    const std::vector<Fraction> shares = SolveLinearSystem(std::move(matrix), std::move(rhs));

    chain.bonusGamesPerSpin = Fraction(0);
    for (int level = 0; level < MeterLevels; ++level) {
        chain.levelShare[level] = shares[static_cast<size_t>(level)];
        chain.bonusGamesPerSpin += shares[static_cast<size_t>(level)] * chain.bonusChance[level];
    }
    chain.meanSpinsBetweenBonusGames =
        chain.bonusGamesPerSpin.IsZero() ? Fraction(0) : Fraction(1) / chain.bonusGamesPerSpin;
    return chain;
}

BonusSpacing SolveBonusSpacing(const MeterChain& chain)
{
    // Q: the moves between levels that do not fill the meter. With T_i the
    // spins from level i, E T = (I - Q)^-1 1 and E T^2 = (I - Q)^-1 (1 + 2 Q E T).
    std::array<std::array<Fraction, MeterLevels>, MeterLevels> q = chain.transition;
    for (int from = 0; from < MeterLevels; ++from) q[from][0] = q[from][0] - chain.bonusChance[from];
    std::vector<std::vector<Fraction>> matrix(MeterLevels, std::vector<Fraction>(MeterLevels));
    for (int i = 0; i < MeterLevels; ++i) {
        for (int j = 0; j < MeterLevels; ++j) matrix[i][j] = Fraction(i == j ? 1 : 0) - q[i][j];
    }
    const std::vector<Fraction> mean = SolveLinearSystem(matrix, std::vector<Fraction>(MeterLevels, Fraction(1)));
    std::vector<Fraction> rhs(MeterLevels, Fraction(1));
    for (int i = 0; i < MeterLevels; ++i) {
        for (int j = 0; j < MeterLevels; ++j) rhs[i] += Fraction(2) * q[i][j] * mean[j];
    }
    const std::vector<Fraction> square = SolveLinearSystem(std::move(matrix), std::move(rhs));
    BonusSpacing spacing;
    spacing.mean = mean[0];
    spacing.variance = square[0] - mean[0] * mean[0];
    return spacing;
}

}  // namespace par
