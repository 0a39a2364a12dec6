// The randomness tests: distribution tails against known values, each test against generators that
// are plainly bad and one that is good, the turning-point moments, the nearest pair and the spectral
// test against brute force.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>

#include "ClosePairs.h"
#include "DistributionTails.h"
#include "RandomnessTests.h"
#include "SpectralTest.h"

namespace {

using namespace par;

TEST(DistributionTails, KnownValues)
{
    EXPECT_NEAR(RegularizedGammaP(1, 2), 1 - std::exp(-2.0), 1e-15);
    EXPECT_NEAR(RegularizedGammaQ(0.5, 2), std::erfc(std::sqrt(2.0)), 1e-15);
    EXPECT_NEAR(RegularizedGammaQ(0.5, 0.3), std::erfc(std::sqrt(0.3)), 1e-15);  // by the series
    // Chi-square critical values from the standard tables.
    EXPECT_NEAR(ChiSquareUpperTail(3.841458820694124, 1), 0.05, 1e-12);
    EXPECT_NEAR(ChiSquareUpperTail(23.209251158954356, 10), 0.01, 1e-12);
    EXPECT_NEAR(ChiSquareLowerTail(2.5582121601872063, 10), 0.01, 1e-12);
    EXPECT_NEAR(NormalUpperTail(1.959963984540054), 0.025, 1e-15);
    EXPECT_NEAR(NormalUpperTail(3), 0.0013498980316301, 1e-15);
    // Far tails keep their relative precision: two degrees of freedom give e^(−x/2).
    EXPECT_NEAR(ChiSquareUpperTail(1000, 2) / std::exp(-500.0), 1, 1e-12);
    EXPECT_NEAR(ChiSquareLowerTail(1e-6, 2) / -std::expm1(-5e-7), 1, 1e-12);
    EXPECT_THROW(RegularizedGammaP(0, 1), std::domain_error);
    EXPECT_THROW(RegularizedGammaQ(1, -1), std::domain_error);
}

TEST(DistributionTails, AgreeWithDirectSumsAndEachOther)
{
    // Poisson tails against their terms summed in logarithms, across both expansions' ranges.
    for (double lambda : {0.5, 5.0, 37.0, 500.0}) {
        double cumulative = 0;
        for (uint64_t k = 0; k < static_cast<uint64_t>(3 * lambda + 10); ++k) {
            const double term =
                std::exp(static_cast<double>(k) * std::log(lambda) - lambda - std::lgamma(static_cast<double>(k) + 1));
            ASSERT_NEAR(PoissonAtLeast(k, lambda), 1 - cumulative, 1e-12 + 1e-9 * (1 - cumulative))
                << k << " " << lambda;
            cumulative += term;
            ASSERT_NEAR(PoissonAtMost(k, lambda), cumulative, 1e-12 + 1e-9 * cumulative) << k << " " << lambda;
        }
    }
    for (double a : {0.1, 1.0, 7.5, 300.0, 40000.0}) {
        for (double x : {0.01, a / 2, a + 0.999, a + 1.001, 2 * a + 5}) {
            EXPECT_NEAR(RegularizedGammaP(a, x) + RegularizedGammaQ(a, x), 1, 1e-13) << a << " " << x;
        }
    }
}

// Stand-in generators: a constant, a counter, a Weyl sequence (a counter by the golden ratio of
// 2^32: as even as can be, and wholly predictable) and a good one.
class ConstantWords : public WordSource {
public:
    void Fill(uint32_t* words, size_t count) override { std::fill(words, words + count, 0x12345678u); }
};
class CounterWords : public WordSource {
public:
    explicit CounterWords(uint32_t step) : step_(step) {}
    void Fill(uint32_t* words, size_t count) override
    {
        for (size_t i = 0; i < count; ++i) words[i] = value_ += step_;
    }

private:
    uint32_t step_;
    uint32_t value_ = 0;
};
class TwisterWords : public WordSource {
public:
    void Fill(uint32_t* words, size_t count) override
    {
        for (size_t i = 0; i < count; ++i) words[i] = static_cast<uint32_t>(twister_());
    }

private:
    std::mt19937 twister_{5489u};
};

using BatteryTest = TestResult (*)(DrawStream&, const TestSizes&);
TestResult SerialPairs(DrawStream& d, const TestSizes& s)
{
    return SerialTest(d, 2, s);
}
TestResult SerialTriples(DrawStream& d, const TestSizes& s)
{
    return SerialTest(d, 3, s);
}
constexpr std::array<BatteryTest, 9> AllTests = {UniformityTest,      SerialPairs, SerialTriples,       GapTest,
                                                 RunsUpDownTest,      PokerTest,   CouponCollectorTest, PermutationTest,
                                                 BirthdaySpacingsTest};

TEST(RandomnessTests, RejectBadGeneratorsAndAcceptAGoodOne)
{
    TestSizes sizes;
    sizes.uniformDraws = 200'000;
    sizes.serialTuples = 100'000;
    sizes.gaps = 50'000;
    sizes.runDraws = 200'000;
    sizes.pokerHands = 50'000;
    sizes.couponSegments = 1'000;
    sizes.permutationGroups = 50'000;
    sizes.birthdayRepetitions = 50;
    for (uint64_t range : {WholeWordRange, uint64_t{30}}) {
        for (BatteryTest test : AllTests) {
            ConstantWords constant;
            CounterWords counter(1);
            CounterWords weyl(0x9E3779B9u);
            TwisterWords twister;
            DrawStream constantDraws(constant, {range, false});
            DrawStream counterDraws(counter, {range, false});
            DrawStream weylDraws(weyl, {range, false});
            DrawStream twisterDraws(twister, {range, false});
            const TestResult good = test(twisterDraws, sizes);
            EXPECT_TRUE(good.Passes()) << good.name << " " << range << ": " << good.pUpper << " " << good.sample;
            EXPECT_FALSE(test(constantDraws, sizes).Passes()) << good.name << " " << range;
            EXPECT_FALSE(test(counterDraws, sizes).Passes()) << good.name << " " << range;
            EXPECT_FALSE(test(weylDraws, sizes).Passes()) << good.name << " " << range;
        }
    }
}

TEST(RandomnessTests, ChiSquareFitMergesSmallClassesAndRefusesImpossibleOnes)
{
    // 1000 draws over probabilities 0.5, 0.497, 0.002, 0.001: the last two (3 expected) join the
    // second class, leaving one degree of freedom.
    const TestResult fit = ChiSquareFit({480, 510, 6, 4}, {0.5, 0.497, 0.002, 0.001});
    EXPECT_EQ(fit.degreesOfFreedom, 1);
    EXPECT_NEAR(fit.statistic, 20.0 * 20 / 500 + 20.0 * 20 / 500, 1e-9);
    EXPECT_FALSE(ChiSquareFit({10, 1}, {1, 0}).Passes());
    EXPECT_FALSE(ChiSquareFit({0, 0}, {0.5, 0.5}).Passes());
    // Counts exactly as expected are too good to be chance in a two-sided test.
    EXPECT_FALSE(ChiSquareFit(std::vector<uint64_t>(100, 1000), std::vector<double>(100, 0.01)).Passes());
}

TEST(RandomnessTests, TurningPointMomentsMatchEnumeration)
{
    for (uint64_t d : {2, 3, 5}) {
        // Every sequence of five draws, equally likely.
        double single = 0, lagOne = 0, lagTwo = 0, sequences = 0;
        std::array<uint64_t, 5> v{};
        auto turning = [&](int i) {
            return (v[i - 1] < v[i] && v[i] > v[i + 1]) || (v[i - 1] > v[i] && v[i] < v[i + 1]);
        };
        for (uint64_t code = 0; code < d * d * d * d * d; ++code) {
            uint64_t rest = code;
            for (auto& x : v) x = rest % d, rest /= d;
            single += turning(1);
            lagOne += turning(1) && turning(2);
            lagTwo += turning(1) && turning(3);
            sequences += 1;
        }
        const TurningPointMoments m = TurningPoints(d);
        EXPECT_NEAR(m.single, single / sequences, 1e-12) << d;
        EXPECT_NEAR(m.lagOne, lagOne / sequences, 1e-12) << d;
        EXPECT_NEAR(m.lagTwo, lagTwo / sequences, 1e-12) << d;
    }
    // Many values approach the continuous case, whose moments give Var = (16N − 29) / 90.
    const TurningPointMoments wide = TurningPoints(65536);
    const TurningPointMoments continuous = TurningPoints(WholeWordRange);
    EXPECT_NEAR(wide.single, continuous.single, 1e-4);
    EXPECT_NEAR(wide.lagOne, continuous.lagOne, 1e-4);
    EXPECT_NEAR(wide.lagTwo, continuous.lagTwo, 1e-4);
}

// A linear congruential generator modulo 2^20 (its words the state shifted to the top): a lattice
// coarse enough to keep a few thousand points apart.
class SmallLatticeWords : public WordSource {
public:
    void Fill(uint32_t* words, size_t count) override
    {
        for (size_t i = 0; i < count; ++i) {
            state_ = (state_ * 1664525u + 1013904223u) & 0xFFFFFu;
            words[i] = state_ << 12;
        }
    }

private:
    uint32_t state_ = 1;
};

TEST(ClosePairs, TheNearestPairIsTheOneBruteForceFinds)
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int t = 1; t <= 5; ++t) {
        for (size_t n : {2, 3, 50, 700}) {
            // Uniform points, and points crowded near the corner where the torus wraps round.
            for (bool crowded : {false, true}) {
                std::vector<double> points(n * static_cast<size_t>(t));
                for (double& x : points) {
                    x = unit(random);
                    if (crowded) x = std::fmod(x * 0.3 + 0.85, 1.0);
                }
                double brute = HUGE_VAL;
                for (size_t a = 0; a < n; ++a) {
                    for (size_t b = a + 1; b < n; ++b) {
                        double sum = 0;
                        for (size_t i = 0; i < static_cast<size_t>(t); ++i) {
                            const double d = std::abs(points[a * t + i] - points[b * t + i]);
                            sum += std::min(d, 1 - d) * std::min(d, 1 - d);
                        }
                        brute = std::min(brute, std::sqrt(sum));
                    }
                }
                for (double cutoff : {0.3, 0.05, 0.001}) {
                    const std::optional<double> found = ClosestPairDistance(points, t, cutoff);
                    ASSERT_TRUE(found.has_value()) << t << " " << n;
                    EXPECT_DOUBLE_EQ(*found, std::min(brute, cutoff)) << t << " " << n << " " << cutoff;
                }
            }
        }
    }
    // Thousands of points in one cell are crowded beyond chance; a repeated point is at distance 0.
    std::vector<double> line(2 * 5000);
    for (size_t i = 0; i < 5000; ++i) line[2 * i] = line[2 * i + 1] = 0.5 + static_cast<double>(i) * 1e-9;
    EXPECT_FALSE(ClosestPairDistance(line, 2, 0.01).has_value());
    std::vector<double> spread(2 * 5000);
    for (double& x : spread) x = unit(random);
    spread[2 * 4321] = spread[2 * 17];
    spread[2 * 4321 + 1] = spread[2 * 17 + 1];
    EXPECT_EQ(ClosestPairDistance(spread, 2, 0.01), 0.0);
}

TEST(ClosePairs, AndersonDarlingTailsMatchTheTables)
{
    // The limiting distribution's upper 5 % and 1 % points, and its median (Stephens' tables).
    EXPECT_NEAR(AndersonDarlingUpperTail(2.492, 1000), 0.05, 0.001);
    EXPECT_NEAR(AndersonDarlingUpperTail(3.857, 1000), 0.01, 0.0005);
    EXPECT_NEAR(AndersonDarlingUpperTail(0.7758, 1000), 0.5, 0.005);
    EXPECT_GT(AndersonDarlingUpperTail(12, 5), 0);
    EXPECT_LT(AndersonDarlingUpperTail(12, 5), AndersonDarlingUpperTail(9, 5));
    // Exponentials at their quantiles fit well; all alike, or one at zero, do not.
    EXPECT_LT(
        AndersonDarlingOfExponentials({-std::log(0.9), -std::log(0.7), -std::log(0.5), -std::log(0.3), -std::log(0.1)}),
        0.5);
    EXPECT_GT(AndersonDarlingOfExponentials(std::vector<double>(10, 4.0)), 20);
    EXPECT_TRUE(std::isinf(AndersonDarlingOfExponentials({0.0, 1.0})));
}

TEST(ClosePairs, PassATwisterAndFailALatticeACounterAndAConstant)
{
    TestSizes sizes;
    sizes.closePairPoints = 8192;  // four times sqrt(2^20): past where the small lattice shows
    sizes.closePairRepetitions = 5;
    for (int t = 2; t <= 5; ++t) {
        TwisterWords twister;
        SmallLatticeWords lattice;
        CounterWords counter(1);
        ConstantWords constant;
        for (uint64_t range : {WholeWordRange, uint64_t{30}}) {
            DrawStream twisterDraws(twister, {range, false});
            const TestResult good = ClosePairTest(twisterDraws, t, sizes);
            EXPECT_TRUE(good.Passes()) << t << " " << range << ": " << good.pUpper << " " << good.sample;
        }
        DrawStream latticeDraws(lattice, {WholeWordRange, false});
        const TestResult bad = ClosePairTest(latticeDraws, t, sizes);
        EXPECT_FALSE(bad.Passes()) << t << ": " << bad.pUpper << " " << bad.sample;
        DrawStream counterDraws(counter, {WholeWordRange, false});
        const TestResult crowded = ClosePairTest(counterDraws, t, sizes);
        EXPECT_FALSE(crowded.Passes()) << t << ": " << crowded.sample;
        EXPECT_NE(crowded.sample.find("crowded"), std::string::npos) << crowded.sample;
        DrawStream constantDraws(constant, {30, false});
        EXPECT_FALSE(ClosePairTest(constantDraws, t, sizes).Passes()) << t;
    }
}

// The shortest vector by trying every (s_2, ..., s_t) with entries up to the Hermite bound.
uint64_t BruteForceNuSquared(uint64_t a, uint64_t m, int t, int64_t bound)
{
    std::array<int64_t, 8> s{};
    for (int i = 1; i < t; ++i) s[static_cast<size_t>(i)] = -bound;
    uint64_t best = UINT64_MAX;
    for (;;) {
        // s_1 is the residue of −(s_2 a + ... + s_t a^(t−1)) nearest zero.
        int64_t sum = 0, power = 1, norm = 0;
        for (int i = 1; i < t; ++i) {
            power = static_cast<int64_t>(static_cast<uint64_t>(power) * a % m);
            sum = (sum + s[static_cast<size_t>(i)] * power) % static_cast<int64_t>(m);
            norm += s[static_cast<size_t>(i)] * s[static_cast<size_t>(i)];
        }
        int64_t first = (-sum % static_cast<int64_t>(m) + static_cast<int64_t>(m)) % static_cast<int64_t>(m);
        if (first > static_cast<int64_t>(m) / 2) first -= static_cast<int64_t>(m);
        norm += first * first;
        if (norm > 0) best = std::min(best, static_cast<uint64_t>(norm));
        int i = 1;
        while (i < t && s[static_cast<size_t>(i)] == bound) s[static_cast<size_t>(i++)] = -bound;
        if (i == t) return best;
        ++s[static_cast<size_t>(i)];
    }
}

TEST(SpectralTest, AgreesWithBruteForceAndKnownValues)
{
    constexpr uint64_t m = 1 << 14;
    for (uint64_t a : {5u, 3141u, 12345u, 16381u}) {
        for (int t = 2; t <= 6; ++t) {
            const auto bound = static_cast<int64_t>(SpectralFiguresFor(a, m, t).hermiteBound);
            EXPECT_EQ(SpectralNuSquared(a, m, t), BruteForceNuSquared(a, m, t, bound)) << a << " " << t;
        }
    }
    // The game's generator in two and three dimensions.
    EXPECT_EQ(SpectralNuSquared(134775813, 1ull << 32, 2), BruteForceNuSquared(134775813, 1ull << 32, 2, 70424));
    EXPECT_EQ(SpectralNuSquared(134775813, 1ull << 32, 3), BruteForceNuSquared(134775813, 1ull << 32, 3, 1825));
    // RANDU (a = 65539, m = 2^31): 9x − 6y + z ≡ 0, its triples on 15 planes; nu_3^2 = 118.
    EXPECT_EQ(SpectralNuSquared(65539, 1ull << 31, 3), 118u);
    // The bound holds and the figures follow from nu.
    const SpectralFigures f = SpectralFiguresFor(134775813, 1ull << 32, 5);
    EXPECT_LE(f.nu, f.hermiteBound);
    EXPECT_NEAR(f.mu, std::pow(M_PI, 2.5) * std::pow(f.nu, 5) / (std::tgamma(3.5) * 4294967296.0), 1e-9 * f.mu);
    EXPECT_THROW(SpectralNuSquared(5, 1 << 14, 9), std::invalid_argument);
}

}  // namespace
