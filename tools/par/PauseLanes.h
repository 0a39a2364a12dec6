// The attention picks of a pause made sixteen draws at a time in vector lanes, for the
// simulations' inner loops; the same seed and last pick as drawing them one by one.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Random.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PLUMFIZZ_PAUSE_LANES 1
#include <immintrin.h>
#endif

namespace par::lanes {

inline constexpr int PauseDraws = 16;

struct PauseJumps {
    std::array<uint32_t, PauseDraws + 1> scale{};  // seed after k draws: scale[k] × seed + offset[k]
    std::array<uint32_t, PauseDraws + 1> offset{};
};

constexpr PauseJumps MakePauseJumps()
{
    PauseJumps j{};
    j.scale[0] = 1;
    for (int k = 1; k <= PauseDraws; ++k) {
        j.scale[k] = j.scale[k - 1] * engine::Random::Multiplier;
        j.offset[k] = j.offset[k - 1] * engine::Random::Multiplier + engine::Random::Increment;
    }
    return j;
}

inline constexpr PauseJumps Pause = MakePauseJumps();

// For each byte of set bits and n = 0..7: the position of its (n + 1)-th set bit.
using NthBitTable = std::array<std::array<uint8_t, 8>, 256>;

constexpr NthBitTable MakeNthBitTable()
{
    NthBitTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        int n = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if ((byte >> bit & 1) != 0) table[byte][n++] = static_cast<uint8_t>(bit);
        }
    }
    return table;
}

inline constexpr NthBitTable NthBit = MakeNthBitTable();

// Random(3) from the seed a draw left.
inline int32_t PickOf(uint32_t seed)
{
    return static_cast<int32_t>((uint64_t{seed} * 3) >> 32);
}

#ifdef PLUMFIZZ_PAUSE_LANES

// The seed after the picks of ticks (at least one) ticks from seed, and the
// last pick advanced. After each draw the last pick is that draw, so a tick
// ends wherever a draw differs from the one before it, and the pause ends at
// the draw that ends the last tick. Inlined into callers built for AVX2, run
// where UsableVectorLevel() is VectorLevel::Avx2.
__attribute__((target("avx2,popcnt"), always_inline)) inline __m256i LoadJumps(const uint32_t* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// The seeds after draws k .. k + 7 from the start seed in every lane.
__attribute__((target("avx2,popcnt"), always_inline)) inline __m256i SeedsAfter(__m256i start, int k)
{
    return _mm256_add_epi32(_mm256_mullo_epi32(start, LoadJumps(Pause.scale.data() + k)),
                            LoadJumps(Pause.offset.data() + k));
}

// Minus Random(3) of each lane's seed: 0, -1 or -2 (only equality matters).
// Random(3) is at least 1 from seed 1431655766 on and 2 from 2863311531 on:
// unsigned comparisons, made signed by flipping the top bit.
__attribute__((target("avx2,popcnt"), always_inline)) inline __m256i NegatedPicks(__m256i seeds)
{
    const __m256i flipped = _mm256_xor_si256(seeds, _mm256_set1_epi32(INT32_MIN));
    return _mm256_add_epi32(
        _mm256_cmpgt_epi32(flipped, _mm256_set1_epi32(static_cast<int32_t>(1431655765u ^ 0x80000000u))),
        _mm256_cmpgt_epi32(flipped, _mm256_set1_epi32(static_cast<int32_t>(2863311530u ^ 0x80000000u))));
}

// The seed after the picks of ticks (at least one) ticks from seed, and the
// last pick advanced. After each draw the last pick is that draw, so a tick
// ends wherever a draw differs from the one before it, and the pause ends at
// the draw that ends the last tick. Inlined into callers built for AVX2, run
// where UsableVectorLevel() is VectorLevel::Avx2. The seeds before and after
// each draw come straight from the start seed, side by side, so that the
// next pause waits for as few steps as possible.
__attribute__((target("avx2,popcnt"), always_inline)) inline uint32_t PickTicks(uint32_t seed, int32_t& last,
                                                                                uint32_t ticks)
{
    for (;;) {
        const __m256i start = _mm256_set1_epi32(static_cast<int32_t>(seed));
        alignas(32) std::array<uint32_t, PauseDraws> seeds;  // seeds[k]: after draw k + 1
        const __m256i low = SeedsAfter(start, 1);
        const __m256i high = SeedsAfter(start, 9);
        _mm256_store_si256(reinterpret_cast<__m256i*>(seeds.data()), low);
        _mm256_store_si256(reinterpret_cast<__m256i*>(seeds.data() + 8), high);
        // The pick before each draw: the last one for the first draw.
        const __m256i previousLow = _mm256_blend_epi32(NegatedPicks(SeedsAfter(start, 0)), _mm256_set1_epi32(-last), 1);
        const __m256i previousHigh = NegatedPicks(SeedsAfter(start, 8));
        const auto sameLow = static_cast<uint32_t>(
            _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(NegatedPicks(low), previousLow))));
        const auto sameHigh = static_cast<uint32_t>(
            _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(NegatedPicks(high), previousHigh))));
        // Bit k set: draw k + 1 ends a tick.
        const uint32_t ends = ~(sameLow | sameHigh << 8) & 0xFFFFu;
        const auto count = static_cast<uint32_t>(__builtin_popcount(ends));
        if (ticks > count) [[unlikely]] {
            ticks -= count;
            seed = seeds[PauseDraws - 1];
            last = PickOf(seed);
            continue;
        }
        // The draw that ends the last tick: the ticks-th set bit.
        const auto lowCount = static_cast<uint32_t>(__builtin_popcount(ends & 0xFFu));
        const bool inLow = ticks <= lowCount;
        const uint32_t byte = inLow ? ends & 0xFFu : ends >> 8;
        const uint32_t n = inLow ? ticks - 1 : ticks - 1 - lowCount;
        seed = seeds[NthBit[byte][n] + (inLow ? 0u : 8u)];
        last = PickOf(seed);
        return seed;
    }
}

#endif

}  // namespace par::lanes
