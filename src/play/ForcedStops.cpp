// Forced stops: parsing them, and putting them in place of the drawn ones.
#include "play/ForcedStops.h"

namespace play {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<engine::ReelStops> ParseForcedStops(const char* text)
{
    if (!text) return std::nullopt;
    engine::ReelStops stops{};
    const char* p = text;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        while (IsSpace(*p)) ++p;
        int value = 0;
        int digits = 0;
        while (*p >= '0' && *p <= '9' && digits < 3) {
            value = value * 10 + (*p - '0');
            ++digits;
            ++p;
        }
        if (digits == 0 || value < 1 || value > engine::StripLength) return std::nullopt;
        while (IsSpace(*p)) ++p;
        const char expected = reel + 1 < engine::ReelCount ? ',' : '\0';
        if (*p != expected) return std::nullopt;
        if (expected == ',') ++p;
        stops[reel] = value;
    }
    return stops;
}

void ForcedStops::NextStops(engine::Random& random, int32_t motionHeight, engine::ReelStops& stops,
                            engine::MotionOffsets& offsets)
{
    engine::DrawnOutcomes::NextStops(random, motionHeight, stops, offsets);
    if (stops_) stops = *stops_;
}

}  // namespace play
