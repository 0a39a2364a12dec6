// Sweeping generator states in parallel: each thread counts its share into its own tally.
#include "GeneratorSweep.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <thread>

#include "CombinationTable.h"
#include "SpinDraws.h"

namespace par {

namespace {

void CountRange(uint64_t first, uint64_t count, std::vector<uint64_t>& tally)
{
    for (uint64_t i = 0; i < count; ++i) ++tally[DrawnCombination(static_cast<uint32_t>(first + i))];
}

}  // namespace

SweepCounts SweepGeneratorStates(uint64_t first, uint64_t count, unsigned threads)
{
    if (count > AllGeneratorStates) throw std::invalid_argument("a sweep covers at most 2^32 states");
    threads = std::max(1u, threads);
    const auto size = static_cast<size_t>(StopCombinations);
    std::vector<std::vector<uint64_t>> tallies(threads, std::vector<uint64_t>(size, 0));
    std::vector<std::thread> workers;
    const uint64_t share = count / threads;
    for (unsigned t = 0; t < threads; ++t) {
        const uint64_t start = first + share * t;
        const uint64_t length = t + 1 == threads ? count - share * t : share;
        workers.emplace_back(CountRange, start, length, std::ref(tallies[t]));
    }
    for (std::thread& worker : workers) worker.join();

    SweepCounts counts;
    counts.states = count;
    counts.combinations.assign(size, 0);
    for (const auto& tally : tallies) {
        for (size_t i = 0; i < size; ++i) counts.combinations[i] += tally[i];
    }
    return counts;
}

}  // namespace par
