// The one description of what the table shows: the drawing is made from it,
// and so is a screen reader's reading of the table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/Reels.h"
#include "engine/TableTypes.h"

namespace play {

struct TableShown {
    engine::ReelStops stops{};
    int32_t credits = 0;
    int32_t coins = 0;
    int32_t winnings = -1;  // the Winnings figure, -1 while the field is empty
    int32_t meter = 0;
    // Lit or dim, by engine::Button and engine::Lamp.
    std::array<bool, 3> buttons{true, true, true};
    std::array<bool, 3> lamps{true, true, true};
    bool takesPlay = false;  // a bet or spin is taken now
    std::string recallMark;  // the recalled spin named under the mark; empty in play

    bool operator==(const TableShown&) const = default;

    bool& Lit(engine::Button button) { return buttons[static_cast<size_t>(button)]; }
    bool Lit(engine::Button button) const { return buttons[static_cast<size_t>(button)]; }
    bool& Lit(engine::Lamp lamp) { return lamps[static_cast<size_t>(lamp)]; }
    bool Lit(engine::Lamp lamp) const { return lamps[static_cast<size_t>(lamp)]; }
};

}  // namespace play
