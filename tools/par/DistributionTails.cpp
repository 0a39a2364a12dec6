// The incomplete gamma function by its series and its continued fraction (modified Lentz), and the
// tails built on it.
#include "DistributionTails.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace par {

namespace {

constexpr double Epsilon = 1e-16;
constexpr double Tiny = 1e-300;
constexpr int MaxIterations = 100000;

// x^a e^(−x) / Γ(a), the factor both expansions share, taken through logarithms.
double Prefactor(double a, double x)
{
    return std::exp(a * std::log(x) - x - std::lgamma(a));
}

// P(a, x) = prefactor × Σ x^n / (a (a+1) ... (a+n)); converges quickly for x < a + 1.
double GammaSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    double denominator = a;
    for (int n = 1; n < MaxIterations; ++n) {
        denominator += 1.0;
        term *= x / denominator;
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * Epsilon) break;
    }
    return sum * Prefactor(a, x);
}

// Q(a, x) = prefactor / (x + 1 − a − 1(1−a)/(x + 3 − a − ...)); converges for x ≥ a + 1.
double GammaContinuedFraction(double a, double x)
{
    double b = x + 1.0 - a;
    double c = 1.0 / Tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < MaxIterations; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < Tiny) d = Tiny;
        c = b + an / c;
        if (std::fabs(c) < Tiny) c = Tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < Epsilon) break;
    }
    return h * Prefactor(a, x);
}

void CheckArguments(double a, double x)
{
    if (!(a > 0) || !(x >= 0) || std::isinf(a)) throw std::domain_error("incomplete gamma needs a > 0 and x >= 0");
}

}  // namespace

double RegularizedGammaP(double a, double x)
{
    CheckArguments(a, x);
    if (x == 0) return 0;
    if (std::isinf(x)) return 1;
    return x < a + 1 ? GammaSeries(a, x) : 1.0 - GammaContinuedFraction(a, x);
}

double RegularizedGammaQ(double a, double x)
{
    CheckArguments(a, x);
    if (x == 0) return 1;
    if (std::isinf(x)) return 0;
    return x < a + 1 ? 1.0 - GammaSeries(a, x) : GammaContinuedFraction(a, x);
}

double ChiSquareUpperTail(double x, double degreesOfFreedom)
{
    return RegularizedGammaQ(degreesOfFreedom / 2, std::max(0.0, x) / 2);
}

double ChiSquareLowerTail(double x, double degreesOfFreedom)
{
    return RegularizedGammaP(degreesOfFreedom / 2, std::max(0.0, x) / 2);
}

double NormalUpperTail(double z)
{
    return 0.5 * std::erfc(z / std::sqrt(2.0));
}

// P(X ≤ k) = Q(k + 1, λ): the chance of at most k events is the chance that the (k+1)th
// arrival of a unit-rate process comes after time λ.
double PoissonAtMost(uint64_t k, double lambda)
{
    if (lambda <= 0) return 1;
    return RegularizedGammaQ(static_cast<double>(k) + 1, lambda);
}

double PoissonAtLeast(uint64_t k, double lambda)
{
    if (k == 0) return 1;
    if (lambda <= 0) return 0;
    return RegularizedGammaP(static_cast<double>(k), lambda);
}

}  // namespace par
