// The game's generator and the draws the game makes, put through the randomness tests and the
// spectral test, as a report.
#pragma once

#include <cstdint>

#include "RandomnessTests.h"
#include "Report.h"

namespace par {

// The seed every test starts from unless --seed names another.
inline constexpr uint32_t DefaultRandomnessSeed = 2026;

Report RandomnessReport(uint32_t seed, const TestSizes& sizes = {});

}  // namespace par
