// The reels: stops and strip positions, what each position shows, the nudges, and the draw of a
// spin's stops and motion offsets.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/TableTypes.h"
#include "engine/ReelData.h"

namespace engine {

class Random;

// The strip position shown in each reel's top row, 1..30.
using ReelStops = std::array<int32_t, ReelCount>;

// The first table shows symbol 0 on the payline of all three reels.
inline constexpr ReelStops StartStops{22, 14, 28};

// Symbol codes of the strips, position 1 first; "9" is a blank.
std::string_view ReelStrip(int reel);

// Any position number brought into 1..30 around the loop.
inline int32_t WrapPosition(int32_t position);

// The code's value 0..9 at a strip position (9 is a blank).
inline int32_t CodeAt(int reel, int32_t position);

// The symbol-sheet cell 0..15 drawn for a strip position.
inline int32_t CellAt(int reel, int32_t position);

// ReelStop + 1, wrapped: the position on the payline.
inline int32_t PaylinePosition(const ReelStops& stops, int reel);

inline bool NeedsDownNudge(const ReelStops& stops, int reel);
inline bool NeedsUpNudge(const ReelStops& stops, int reel);

// The stop a reel rests on after its Down and then its Up nudge, for
// analysis; a spin plays each nudge through the host instead.
int32_t NudgedStop(int reel, int32_t stop);

// Per reel: the motion offset Random(motionHeight), then the stop Random(30) + 1.
void ChooseStops(Random& random, int32_t motionHeight, ReelStops& stops, MotionOffsets& offsets);

// The lookups above are defined here: a spin makes dozens of them.

inline int32_t WrapPosition(int32_t position)
{
    if (position >= 1 && position <= StripLength) [[likely]]
        return position;
    // 64-bit so that positions near the 32-bit limits cannot overflow.
    int64_t index = (static_cast<int64_t>(position) - 1) % StripLength;
    if (index < 0) index += StripLength;
    return static_cast<int32_t>(index + 1);
}

inline int32_t CodeAt(int reel, int32_t position)
{
    return reeldata::ValidReel(reel) ? reeldata::Facts[reel][WrapPosition(position)].code : BlankCode;
}

inline int32_t CellAt(int reel, int32_t position)
{
    return reeldata::ValidReel(reel) ? reeldata::Facts[reel][WrapPosition(position)].cell : 15;
}

inline int32_t PaylinePosition(const ReelStops& stops, int reel)
{
    return reeldata::ValidReel(reel) ? WrapPosition(WrapPosition(stops[reel]) + 1) : 1;
}

inline bool NeedsDownNudge(const ReelStops& stops, int reel)
{
    return reeldata::ValidReel(reel) && reeldata::Facts[reel][WrapPosition(stops[reel])].downNudge;
}

inline bool NeedsUpNudge(const ReelStops& stops, int reel)
{
    return reeldata::ValidReel(reel) && reeldata::Facts[reel][WrapPosition(stops[reel])].upNudge;
}

}  // namespace engine
