// The PAR sheet worked out over every stop combination.
#include "ParSheet.h"

#include <algorithm>
#include <string>

#include "CombinationTable.h"
#include "engine/BonusMeter.h"

namespace par {

namespace {

ReelPayline CountReelPayline(int reel)
{
    ReelPayline counts;
    for (int32_t stop = 1; stop <= engine::StripLength; ++stop) {
        engine::ReelStops stops{};
        stops[reel] = stop;
        if (engine::NeedsDownNudge(stops, reel)) {
            ++counts.nudgedDown;
            stops[reel] = engine::WrapPosition(stop - 1);
        }
        if (engine::NeedsUpNudge(stops, reel)) {
            ++counts.nudgedUp;
            stops[reel] = engine::WrapPosition(stops[reel] + 1);
        }
        const int32_t symbol = engine::PaylineSymbolAt(reel, engine::PaylinePosition(stops, reel));
        if (symbol == engine::NoSymbol) {
            ++counts.resets;
        } else if (symbol >= 0 && symbol < static_cast<int32_t>(counts.symbols.size())) {
            ++counts.symbols[static_cast<size_t>(symbol)];
        } else {
            ++counts.blanks;
        }
    }
    return counts;
}

// The chance per spin that the spin fills the meter and the pay table pays.
Fraction FillingWins(const MeterChain& chain)
{
    std::array<int64_t, engine::BonusMeterFull + 1> winsByPoints{};
    for (const CombinationOutcome& c : Combinations()) {
        if (!c.reset && c.factor > 0)
            ++winsByPoints[static_cast<size_t>(std::min<int32_t>(c.bonusPoints, engine::BonusMeterFull))];
    }
    Fraction chance(0);
    for (int points = 1; points <= engine::BonusMeterFull; ++points) {
        for (int level = 0; level < MeterLevels; ++level) {
            if (level + points < engine::BonusMeterFull) continue;
            chance += Fraction(BigInt(winsByPoints[static_cast<size_t>(points)]), BigInt(StopCombinations)) *
                      chain.levelShare[level];
        }
    }
    return chance;
}

}  // namespace

ParSheet ComputeParSheet()
{
    ParSheet sheet;
    for (int i = 0; i < engine::PayRuleCount; ++i) {
        sheet.rules[i].rule = static_cast<engine::PayRule>(i);
        sheet.rules[i].factor = engine::PayFactor(sheet.rules[i].rule);
    }
    ForEachStopCombination([&](const engine::ReelStops& stops) {
        const engine::PayRule rule = engine::MatchPayRule(engine::ReadPayline(stops));
        if (rule != engine::PayRule::None) ++sheet.rules[static_cast<size_t>(rule)].combinations;
    });

    const BigInt total(StopCombinations);
    sheet.baseReturn = Fraction(0);
    for (RuleFigures& r : sheet.rules) {
        r.probability = Fraction(BigInt(r.combinations), total);
        r.returnPerCoin = r.probability * Fraction(r.factor);
        sheet.winningCombinations += r.combinations;
        sheet.baseReturn += r.returnPerCoin;
    }
    sheet.hitFrequency = Fraction(BigInt(sheet.winningCombinations), total);

    for (int reel = 0; reel < engine::ReelCount; ++reel) sheet.reels[reel] = CountReelPayline(reel);

    sheet.meter = CountMeterOutcomes();
    sheet.chain = SolveMeterChain(sheet.meter);
    sheet.spacing = SolveBonusSpacing(sheet.chain);
    sheet.bonusGamesAfterAWin = FillingWins(sheet.chain) / sheet.chain.bonusGamesPerSpin;

    int64_t prizeSum = 0;
    for (int32_t prize : engine::BonusPrizeFill) prizeSum += prize;
    sheet.prizeExpectation = Fraction(BigInt(prizeSum), BigInt(static_cast<int64_t>(engine::BonusPrizeFill.size())));

    const Fraction bonusPerSpin = sheet.chain.bonusGamesPerSpin * sheet.prizeExpectation;
    for (int coins = 1; coins <= MaxBetCoins; ++coins) {
        sheet.totalReturn[coins - 1] = sheet.baseReturn + bonusPerSpin / Fraction(coins);
        sheet.volatility[coins - 1] = Volatility(WinDistributionWithBonus(coins, sheet.chain), coins);
    }
    sheet.baseVolatility = Volatility(BaseWinDistribution(1), 1);
    return sheet;
}

}  // namespace par
