// Where a spin's chance comes from: the reel stops and the order of the bonus
// prizes. The game draws both from its generator; a test build may force the
// stops, and the analysis tool may shuffle faster, without the rules knowing.
#pragma once

#include <cstdint>

#include "engine/TableTypes.h"
#include "engine/Reels.h"

namespace engine {

class Random;

class OutcomeSource {
public:
    virtual ~OutcomeSource() = default;

    // The next spin's stops and the motion offsets its animation starts from.
    virtual void NextStops(Random& random, int32_t motionHeight, ReelStops& stops, MotionOffsets& offsets) = 0;

    // The prizes behind the eight boxes, in a new order.
    virtual void ShufflePrizes(Random& random, BonusPrizes& prizes) = 0;
};

// The game's source: everything drawn from the generator (ChooseStops,
// ShuffleBonusPrizes).
class DrawnOutcomes : public OutcomeSource {
public:
    void NextStops(Random& random, int32_t motionHeight, ReelStops& stops, MotionOffsets& offsets) override;
    void ShufflePrizes(Random& random, BonusPrizes& prizes) override;
};

// One shared instance for games that bring no source of their own.
DrawnOutcomes& DefaultOutcomes();

}  // namespace engine
