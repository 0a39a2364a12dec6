// The count-up of a win: how far each step goes and how long it pauses.
#pragma once

#include <cstdint>

namespace engine {

// The pause after each step of a count-up, in seconds.
inline constexpr double CountUpDelaySeconds = 0.075;

// The next step of a count-up: large wins move in large steps so that even
// the top award (7500) is counted in 384 steps.
inline constexpr int32_t CountUpStep(int32_t remaining)
{
    if (remaining >= 1000) return 25;
    if (remaining >= 100) return 10;
    if (remaining >= 25) return 5;
    return 1;
}

}  // namespace engine
