// Every equally likely draw of the three stops, nudges applied, for the exact figures.
#pragma once

#include "engine/Reels.h"

namespace par {

inline constexpr int64_t StopCombinations = int64_t{engine::StripLength} * engine::StripLength * engine::StripLength;

// Calls visit(resting stops) once for each of the 27,000 equally likely draws
// of the three stops, with the nudges already applied.
template <typename Visit>
void ForEachStopCombination(Visit&& visit)
{
    for (int32_t s0 = 1; s0 <= engine::StripLength; ++s0) {
        for (int32_t s1 = 1; s1 <= engine::StripLength; ++s1) {
            for (int32_t s2 = 1; s2 <= engine::StripLength; ++s2) {
                const engine::ReelStops resting{engine::NudgedStop(0, s0), engine::NudgedStop(1, s1),
                                                engine::NudgedStop(2, s2)};
                visit(resting);
            }
        }
    }
}

}  // namespace par
