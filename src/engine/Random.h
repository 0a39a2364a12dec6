#pragma once

#include <cstdint>

namespace engine {

// The program's one random generator: a 32-bit linear congruential generator
// whose result is the high half of seed × n.
class Random {
public:
    explicit Random(uint32_t seed = 0) : seed_(seed) {}

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

}  // namespace engine
