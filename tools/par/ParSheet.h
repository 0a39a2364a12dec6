// The PAR sheet: each rule's combinations and return, the paylines after nudges, the bonus meter,
// and the total return for each bet.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>

#include "CombinationTable.h"
#include "Fraction.h"
#include "GeneratorSweep.h"
#include "MeterChain.h"
#include "Report.h"
#include "SlotModel.h"
#include "SpinFigures.h"
#include "Volatility.h"
#include "engine/PayTable.h"

namespace par {

struct RuleFigures {
    engine::PayRule rule = engine::PayRule::None;
    int32_t factor = 0;
    int64_t combinations = 0;  // of the 27,000 that this rule matches (first match only)
    Fraction probability;
    Fraction returnPerCoin;
};

// The payline of one reel over its 30 equally likely stops, after nudges.
struct ReelPayline {
    std::array<int64_t, 5> symbols{};  // symbols 0..4, all forms together
    int64_t blanks = 0;
    int64_t resets = 0;
    int64_t nudgedUp = 0;
    int64_t nudgedDown = 0;
};

inline constexpr int MaxBetCoins = 5;

struct ParSheet {
    SlotModel model;  // the model the figures are of
    std::array<RuleFigures, engine::PayRuleCount> rules;
    int64_t winningCombinations = 0;  // that pay (a rule with factor 0 pays nothing)
    Fraction hitFrequency;
    Fraction baseReturn;  // per coin, pay table only
    std::array<ReelPayline, engine::ReelCount> reels;
    MeterOutcomes meter;
    MeterChain chain;
    BonusSpacing spacing;
    // Of the bonus games, the share whose meter was filled by a spin that
    // the pay table paid too: after it the win flash runs and the table
    // draws nothing until the next spin.
    Fraction bonusGamesAfterAWin;
    Fraction prizeExpectation;  // the box is picked at random
    // Per coin, bonus included, for bets of 1 to 5 coins: the prize does not
    // grow with the bet, so small bets gain most from it.
    std::array<Fraction, MaxBetCoins> totalReturn;
    // One spin's win: the pay table alone (the same per coin for every bet),
    // and with the bonus game for bets of 1 to 5 coins.
    VolatilityFigures baseVolatility;
    std::array<VolatilityFigures, MaxBetCoins> volatility;
};

ParSheet ComputeParSheet(const CombinationTable& table);

// The generator sweep that the sheet shows beside the ideal figures.
struct SweepResult {
    SweepCounts counts;
    unsigned threads = 0;
    double seconds = 0;
};

struct SheetOptions {
    bool exact = false;                  // long fractions beside the decimals
    const SweepResult* sweep = nullptr;  // none: the sheet says it was left out
};

Report SheetReport(const ParSheet& sheet, const SheetOptions& options);
void PrintParSheet(const ParSheet& sheet, std::ostream& out, const SheetOptions& options = {});

}  // namespace par
