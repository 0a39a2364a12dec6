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
    std::array<uint32_t, PauseDraws> scale{};  // seed after draw k + 1: scale[k] × seed + offset[k]
    std::array<uint32_t, PauseDraws> offset{};
};

constexpr PauseJumps MakePauseJumps()
{
    PauseJumps j{};
    uint32_t scale = 1;
    uint32_t offset = 0;
    for (int k = 0; k < PauseDraws; ++k) {
        scale *= engine::Random::Multiplier;
        offset = offset * engine::Random::Multiplier + engine::Random::Increment;
        j.scale[k] = scale;
        j.offset[k] = offset;
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
__attribute__((target("avx2,popcnt"), always_inline)) inline uint32_t PickTicks(uint32_t seed, int32_t& last,
                                                                                uint32_t ticks)
{
    const __m256i scaleLow = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Pause.scale.data()));
    const __m256i scaleHigh = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Pause.scale.data() + 8));
    const __m256i offsetLow = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Pause.offset.data()));
    const __m256i offsetHigh = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Pause.offset.data() + 8));
    // Random(3) is at least 1 from seed 1431655766 on and 2 from 2863311531
    // on: unsigned comparisons, made signed by flipping the top bit. Lanes
    // hold minus each pick, 0, -1 or -2; only equality matters.
    const __m256i flip = _mm256_set1_epi32(INT32_MIN);
    const __m256i atLeast1 = _mm256_set1_epi32(static_cast<int32_t>(1431655765u ^ 0x80000000u));
    const __m256i atLeast2 = _mm256_set1_epi32(static_cast<int32_t>(2863311530u ^ 0x80000000u));
    const __m256i before = _mm256_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6);  // each lane's predecessor
    const __m256i lastLane = _mm256_set1_epi32(7);

    for (;;) {
        const __m256i start = _mm256_set1_epi32(static_cast<int32_t>(seed));
        const __m256i low = _mm256_xor_si256(_mm256_add_epi32(_mm256_mullo_epi32(start, scaleLow), offsetLow), flip);
        const __m256i high = _mm256_xor_si256(_mm256_add_epi32(_mm256_mullo_epi32(start, scaleHigh), offsetHigh), flip);
        const __m256i picksLow = _mm256_add_epi32(_mm256_cmpgt_epi32(low, atLeast1), _mm256_cmpgt_epi32(low, atLeast2));
        const __m256i picksHigh =
            _mm256_add_epi32(_mm256_cmpgt_epi32(high, atLeast1), _mm256_cmpgt_epi32(high, atLeast2));
        // The pick before each draw: the last one for the first draw.
        const __m256i previousLow =
            _mm256_blend_epi32(_mm256_permutevar8x32_epi32(picksLow, before), _mm256_set1_epi32(-last), 1);
        const __m256i previousHigh = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(picksHigh, before),
                                                        _mm256_permutevar8x32_epi32(picksLow, lastLane), 1);
        const auto sameLow =
            static_cast<uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(picksLow, previousLow))));
        const auto sameHigh =
            static_cast<uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(picksHigh, previousHigh))));
        // Bit k set: draw k + 1 ends a tick.
        const uint32_t ends = ~(sameLow | sameHigh << 8) & 0xFFFFu;
        const auto count = static_cast<uint32_t>(__builtin_popcount(ends));
        if (ticks > count) [[unlikely]] {
            ticks -= count;
            seed = Pause.scale[PauseDraws - 1] * seed + Pause.offset[PauseDraws - 1];
            last = PickOf(seed);
            continue;
        }
        // The draw that ends the last tick: the ticks-th set bit.
        const auto lowCount = static_cast<uint32_t>(__builtin_popcount(ends & 0xFFu));
        const bool inLow = ticks <= lowCount;
        const uint32_t byte = inLow ? ends & 0xFFu : ends >> 8;
        const uint32_t n = inLow ? ticks - 1 : ticks - 1 - lowCount;
        const size_t draw = NthBit[byte][n] + (inLow ? 0u : 8u);
        seed = Pause.scale[draw] * seed + Pause.offset[draw];
        last = PickOf(seed);
        return seed;
    }
}

#endif

}  // namespace par::lanes
