// The spectral test by LLL reduction of the dual lattice's basis, then an exhaustive search of
// the reduced basis's combinations (Fincke and Pohst) for the shortest vector, with the lengths
// of candidates taken in exact integer arithmetic.
#include "SpectralTest.h"

#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace par {

namespace {

constexpr int MaxDimension = 8;
using Vector = std::array<int64_t, MaxDimension>;
using Wide = __int128;

struct Lattice {
    int t = 0;
    std::array<Vector, MaxDimension> basis{};
    std::array<std::array<long double, MaxDimension>, MaxDimension> mu{};  // Gram–Schmidt coefficients
    std::array<long double, MaxDimension> normSquared{};                   // of the orthogonalised rows

    Wide Dot(const Vector& a, const Vector& b) const
    {
        Wide sum = 0;
        for (int i = 0; i < t; ++i) sum += static_cast<Wide>(a[static_cast<size_t>(i)]) * b[static_cast<size_t>(i)];
        return sum;
    }

    void Orthogonalise()
    {
        std::array<std::array<long double, MaxDimension>, MaxDimension> star{};
        for (int i = 0; i < t; ++i) {
            const auto ui = static_cast<size_t>(i);
            for (int c = 0; c < t; ++c)
                star[ui][static_cast<size_t>(c)] = static_cast<long double>(basis[ui][static_cast<size_t>(c)]);
            for (int j = 0; j < i; ++j) {
                const auto uj = static_cast<size_t>(j);
                long double dot = 0;
                for (int c = 0; c < t; ++c)
                    dot +=
                        static_cast<long double>(basis[ui][static_cast<size_t>(c)]) * star[uj][static_cast<size_t>(c)];
                mu[ui][uj] = dot / normSquared[uj];
                for (int c = 0; c < t; ++c)
                    star[ui][static_cast<size_t>(c)] -= mu[ui][uj] * star[uj][static_cast<size_t>(c)];
            }
            long double norm = 0;
            for (int c = 0; c < t; ++c) norm += star[ui][static_cast<size_t>(c)] * star[ui][static_cast<size_t>(c)];
            normSquared[ui] = norm;
        }
    }

    // Lenstra–Lenstra–Lovász with δ = 0.99, orthogonalising afresh after each change (t ≤ 8).
    void Reduce()
    {
        Orthogonalise();
        for (int k = 1; k < t;) {
            const auto uk = static_cast<size_t>(k);
            for (int j = k - 1; j >= 0; --j) {
                const auto uj = static_cast<size_t>(j);
                const long double q = std::round(mu[uk][uj]);
                if (q == 0) continue;
                const auto qi = static_cast<int64_t>(q);
                for (int c = 0; c < t; ++c) {
                    // Wide: q × entry may pass 2^63 even where the difference fits.
                    const auto uc = static_cast<size_t>(c);
                    basis[uk][uc] = static_cast<int64_t>(basis[uk][uc] - static_cast<Wide>(qi) * basis[uj][uc]);
                }
                Orthogonalise();
            }
            const long double m = mu[uk][uk - 1];
            if (normSquared[uk] >= (0.99L - m * m) * normSquared[uk - 1]) {
                ++k;
            } else {
                std::swap(basis[uk], basis[uk - 1]);
                Orthogonalise();
                k = std::max(k - 1, 1);
            }
        }
    }

    // Every combination Σ x_i b_i whose length can be below the best so far, level by level
    // from the last Gram–Schmidt direction; the bound gets a little slack so rounding never
    // drops a candidate, and candidates are measured exactly.
    void Search(int level, std::array<int64_t, MaxDimension>& x, long double partial, Wide& best) const
    {
        if (level < 0) {
            Vector v{};
            bool zero = true;
            for (int i = 0; i < t; ++i) {
                if (x[static_cast<size_t>(i)] == 0) continue;
                zero = false;
                for (int c = 0; c < t; ++c)
                    v[static_cast<size_t>(c)] +=
                        x[static_cast<size_t>(i)] * basis[static_cast<size_t>(i)][static_cast<size_t>(c)];
            }
            if (!zero) best = std::min(best, Dot(v, v));
            return;
        }
        const auto ul = static_cast<size_t>(level);
        long double centre = 0;
        for (int j = level + 1; j < t; ++j)
            centre -= static_cast<long double>(x[static_cast<size_t>(j)]) * mu[static_cast<size_t>(j)][ul];
        const long double room = (static_cast<long double>(best) * (1 + 1e-12L) + 1e-6L - partial) / normSquared[ul];
        if (room < 0) return;
        const long double reach = std::sqrt(room);
        for (auto xi = static_cast<int64_t>(std::ceil(centre - reach));
             xi <= static_cast<int64_t>(std::floor(centre + reach)); ++xi) {
            x[ul] = xi;
            const long double offset = static_cast<long double>(xi) - centre;
            Search(level - 1, x, partial + offset * offset * normSquared[ul], best);
        }
        x[ul] = 0;
    }
};

}  // namespace

uint64_t SpectralNuSquared(uint64_t multiplier, uint64_t modulus, int dimension)
{
    if (dimension < 2 || dimension > MaxDimension || modulus < 2 || modulus > (uint64_t{1} << 32))
        throw std::invalid_argument("the spectral test takes dimensions 2 to 8 and moduli 2 to 2^32");
    // Rows (m, 0, ..., 0) and (−a^i mod m, 0, ..., 1 in place i, ...): every vector with
    // s_1 + s_2 a + ... ≡ 0 (mod m) is an integer combination of them.
    Lattice lattice;
    lattice.t = dimension;
    lattice.basis[0][0] = static_cast<int64_t>(modulus);
    uint64_t power = 1;
    for (int i = 1; i < dimension; ++i) {
        power = power * (multiplier % modulus) % modulus;
        lattice.basis[static_cast<size_t>(i)][0] = -static_cast<int64_t>(power);
        lattice.basis[static_cast<size_t>(i)][static_cast<size_t>(i)] = 1;
    }
    lattice.Reduce();
    Wide best = lattice.Dot(lattice.basis[0], lattice.basis[0]);
    for (int i = 1; i < dimension; ++i)
        best =
            std::min(best, lattice.Dot(lattice.basis[static_cast<size_t>(i)], lattice.basis[static_cast<size_t>(i)]));
    std::array<int64_t, MaxDimension> x{};
    lattice.Search(dimension - 1, x, 0, best);
    return static_cast<uint64_t>(best);
}

SpectralFigures SpectralFiguresFor(uint64_t multiplier, uint64_t modulus, int dimension)
{
    // Hermite's constants gamma_t^t, known exactly for t ≤ 8: the densest lattice packings.
    constexpr std::array<double, MaxDimension + 1> HermitePower = {0, 1, 4.0 / 3, 2, 4, 8, 64.0 / 3, 64, 256};
    SpectralFigures f;
    f.dimension = dimension;
    f.nuSquared = SpectralNuSquared(multiplier, modulus, dimension);
    f.nu = std::sqrt(static_cast<double>(f.nuSquared));
    f.hyperplaneSpacing = 1 / f.nu;
    const double t = dimension;
    const auto m = static_cast<double>(modulus);
    // The dual lattice has determinant m, so nu_t^2 ≤ gamma_t m^(2/t).
    const double gamma = std::pow(HermitePower[static_cast<size_t>(dimension)], 1 / t);
    f.hermiteBound = std::sqrt(gamma * std::pow(m, 2 / t));
    f.normalized = f.nu / f.hermiteBound;
    f.mu = std::pow(std::numbers::pi, t / 2) * std::pow(f.nu, t) / (std::tgamma(t / 2 + 1) * m);
    return f;
}

}  // namespace par
