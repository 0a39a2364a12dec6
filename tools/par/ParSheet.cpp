// The PAR sheet worked out over every stop combination, and its printout.
#include "ParSheet.h"

#include <iomanip>
#include <string>

#include "StopCombinations.h"
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

// "n/d (0.xxxx)" with the decimal beside the exact figure.
std::string Exact(const Fraction& f, int places)
{
    if (f.Denominator() == BigInt(1)) return f.ToString();
    return f.ToString() + " (" + f.ToDecimal(places) + ")";
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

    int64_t prizeSum = 0;
    for (int32_t prize : engine::BonusPrizeFill) prizeSum += prize;
    sheet.prizeExpectation = Fraction(BigInt(prizeSum), BigInt(static_cast<int64_t>(engine::BonusPrizeFill.size())));

    const Fraction bonusPerSpin = sheet.chain.bonusGamesPerSpin * sheet.prizeExpectation;
    for (int coins = 1; coins <= MaxBetCoins; ++coins) {
        sheet.totalReturn[coins - 1] = sheet.baseReturn + bonusPerSpin / Fraction(coins);
    }
    return sheet;
}

void PrintParSheet(const ParSheet& s, std::ostream& out)
{
    using std::left;
    using std::right;
    using std::setw;
    const BigInt total(StopCombinations);

    out << "Plumfizz Slots - PAR sheet\n"
        << "Computed exactly from the reel strips, pay table and bonus meter rules.\n"
        << "One payline; " << StopCombinations
        << " equally likely stop combinations (30 per reel), Up and Down nudges applied.\n\n";

    out << "Pay table (only the first matching rule pays; win = coins x factor)\n";
    out << "  " << left << setw(6) << "rule" << setw(38) << "payline shows" << right << setw(7) << "factor" << setw(14)
        << "combinations"
        << "  " << left << setw(26) << "probability"
        << "return per coin\n";
    for (size_t i = 0; i < s.rules.size(); ++i) {
        const RuleFigures& r = s.rules[i];
        out << "  " << left << setw(6) << (i + 1) << setw(38) << engine::PayRuleDescription(r.rule) << right << setw(7)
            << r.factor << setw(14) << r.combinations << "  " << left << setw(26) << Exact(r.probability, 8)
            << Exact(r.returnPerCoin, 8) << '\n';
    }
    out << right;
    out << "  Hit frequency: " << s.winningCombinations << " of " << StopCombinations << " = "
        << Exact(s.hitFrequency, 8) << ", one win in " << (Fraction(1) / s.hitFrequency).ToDecimal(4) << " spins\n";
    out << "  Pay table return per coin: " << Exact(s.baseReturn, 10) << "\n\n";

    out << "Payline after nudges (stops out of 30 per reel)\n";
    out << "  " << left << setw(6) << "reel" << right;
    for (const char* heading :
         {"sym 0", "sym 1", "sym 2", "sym 3", "sym 4", "blank", "Reset", "nudge up", "nudge down"}) {
        out << setw(11) << heading;
    }
    out << '\n';
    for (size_t reel = 0; reel < s.reels.size(); ++reel) {
        const ReelPayline& r = s.reels[reel];
        out << "  " << left << setw(6) << reel << right;
        for (int64_t count : r.symbols) out << setw(11) << count;
        out << setw(11) << r.blanks << setw(11) << r.resets << setw(11) << r.nudgedUp << setw(11) << r.nudgedDown
            << '\n';
    }
    out << '\n';

    out << "Bonus meter (a Markov chain over the levels 0 to 11 at the start of a spin)\n";
    out << "  Per spin: Reset on the payline " << Exact(Fraction(BigInt(s.meter.resets), total), 8) << '\n';
    for (size_t points = 0; points < s.meter.points.size(); ++points) {
        if (s.meter.points[points] == 0) continue;
        out << "            " << points << " point" << (points == 1 ? ", " : "s,") << " no Reset "
            << Exact(Fraction(BigInt(s.meter.points[points]), total), 8) << '\n';
    }
    out << "  " << left << setw(7) << "level" << setw(20) << "long-run share"
        << "chance the spin fills the meter\n"
        << right;
    for (int level = 0; level < MeterLevels; ++level) {
        out << "  " << left << setw(7) << level << setw(20) << s.chain.levelShare[level].ToDecimal(10)
            << Exact(s.chain.bonusChance[level], 10) << '\n';
    }
    out << right;
    out << "  Bonus games per spin: " << s.chain.bonusGamesPerSpin.ToDecimal(10) << '\n'
        << "    exactly " << s.chain.bonusGamesPerSpin.ToString() << '\n'
        << "  Mean spins between bonus games: " << s.chain.meanSpinsBetweenBonusGames.ToDecimal(4) << '\n'
        << "    exactly " << s.chain.meanSpinsBetweenBonusGames.ToString() << "\n\n";

    out << "Bonus prize (one of the eight boxes 250, 100, 50, 50, 25, 10, 0, 0, picked at random)\n"
        << "  Expected prize: " << Exact(s.prizeExpectation, 4) << " credits, whatever the bet\n\n";

    out << "Total return per coin, bonus included\n";
    for (int coins = 1; coins <= MaxBetCoins; ++coins) {
        const Fraction& r = s.totalReturn[coins - 1];
        out << "  " << coins << (coins == 1 ? " coin:  " : " coins: ") << r.ToDecimal(10) << " ("
            << (r * Fraction(100)).ToDecimal(2) << " %)\n"
            << "    exactly " << r.ToString() << '\n';
    }
}

}  // namespace par
