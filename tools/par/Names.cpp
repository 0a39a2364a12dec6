// Naming symbols, forms and rules for people.
#include "Names.h"

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

std::string PositionName(const SlotModel& model, int reel, int32_t position)
{
    const StripPosition& p = model.At(reel, position);
    const std::string symbol = SymbolName(p.symbol);
    switch (p.form) {
    case Form::Reset: return "Reset";
    case Form::Up: return symbol + " (Up)";
    case Form::Down: return symbol + " (Down)";
    case Form::Bonus: {
        const int32_t points = model.PointsAt(reel, position);
        return symbol + " (Bonus, " + std::to_string(points) + (points == 1 ? " point)" : " points)");
    }
    case Form::Plain: break;
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
