// The bonus meter as a Markov chain: how one spin moves it, and how often the bonus game comes in
// the long run.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Fraction.h"
#include "engine/BonusMeter.h"

namespace par {

// How one spin moves the meter, counted over all stop combinations.
struct MeterOutcomes {
    int64_t combinations = 0;
    int64_t resets = 0;  // a Reset symbol on the payline empties the meter
    // Without a Reset: combinations by the points on the payline (capped at a
    // full meter's worth; at most 6 occur).
    std::array<int64_t, engine::BonusMeterFull + 1> points{};
};

MeterOutcomes CountMeterOutcomes();

// A spin starts at a level 0..11: a full meter is always played and emptied
// within the spin that filled it.
inline constexpr int MeterLevels = engine::BonusMeterFull;

struct MeterChain {
    // transition[from][to]: the level the next spin starts at.
    std::array<std::array<Fraction, MeterLevels>, MeterLevels> transition;
    // From each level: the chance that this spin fills the meter.
    std::array<Fraction, MeterLevels> bonusChance;
    // The long-run share of spins that start at each level.
    std::array<Fraction, MeterLevels> levelShare;
    Fraction bonusGamesPerSpin;
    Fraction meanSpinsBetweenBonusGames;
};

MeterChain SolveMeterChain(const MeterOutcomes& outcomes);

// The spins from an empty meter to the spin that fills it, the one that
// fills it included: a bonus game and the start both leave the meter empty,
// so these are the spacings of the bonus games.
struct BonusSpacing {
    Fraction mean;      // equals 1 / bonus games per spin
    Fraction variance;  // of the number of spins
};

BonusSpacing SolveBonusSpacing(const MeterChain& chain);

// Solves matrix × x = rhs exactly by Gaussian elimination; throws
// std::domain_error when the matrix is singular.
std::vector<Fraction> SolveLinearSystem(std::vector<std::vector<Fraction>> matrix, std::vector<Fraction> rhs);

}  // namespace par
