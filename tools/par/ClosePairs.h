// The close-pair (minimum distance) test: the nearest two of n points in the unit torus, made of
// successive draws, against the exponential law that truly random points follow; repetitions
// combined by an Anderson-Darling test.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "RandomnessTests.h"

namespace par {

// The smallest torus distance between two of the points (each `dimension` coordinates in
// [0, 1), one after another in `coordinates`), or `cutoff` when no two are closer than it;
// cutoff must be below 1/3. Points are sorted into cells no narrower than cutoff, so only
// neighbouring cells are compared. Nothing when the points crowd together far beyond chance:
// a cell holds 32 more than the mean (a counter's points), which also bounds the work.
std::optional<double> ClosestPairDistance(const std::vector<double>& coordinates, int dimension, double cutoff);

// The volume of the ball of radius 1 in the given dimension.
double UnitBallVolume(int dimension);

// P(A^2 > statistic) for the Anderson-Darling statistic of `count` independent uniform values
// (Marsaglia and Marsaglia's approximation, with their correction for small counts).
double AndersonDarlingUpperTail(double statistic, size_t count);

// The Anderson-Darling statistic of values that should be uniform on (0, 1), each given as
// its exponential Y (the value is 1 - e^(-Y)), which keeps values near 1 precise.
double AndersonDarlingOfExponentials(std::vector<double> exponentials);

// Repetitions of n points in the torus, each coordinate one raw word / 2^32 or several
// successive draws as digits (as many as fit in 32 bits, as birthdays are made). Under true
// randomness Y = n (n - 1) / 2 x (volume of the ball of the nearest pair's distance) is about
// exponential with mean 1 (L'Ecuyer, Cordeau and Simard's close-pair test; Marsaglia and
// Tsang's minimum distance test). Crowded points (see ClosestPairDistance) count as Y = 0. The statistic is A^2 of the repetitions' 1 - e^(-Y), failing
// when it is large; a lattice generator whose points can be no closer than its shortest
// lattice vector gives Y too large every time.
TestResult ClosePairTest(DrawStream& draws, int dimension, const TestSizes& sizes);

}  // namespace par
