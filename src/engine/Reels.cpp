// The strips by reel, where a stop comes to rest after its nudges, and the draw of a spin's stops.
#include "engine/Reels.h"

#include "engine/Random.h"

namespace engine {

std::string_view ReelStrip(int reel)
{
    return reeldata::ValidReel(reel) ? reeldata::Strips[reel] : std::string_view{};
}

int32_t NudgedStop(int reel, int32_t stop)
{
    ReelStops stops{};
    if (!reeldata::ValidReel(reel)) return WrapPosition(stop);
    stops[reel] = WrapPosition(stop);
    if (NeedsDownNudge(stops, reel)) stops[reel] = WrapPosition(stops[reel] - 1);
    if (NeedsUpNudge(stops, reel)) stops[reel] = WrapPosition(stops[reel] + 1);
    return stops[reel];
}

void ChooseStops(Random& random, int32_t motionHeight, ReelStops& stops, MotionOffsets& offsets)
{
    // A local generator: the seed stays in a register instead of being
    // reloaded after every store into the arrays (which could alias it).
    Random local = random;
    for (int reel = 0; reel < ReelCount; ++reel) {
        offsets[reel] = local(motionHeight);
        stops[reel] = local(StripLength) + 1;
    }
    random = local;
}

}  // namespace engine
