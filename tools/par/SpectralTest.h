// The spectral test of a linear congruential generator: how far apart the parallel hyperplanes
// lie that cover its overlapping t-tuples, computed exactly by lattice reduction.
#pragma once

#include <cstdint>
#include <vector>

namespace par {

// nu_t^2: the squared length of the shortest nonzero integer vector (s_1, ..., s_t) with
// s_1 + s_2 a + ... + s_t a^(t−1) ≡ 0 (mod m), for modulus m ≤ 2^32 and 2 ≤ t ≤ 8. The
// t-tuples of successive outputs / m lie on hyperplanes 1 / nu_t apart. The additive constant
// only shifts the lattice and does not matter.
uint64_t SpectralNuSquared(uint64_t multiplier, uint64_t modulus, int dimension);

struct SpectralFigures {
    int dimension = 0;
    uint64_t nuSquared = 0;
    double nu = 0;
    double hyperplaneSpacing = 0;  // 1 / nu_t
    double hermiteBound = 0;       // the largest nu_t any lattice of this determinant allows
    double normalized = 0;         // nu_t / hermiteBound, from 0 to 1
    double mu = 0;                 // Knuth's figure of merit: pi^(t/2) nu_t^t / ((t/2)! m)
};

SpectralFigures SpectralFiguresFor(uint64_t multiplier, uint64_t modulus, int dimension);

}  // namespace par
