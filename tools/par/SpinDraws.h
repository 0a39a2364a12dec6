// A spin's draws from the game's generator taken in one step: the three stops straight from the
// seed at the start of the spin, by jumping the generator ahead.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/Random.h"
#include "engine/Reels.h"

namespace par {

// The seed k draws on from seed s is Scale × s + Offset (mod 2^32).
struct JumpAhead {
    uint32_t scale = 1;
    uint32_t offset = 0;

    uint32_t operator()(uint32_t seed) const { return scale * seed + offset; }
};

constexpr JumpAhead JumpOf(uint64_t draws)
{
    JumpAhead jump;
    for (uint64_t i = 0; i < draws; ++i) {
        jump.scale *= engine::Random::Multiplier;
        jump.offset = jump.offset * engine::Random::Multiplier + engine::Random::Increment;
    }
    return jump;
}

// A spin draws per reel the motion offset, then the stop (ChooseStops): the
// stops are draws 2, 4 and 6.
inline constexpr int SpinDrawCount = 2 * engine::ReelCount;
inline constexpr JumpAhead StopDraw0 = JumpOf(2);
inline constexpr JumpAhead StopDraw1 = JumpOf(4);
inline constexpr JumpAhead StopDraw2 = JumpOf(6);

// Random(30) from the seed the draw left: 0..29.
inline uint32_t StopOf(uint32_t seed)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(seed) * engine::StripLength) >> 32);
}

// The index into the combination table of the stops that a spin starting
// at this seed draws.
inline size_t DrawnCombination(uint32_t seed)
{
    const uint32_t s0 = StopOf(StopDraw0(seed));
    const uint32_t s1 = StopOf(StopDraw1(seed));
    const uint32_t s2 = StopOf(StopDraw2(seed));
    return (static_cast<size_t>(s0) * engine::StripLength + s1) * engine::StripLength + s2;
}

}  // namespace par
