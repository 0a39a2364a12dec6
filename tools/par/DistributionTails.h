// Tail probabilities of the chi-square, normal and Poisson distributions, from the regularized
// incomplete gamma function, for the randomness tests' p-values.
#pragma once

#include <cstdint>

namespace par {

// P(a, x) = γ(a, x) / Γ(a) and Q(a, x) = 1 − P(a, x), for a > 0 and x ≥ 0. Each is computed
// directly (a series where x < a + 1, a continued fraction otherwise) so that small tails keep
// their relative precision instead of being lost in 1 − (something near 1).
double RegularizedGammaP(double a, double x);
double RegularizedGammaQ(double a, double x);

// The chance that a chi-square variable with the given degrees of freedom is at least x.
double ChiSquareUpperTail(double x, double degreesOfFreedom);
double ChiSquareLowerTail(double x, double degreesOfFreedom);

// The chance that a standard normal variable is at least z.
double NormalUpperTail(double z);

// For a Poisson variable of mean lambda: the chance of at most k, and of at least k.
double PoissonAtMost(uint64_t k, double lambda);
double PoissonAtLeast(uint64_t k, double lambda);

}  // namespace par
