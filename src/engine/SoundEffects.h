// The sound effects the rules and the bonus window ask for, by role. Each
// effect's number also names its file in a theme ("<root><number>.wav").
#pragma once

namespace engine {

enum class Effect : int {
    ReelStop = 0,     // a reel comes to rest
    Coin = 1,         // a coin is put on the table
    MeterReset = 2,   // a Reset symbol empties the bonus meter (waited for)
    CountUpTick = 3,  // each step of a win's count-up
    EmptyBox = 4,     // the bonus window opens an empty box
    PrizeBox = 5,     // the bonus window opens a prize box
    MeterPoint = 6,   // one bonus point goes onto the meter (waited for, even with Sound off)
    Fanfare = 7,      // the table is ready at start-up; the bonus window opens
    NudgeDown = 8,    // a reel slides down one position
    NudgeUp = 9,      // a reel slides up one position
};

inline constexpr int EffectCount = 10;

// The number that names the effect's file.
constexpr int EffectNumber(Effect effect)
{
    return static_cast<int>(effect);
}

}  // namespace engine
