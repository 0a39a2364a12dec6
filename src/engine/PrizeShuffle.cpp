// The bonus game's prize shuffle, as the game plays it.
#include <utility>

#include "engine/BonusMeter.h"
#include "engine/Random.h"

namespace engine {

void ShuffleBonusPrizes(Random& random, BonusPrizes& prizes)
{
    constexpr int Passes = 1001;
    const int boxes = static_cast<int>(prizes.size());
    for (int pass = 0; pass < Passes; ++pass) {
        for (int i = 0; i < boxes; ++i) std::swap(prizes[i], prizes[random(boxes)]);
    }
}

}  // namespace engine
