// The pay table: the paying rules in the order they are tried, their wins per coin, and the
// payline read from the reel stops.
#pragma once

#include <array>
#include <cstdint>

#include "engine/BonusMeter.h"
#include "engine/Reels.h"

namespace engine {

// The rules in the order they are tried; only the first match pays.
enum class PayRule {
    ThreeSymbol0,
    ThreeSymbol1,
    TwoSymbol0,
    ThreeSymbol2,
    ThreeSymbol3,
    ThreeSymbol4,
    MixedBars,  // each reel one of symbols 2, 3, 4
    OneSymbol0,
    None,
};

inline constexpr int PayRuleCount = 8;

// What the payline shows on one reel: a code value 0..9 (9 blank), or
// NoSymbol for a Reset symbol, which matches no rule although its code is "0".
inline constexpr int32_t NoSymbol = reeldata::ResetSymbol;
using PaylineSymbols = std::array<int32_t, ReelCount>;

inline int32_t PaylineSymbolAt(int reel, int32_t position);
inline PaylineSymbols ReadPayline(const ReelStops& stops);

PayRule MatchPayRule(const PaylineSymbols& symbols);

// The win per coin of a rule (0 for None).
int32_t PayFactor(PayRule rule);

// The rule as the payoff chart words it, e.g. "symbol 0 on all three reels".
const char* PayRuleDescription(PayRule rule);

inline int32_t PaylineSymbolAt(int reel, int32_t position)
{
    return IsResetAt(reel, position) ? NoSymbol : CodeAt(reel, position);
}

// Everything the evaluation of a spin reads from the payline, read once.
struct PaylineReading {
    PaylineSymbols symbols{};
    int32_t bonusPoints = 0;
    bool reset = false;
};

inline PaylineReading ReadPaylineForEvaluation(const ReelStops& stops)
{
    PaylineReading reading;
    for (int reel = 0; reel < ReelCount; ++reel) {
        const reeldata::PositionFacts& f = reeldata::Facts[reel][WrapPosition(stops[reel])];
        reading.symbols[reel] = f.paylineSymbol;
        reading.bonusPoints += f.paylinePoints;
        reading.reset |= f.paylineReset;
    }
    return reading;
}

inline PaylineSymbols ReadPayline(const ReelStops& stops)
{
    return ReadPaylineForEvaluation(stops).symbols;
}

}  // namespace engine
