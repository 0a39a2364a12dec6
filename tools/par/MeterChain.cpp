// Counting how spins move the bonus meter, and solving the meter's chain exactly.
#include "MeterChain.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace par {

bool MeterOutcomes::NeverFills() const
{
    for (size_t p = 1; p < points.size(); ++p) {
        if (points[p] > 0) return false;
    }
    return true;
}

MeterOutcomes CountMeterOutcomes(const CombinationTable& table)
{
    const int32_t full = table.model.meterFull;
    MeterOutcomes outcomes;
    outcomes.points.assign(static_cast<size_t>(full) + 1, 0);
    for (const CombinationOutcome& c : table) {
        ++outcomes.combinations;
        if (c.emptiesMeter) {
            ++outcomes.resets;
        } else {
            ++outcomes.points[static_cast<size_t>(std::min<int32_t>(c.bonusPoints, full))];
        }
    }
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
    if (outcomes.combinations <= 0 || outcomes.points.size() < 2) throw std::domain_error("no meter outcomes");
    const BigInt total(outcomes.combinations);
    auto chance = [&](int64_t count) { return Fraction(BigInt(count), total); };
    const int full = static_cast<int>(outcomes.points.size()) - 1;
    const int levels = full;

    MeterChain chain;
    chain.transition.assign(static_cast<size_t>(levels),
                            std::vector<Fraction>(static_cast<size_t>(levels), Fraction(0)));
    chain.bonusChance.assign(static_cast<size_t>(levels), Fraction(0));
    chain.levelShare.assign(static_cast<size_t>(levels), Fraction(0));
    for (int from = 0; from < levels; ++from) {
        chain.transition[from][0] += chance(outcomes.resets);
        for (int points = 0; points <= full; ++points) {
            const int64_t count = outcomes.points[static_cast<size_t>(points)];
            if (count == 0) continue;
            const int to = from + points;
            if (to >= full) {
                // The meter fills: the bonus game runs and empties it.
                chain.bonusChance[from] += chance(count);
                chain.transition[from][0] += chance(count);
            } else {
                chain.transition[from][to] += chance(count);
            }
        }
    }

    // A meter that never gains a point stays where a Reset or the start left
    // it, empty: the chain has no single long run to solve for.
    if (outcomes.NeverFills()) {
        chain.levelShare[0] = Fraction(1);
        chain.bonusGamesPerSpin = Fraction(0);
        chain.meanSpinsBetweenBonusGames = Fraction(0);
        return chain;
    }

    // The stationary shares s solve s = s × P with the shares summing to 1;
    // the first balance equation is redundant and gives way to the sum. With
    // any point to gain, every level leads to a full meter and so back to 0:
    // the solution is unique.
    std::vector<std::vector<Fraction>> matrix(static_cast<size_t>(levels),
                                              std::vector<Fraction>(static_cast<size_t>(levels)));
    std::vector<Fraction> rhs(static_cast<size_t>(levels), Fraction(0));
    for (int col = 0; col < levels; ++col) matrix[0][col] = Fraction(1);
    rhs[0] = Fraction(1);
    for (int to = 1; to < levels; ++to) {
        for (int from = 0; from < levels; ++from) {
            matrix[to][from] = chain.transition[from][to] - Fraction(from == to ? 1 : 0);
        }
    }
    const std::vector<Fraction> shares = SolveLinearSystem(std::move(matrix), std::move(rhs));

    chain.bonusGamesPerSpin = Fraction(0);
    for (int level = 0; level < levels; ++level) {
        chain.levelShare[level] = shares[static_cast<size_t>(level)];
        chain.bonusGamesPerSpin += shares[static_cast<size_t>(level)] * chain.bonusChance[level];
    }
    chain.meanSpinsBetweenBonusGames =
        chain.bonusGamesPerSpin.IsZero() ? Fraction(0) : Fraction(1) / chain.bonusGamesPerSpin;
    return chain;
}

BonusSpacing SolveBonusSpacing(const MeterChain& chain)
{
    BonusSpacing spacing;
    spacing.mean = Fraction(0);
    spacing.variance = Fraction(0);
    if (chain.bonusGamesPerSpin.IsZero()) return spacing;  // no bonus game ever: no spacing

    // Q: the moves between levels that do not fill the meter. With T_i the
    // spins from level i, E T = (I - Q)^-1 1 and E T^2 = (I - Q)^-1 (1 + 2 Q E T).
    const int levels = chain.Levels();
    const auto n = static_cast<size_t>(levels);
    std::vector<std::vector<Fraction>> q = chain.transition;
    for (int from = 0; from < levels; ++from) q[from][0] = q[from][0] - chain.bonusChance[from];
    std::vector<std::vector<Fraction>> matrix(n, std::vector<Fraction>(n));
    for (int i = 0; i < levels; ++i) {
        for (int j = 0; j < levels; ++j) matrix[i][j] = Fraction(i == j ? 1 : 0) - q[i][j];
    }
    const std::vector<Fraction> mean = SolveLinearSystem(matrix, std::vector<Fraction>(n, Fraction(1)));
    std::vector<Fraction> rhs(n, Fraction(1));
    for (int i = 0; i < levels; ++i) {
        for (int j = 0; j < levels; ++j) rhs[i] += Fraction(2) * q[i][j] * mean[j];
    }
    const std::vector<Fraction> square = SolveLinearSystem(std::move(matrix), std::move(rhs));
    spacing.mean = mean[0];
    spacing.variance = square[0] - mean[0] * mean[0];
    return spacing;
}

}  // namespace par
