// The default theme's eleven sound effects: what each one is for, its file name,
// and how it is synthesised.
#pragma once

#include <array>
#include <string>

#include "Synth.h"

namespace soundgen {

// The game asks for effects 0 to 9 by number and for the win sound by name.
enum class Effect {
    ReelStop = 0,     // a reel comes to rest: a dry mechanical clack
    CoinPlaced = 1,   // a coin goes on the table: a clink
    MeterReset = 2,   // a Reset symbol empties the bonus meter: a deflating fall (the game waits for it)
    CountUpTick = 3,  // one step of a win's count-up, every 75 ms: a short, coin-like tick
    EmptyBox = 4,     // the bonus game opens an empty box
    PrizeBox = 5,     // the bonus game opens a prize box
    BonusPoint = 6,   // one point added to the bonus meter: a rising chime (the game waits for it)
    Fanfare = 7,      // the game starts, or the bonus game opens
    NudgeDown = 8,    // a reel slides down one position
    NudgeUp = 9,      // a reel slides up one position
    Win,              // a winning spin, before the count-up (the game waits for it)
};

inline constexpr std::array<Effect, 11> AllEffects{
    Effect::ReelStop,   Effect::CoinPlaced, Effect::MeterReset, Effect::CountUpTick, Effect::EmptyBox, Effect::PrizeBox,
    Effect::BonusPoint, Effect::Fanfare,    Effect::NudgeDown,  Effect::NudgeUp,     Effect::Win};

// What follows the theme's root in the effect's file name: "0.wav" to "9.wav", "Win.wav".
std::string FileSuffix(Effect effect);

// The finished effect, levelled and ready to write as 16-bit samples.
Signal Render(Effect effect);

// The sound the game plays in place of an effect file that is missing or
// cannot be played: a plain two-note chime, recognisably not the theme's own.
Signal RenderStandInSound();

}  // namespace soundgen
