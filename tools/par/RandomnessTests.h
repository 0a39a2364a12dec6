// Statistical tests of randomness on a stream of draws: chi-square for uniformity, serial pairs and
// triples, gap, runs up and down, poker, coupon collector, permutation and birthday spacings
// (the close-pair test is in ClosePairs.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace par {

// A stream of 32-bit words: the game's generator's successive seeds, or any other generator.
class WordSource {
public:
    virtual ~WordSource() = default;
    virtual void Fill(uint32_t* words, size_t count) = 0;
};

inline constexpr uint64_t WholeWordRange = uint64_t{1} << 32;

// How a draw from 0 to range − 1 is made from a word: the high half of word × range, as the
// game's Random(range) makes it (the word itself for WholeWordRange), or the word's low bits.
struct DrawRule {
    uint64_t range = WholeWordRange;
    bool lowBits = false;  // range must then be a power of two
};

// A source's draws, a block of words at a time.
class DrawStream {
public:
    DrawStream(WordSource& source, DrawRule rule);
    uint64_t Range() const { return rule_.range; }
    uint64_t Next()
    {
        if (next_ == words_.size()) Refill();
        const uint64_t word = words_[next_++];
        return rule_.lowBits ? word & (rule_.range - 1) : (word * rule_.range) >> 32;
    }

private:
    void Refill();
    WordSource& source_;
    DrawRule rule_;
    std::vector<uint32_t> words_;
    size_t next_;
};

// One test's outcome. Each p is computed from the statistic's distribution under true
// randomness; a test passes at 99 % when neither tail is below 0.005.
inline constexpr double TailLevel = 0.005;
struct TestResult {
    std::string name;
    std::string sample;  // what was drawn, e.g. "1000000 draws"
    double statistic = 0;
    int64_t degreesOfFreedom = -1;  // none when negative
    double pUpper = 1;              // the chance of a statistic at least this large
    double pLower = 1;              // the chance of a statistic at most this large
    bool Passes() const { return pUpper >= TailLevel && pLower >= TailLevel; }
};

// How much each test draws; with the defaults the whole battery takes one to two CPU seconds.
struct TestSizes {
    uint64_t uniformDraws = 1'000'000;  // at least 20 per category
    uint64_t serialTuples = 500'000;    // at least 10 per cell
    uint64_t gaps = 200'000;
    uint64_t runDraws = 1'000'000;
    uint64_t pokerHands = 200'000;
    uint64_t couponSegments = 10'000;
    uint64_t permutationGroups = 200'000;
    uint64_t birthdayRepetitions = 250;
    // Past about sqrt(2^32) points a 32-bit generator's lattice keeps its points apart.
    uint64_t closePairPoints = 262'144;
    uint64_t closePairRepetitions = 3;
};

// Chi-square of observed counts against category probabilities (summing to 1). Neighbouring
// categories are merged until each expects at least 5.
TestResult ChiSquareFit(const std::vector<uint64_t>& observed, const std::vector<double>& probabilities);

TestResult UniformityTest(DrawStream& draws, const TestSizes& sizes);
TestResult SerialTest(DrawStream& draws, int tupleLength, const TestSizes& sizes);
TestResult GapTest(DrawStream& draws, const TestSizes& sizes);
TestResult RunsUpDownTest(DrawStream& draws, const TestSizes& sizes);
TestResult PokerTest(DrawStream& draws, const TestSizes& sizes);
TestResult CouponCollectorTest(DrawStream& draws, const TestSizes& sizes);
TestResult PermutationTest(DrawStream& draws, const TestSizes& sizes);
TestResult BirthdaySpacingsTest(DrawStream& draws, const TestSizes& sizes);

// Turning points of a sequence of independent draws uniform on 0 .. range − 1 (continuous for
// ranges above 2^16): the chance of one at a place, and the chance of one at a place and
// another one or two places later.
struct TurningPointMoments {
    double single = 0;
    double lagOne = 0;
    double lagTwo = 0;
};
TurningPointMoments TurningPoints(uint64_t range);

// How the battery groups draws: the largest divisor of range not above limit, and for birthday
// spacings how many consecutive draws make one birthday.
uint64_t LargestDivisorAtMost(uint64_t range, uint64_t limit);
int DrawsPerBirthday(uint64_t range);

}  // namespace par
