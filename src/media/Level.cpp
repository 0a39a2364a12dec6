// Slider positions to decibels and amplitude factors.
#include "media/Level.h"

#include <algorithm>
#include <cmath>

namespace media {

double LevelDecibels(int percent)
{
    const int clamped = std::clamp(percent, 0, 100);
    return QuietestDecibels * (100 - clamped) / 100.0;
}

float LevelAmplitude(int percent)
{
    if (percent <= 0) return 0.0f;
    if (percent >= 100) return 1.0f;
    return static_cast<float>(std::pow(10.0, LevelDecibels(percent) / 20.0));
}

}  // namespace media
