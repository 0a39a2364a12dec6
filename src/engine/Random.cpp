// Seeding the random generator from the local time of day.
#include "engine/Random.h"

#include <chrono>
#include <ctime>

namespace engine {

uint32_t Random::TimeOfDaySeed(int hours, int minutes, int seconds, int milliseconds)
{
    // Unsigned arithmetic: out-of-range parts wrap instead of overflowing.
    const uint32_t h = static_cast<uint32_t>(hours);
    const uint32_t m = static_cast<uint32_t>(minutes);
    const uint32_t s = static_cast<uint32_t>(seconds);
    const uint32_t ms = static_cast<uint32_t>(milliseconds);
    return ((h * 60u + m) * 60u + s) * 1000u + ms;
}

void Random::SeedFromTimeOfDay()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    seed_ = TimeOfDaySeed(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms));
}

}  // namespace engine
