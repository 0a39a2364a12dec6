// The random generator against its definition: known draws, any seed and range, the time-of-day
// seed, and stops that come up equally often.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "engine/Random.h"

namespace {

// The generator written out from its definition, with 64-bit modular
// arithmetic instead of 32-bit wrap-around and a division instead of a shift.
struct ReferenceGenerator {
    uint64_t seed;
    int32_t Next(int32_t n)
    {
        seed = (seed * 134775813ULL + 1ULL) % 4294967296ULL;
        return n <= 0 ? 0 : static_cast<int32_t>(seed * static_cast<uint64_t>(n) / 4294967296ULL);
    }
};

TEST(Random, FollowsTheDefinitionForAnySeedAndRange)
{
    const std::array<uint32_t, 6> seeds{0u, 1u, 12345u, 86399999u, 2948215609u, 0xFFFFFFFFu};
    const std::array<int32_t, 7> ranges{1, 2, 8, 30, 456, 1000, std::numeric_limits<int32_t>::max()};
    for (uint32_t seed : seeds) {
        engine::Random random(seed);
        ReferenceGenerator reference{seed};
        for (int i = 0; i < 2000; ++i) {
            const int32_t n = ranges[static_cast<size_t>(i) % ranges.size()];
            const int32_t value = random(n);
            ASSERT_EQ(value, reference.Next(n)) << "seed " << seed << " draw " << i;
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
            ASSERT_EQ(random.Seed(), reference.seed);
        }
    }
}

TEST(Random, KnownFirstDraws)
{
    // Worked by hand: 0 → 1 → 134775814 → 3698175007.
    engine::Random random(0);
    EXPECT_EQ(random(1000), 0);
    EXPECT_EQ(random.Seed(), 1u);
    EXPECT_EQ(random(1000), 31);
    EXPECT_EQ(random.Seed(), 134775814u);
    EXPECT_EQ(random(1000), 861);
    EXPECT_EQ(random.Seed(), 3698175007u);
}

TEST(Random, NonPositiveRangesGiveZeroAndStillAdvance)
{
    engine::Random random(77);
    ReferenceGenerator reference{77};
    for (int32_t n : {0, -1, std::numeric_limits<int32_t>::min()}) {
        EXPECT_EQ(random(n), 0);
        reference.Next(1);
        EXPECT_EQ(random.Seed(), reference.seed);
    }
}

TEST(Random, SeedCanBeReadAndSet)
{
    engine::Random a(5);
    a(10);
    engine::Random b;
    b.SetSeed(a.Seed());
    for (int i = 0; i < 10; ++i) EXPECT_EQ(a(30), b(30));
}

TEST(Random, TimeOfDaySeed)
{
    EXPECT_EQ(engine::Random::TimeOfDaySeed(0, 0, 0, 0), 0u);
    EXPECT_EQ(engine::Random::TimeOfDaySeed(12, 34, 56, 789), 45296789u);
    EXPECT_EQ(engine::Random::TimeOfDaySeed(23, 59, 59, 999), 86399999u);

    engine::Random random(0xFFFFFFFFu);
    random.SeedFromTimeOfDay();
    EXPECT_LT(random.Seed(), 86400000u);
}

TEST(Random, StopsOneToThirtyComeEquallyOften)
{
    engine::Random random(2024);
    std::array<int, 31> counts{};
    for (int i = 0; i < 30000; ++i) ++counts[static_cast<size_t>(random(30) + 1)];
    EXPECT_EQ(counts[0], 0);
    for (int stop = 1; stop <= 30; ++stop) {
        EXPECT_GT(counts[static_cast<size_t>(stop)], 850) << stop;
        EXPECT_LT(counts[static_cast<size_t>(stop)], 1150) << stop;
    }
}

}  // namespace
