// What a spin comes to, worked out from its drawn stops before any of it is
// shown: the nudges, the payline, the pay rule and win, and the meter after.
#pragma once

#include <array>
#include <cstdint>

#include "engine/PayTable.h"
#include "engine/Reels.h"

namespace engine {

struct SpinOutcome {
    ReelStops drawn{};                         // where the reels stop before the nudges
    ReelStops resting{};                       // after the nudges
    std::array<bool, ReelCount> nudgedDown{};  // the reels a Down symbol pulled down, then
    std::array<bool, ReelCount> nudgedUp{};    // those an Up symbol pulled up
    PaylineSymbols symbols{};                  // on the payline, after the nudges
    PayRule rule = PayRule::None;
    int32_t win = 0;          // coins x the rule's factor
    int32_t bonusPoints = 0;  // on the payline (lost when a Reset is there too)
    bool reset = false;
    int32_t meterBefore = 0;
    int32_t meterAfter = 0;
};

SpinOutcome DecideSpin(const ReelStops& drawn, int32_t betCoins, int32_t meterBefore);

}  // namespace engine
