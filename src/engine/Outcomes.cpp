// The generator's outcomes: stops and motion offsets, and the prize shuffle.
#include "engine/Outcomes.h"

#include "engine/BonusMeter.h"

namespace engine {

void DrawnOutcomes::NextStops(Random& random, int32_t motionHeight, ReelStops& stops, MotionOffsets& offsets)
{
    ChooseStops(random, motionHeight, stops, offsets);
}

void DrawnOutcomes::ShufflePrizes(Random& random, BonusPrizes& prizes)
{
    ShuffleBonusPrizes(random, prizes);
}

DrawnOutcomes& DefaultOutcomes()
{
    static DrawnOutcomes outcomes;
    return outcomes;
}

}  // namespace engine
