// The pay table: which rule a payline matches and what each rule pays.
#include "engine/PayTable.h"

namespace engine {

// The rules in their order; the first that matches pays.
PayRule MatchPayRule(const PaylineSymbols& s)
{
    int zeros = 0;
    bool allBars = true;
    for (int32_t symbol : s) {
        if (symbol == 0) ++zeros;
        if (symbol < 2 || symbol > 4) allBars = false;
    }
    const bool allSame = s[0] == s[1] && s[1] == s[2];

    if (zeros == 3) return PayRule::ThreeSymbol0;
    if (allSame && s[0] == 1) return PayRule::ThreeSymbol1;
    if (zeros == 2) return PayRule::TwoSymbol0;
    if (allSame && s[0] == 2) return PayRule::ThreeSymbol2;
    if (allSame && s[0] == 3) return PayRule::ThreeSymbol3;
    if (allSame && s[0] == 4) return PayRule::ThreeSymbol4;
    if (allBars) return PayRule::MixedBars;
    if (zeros == 1) return PayRule::OneSymbol0;
    return PayRule::None;
}

int32_t PayFactor(PayRule rule)
{
    switch (rule) {
    case PayRule::ThreeSymbol0: return 1500;
    case PayRule::ThreeSymbol1: return 250;
    case PayRule::TwoSymbol0: return 50;
    case PayRule::ThreeSymbol2: return 20;
    case PayRule::ThreeSymbol3: return 10;
    case PayRule::ThreeSymbol4: return 5;
    case PayRule::MixedBars: return 2;
    case PayRule::OneSymbol0: return 2;
    case PayRule::None: break;
    }
    return 0;
}

const char* PayRuleDescription(PayRule rule)
{
    switch (rule) {
    case PayRule::ThreeSymbol0: return "symbol 0 on all three reels";
    case PayRule::ThreeSymbol1: return "symbol 1 on all three reels";
    case PayRule::TwoSymbol0: return "symbol 0 on exactly two reels";
    case PayRule::ThreeSymbol2: return "symbol 2 on all three reels";
    case PayRule::ThreeSymbol3: return "symbol 3 on all three reels";
    case PayRule::ThreeSymbol4: return "symbol 4 on all three reels";
    case PayRule::MixedBars: return "one of symbols 2, 3, 4 on each reel";
    case PayRule::OneSymbol0: return "symbol 0 on exactly one reel";
    case PayRule::None: break;
    }
    return "anything else";
}

}  // namespace engine
