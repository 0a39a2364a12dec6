// Stops forced in advance, so that the end-to-end build and the window tests
// can play a chosen outcome. The game as shipped never refers to this.
#pragma once

#include <optional>

#include "engine/Outcomes.h"

namespace play {

// Draws a spin's stops as the game does (the generator moves on the same),
// then puts the forced stops in their place while any are set.
class ForcedStops final : public engine::DrawnOutcomes {
public:
    ForcedStops() = default;
    explicit ForcedStops(std::optional<engine::ReelStops> stops) : stops_(stops) {}

    void Force(std::optional<engine::ReelStops> stops) { stops_ = stops; }

    void NextStops(engine::Random& random, int32_t motionHeight, engine::ReelStops& stops,
                   engine::MotionOffsets& offsets) override;

private:
    std::optional<engine::ReelStops> stops_;
};

// Reads "a,b,c" (each 1..30, spaces around the numbers allowed); nullopt for
// anything else, a null pointer included.
std::optional<engine::ReelStops> ParseForcedStops(const char* text);

}  // namespace play
