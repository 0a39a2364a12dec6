#include "engine/PayTable.h"

namespace engine {

namespace {

// The rules in their order; the first that matches pays.
constexpr PayRule MatchInOrder(const PaylineSymbols& s)
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

// Every payline a reel can show (Reset, codes 0..9), evaluated once at
// compile time: a spin looks its rule up.
constexpr int32_t SymbolValues = 11;

constexpr int32_t RuleIndex(const PaylineSymbols& s)
{
    int32_t index = 0;
    for (int32_t symbol : s) {
        if (symbol < NoSymbol || symbol > BlankCode) return -1;
        index = index * SymbolValues + (symbol - NoSymbol);
    }
    return index;
}

struct RuleTable {
    std::array<PayRule, SymbolValues * SymbolValues * SymbolValues> rule{};
};

constexpr RuleTable BuildRuleTable()
{
    RuleTable t{};
    for (int32_t a = NoSymbol; a <= BlankCode; ++a) {
        for (int32_t b = NoSymbol; b <= BlankCode; ++b) {
            for (int32_t c = NoSymbol; c <= BlankCode; ++c) {
                const PaylineSymbols s{a, b, c};
                t.rule[static_cast<size_t>(RuleIndex(s))] = MatchInOrder(s);
            }
        }
    }
    return t;
}

constexpr RuleTable Rules = BuildRuleTable();

}  // namespace

PayRule MatchPayRule(const PaylineSymbols& symbols)
{
    // Unsigned: a value below NoSymbol wraps to a large one and fails the test.
    auto value = [](int32_t symbol) { return static_cast<uint32_t>(symbol) - static_cast<uint32_t>(NoSymbol); };
    const uint32_t a = value(symbols[0]);
    const uint32_t b = value(symbols[1]);
    const uint32_t c = value(symbols[2]);
    constexpr uint32_t Values = SymbolValues;
    if (a < Values && b < Values && c < Values) [[likely]]
        return Rules.rule[(a * Values + b) * Values + c];
    return MatchInOrder(symbols);
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
