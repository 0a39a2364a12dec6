// The analysis tool's exact arithmetic: big integers against built-in ones, fractions, linear
// systems, and the meter's chain checked against a renewal argument.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

#include "BigInt.h"
#include "Fraction.h"
#include "MeterChain.h"

namespace {

using par::BigInt;
using par::Fraction;

std::string ToString(__int128 v)
{
    if (v == 0) return "0";
    const bool negative = v < 0;
    unsigned __int128 m = negative ? static_cast<unsigned __int128>(0) - static_cast<unsigned __int128>(v)
                                   : static_cast<unsigned __int128>(v);
    std::string s;
    while (m != 0) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    }
    return negative ? "-" + s : s;
}

TEST(BigInt, AgreesWithBuiltInArithmetic)
{
    std::mt19937_64 rng(12345);
    for (int i = 0; i < 3000; ++i) {
        // Mixed sizes, including zero and the 64-bit extremes.
        int64_t a = static_cast<int64_t>(rng()) >> (rng() % 64);
        int64_t b = static_cast<int64_t>(rng()) >> (rng() % 64);
        if (i % 97 == 0) a = INT64_MIN;
        if (i % 89 == 0) b = INT64_MAX;
        if (i % 83 == 0) a = 0;
        const __int128 x = a;
        const __int128 y = b;
        ASSERT_EQ((BigInt(a) + BigInt(b)).ToString(), ToString(x + y));
        ASSERT_EQ((BigInt(a) - BigInt(b)).ToString(), ToString(x - y));
        ASSERT_EQ((BigInt(a) * BigInt(b)).ToString(), ToString(x * y));
        if (b != 0) {
            ASSERT_EQ((BigInt(a) / BigInt(b)).ToString(), ToString(x / y)) << a << " / " << b;
            ASSERT_EQ((BigInt(a) % BigInt(b)).ToString(), ToString(x % y)) << a << " % " << b;
        }
        ASSERT_EQ(BigInt(a) < BigInt(b), a < b);
        ASSERT_EQ(BigInt(a) == BigInt(b), a == b);
    }
    EXPECT_EQ(BigInt::FromUnsigned(UINT64_MAX).ToString(), "18446744073709551615");
    EXPECT_THROW(BigInt(1) / BigInt(0), std::domain_error);
}

TEST(BigInt, LargeNumbersDivideBackExactly)
{
    // 2^320 - 1 and friends: several limbs, exercising the long division.
    BigInt big(1);
    for (int i = 0; i < 320; ++i) big = big * BigInt(2);
    big = big - BigInt(1);
    const BigInt other = BigInt(INT64_MAX) * BigInt(INT64_MAX) * BigInt(987654321);
    const BigInt product = big * other;
    EXPECT_EQ(product / other, big);
    EXPECT_EQ(product % other, BigInt(0));
    const BigInt odd = product + BigInt(12345);
    BigInt q;
    BigInt r;
    BigInt::DivMod(odd, other, q, r);
    EXPECT_EQ(q * other + r, odd);
    EXPECT_EQ(r, BigInt(12345));
    EXPECT_EQ(BigInt::Gcd(product, other * BigInt(6)), other * BigInt::Gcd(big, BigInt(6)));
    EXPECT_EQ((-product).Sign(), -1);
    EXPECT_EQ(BigInt::Gcd(BigInt(0), BigInt(0)), BigInt(0));
    // 10^30 in decimal.
    BigInt ten30(1);
    for (int i = 0; i < 30; ++i) ten30 = ten30 * BigInt(10);
    EXPECT_EQ(ten30.ToString(), "1" + std::string(30, '0'));
    EXPECT_EQ((ten30 + BigInt(7)).ToString(), "1" + std::string(29, '0') + "7");
}

TEST(BigInt, DivisionOfManyLimbNumbers)
{
    std::mt19937_64 rng(777);
    const BigInt limb64 = BigInt::FromUnsigned(UINT64_MAX) + BigInt(1);
    auto random = [&](int pieces) {
        BigInt x(0);
        for (int k = 0; k < pieces; ++k)
            x = x * limb64 + BigInt::FromUnsigned(rng() >> (rng() % 3 == 0 ? rng() % 64 : 0));
        return x;
    };
    for (int i = 0; i < 2000; ++i) {
        const BigInt a = random(1 + static_cast<int>(rng() % 8));
        BigInt b = random(1 + static_cast<int>(rng() % 5));
        if (b.IsZero()) b = BigInt(3);
        BigInt q;
        BigInt r;
        BigInt::DivMod(a, b, q, r);
        ASSERT_EQ(q * b + r, a) << a.ToString() << " / " << b.ToString();
        ASSERT_GE(r.Sign(), 0);
        ASSERT_LT(r, b);
    }
}

TEST(Fraction, LowestTermsAndDecimals)
{
    const Fraction f(BigInt(6), BigInt(-4));
    EXPECT_EQ(f.ToString(), "-3/2");
    EXPECT_EQ(Fraction(BigInt(10), BigInt(5)).ToString(), "2");
    EXPECT_EQ(Fraction(BigInt(1), BigInt(3)) + Fraction(BigInt(1), BigInt(6)), Fraction(BigInt(1), BigInt(2)));
    EXPECT_EQ(Fraction(BigInt(2), BigInt(3)).ToDecimal(3), "0.667");
    EXPECT_EQ(Fraction(BigInt(1), BigInt(3)).ToDecimal(3), "0.333");
    EXPECT_EQ(Fraction(BigInt(-1), BigInt(8)).ToDecimal(2), "-0.13");
    EXPECT_EQ(Fraction(BigInt(-1), BigInt(1000)).ToDecimal(2), "0.00");
    EXPECT_EQ(Fraction(BigInt(3664), BigInt(3375)).ToDecimal(6), "1.085630");
    EXPECT_EQ(Fraction(BigInt(485), BigInt(8)).ToDecimal(0), "61");
    EXPECT_LT(Fraction(BigInt(1), BigInt(3)), Fraction(BigInt(1), BigInt(2)));
    EXPECT_THROW(Fraction(BigInt(1), BigInt(0)), std::domain_error);
}

TEST(LinearSystem, SolvesExactlyAndRejectsSingular)
{
    // x + 2y = 5, 3x - y = 1  →  x = 1, y = 2 (with a zero first pivot swapped in).
    const auto x = par::SolveLinearSystem({{Fraction(0), Fraction(1)}, {Fraction(1), Fraction(2)}},
                                          {Fraction(BigInt(2), BigInt(3)), Fraction(5)});
    EXPECT_EQ(x[0], Fraction(BigInt(11), BigInt(3)));
    EXPECT_EQ(x[1], Fraction(BigInt(2), BigInt(3)));
    EXPECT_THROW(
        par::SolveLinearSystem({{Fraction(1), Fraction(2)}, {Fraction(2), Fraction(4)}}, {Fraction(1), Fraction(2)}),
        std::domain_error);
}

TEST(MeterChain, OutcomesCoverEveryCombination)
{
    const par::MeterOutcomes m = par::CountMeterOutcomes(par::DefaultCombinations());
    int64_t sum = m.resets;
    for (int64_t n : m.points) sum += n;
    EXPECT_EQ(m.combinations, 27000);
    EXPECT_EQ(sum, 27000);
    // Reset: reel 0 or reel 2 shows its Reset (1 stop of 30 each).
    EXPECT_EQ(m.resets, 27000 - 29 * 30 * 29);
    // The largest haul: 1 + 3 + 2 points on one payline, once.
    EXPECT_EQ(m.points[6], 1);
    for (size_t p = 7; p < m.points.size(); ++p) EXPECT_EQ(m.points[p], 0);
}

TEST(MeterChain, StationaryAndAgreesWithARenewalArgument)
{
    const par::MeterOutcomes m = par::CountMeterOutcomes(par::DefaultCombinations());
    const par::MeterChain chain = par::SolveMeterChain(m);

    Fraction total(0);
    for (const Fraction& s : chain.levelShare) total += s;
    EXPECT_EQ(total, Fraction(1));
    for (int to = 0; to < par::MeterLevels; ++to) {
        Fraction inflow(0);
        for (int from = 0; from < par::MeterLevels; ++from)
            inflow += chain.levelShare[from] * chain.transition[from][to];
        EXPECT_EQ(inflow, chain.levelShare[to]) << "level " << to;
    }

    // Independently: every spin that leaves the meter at 0 starts afresh, so
    // the rate of bonus games is (bonus games per cycle) / (spins per cycle),
    // with the expected spins at each level in a cycle found by forward
    // substitution (within a cycle the meter only climbs or stays).
    const BigInt n(m.combinations);
    auto chance = [&](int64_t count) { return Fraction(BigInt(count), n); };
    const Fraction stay = chance(m.points[0]);
    std::array<Fraction, 12> visits;
    visits[0] = Fraction(1);
    for (int level = 1; level < 12; ++level) {
        Fraction arrivals(0);
        for (int below = 0; below < level; ++below)
            arrivals += visits[below] * chance(m.points[static_cast<size_t>(level - below)]);
        visits[level] = arrivals / (Fraction(1) - stay);  // each arrival stays a geometric number of spins
    }
    Fraction spins(0);
    Fraction games(0);
    for (int level = 0; level < 12; ++level) {
        spins += visits[level];
        for (size_t p = 0; p < m.points.size(); ++p) {
            if (level + static_cast<int>(p) >= 12) games += visits[level] * chance(m.points[p]);
        }
    }
    EXPECT_EQ(chain.bonusGamesPerSpin, games / spins);
    EXPECT_EQ(chain.meanSpinsBetweenBonusGames, spins / games);
}

}  // namespace
