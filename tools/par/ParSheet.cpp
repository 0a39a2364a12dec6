// The PAR sheet worked out over every stop combination.
#include "ParSheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "CombinationTable.h"
#include "engine/BonusMeter.h"

namespace par {

namespace {

ReelPayline CountReelPayline(const SlotModel& model, int reel)
{
    ReelPayline counts;
    for (int32_t stop = 1; stop <= engine::StripLength; ++stop) {
        int32_t resting = stop;
        if (model.At(reel, resting).form == Form::Down) {
            ++counts.nudgedDown;
            resting = engine::WrapPosition(resting - 1);
        }
        if (model.At(reel, resting + 2).form == Form::Up) {
            ++counts.nudgedUp;
            resting = engine::WrapPosition(resting + 1);
        }
        const int32_t symbol = model.PaylineSymbol(reel, resting + 1);
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
Fraction FillingWins(const CombinationTable& table, const MeterChain& chain)
{
    const int32_t full = table.model.meterFull;
    std::vector<int64_t> winsByPoints(static_cast<size_t>(full) + 1, 0);
    for (const CombinationOutcome& c : table) {
        if (!c.emptiesMeter && c.factor > 0)
            ++winsByPoints[static_cast<size_t>(std::min<int32_t>(c.bonusPoints, full))];
    }
    Fraction chance(0);
    for (int points = 1; points <= full; ++points) {
        for (int level = 0; level < chain.Levels(); ++level) {
            if (level + points < full) continue;
            chance += Fraction(BigInt(winsByPoints[static_cast<size_t>(points)]), BigInt(StopCombinations)) *
                      chain.levelShare[level];
        }
    }
    return chance;
}

}  // namespace

ParSheet ComputeParSheet(const CombinationTable& table)
{
    const SlotModel& model = table.model;
    ParSheet sheet;
    sheet.model = model;
    for (int i = 0; i < engine::PayRuleCount; ++i) {
        sheet.rules[i].rule = static_cast<engine::PayRule>(i);
        sheet.rules[i].factor = model.PayFactor(sheet.rules[i].rule);
    }
    for (const CombinationOutcome& c : table) {
        if (c.Rule() != engine::PayRule::None) ++sheet.rules[static_cast<size_t>(c.rule)].combinations;
    }

    const BigInt total(StopCombinations);
    sheet.baseReturn = Fraction(0);
    for (RuleFigures& r : sheet.rules) {
        r.probability = Fraction(BigInt(r.combinations), total);
        r.returnPerCoin = r.probability * Fraction(r.factor);
        if (r.factor > 0) sheet.winningCombinations += r.combinations;
        sheet.baseReturn += r.returnPerCoin;
    }
    sheet.hitFrequency = Fraction(BigInt(sheet.winningCombinations), total);

    for (int reel = 0; reel < engine::ReelCount; ++reel) sheet.reels[reel] = CountReelPayline(model, reel);

    sheet.meter = CountMeterOutcomes(table);
    sheet.chain = SolveMeterChain(sheet.meter);
    sheet.spacing = SolveBonusSpacing(sheet.chain);
    sheet.bonusGamesAfterAWin = sheet.chain.bonusGamesPerSpin.IsZero()
                                    ? Fraction(0)
                                    : FillingWins(table, sheet.chain) / sheet.chain.bonusGamesPerSpin;

    int64_t prizeSum = 0;
    for (int32_t prize : model.prizes) prizeSum += prize;
    sheet.prizeExpectation = Fraction(BigInt(prizeSum), BigInt(static_cast<int64_t>(model.prizes.size())));

    const Fraction bonusPerSpin = sheet.chain.bonusGamesPerSpin * sheet.prizeExpectation;
    for (int coins = 1; coins <= MaxBetCoins; ++coins) {
        sheet.totalReturn[coins - 1] = sheet.baseReturn + bonusPerSpin / Fraction(coins);
        sheet.volatility[coins - 1] = Volatility(WinDistributionWithBonus(table, coins, sheet.chain), coins);
    }
    sheet.baseVolatility = Volatility(BaseWinDistribution(table, 1), 1);
    return sheet;
}

}  // namespace par
