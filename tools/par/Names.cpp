// Naming symbols, forms and rules for people.
#include "Names.h"

#include "engine/BonusMeter.h"
#include "engine/Reels.h"

namespace par {

const char* SymbolName(int32_t code)
{
    switch (code) {
    case 0: return "plum";
    case 1: return "seven";
    case 2: return "triple bar";
    case 3: return "double bar";
    case 4: return "single bar";
    default: return "blank";
    }
}

const char* PaylineName(int32_t symbol)
{
    return symbol == engine::NoSymbol ? "Reset" : SymbolName(symbol);
}

std::string PositionName(int reel, int32_t position)
{
    // The symbol sheet's cells: 0..4 plain, 5..7 Up, 8..10 Down, 11..13
    // Bonus (symbols 2..4), 14 Reset, 15 blank.
    const int32_t cell = engine::CellAt(reel, position);
    const std::string symbol = SymbolName(engine::CodeAt(reel, position));
    if (engine::IsResetAt(reel, position)) return "Reset";
    if (cell >= 5 && cell <= 7) return symbol + " (Up)";
    if (cell >= 8 && cell <= 10) return symbol + " (Down)";
    if (cell >= 11 && cell <= 13) {
        const int32_t points = engine::BonusPointsAt(reel, position);
        return symbol + " (Bonus, " + std::to_string(points) + (points == 1 ? " point)" : " points)");
    }
    return symbol;
}

const char* RuleName(engine::PayRule rule)
{
    switch (rule) {
    case engine::PayRule::ThreeSymbol0: return "three plums";
    case engine::PayRule::ThreeSymbol1: return "three sevens";
    case engine::PayRule::TwoSymbol0: return "two plums, any third";
    case engine::PayRule::ThreeSymbol2: return "three triple bars";
    case engine::PayRule::ThreeSymbol3: return "three double bars";
    case engine::PayRule::ThreeSymbol4: return "three single bars";
    case engine::PayRule::MixedBars: return "any three bars, mixed";
    case engine::PayRule::OneSymbol0: return "one plum, any others";
    case engine::PayRule::None: break;
    }
    return "nothing";
}

}  // namespace par
