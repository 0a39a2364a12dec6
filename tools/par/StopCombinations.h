// The number of equally likely draws of the three stops; each model's outcomes of them are in its
// combination table (CombinationTable.h).
#pragma once

#include "engine/Reels.h"

namespace par {

inline constexpr int64_t StopCombinations = int64_t{engine::StripLength} * engine::StripLength * engine::StripLength;

}  // namespace par
