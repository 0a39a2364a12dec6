// The names the rules and the table share: the reels' count, the buttons, the
// lit areas, the attention timers and the nudge directions.
#pragma once

#include <array>
#include <cstdint>

namespace engine {

inline constexpr int ReelCount = 3;

// Where each reel's view starts in the motion strip when a spin begins.
using MotionOffsets = std::array<int32_t, ReelCount>;

// Prizes of the eight boxes of the bonus game, box 1 first.
using BonusPrizes = std::array<int32_t, 8>;

// The three buttons of the table.
enum class Button { BetOne, BetFive, Spin };

// The lit areas of the table that the attention timers blink.
enum class Lamp { LogoPanel, TitlePlate, BetSign };

// The attention timers that a spin switches off and on again.
enum class AttentionTimer {
    ButtonAttention,  // the buttons take turns to light up, or the spin button blinks
    WinFlash,         // the logo panel and the title plate flash after a win
    BetSignBlink,     // the bet-one sign blinks while the table waits for a bet
};

enum class SlideDirection { Down, Up };

}  // namespace engine
