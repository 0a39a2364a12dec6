#pragma once

#include "Host.h"

namespace engine {

class Random;

// The two ways ShuffleBonusPrizes can run; both give exactly the same prizes
// and leave the generator at the same seed. Separate for the tests.
void ShuffleBonusPrizesPortable(Random& random, BonusPrizes& prizes);

// Returns false, changing nothing, where the processor lacks the vector
// instructions it needs.
bool ShuffleBonusPrizesVectorized(Random& random, BonusPrizes& prizes);

}  // namespace engine
