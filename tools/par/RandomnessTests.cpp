// The randomness tests as Knuth describes them (The Art of Computer Programming, vol. 2, 3.3.2),
// each with the exact distribution of its counts under independent uniform draws.
#include "RandomnessTests.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "DistributionTails.h"

namespace par {

namespace {

constexpr double MinimumExpected = 5;
constexpr uint64_t SerialCellLimit = uint64_t{1} << 18;

std::string Count(uint64_t n)
{
    return std::to_string(n);
}

// A result that cannot be judged from the sample, e.g. no usable group at all: it fails.
TestResult Unusable()
{
    TestResult result;
    result.pUpper = 0;
    result.pLower = 0;
    return result;
}

TestResult UniformFit(const std::vector<uint64_t>& observed)
{
    return ChiSquareFit(observed, std::vector<double>(observed.size(), 1.0 / static_cast<double>(observed.size())));
}

uint64_t Power(uint64_t base, int exponent)
{
    uint64_t result = 1;
    for (int i = 0; i < exponent; ++i) result *= base;
    return result;
}

void CheckRange(uint64_t range)
{
    if (range < 2 || range > WholeWordRange) throw std::invalid_argument("draws must have 2 to 2^32 values");
}

}  // namespace

DrawStream::DrawStream(WordSource& source, DrawRule rule) : source_(source), rule_(rule), words_(4096), next_(4096)
{
    CheckRange(rule.range);
    if (rule.lowBits && (rule.range & (rule.range - 1)) != 0) throw std::invalid_argument("low bits need 2^k values");
}

void DrawStream::Refill()
{
    source_.Fill(words_.data(), words_.size());
    next_ = 0;
}

TestResult ChiSquareFit(const std::vector<uint64_t>& observed, const std::vector<double>& probabilities)
{
    const uint64_t total = std::accumulate(observed.begin(), observed.end(), uint64_t{0});
    if (total == 0) return Unusable();
    const auto n = static_cast<double>(total);

    // Groups of neighbouring categories, each expecting at least MinimumExpected; a short
    // remainder joins the last group.
    std::vector<double> groupExpected;
    std::vector<uint64_t> groupObserved;
    double expected = 0;
    uint64_t seen = 0;
    bool open = false;
    for (size_t i = 0; i < observed.size(); ++i) {
        if (probabilities[i] <= 0 && observed[i] > 0) {
            TestResult impossible = Unusable();  // an outcome that cannot happen did
            impossible.statistic = HUGE_VAL;
            return impossible;
        }
        expected += n * probabilities[i];
        seen += observed[i];
        open = true;
        if (expected >= MinimumExpected) {
            groupExpected.push_back(expected);
            groupObserved.push_back(seen);
            expected = 0;
            seen = 0;
            open = false;
        }
    }
    if (open && !groupExpected.empty()) {
        groupExpected.back() += expected;
        groupObserved.back() += seen;
    } else if (open) {
        groupExpected.push_back(expected);
        groupObserved.push_back(seen);
    }

    TestResult result;
    for (size_t g = 0; g < groupExpected.size(); ++g) {
        const double difference = static_cast<double>(groupObserved[g]) - groupExpected[g];
        result.statistic += difference * difference / groupExpected[g];
    }
    result.degreesOfFreedom = static_cast<int64_t>(groupExpected.size()) - 1;
    if (result.degreesOfFreedom > 0) {
        const auto df = static_cast<double>(result.degreesOfFreedom);
        result.pUpper = ChiSquareUpperTail(result.statistic, df);
        result.pLower = ChiSquareLowerTail(result.statistic, df);
    }
    return result;
}

uint64_t LargestDivisorAtMost(uint64_t range, uint64_t limit)
{
    if (range <= limit) return range;
    for (uint64_t g = limit; g > 1; --g) {
        if (range % g == 0) return g;
    }
    return 1;
}

int DrawsPerBirthday(uint64_t range)
{
    CheckRange(range);
    int draws = 1;
    for (uint64_t days = range; days <= WholeWordRange / range; days *= range) ++draws;
    return draws;
}

TestResult UniformityTest(DrawStream& draws, const TestSizes& sizes)
{
    const uint64_t classes = LargestDivisorAtMost(draws.Range(), 65536);
    const uint64_t width = draws.Range() / classes;
    const uint64_t n = std::max(sizes.uniformDraws, 20 * classes);
    std::vector<uint64_t> counts(classes);
    for (uint64_t i = 0; i < n; ++i) ++counts[draws.Next() / width];
    TestResult result = UniformFit(counts);
    result.name = "chi-square for uniformity";
    result.sample = Count(n) + " draws, " + Count(classes) + " classes";
    return result;
}

TestResult SerialTest(DrawStream& draws, int tupleLength, const TestSizes& sizes)
{
    uint64_t limit = 1;
    while (Power(limit + 1, tupleLength) <= SerialCellLimit) ++limit;
    const uint64_t classes = LargestDivisorAtMost(draws.Range(), limit);
    const uint64_t width = draws.Range() / classes;
    const uint64_t cells = Power(classes, tupleLength);
    const uint64_t n = std::max(sizes.serialTuples, 10 * cells);
    std::vector<uint64_t> counts(cells);
    for (uint64_t i = 0; i < n; ++i) {
        uint64_t cell = 0;
        for (int j = 0; j < tupleLength; ++j) cell = cell * classes + draws.Next() / width;
        ++counts[cell];
    }
    TestResult result = UniformFit(counts);
    result.name = tupleLength == 2 ? "serial pairs" : tupleLength == 3 ? "serial triples" : "serial tuples";
    result.sample = Count(n) + (tupleLength == 2 ? " pairs, " : " triples, ") + Count(classes) + " classes";
    return result;
}

TestResult GapTest(DrawStream& draws, const TestSizes& sizes)
{
    // A gap is the run of draws between two draws below the mark; its length is geometric.
    const uint64_t mark = std::max<uint64_t>(1, draws.Range() / 8);
    const double p = static_cast<double>(mark) / static_cast<double>(draws.Range());
    const double longest = std::log(MinimumExpected / static_cast<double>(sizes.gaps)) / std::log1p(-p);
    const auto cap = static_cast<uint64_t>(std::clamp(std::ceil(longest), 1.0, 1000.0));
    std::vector<uint64_t> counts(cap + 1);
    std::vector<double> probabilities(cap + 1);
    for (uint64_t r = 0; r < cap; ++r) probabilities[r] = p * std::pow(1 - p, static_cast<double>(r));
    probabilities[cap] = std::pow(1 - p, static_cast<double>(cap));
    // A gap that reaches the cap is counted as "cap or longer" and the next one starts at once,
    // which under independence has the same law and keeps a stuck generator from looping.
    uint64_t length = 0;
    for (uint64_t gaps = 0; gaps < sizes.gaps;) {
        if (draws.Next() < mark) {
            ++counts[length];
            length = 0;
            ++gaps;
        } else if (++length == cap) {
            ++counts[cap];
            length = 0;
            ++gaps;
        }
    }
    TestResult result = ChiSquareFit(counts, probabilities);
    result.name = "gap";
    char chance[32];
    std::snprintf(chance, sizeof chance, "%.4g", p);
    result.sample = Count(sizes.gaps) + " gaps, p " + chance;
    return result;
}

TurningPointMoments TurningPoints(uint64_t range)
{
    CheckRange(range);
    if (range > 65536) return {2.0 / 3, 5.0 / 12, 9.0 / 20};  // continuous draws
    const auto d = static_cast<double>(range);
    const auto size = static_cast<size_t>(range);
    // below[y] = P(draw < y), above[y] = P(draw > y).
    std::vector<double> below(size), above(size);
    for (size_t y = 0; y < size; ++y) {
        below[y] = static_cast<double>(y) / d;
        above[y] = static_cast<double>(size - 1 - y) / d;
    }
    // prefixAbove[y] = Σ_{c<y} above[c] / d, suffixBelow[y] = Σ_{c>y} below[c] / d.
    std::vector<double> prefixAbove(size + 1, 0), suffixBelow(size + 1, 0);
    for (size_t y = 0; y < size; ++y) prefixAbove[y + 1] = prefixAbove[y] + above[y] / d;
    for (size_t y = size; y-- > 0;) suffixBelow[y] = suffixBelow[y + 1] + (y + 1 < size ? below[y + 1] / d : 0);

    TurningPointMoments m;
    for (size_t y = 0; y < size; ++y) {
        // A peak (both neighbours lower) or a trough (both higher) at a draw of y.
        m.single += (below[y] * below[y] + above[y] * above[y]) / d;
        // A peak at y followed by a trough at the next draw c < y, or a trough then a peak.
        m.lagOne += (below[y] * prefixAbove[y] + above[y] * suffixBelow[y]) / d;
        // Turning points on both sides of a middle draw y, independent given y.
        const double side = suffixBelow[y] + prefixAbove[y];
        m.lagTwo += side * side / d;
    }
    return m;
}

TestResult RunsUpDownTest(DrawStream& draws, const TestSizes& sizes)
{
    // Runs up and down counted by turning points: with no equal neighbours there is one run
    // more than there are turning points. Equal neighbours make no turning point; the exact
    // moments for the draws' range take that into account.
    const uint64_t n = std::max<uint64_t>(sizes.runDraws, 10);
    uint64_t before = draws.Next();
    uint64_t current = draws.Next();
    uint64_t turns = 0;
    for (uint64_t i = 2; i < n; ++i) {
        const uint64_t after = draws.Next();
        if ((before < current && current > after) || (before > current && current < after)) ++turns;
        before = current;
        current = after;
    }
    const TurningPointMoments m = TurningPoints(draws.Range());
    const auto places = static_cast<double>(n - 2);
    const double p2 = m.single * m.single;
    const double variance =
        places * (m.single - p2) + 2 * (places - 1) * (m.lagOne - p2) + 2 * (places - 2) * (m.lagTwo - p2);
    TestResult result;
    result.name = "runs up and down";
    result.statistic = (static_cast<double>(turns) - places * m.single) / std::sqrt(variance);
    result.pUpper = NormalUpperTail(result.statistic);
    result.pLower = NormalUpperTail(-result.statistic);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.0f", places * m.single);
    result.sample = Count(n) + " draws, " + Count(turns) + " turns, expect " + expected;
    return result;
}

TestResult PokerTest(DrawStream& draws, const TestSizes& sizes)
{
    constexpr int Cards = 5;
    constexpr std::array<double, Cards + 1> Stirling = {0, 1, 15, 25, 10, 1};  // S(5, r)
    const uint64_t classes = LargestDivisorAtMost(draws.Range(), 512);
    const uint64_t width = draws.Range() / classes;
    const auto d = static_cast<double>(classes);
    const int most = static_cast<int>(std::min<uint64_t>(Cards, classes));
    // P(r different classes in a hand) = d (d−1) ... (d−r+1) S(5, r) / d^5.
    std::vector<double> probabilities(static_cast<size_t>(most));
    double falling = 1;
    for (int r = 1; r <= most; ++r) {
        falling *= (d - r + 1) / d;
        probabilities[static_cast<size_t>(r - 1)] = falling * Stirling[static_cast<size_t>(r)] / std::pow(d, Cards - r);
    }
    std::vector<uint64_t> counts(static_cast<size_t>(most));
    for (uint64_t h = 0; h < sizes.pokerHands; ++h) {
        std::array<uint64_t, Cards> hand{};
        int different = 0;
        for (int c = 0; c < Cards; ++c) {
            const uint64_t card = draws.Next() / width;
            if (std::find(hand.begin(), hand.begin() + different, card) == hand.begin() + different)
                hand[static_cast<size_t>(different++)] = card;
        }
        ++counts[static_cast<size_t>(different - 1)];
    }
    TestResult result = ChiSquareFit(counts, probabilities);
    result.name = "poker";
    result.sample = Count(sizes.pokerHands) + " hands of 5, " + Count(classes) + " classes";
    return result;
}

TestResult CouponCollectorTest(DrawStream& draws, const TestSizes& sizes)
{
    const uint64_t classes = LargestDivisorAtMost(draws.Range(), 512);
    const uint64_t width = draws.Range() / classes;
    const auto d = static_cast<double>(classes);
    const auto size = static_cast<size_t>(classes);

    // The law of a segment's length: after L draws, have[j] = P(j different classes so far and
    // not yet all), so P(length = L + 1) = have[d − 1] / d.
    std::vector<double> probabilities;  // for lengths classes, classes + 1, ...
    std::vector<double> have(size, 0);
    have[1] = 1;
    double covered = 0;
    const uint64_t maxLength = 64 * classes + 64;
    for (uint64_t length = 1; covered < 1 - 1e-9 && length + 1 < maxLength; ++length) {
        if (length + 1 >= classes) {
            probabilities.push_back(have[size - 1] / d);
            covered += probabilities.back();
        }
        for (size_t j = size - 1; j >= 1; --j) {
            have[j] =
                have[j] * static_cast<double>(j) / d + (j > 1 ? have[j - 1] * (d - static_cast<double>(j - 1)) / d : 0);
        }
    }
    const uint64_t cap = classes + probabilities.size();  // lengths from cap on share a category
    probabilities.push_back(std::max(0.0, 1 - covered));

    std::vector<uint64_t> counts(probabilities.size());
    std::vector<char> seen(size);
    for (uint64_t s = 0; s < sizes.couponSegments; ++s) {
        std::fill(seen.begin(), seen.end(), 0);
        uint64_t different = 0;
        uint64_t length = 0;
        while (different < classes && length < cap) {
            char& mark = seen[static_cast<size_t>(draws.Next() / width)];
            different += mark == 0;
            mark = 1;
            ++length;
        }
        ++counts[static_cast<size_t>(different < classes ? cap - classes : length - classes)];
    }
    TestResult result = ChiSquareFit(counts, probabilities);
    result.name = "coupon collector";
    result.sample = Count(sizes.couponSegments) + " segments, " + Count(classes) + " classes";
    return result;
}

TestResult PermutationTest(DrawStream& draws, const TestSizes& sizes)
{
    // Groups with equal draws are left out: given that all t differ, each of the t! orders is
    // equally likely for independent draws.
    const int t = static_cast<int>(std::min<uint64_t>(5, draws.Range()));
    uint64_t orders = 1;
    for (int i = 2; i <= t; ++i) orders *= static_cast<uint64_t>(i);
    std::vector<uint64_t> counts(orders);
    uint64_t untied = 0;
    for (uint64_t g = 0; g < sizes.permutationGroups; ++g) {
        std::array<uint64_t, 5> v{};
        for (int i = 0; i < t; ++i) v[static_cast<size_t>(i)] = draws.Next();
        uint64_t rank = 0;
        bool tied = false;
        for (int i = 0; i < t; ++i) {
            uint64_t smallerLater = 0;
            for (int j = i + 1; j < t; ++j) {
                tied |= v[static_cast<size_t>(j)] == v[static_cast<size_t>(i)];
                smallerLater += v[static_cast<size_t>(j)] < v[static_cast<size_t>(i)];
            }
            rank = rank * static_cast<uint64_t>(t - i) + smallerLater;
        }
        if (tied) continue;
        ++counts[rank];
        ++untied;
    }
    TestResult result = UniformFit(counts);
    result.name = "permutation";
    result.sample =
        Count(untied) + " of " + Count(sizes.permutationGroups) + " groups of " + std::to_string(t) + " untied";
    return result;
}

TestResult BirthdaySpacingsTest(DrawStream& draws, const TestSizes& sizes)
{
    // m birthdays in a year of n days, each made of k consecutive draws; the number of equal
    // spacings between the sorted birthdays (the last wrapping round to the first) is
    // about Poisson with mean m^3 / (4n). The repetitions' counts are added up.
    const int k = DrawsPerBirthday(draws.Range());
    const uint64_t days = Power(draws.Range(), k);
    const auto birthdays = static_cast<size_t>(std::max(2.0, std::round(std::cbrt(8.0 * static_cast<double>(days)))));
    const double lambda = std::pow(static_cast<double>(birthdays), 3) / (4.0 * static_cast<double>(days));
    std::vector<uint64_t> dates(birthdays), spacings(birthdays);
    uint64_t repeats = 0;
    for (uint64_t r = 0; r < sizes.birthdayRepetitions; ++r) {
        for (uint64_t& date : dates) {
            date = 0;
            for (int j = 0; j < k; ++j) date = date * draws.Range() + draws.Next();
        }
        std::sort(dates.begin(), dates.end());
        for (size_t i = 0; i + 1 < birthdays; ++i) spacings[i] = dates[i + 1] - dates[i];
        spacings[birthdays - 1] = dates[0] + days - dates[birthdays - 1];
        std::sort(spacings.begin(), spacings.end());
        for (size_t i = 1; i < birthdays; ++i) repeats += spacings[i] == spacings[i - 1];
    }
    const double mean = lambda * static_cast<double>(sizes.birthdayRepetitions);
    TestResult result;
    result.name = "birthday spacings";
    result.statistic = static_cast<double>(repeats);
    result.pUpper = PoissonAtLeast(repeats, mean);
    result.pLower = PoissonAtMost(repeats, mean);
    char expected[48];
    std::snprintf(expected, sizeof expected, "; expect %.1f", mean);
    result.sample = Count(sizes.birthdayRepetitions) + " x " + Count(birthdays) + " of " + std::to_string(k) +
                    (k == 1 ? " draw" : " draws") + expected;
    return result;
}

}  // namespace par
