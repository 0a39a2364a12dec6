#pragma once

#include <array>
#include <cstdint>

#include "Host.h"

namespace engine {

class Random;

inline constexpr int32_t StripLength = 30;

// The strip position shown in each reel's top row, 1..30.
using ReelStops = std::array<int32_t, ReelCount>;

// The first table shows symbol 0 on the payline of all three reels.
inline constexpr ReelStops StartStops{22, 14, 28};

// Any position number brought into 1..30 around the loop.
int32_t WrapPosition(int32_t position);

// The code's value 0..9 at a strip position (9 is a blank).
int32_t CodeAt(int reel, int32_t position);

// The symbol-sheet cell 0..15 drawn for a strip position.
int32_t CellAt(int reel, int32_t position);

// ReelStop + 1, wrapped: the position on the payline.
int32_t PaylinePosition(const ReelStops& stops, int reel);

bool NeedsDownNudge(const ReelStops& stops, int reel);
bool NeedsUpNudge(const ReelStops& stops, int reel);

// Per reel: the motion offset Random(motionHeight), then the stop Random(30) + 1.
void ChooseStops(Random& random, int32_t motionHeight, ReelStops& stops, MotionOffsets& offsets);

}  // namespace engine
