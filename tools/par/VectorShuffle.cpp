// The bonus game's prize shuffle made fast for the analysis tool's millions
// of spins. Only the tool uses it; the game plays engine::ShuffleBonusPrizes,
// and the tests check that both give the same prizes and the same seed.
//
// The shuffle draws 8008 numbers and makes 8008 swaps per bonus game, which
// dominates a simulated spin. The vectorised form gets the same result about
// four times faster: it steps the generator in lanes (jump-ahead constants),
// and applies each half pass (four swaps) as one precomputed permutation.
//
// The attention picks between spins are made the same way, sixteen draws at
// a time, with the same seed and last pick as drawing them one by one.
#include "VectorShuffle.h"

#include "PauseLanes.h"
#include "PlayModel.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <utility>

#include "engine/BonusMeter.h"
#include "engine/Random.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PLUMFIZZ_VECTOR_SHUFFLE 1
#include <immintrin.h>
#endif

namespace par {

namespace {

constexpr int Passes = 1001;
constexpr int Boxes = static_cast<int>(std::tuple_size_v<engine::BonusPrizes>);
static_assert(Boxes == 8, "the vectorised shuffle handles eight boxes");

}  // namespace

namespace {

// The Mersenne twister's constants, as std::mt19937 has them.
constexpr size_t TwisterShift = 397;
constexpr uint32_t TwisterMatrix = 0x9908B0DFu;
constexpr uint32_t UpperBit = 0x80000000u;

// The new state word i from words i, i + 1 and far (i + 397 or i - 227).
inline uint32_t Twist(uint32_t word, uint32_t next, uint32_t far)
{
    const uint32_t y = (word & UpperBit) | (next & ~UpperBit);
    return far ^ (y >> 1) ^ ((y & 1u) != 0 ? TwisterMatrix : 0u);
}

// The top four bits of a state word tempered into the generator's output.
inline uint8_t TicksOf(uint32_t y)
{
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return static_cast<uint8_t>(y >> 28);
}

void RefillOneByOne(std::array<uint32_t, PauseTicks::StateSize>& state,
                    std::array<uint8_t, PauseTicks::StateSize>& ticks)
{
    constexpr size_t n = PauseTicks::StateSize;
    constexpr size_t split = n - TwisterShift;
    for (size_t i = 0; i < split; ++i) state[i] = Twist(state[i], state[i + 1], state[i + TwisterShift]);
    for (size_t i = split; i < n - 1; ++i) state[i] = Twist(state[i], state[i + 1], state[i - split]);
    state[n - 1] = Twist(state[n - 1], state[0], state[TwisterShift - 1]);
    for (size_t i = 0; i < n; ++i) ticks[i] = TicksOf(state[i]);
}

}  // namespace

namespace {

std::atomic<VectorLevel> vectorLimit{VectorLevel::Avx2};

VectorLevel ProcessorVectorLevel()
{
#ifdef PLUMFIZZ_VECTOR_SHUFFLE
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("sse4.1") &&
        __builtin_cpu_supports("ssse3"))
        return VectorLevel::Avx2;
    if (__builtin_cpu_supports("sse4.1") && __builtin_cpu_supports("ssse3")) return VectorLevel::Sse41;
#endif
    return VectorLevel::None;
}

}  // namespace

VectorLevel UsableVectorLevel()
{
    static const VectorLevel processor = ProcessorVectorLevel();
    return std::min(processor, vectorLimit.load(std::memory_order_relaxed));
}

void LimitVectorLevel(VectorLevel limit)
{
    vectorLimit.store(limit, std::memory_order_relaxed);
}

// Seeded as std::mt19937 is.
PauseTicks::PauseTicks(uint32_t seed)
{
    state_[0] = seed;
    for (size_t i = 1; i < StateSize; ++i)
        state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + static_cast<uint32_t>(i);
}

#ifdef PLUMFIZZ_VECTOR_SHUFFLE

namespace {

// Seed after k draws from seed s: Scale[k] × s + Offset[k] (mod 2^32).
struct JumpAhead {
    std::array<uint32_t, Boxes + 1> scale{};
    std::array<uint32_t, Boxes + 1> offset{};
};

constexpr JumpAhead MakeJumpAhead()
{
    JumpAhead j{};
    j.scale[0] = 1;
    j.offset[0] = 0;
    for (int k = 1; k <= Boxes; ++k) {
        j.scale[k] = j.scale[k - 1] * engine::Random::Multiplier;
        j.offset[k] = j.offset[k - 1] * engine::Random::Multiplier + engine::Random::Increment;
    }
    return j;
}

constexpr JumpAhead Jump = MakeJumpAhead();

// Random(8) is the top three bits of the new seed. The four draws j0..j3 of
// a half pass make the index j0 + 8 j1 + 64 j2 + 512 j3.
constexpr int HalfPassIndexes = 1 << 12;

// For each index: the first half pass's effect (boxes 1-4 swapped in turn)
// as byte k = the box whose content lands in box k. 32 KB, a table for the
// first half only: the second half is the first seen with the boxes
// relabelled k -> k xor 4 (see SecondHalf).
using HalfPassTable = std::array<uint64_t, HalfPassIndexes>;

HalfPassTable MakeHalfPassTable()
{
    HalfPassTable table{};
    for (int index = 0; index < HalfPassIndexes; ++index) {
        std::array<uint8_t, Boxes> box{};
        for (int k = 0; k < Boxes; ++k) box[k] = static_cast<uint8_t>(k);
        for (int lane = 0; lane < 4; ++lane) std::swap(box[lane], box[(index >> (3 * lane)) & 7]);
        uint64_t packed = 0;
        for (int k = 0; k < Boxes; ++k) packed |= static_cast<uint64_t>(box[k]) << (8 * k);
        table[index] = packed;
    }
    return table;
}

__attribute__((target("sse4.1"))) __m128i FirstHalf(const HalfPassTable& table, uint64_t index)
{
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&table[index]));
}

// Swapping box 4 + l with box j is swapping l with j xor 4 between two
// relabellings R(k) = k xor 4. So the second half pass with draws j is
// R P R, P the first half pass with draws j xor 4 (index xor 0x924), and
// as bytes: byte k = P's byte (k xor 4), xor 4.
__attribute__((target("sse4.1"))) __m128i SecondHalf(const HalfPassTable& table, uint64_t index)
{
    const __m128i first = FirstHalf(table, index ^ 0x924u);
    return _mm_xor_si128(_mm_shuffle_epi32(first, _MM_SHUFFLE(3, 2, 0, 1)), _mm_set_epi64x(0, 0x0404040404040404LL));
}

// One pass: the eight draws' seeds, four per half, give two table indexes
// whose permutations are applied to boxes in turn.
__attribute__((target("sse4.1"))) __m128i ApplyPass(__m128i boxes, __m128i first, __m128i second,
                                                    const HalfPassTable& table)
{
    const __m128i weights = _mm_setr_epi16(1, 8, 64, 512, 1, 8, 64, 512);
    // Draws j0..j7 as 16-bit lanes, weighted and summed per half.
    const __m128i draws = _mm_packs_epi32(_mm_srli_epi32(first, 29), _mm_srli_epi32(second, 29));
    const __m128i pairs = _mm_madd_epi16(draws, weights);
    const uint64_t indexes = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_hadd_epi32(pairs, pairs)));
    boxes = _mm_shuffle_epi8(boxes, FirstHalf(table, indexes & 0xFFFFFFFFu));
    return _mm_shuffle_epi8(boxes, SecondHalf(table, indexes >> 32));
}

__attribute__((target("sse4.1"))) uint32_t ShuffleLanes(uint32_t seed, const HalfPassTable& table,
                                                        std::array<uint8_t, 16>& order)
{
    auto after = [seed](int k) { return static_cast<int>(Jump.scale[k] * seed + Jump.offset[k]); };
    // The seeds of the eight draws of two passes at a time, four per half:
    // each pair of vectors steps two passes ahead, so that the two chains of
    // multiplications run side by side.
    const uint32_t twoPassScale = Jump.scale[Boxes] * Jump.scale[Boxes];
    const uint32_t twoPassOffset = Jump.offset[Boxes] * Jump.scale[Boxes] + Jump.offset[Boxes];
    const __m128i scale = _mm_set1_epi32(static_cast<int>(twoPassScale));
    const __m128i offset = _mm_set1_epi32(static_cast<int>(twoPassOffset));
    __m128i first = _mm_setr_epi32(after(1), after(2), after(3), after(4));
    __m128i second = _mm_setr_epi32(after(5), after(6), after(7), after(8));
    const __m128i passScale = _mm_set1_epi32(static_cast<int>(Jump.scale[Boxes]));
    const __m128i passOffset = _mm_set1_epi32(static_cast<int>(Jump.offset[Boxes]));
    __m128i nextFirst = _mm_add_epi32(_mm_mullo_epi32(first, passScale), passOffset);
    __m128i nextSecond = _mm_add_epi32(_mm_mullo_epi32(second, passScale), passOffset);

    static_assert(Passes % 2 == 1, "pairs of passes, then the last one");
    __m128i boxes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    for (int pass = 0; pass + 1 < Passes; pass += 2) {
        boxes = ApplyPass(boxes, first, second, table);
        boxes = ApplyPass(boxes, nextFirst, nextSecond, table);
        first = _mm_add_epi32(_mm_mullo_epi32(first, scale), offset);
        second = _mm_add_epi32(_mm_mullo_epi32(second, scale), offset);
        nextFirst = _mm_add_epi32(_mm_mullo_epi32(nextFirst, scale), offset);
        nextSecond = _mm_add_epi32(_mm_mullo_epi32(nextSecond, scale), offset);
    }
    boxes = ApplyPass(boxes, first, second, table);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(order.data()), boxes);
    return static_cast<uint32_t>(_mm_extract_epi32(second, 3));
}

// The permutation of a pass from its pair of table indexes (two half
// passes): applying A, then B, to boxes is applying pshufb(A, B) once.
__attribute__((target("sse4.1"))) __m128i PassPermutation(uint64_t indexes, const HalfPassTable& table)
{
    return _mm_shuffle_epi8(FirstHalf(table, indexes & 0xFFFFFFFFu), SecondHalf(table, indexes >> 32));
}

// As ShuffleLanes, two passes in each 256-bit vector: the low half holds a
// pass's draws, the high half the next pass's, so that the seeds and table
// indexes of both come from one set of instructions.
__attribute__((target("avx2"))) uint32_t ShuffleWideLanes(uint32_t seed, const HalfPassTable& table,
                                                          std::array<uint8_t, 16>& order)
{
    auto after = [seed](int k) {
        uint32_t s = seed;
        for (int i = 0; i < k; ++i) s = s * engine::Random::Multiplier + engine::Random::Increment;
        return static_cast<int>(s);
    };
    __m256i first =
        _mm256_setr_epi32(after(1), after(2), after(3), after(4), after(9), after(10), after(11), after(12));
    __m256i second =
        _mm256_setr_epi32(after(5), after(6), after(7), after(8), after(13), after(14), after(15), after(16));
    const uint32_t twoPassScale = Jump.scale[Boxes] * Jump.scale[Boxes];
    const uint32_t twoPassOffset = Jump.offset[Boxes] * Jump.scale[Boxes] + Jump.offset[Boxes];
    const __m256i scale = _mm256_set1_epi32(static_cast<int>(twoPassScale));
    const __m256i offset = _mm256_set1_epi32(static_cast<int>(twoPassOffset));
    const __m256i weights = _mm256_setr_epi16(1, 8, 64, 512, 1, 8, 64, 512, 1, 8, 64, 512, 1, 8, 64, 512);

    static_assert(Passes % 2 == 1, "pairs of passes, then the last one");
    __m128i boxes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    for (int pass = 0; pass + 1 < Passes; pass += 2) {
        // Per 128-bit half: the draws j0..j7 as 16-bit lanes, weighted and summed.
        const __m256i draws = _mm256_packs_epi32(_mm256_srli_epi32(first, 29), _mm256_srli_epi32(second, 29));
        const __m256i pairs = _mm256_madd_epi16(draws, weights);
        const __m256i indexes = _mm256_hadd_epi32(pairs, pairs);
        // Both passes composed apart from the boxes, so that the boxes wait
        // for one shuffle per pair of passes.
        const __m128i thisPass =
            PassPermutation(static_cast<uint64_t>(_mm_cvtsi128_si64(_mm256_castsi256_si128(indexes))), table);
        const __m128i next =
            PassPermutation(static_cast<uint64_t>(_mm_cvtsi128_si64(_mm256_extracti128_si256(indexes, 1))), table);
        boxes = _mm_shuffle_epi8(boxes, _mm_shuffle_epi8(thisPass, next));
        first = _mm256_add_epi32(_mm256_mullo_epi32(first, scale), offset);
        second = _mm256_add_epi32(_mm256_mullo_epi32(second, scale), offset);
    }
    const __m128i lastSecond = _mm256_castsi256_si128(second);
    boxes = ApplyPass(boxes, _mm256_castsi256_si128(first), lastSecond, table);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(order.data()), boxes);
    return static_cast<uint32_t>(_mm_extract_epi32(lastSecond, 3));
}

}  // namespace

bool ShuffleBonusPrizesVectorized(engine::Random& random, engine::BonusPrizes& prizes)
{
    const VectorLevel level = UsableVectorLevel();
    if (level == VectorLevel::None) return false;
    const bool wide = level == VectorLevel::Avx2;
    static const HalfPassTable table = MakeHalfPassTable();

    std::array<uint8_t, 16> order{};
    const uint32_t seed =
        wide ? ShuffleWideLanes(random.Seed(), table, order) : ShuffleLanes(random.Seed(), table, order);
    const engine::BonusPrizes before = prizes;
    for (int k = 0; k < Boxes; ++k) prizes[k] = before[order[k]];
    random.SetSeed(seed);
    return true;
}

namespace {

__attribute__((target("avx2,popcnt"))) uint32_t PickTicksInLanes(uint32_t seed, int32_t& last, uint32_t ticks)
{
    return lanes::PickTicks(seed, last, ticks);
}

}  // namespace

bool PickTicksVectorized(uint32_t& seed, int32_t& last, uint32_t ticks)
{
    if (UsableVectorLevel() != VectorLevel::Avx2 || ticks == 0) return false;
    seed = PickTicksInLanes(seed, last, ticks);
    return true;
}

namespace {

__attribute__((target("avx2"))) __m256i TwistLanes(const uint32_t* word, const uint32_t* far)
{
    const __m256i current = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(word));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(word + 1));
    const __m256i upper = _mm256_set1_epi32(static_cast<int32_t>(UpperBit));
    const __m256i y = _mm256_or_si256(_mm256_and_si256(current, upper), _mm256_andnot_si256(upper, next));
    const __m256i odd = _mm256_and_si256(y, _mm256_set1_epi32(1));
    const __m256i matrix = _mm256_and_si256(_mm256_sub_epi32(_mm256_setzero_si256(), odd),
                                            _mm256_set1_epi32(static_cast<int32_t>(TwisterMatrix)));
    const __m256i farWords = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(far));
    return _mm256_xor_si256(_mm256_xor_si256(farWords, _mm256_srli_epi32(y, 1)), matrix);
}

// The words are written in the order of the scalar loops: a block of eight
// reads its following words before any of them is rewritten, and the words
// 227 back are already rewritten.
__attribute__((target("avx2"))) void RefillLanes(std::array<uint32_t, PauseTicks::StateSize>& state,
                                                 std::array<uint8_t, PauseTicks::StateSize>& ticks)
{
    constexpr size_t n = PauseTicks::StateSize;
    constexpr size_t split = n - TwisterShift;  // 227
    uint32_t* mt = state.data();
    size_t i = 0;
    for (; i + 8 <= split; i += 8) {
        const __m256i words = TwistLanes(mt + i, mt + i + TwisterShift);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(mt + i), words);
    }
    for (; i < split; ++i) mt[i] = Twist(mt[i], mt[i + 1], mt[i + TwisterShift]);
    for (; i + 8 < n; i += 8) {
        const __m256i words = TwistLanes(mt + i, mt + i - split);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(mt + i), words);
    }
    for (; i < n - 1; ++i) mt[i] = Twist(mt[i], mt[i + 1], mt[i - split]);
    mt[n - 1] = Twist(mt[n - 1], mt[0], mt[TwisterShift - 1]);

    static_assert(PauseTicks::StateSize % 8 == 0, "whole blocks of eight");
    for (size_t k = 0; k < n; k += 8) {
        __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(mt + k));
        y = _mm256_xor_si256(y, _mm256_srli_epi32(y, 11));
        y = _mm256_xor_si256(y, _mm256_and_si256(_mm256_slli_epi32(y, 7), _mm256_set1_epi32(0x9D2C5680)));
        y = _mm256_xor_si256(
            y, _mm256_and_si256(_mm256_slli_epi32(y, 15), _mm256_set1_epi32(static_cast<int32_t>(0xEFC60000u))));
        y = _mm256_xor_si256(y, _mm256_srli_epi32(y, 18));
        alignas(32) std::array<uint32_t, 8> top{};
        _mm256_store_si256(reinterpret_cast<__m256i*>(top.data()), _mm256_srli_epi32(y, 28));
        for (size_t lane = 0; lane < 8; ++lane) ticks[k + lane] = static_cast<uint8_t>(top[lane]);
    }
}

}  // namespace

void PauseTicks::Refill()
{
    next_ = 0;
    if (UsableVectorLevel() == VectorLevel::Avx2) {
        RefillLanes(state_, ticks_);
        return;
    }
    RefillOneByOne(state_, ticks_);
}

#else

bool ShuffleBonusPrizesVectorized(engine::Random&, engine::BonusPrizes&)
{
    return false;
}

bool PickTicksVectorized(uint32_t&, int32_t&, uint32_t)
{
    return false;
}

void PauseTicks::Refill()
{
    next_ = 0;
    RefillOneByOne(state_, ticks_);
}

#endif

void AnalysisOutcomes::ShufflePrizes(engine::Random& random, engine::BonusPrizes& prizes)
{
    if (!ShuffleBonusPrizesVectorized(random, prizes)) engine::ShuffleBonusPrizes(random, prizes);
}

}  // namespace par
