// The exact count, over the game generator's states at the start of a spin, of the stop
// combinations that the spin draws.
#pragma once

#include <cstdint>
#include <vector>

namespace par {

inline constexpr uint64_t AllGeneratorStates = uint64_t{1} << 32;

// How often each drawn combination (by CombinationIndex) comes up.
struct SweepCounts {
    uint64_t states = 0;
    std::vector<uint64_t> combinations;
};

// Counts the spins that start at each of the states first .. first + count - 1
// (at most 2^32 states, wrapping past 2^32 - 1), split over the given number
// of threads (at least one).
SweepCounts SweepGeneratorStates(uint64_t first, uint64_t count, unsigned threads);

}  // namespace par
