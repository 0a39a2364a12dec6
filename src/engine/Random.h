// The random generator that every spin's stops and every prize shuffle are drawn from.
#pragma once

#include <cstdint>

namespace engine {

// The program's one random generator: a 32-bit linear congruential generator
// whose result is the high half of seed × n.
class Random {
public:
    explicit Random(uint32_t seed = 0) : seed_(seed) {}

    // seed := seed × Multiplier + Increment (mod 2^32) at every draw.
    static constexpr uint32_t Multiplier = 134775813u;
    static constexpr uint32_t Increment = 1u;

    // A number from 0 to n - 1 (0 when n is 0 or less).
    int32_t operator()(int32_t n);

    uint32_t Seed() const { return seed_; }
    void SetSeed(uint32_t seed) { seed_ = seed; }

    // ((hours × 60 + minutes) × 60 + seconds) × 1000 + milliseconds of the
    // local time of day.
    void SeedFromTimeOfDay();
    static uint32_t TimeOfDaySeed(int hours, int minutes, int seconds, int milliseconds);

private:
    uint32_t seed_;
};

// Defined here because spins draw it in their innermost loops. Every call
// advances the seed, also for n of 0 or less, so the sequence of draws never
// depends on the ranges asked for.
inline int32_t Random::operator()(int32_t n)
{
    seed_ = seed_ * Multiplier + Increment;
    if (n <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(seed_) * static_cast<uint32_t>(n)) >> 32);
}

}  // namespace engine
