// The bonus meter as a Markov chain: how one spin moves it, and how often the bonus game comes in
// the long run.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "CombinationTable.h"
#include "Fraction.h"
#include "engine/BonusMeter.h"

namespace par {

// How one spin moves the meter, counted over all stop combinations.
struct MeterOutcomes {
    int64_t combinations = 0;
    int64_t resets = 0;  // a Reset symbol on the payline empties the meter
    // The rest: combinations by the points on the payline, capped at a full
    // meter's worth (index 0 to the model's meterFull; in the game's model at
    // most 6 occur).
    std::vector<int64_t> points;

    // No spin adds a point: the meter never fills and there is no bonus game.
    bool NeverFills() const;
};

MeterOutcomes CountMeterOutcomes(const CombinationTable& table);

// A spin starts at a level 0..full - 1: a full meter is always played and
// emptied within the spin that filled it. The game's meter has 12 levels.
inline constexpr int MeterLevels = engine::BonusMeterFull;

struct MeterChain {
    // transition[from][to]: the level the next spin starts at.
    std::vector<std::vector<Fraction>> transition;
    // From each level: the chance that this spin fills the meter.
    std::vector<Fraction> bonusChance;
    // The long-run share of spins that start at each level.
    std::vector<Fraction> levelShare;
    Fraction bonusGamesPerSpin;
    Fraction meanSpinsBetweenBonusGames;  // 0 when the meter never fills

    int Levels() const { return static_cast<int>(levelShare.size()); }
};

MeterChain SolveMeterChain(const MeterOutcomes& outcomes);

// The spins from an empty meter to the spin that fills it, the one that
// fills it included: a bonus game and the start both leave the meter empty,
// so these are the spacings of the bonus games. Both 0 when the meter never
// fills.
struct BonusSpacing {
    Fraction mean;      // equals 1 / bonus games per spin
    Fraction variance;  // of the number of spins
};

BonusSpacing SolveBonusSpacing(const MeterChain& chain);

// Solves matrix × x = rhs exactly by Gaussian elimination; throws
// std::domain_error when the matrix is singular.
std::vector<Fraction> SolveLinearSystem(std::vector<std::vector<Fraction>> matrix, std::vector<Fraction> rhs);

}  // namespace par
