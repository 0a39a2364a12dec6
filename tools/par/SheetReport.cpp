// The PAR sheet laid out for people: strips, pay table, the generator sweep beside the ideal
// figures, nudges, the bonus meter, returns and volatility.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "Names.h"
#include "ParSheet.h"
#include "StopCombinations.h"
#include "engine/BonusMeter.h"

namespace par {

namespace {

// Decimals to 8 places, or the exact fraction with --exact.
std::string Figure(const Fraction& f, bool exact)
{
    return exact ? f.ToString() : f.ToDecimal(8);
}

// "N" of "1 in N", to one decimal place; "never" for a chance of 0.
std::string OneIn(const Fraction& chance)
{
    return chance.IsZero() ? "never" : (Fraction(1) / chance).ToDecimal(1);
}

std::string Number(double value, int places)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(places);
    out << value;
    return out.str();
}

std::string Percent(const Fraction& f)
{
    return (f * Fraction(100)).ToDecimal(4) + " %";
}

ReportTable StripTable(const SlotModel& model)
{
    ReportTable t;
    t.key = "reel_strips";
    t.title = "Reel strips, position by position";
    t.columns = {"position", "reel 1", "reel 2", "reel 3"};
    for (int32_t position = 1; position <= engine::StripLength; ++position) {
        std::vector<std::string> row{std::to_string(position)};
        for (int reel = 0; reel < engine::ReelCount; ++reel) row.push_back(PositionName(model, reel, position));
        t.rows.push_back(std::move(row));
    }
    t.notes = {
        "A reel that stops at position p shows p, p + 1 and p + 2 (counting on from 30 to 1), with p + 1 on the "
        "payline. Up and Down are forms of a symbol that nudge the reel one position so that they come onto the "
        "payline; Bonus forms add their points to the bonus meter; Reset " +
        std::string(model.reset == ResetRule::EmptiesMeter ? "empties it" : "leaves it as it is") +
        " and matches no rule."};
    return t;
}

ReportTable PayTable(const ParSheet& s, bool exact)
{
    ReportTable t;
    t.key = "pay_table";
    t.title = "Pay table (one payline; only the first matching rule pays; win = coins x factor)";
    t.columns = {"rule", "pays for", "factor", "combinations", "probability", "1 in", "return per coin"};
    for (size_t i = 0; i < s.rules.size(); ++i) {
        const RuleFigures& r = s.rules[i];
        t.rows.push_back({std::to_string(i + 1), RuleName(r.rule), std::to_string(r.factor),
                          std::to_string(r.combinations), Figure(r.probability, exact), OneIn(r.probability),
                          Figure(r.returnPerCoin, exact)});
    }
    t.rows.push_back({"", "any win", "", std::to_string(s.winningCombinations), Figure(s.hitFrequency, exact),
                      OneIn(s.hitFrequency), Figure(s.baseReturn, exact)});
    t.notes = {"Combinations are counted out of the " + std::to_string(StopCombinations) +
               " equally likely stops of the three reels (30 each), nudges applied. The last row is the hit "
               "frequency and the pay table's return per coin, " +
               Percent(s.baseReturn) + " of the bet before the bonus game."};
    return t;
}

void AddComparison(ReportTable& t, const std::string& name, const Fraction& ideal, const Fraction& swept, bool exact)
{
    const Fraction difference = swept - ideal;
    const std::string relative = ideal.IsZero() ? "" : Number(ToDouble(difference / ideal) * 1e6, 3);
    t.rows.push_back({name, Figure(ideal, exact), Figure(swept, exact),
                      exact ? difference.ToString() : difference.ToDecimal(10), relative});
}

ReportTable SweepTable(const ParSheet& s, const SweepResult& sweep, bool exact)
{
    const CombinationTable table = BuildCombinationTable(s.model);
    const SpinFigures ideal = IdealSpinFigures(table);
    const SpinFigures swept = CountSpinFigures(table, sweep.counts.combinations);
    ReportTable t;
    t.key = "generator_sweep";
    t.title = "One spin on ideal reels, and over every state of the game's generator";
    t.columns = {"figure", "ideal reels", "all generator states", "difference", "relative (ppm)"};
    for (size_t i = 0; i < ideal.rules.size(); ++i) {
        AddComparison(t, RuleName(s.rules[i].rule), ideal.Chance(ideal.rules[i]), swept.Chance(swept.rules[i]), exact);
    }
    AddComparison(t, "any win", ideal.Chance(ideal.winning), swept.Chance(swept.winning), exact);
    AddComparison(t, "return per coin", ideal.Chance(ideal.paidPerCoin), swept.Chance(swept.paidPerCoin), exact);
    AddComparison(t, "Reset on the payline", ideal.Chance(ideal.resets), swept.Chance(swept.resets), exact);
    for (size_t points = 1; points < ideal.points.size(); ++points) {
        if (ideal.points[points] == 0 && swept.points[points] == 0) continue;
        AddComparison(t, std::to_string(points) + (points == 1 ? " bonus point" : " bonus points") + ", no Reset",
                      ideal.Chance(ideal.points[points]), swept.Chance(swept.points[points]), exact);
    }
    const auto [fewest, most] = std::minmax_element(sweep.counts.combinations.begin(), sweep.counts.combinations.end());
    t.notes = {
        "The sweep starts a spin at each of the " + std::to_string(sweep.counts.states) +
            " states of the generator and draws it as the game does (motion offset, then stop, for each reel); it "
            "took " +
            Number(sweep.seconds, 1) + " s on " + std::to_string(sweep.threads) + " threads.",
        "Each of the " + std::to_string(StopCombinations) + " stop combinations came up between " +
            std::to_string(*fewest) + " and " + std::to_string(*most) + " times, against " +
            Number(static_cast<double>(sweep.counts.states) / static_cast<double>(StopCombinations), 2) +
            " for perfectly even reels.",
        "Why they agree: the generator steps through all 2^32 seeds in one cycle, so over every starting state "
        "each draw takes every 32-bit value exactly once and each stop comes up 2^32 / 30 times to within one; the "
        "three stops are the top bits of seeds a fixed number of steps apart, which this generator spreads almost "
        "evenly over the 27,000 combinations. A figure summed over many combinations is off by far less than one "
        "part in 10^5."};
    return t;
}

ReportTable PaylineTable(const ParSheet& s)
{
    ReportTable t;
    t.key = "payline_after_nudges";
    t.title = "Payline after nudges (stops out of 30 per reel)";
    t.columns = {"reel"};
    for (int32_t code = 0; code < 5; ++code) t.columns.push_back(SymbolName(code));
    for (const char* c : {"blank", "Reset", "nudge up", "nudge down"}) t.columns.push_back(c);
    for (size_t reel = 0; reel < s.reels.size(); ++reel) {
        const ReelPayline& r = s.reels[reel];
        std::vector<std::string> row{std::to_string(reel + 1)};
        for (int64_t count : r.symbols) row.push_back(std::to_string(count));
        for (int64_t count : {r.blanks, r.resets, r.nudgedUp, r.nudgedDown}) row.push_back(std::to_string(count));
        t.rows.push_back(std::move(row));
    }
    t.notes = {
        "The symbol, blank and Reset columns count where each of the 30 stops comes to rest, all forms of a symbol "
        "together, and add up to 30. \"nudge up\" and \"nudge down\" count the stops at which the reel moves one "
        "position to bring an Up or Down symbol onto the payline; those stops are already counted under the symbol "
        "they bring, so the nudge columns are part of the 30, not added to them."};
    return t;
}

ReportTable MeterTable(const ParSheet& s, bool exact)
{
    const BigInt total(StopCombinations);
    ReportTable t;
    t.key = "bonus_meter_per_spin";
    t.title = "Bonus meter: what one spin does to it";
    t.columns = {"payline shows", "combinations", "probability", "1 in"};
    if (s.model.reset == ResetRule::EmptiesMeter) {
        const Fraction reset(BigInt(s.meter.resets), total);
        t.rows.push_back(
            {"Reset (the meter empties)", std::to_string(s.meter.resets), Figure(reset, exact), OneIn(reset)});
    }
    for (size_t points = 1; points < s.meter.points.size(); ++points) {
        if (s.meter.points[points] == 0) continue;
        const Fraction chance(BigInt(s.meter.points[points]), total);
        t.rows.push_back({std::to_string(points) + (points == 1 ? " bonus point" : " bonus points") + ", no Reset",
                          std::to_string(s.meter.points[points]), Figure(chance, exact), OneIn(chance)});
    }
    if (s.meter.NeverFills()) t.notes = {"No spin adds a point: the meter never fills, and there is no bonus game."};
    return t;
}

ReportTable LevelTable(const ParSheet& s, bool exact)
{
    ReportTable t;
    t.key = "bonus_meter_levels";
    t.title = "Bonus meter as a Markov chain over the levels 0 to " + std::to_string(s.chain.Levels() - 1) +
              " at the start of a spin";
    t.columns = {"level", "long-run share of spins", "chance the spin fills the meter"};
    for (int level = 0; level < s.chain.Levels(); ++level) {
        t.rows.push_back({std::to_string(level), Figure(s.chain.levelShare[level], exact),
                          Figure(s.chain.bonusChance[level], exact)});
    }
    std::string boxes;
    // Appended piece by piece: on `separator + std::to_string(prize)` GCC 12
    // at -O3 with link-time optimisation sees a memcpy of more than 2^63
    // bytes, a false -Wstringop-overflow (GCC bug 105329's kind) that no
    // pragma silences at link time (GCC bug 80922).
    for (int32_t prize : s.model.prizes) {
        if (!boxes.empty()) boxes += ", ";
        boxes += std::to_string(prize);
    }
    const std::string games = s.chain.bonusGamesPerSpin.IsZero()
                                  ? "Bonus games per spin: 0; the meter never fills."
                                  : "Bonus games per spin: " + Figure(s.chain.bonusGamesPerSpin, exact) + ", one in " +
                                        s.chain.meanSpinsBetweenBonusGames.ToDecimal(4) +
                                        " spins on average (standard deviation " +
                                        Number(SquareRoot(s.spacing.variance), 2) + " spins).";
    t.notes = {games, "Bonus prize: one of the eight boxes " + boxes + ", opened at random; expected " +
                          Figure(s.prizeExpectation, exact) + " credits whatever the bet."};
    return t;
}

ReportTable ReturnTable(const ParSheet& s, bool exact)
{
    ReportTable t;
    t.key = "total_return";
    t.title = "Total return per coin, bonus game included";
    t.columns = {"coins bet", "return per coin", "percent", "of it from the bonus game"};
    for (int coins = 1; coins <= MaxBetCoins; ++coins) {
        const Fraction& r = s.totalReturn[coins - 1];
        t.rows.push_back({std::to_string(coins), Figure(r, exact), Percent(r), Percent(r - s.baseReturn)});
    }
    t.notes = {"The bonus prize does not grow with the bet, so small bets gain most from it.",
               "A return above 100 % means that the player wins in the long run: this is a free game to play for "
               "fun, not a casino, and its credits are worth nothing."};
    return t;
}

ReportTable VolatilityTable(const ParSheet& s, bool exact)
{
    ReportTable t;
    t.key = "volatility";
    t.title = "Volatility of one spin's win per coin";
    t.columns = {"figure", "pay table, 1 coin"};
    std::vector<const VolatilityFigures*> games{&s.baseVolatility};
    std::vector<int> coins{1};
    for (int c = 1; c <= MaxBetCoins; ++c) {
        t.columns.push_back(std::to_string(c) + (c == 1 ? " coin" : " coins"));
        games.push_back(&s.volatility[c - 1]);
        coins.push_back(c);
    }
    auto addRow = [&](const std::string& name, auto cell) {
        std::vector<std::string> row{name};
        for (size_t g = 0; g < games.size(); ++g) row.push_back(cell(*games[g], coins[g]));
        t.rows.push_back(std::move(row));
    };
    addRow("variance", [&](const VolatilityFigures& v, int) { return Figure(v.variancePerCoin, exact); });
    addRow("standard deviation", [](const VolatilityFigures& v, int) { return Number(v.standardDeviation, 4); });
    addRow("volatility index (90 %)", [](const VolatilityFigures& v, int) { return Number(v.volatilityIndex, 4); });
    addRow("largest win, credits", [](const VolatilityFigures& v, int) { return std::to_string(v.largestWin); });
    addRow("largest win, x bet", [](const VolatilityFigures& v, int c) { return std::to_string(v.largestWin / c); });
    for (size_t i = 0; i < LargeWinMultiples.size(); ++i) {
        addRow("win of " + std::to_string(LargeWinMultiples[i]) + "x bet or more, 1 in",
               [i](const VolatilityFigures& v, int) { return OneIn(v.atLeast[i]); });
    }
    t.notes = {
        "\"pay table, 1 coin\" is the pay table alone; per coin it is the same for every bet, only its largest win "
        "grows with the coins. The columns by coins add the bonus game: its prize is added to the win of the spin that "
        "fills the "
        "meter, each level of the meter taken with its long-run share.",
        "The volatility index is 1.645 standard deviations: after n spins the return lies within the total return "
        "plus or minus index / sqrt(n) about nine times out of ten."};
    return t;
}

ReportTable SimulationTable(const ParSheet& s)
{
    ReportTable t;
    t.key = "simulation";
    t.title = "Simulating the sheet (plumfizz-par --simulate)";
    t.notes = {
        "By default the simulator plays as a person does: between spins it waits 0 to 15 ticks of the 200 ms "
        "button-attention timer, the number chosen by a second, independent generator, and each tick picks the "
        "button to light from the game's generator, as the table does, unless the last spin won and the win flash "
        "runs. The spins therefore start from states that depend on the player's timing, as in the game.",
        "--replay keeps the earlier protocol: nothing is drawn between spins. After every bonus game the generator "
        "has then moved exactly 8009 draws (the shuffle and the box) beyond the spin that filled the meter, so the "
        "spins that follow a bonus game are a fixed function of that spin and the meter runs ahead of the sheet. " +
            std::string(s.model == DefaultModel()
                            ? "Measured over 10^9 spins at 1 coin with seed 12345 it gives 8,647,349 bonus games "
                              "against the sheet's 8,627,762 (+0.23 %) and a pay-table return of 1.088039 against "
                              "1.085630 per coin (about 7 standard errors). "
                            : "") +
            "It stays as the regression reference, not as a measure of the game.",
        "The game keeps a trace of this: a bonus game won on a spin that the pay table paid too (" +
            Percent(s.bonusGamesAfterAWin) +
            " of them) is followed by a win flash, which draws nothing, so the next spin is again fixed by the one "
            "that filled the meter. In runs of 10^9 spins of the default model this trace stays within the "
            "standard errors of the bonus-game count."};
    return t;
}

}  // namespace

Report SheetReport(const ParSheet& s, const SheetOptions& options)
{
    Report report;
    report.title = "Plumfizz Slots - PAR sheet";
    report.notes = {
        "Computed exactly from the reel strips, pay table and bonus meter rules: one payline, three "
        "reels of 30 stops, Up and Down nudges applied. Probabilities are decimals to 8 places" +
        std::string(options.exact ? ", with the exact fractions." : "; --exact shows the exact fractions.")};
    if (s.model != DefaultModel()) report.notes.push_back("The model is not the game's own: it was read with --model.");
    report.tables.push_back(StripTable(s.model));
    report.tables.push_back(PayTable(s, options.exact));
    if (options.sweep != nullptr) {
        report.tables.push_back(SweepTable(s, *options.sweep, options.exact));
    } else {
        report.notes.push_back("The sweep over every state of the game's generator was left out (--no-sweep).");
    }
    report.tables.push_back(PaylineTable(s));
    report.tables.push_back(MeterTable(s, options.exact));
    report.tables.push_back(LevelTable(s, options.exact));
    report.tables.push_back(ReturnTable(s, options.exact));
    report.tables.push_back(VolatilityTable(s, options.exact));
    report.tables.push_back(SimulationTable(s));
    return report;
}

void PrintParSheet(const ParSheet& sheet, std::ostream& out, const SheetOptions& options)
{
    WriteReport(SheetReport(sheet, options), Format::Text, out);
}

}  // namespace par
