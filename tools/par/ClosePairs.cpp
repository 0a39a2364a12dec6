// The close-pair test: the nearest pair by cells, its exponential law, and the Anderson-Darling
// combination of the repetitions.
#include "ClosePairs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace par {

namespace {

// The nearest pair is looked for within the distance where Y reaches this: beyond it, p is
// 1 - e^(-20) ≈ 1 - 2e-9 or more, which settles any test.
constexpr double YLimit = 20;
// At most this many coordinates are sorted into cells, and at most two cells a point.
constexpr int MaxCellDimensions = 3;
// Random points lie about one a cell: a cell holding this many more than the mean is crowded
// far beyond chance (Poisson odds below 10^-30), and the search would grow with its square.
constexpr uint64_t CrowdedCell = 32;

double TorusDistanceSquared(const double* a, const double* b, int dimension, double bound)
{
    double sum = 0;
    for (int i = 0; i < dimension && sum < bound; ++i) {
        double d = std::abs(a[i] - b[i]);
        d = std::min(d, 1 - d);
        sum += d * d;
    }
    return sum;
}

// The offsets in {-1, 0, 1}^cells that come first in the reading order after the zero
// offset: one of each opposite pair, so that each pair of neighbouring cells is met once.
std::vector<std::array<int, MaxCellDimensions>> ForwardNeighbours(int cells)
{
    std::vector<std::array<int, MaxCellDimensions>> offsets;
    int total = 1;
    for (int i = 0; i < cells; ++i) total *= 3;
    for (int code = 0; code < total; ++code) {
        std::array<int, MaxCellDimensions> o{};
        int rest = code;
        for (int i = 0; i < cells; ++i) {
            o[static_cast<size_t>(i)] = rest % 3 - 1;
            rest /= 3;
        }
        // Positive when the last nonzero entry (the most significant) is +1.
        int last = 0;
        for (int i = 0; i < cells; ++i) {
            if (o[static_cast<size_t>(i)] != 0) last = o[static_cast<size_t>(i)];
        }
        if (last > 0) offsets.push_back(o);
    }
    return offsets;
}

}  // namespace

double UnitBallVolume(int dimension)
{
    const double half = dimension / 2.0;
    return std::pow(M_PI, half) / std::tgamma(half + 1);
}

std::optional<double> ClosestPairDistance(const std::vector<double>& coordinates, int dimension, double cutoff)
{
    if (dimension < 1 || !(cutoff > 0 && cutoff < 1.0 / 3)) throw std::invalid_argument("close pairs: bad cutoff");
    const auto t = static_cast<size_t>(dimension);
    const size_t n = coordinates.size() / t;
    const int cellDimensions = std::min(dimension, MaxCellDimensions);
    // Cells no narrower than the cutoff, at most about two a point in all.
    const double most = std::pow(static_cast<double>(std::max<size_t>(2 * n, 27)), 1.0 / cellDimensions);
    const auto side = static_cast<uint64_t>(std::min(std::floor(1 / cutoff), std::floor(most)));
    const uint64_t g = side >= 3 ? side : 1;  // one cell holds all when three do not fit
    uint64_t cellCount = 1;
    for (int i = 0; i < cellDimensions; ++i) cellCount *= g;

    std::vector<uint64_t> cellOf(n);
    std::vector<uint32_t> start(cellCount + 1, 0);
    for (size_t p = 0; p < n; ++p) {
        uint64_t cell = 0;
        for (int i = cellDimensions; i-- > 0;) {
            const auto k = std::min(g - 1, static_cast<uint64_t>(coordinates[p * t + static_cast<size_t>(i)] * g));
            cell = cell * g + k;
        }
        cellOf[p] = cell;
        ++start[cell + 1];
    }
    const uint64_t crowded = CrowdedCell + 4 * (n / cellCount);
    for (uint64_t c = 0; c < cellCount; ++c) {
        if (start[c + 1] > crowded) return std::nullopt;
        start[c + 1] += start[c];
    }
    // The points in cell order, so that a cell's points lie side by side.
    std::vector<double> sorted(n * t);
    {
        std::vector<uint32_t> next(start.begin(), start.end() - 1);
        for (size_t p = 0; p < n; ++p) {
            const size_t k = next[cellOf[p]]++;
            std::copy_n(&coordinates[p * t], t, &sorted[k * t]);
        }
    }

    double best = cutoff * cutoff;
    // Compares two runs of points; false when the search is over: two points are the same.
    auto compare = [&](uint32_t from, uint32_t to, uint32_t otherFrom, uint32_t otherTo, bool same) {
        for (uint32_t i = from; i < to; ++i) {
            for (uint32_t j = same ? i + 1 : otherFrom; j < otherTo; ++j)
                best = std::min(best, TorusDistanceSquared(&sorted[i * t], &sorted[j * t], dimension, best));
        }
        return best > 0;
    };
    const auto neighbours = g >= 3 ? ForwardNeighbours(cellDimensions) : decltype(ForwardNeighbours(1)){};
    for (uint64_t cell = 0; cell < cellCount; ++cell) {
        const uint32_t first = start[cell];
        const uint32_t end = start[cell + 1];
        if (first == end) continue;
        if (!compare(first, end, first, end, true)) break;
        std::array<uint64_t, MaxCellDimensions> digit{};
        uint64_t rest = cell;
        for (int i = 0; i < cellDimensions; ++i) {
            digit[static_cast<size_t>(i)] = rest % g;
            rest /= g;
        }
        bool going = true;
        for (const auto& offset : neighbours) {
            uint64_t other = 0;
            for (int i = cellDimensions; i-- > 0;) {
                // The neighbour's digit, wrapped round the torus.
                int64_t d = static_cast<int64_t>(digit[static_cast<size_t>(i)]) + offset[static_cast<size_t>(i)];
                if (d < 0) {
                    d += static_cast<int64_t>(g);
                } else if (d >= static_cast<int64_t>(g)) {
                    d -= static_cast<int64_t>(g);
                }
                other = other * g + static_cast<uint64_t>(d);
            }
            if (!compare(first, end, start[other], start[other + 1], false)) {
                going = false;
                break;
            }
        }
        if (!going) break;
    }
    return std::sqrt(best);
}

double AndersonDarlingOfExponentials(std::vector<double> exponentials)
{
    std::sort(exponentials.begin(), exponentials.end());
    const size_t n = exponentials.size();
    if (n == 0) return 0;
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const double logValue = std::log(-std::expm1(-exponentials[i]));  // ln u_(i)
        const double logRest = -exponentials[n - 1 - i];                  // ln (1 - u_(n+1-i))
        sum += static_cast<double>(2 * i + 1) * (logValue + logRest);
    }
    return -static_cast<double>(n) - sum / static_cast<double>(n);
}

double AndersonDarlingUpperTail(double statistic, size_t count)
{
    if (!(statistic > 0)) return 1;
    if (std::isinf(statistic)) return 0;
    const double z = statistic;
    // The limiting distribution P(A^2 < z) as the count grows.
    double cdf = 0;
    if (z < 2) {
        cdf = std::exp(-1.2337141 / z) / std::sqrt(z) *
              (2.00012 + (0.247105 - (0.0649821 - (0.0347962 - (0.011672 - 0.00168691 * z) * z) * z) * z) * z);
    } else {
        cdf = std::exp(
            -std::exp(1.0776 - (2.30695 - (0.43424 - (0.082433 - (0.008056 - 0.0003146 * z) * z) * z) * z) * z));
    }
    // The correction for a finite count.
    const auto n = static_cast<double>(std::max<size_t>(count, 1));
    const double c = 0.01265 + 0.1757 / n;
    double error = 0;
    if (cdf < c) {
        double u = cdf / c;
        u = std::sqrt(u) * (1 - u) * (49 * u - 102);
        error = u * (0.0037 / (n * n) + 0.00078 / n + 0.00006) / n;
    } else if (cdf < 0.8) {
        double u = (cdf - c) / (0.8 - c);
        u = -0.00022633 + (6.54034 - (14.6538 - (14.458 - (8.259 - 1.91864 * u) * u) * u) * u) * u;
        error = u * (0.04213 / n + 0.01365 / (n * n)) / n;
    } else {
        // Their polynomial less its value at 1 (about -0.0006 as printed), so that the correction
        // vanishes where the distribution reaches 1 and far tails are not lifted to 6e-5.
        auto g3 = [](double x) {
            return -130.2137 + (745.2337 - (1705.091 - (1950.646 - (1116.360 - 255.7844 * x) * x) * x) * x) * x;
        };
        error = (g3(cdf) - g3(1)) / n;
    }
    // Far in the tail the limiting form alone, 1 - cdf from its exponent to keep its precision.
    // Past z = 8 the fitted polynomial is carried on with the tail's own decay, e^(-z) / sqrt(z)
    // (the largest weight in A^2 = sum of chi-square(1) / (j (j + 1)) is 1/2).
    if (z >= 2) {
        auto tail = [](double at) {
            return -std::expm1(-std::exp(
                1.0776 - (2.30695 - (0.43424 - (0.082433 - (0.008056 - 0.0003146 * at) * at) * at) * at) * at));
        };
        if (z > 8) return std::clamp(tail(8) * std::exp(8 - z) * std::sqrt(8 / z), 0.0, 1.0);
        return std::clamp(tail(z) - error, 0.0, 1.0);
    }
    return std::clamp(1 - (cdf + error), 0.0, 1.0);
}

TestResult ClosePairTest(DrawStream& draws, int dimension, const TestSizes& sizes)
{
    if (dimension < 2 || dimension > 8) throw std::invalid_argument("close pairs in 2 to 8 dimensions");
    const uint64_t n = std::max<uint64_t>(sizes.closePairPoints, 100);
    const uint64_t repetitions = std::max<uint64_t>(sizes.closePairRepetitions, 1);
    const uint64_t range = draws.Range();
    const int digits = range == WholeWordRange ? 1 : DrawsPerBirthday(range);
    double scale = 1;
    for (int k = 0; k < digits; ++k) scale *= static_cast<double>(range);

    const double pairs = static_cast<double>(n) * static_cast<double>(n - 1) / 2;
    const double volume = UnitBallVolume(dimension);
    const double cutoff = std::min(0.3, std::pow(YLimit / (pairs * volume), 1.0 / dimension));
    std::vector<double> coordinates(static_cast<size_t>(n) * static_cast<size_t>(dimension));
    std::vector<double> ys;
    uint64_t crowded = 0;  // repetitions whose points crowd together: Y taken as 0
    for (uint64_t r = 0; r < repetitions; ++r) {
        for (double& x : coordinates) {
            uint64_t value = 0;
            for (int k = 0; k < digits; ++k) value = value * range + draws.Next();
            x = static_cast<double>(value) / scale;
        }
        const std::optional<double> d = ClosestPairDistance(coordinates, dimension, cutoff);
        if (!d) ++crowded;
        ys.push_back(d ? pairs * volume * std::pow(*d, dimension) : 0.0);
    }

    TestResult result;
    result.name = "close pairs, " + std::to_string(dimension) + " dimensions";
    result.statistic = AndersonDarlingOfExponentials(ys);
    result.pUpper = AndersonDarlingUpperTail(result.statistic, ys.size());
    result.pLower = 1;  // a fit too good is no fault here
    double mean = 0;
    for (double y : ys) mean += y / static_cast<double>(ys.size());
    char text[96];
    std::snprintf(text, sizeof text, "%llu x %llu points; mean Y %.2f, expect 1",
                  static_cast<unsigned long long>(repetitions), static_cast<unsigned long long>(n), mean);
    result.sample = text;
    if (crowded > 0) result.sample += "; " + std::to_string(crowded) + " crowded";
    return result;
}

}  // namespace par
