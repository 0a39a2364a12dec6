// The designer's workbench: return sources that add up to the sheet, win bands, the exact
// variances over the meter's chain on hand-checkable reels, sessions exact against simulated, long
// runs of ideal reels, and the SVG writer's escaping and marks.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "CombinationTable.h"
#include "Convergence.h"
#include "IdealRuns.h"
#include "MeterChain.h"
#include "OutcomeGroups.h"
#include "ParSheet.h"
#include "ReturnSources.h"
#include "Sessions.h"
#include "SvgPlot.h"
#include "WinBands.h"

namespace {

using par::BigInt;
using par::Fraction;

// Reels of the table's size where the first `paying` combinations pay the
// factor and every combination carries the same bonus points, or a Reset
// that empties the game's meter of 12; every box holds the same prize.
par::CombinationTable HandTable(size_t paying, int32_t factor, int8_t points, bool reset, int32_t prize)
{
    par::CombinationTable table;
    table.model = par::DefaultModel();
    table.model.prizes.fill(prize);
    table.outcomes.resize(static_cast<size_t>(par::StopCombinations));
    for (size_t i = 0; i < table.size(); ++i) {
        par::CombinationOutcome& c = table.outcomes[i];
        c.rule = static_cast<int8_t>(i < paying ? engine::PayRule::MixedBars : engine::PayRule::None);
        c.factor = i < paying ? factor : 0;
        c.bonusPoints = points;
        c.reset = c.emptiesMeter = reset;
    }
    return table;
}

par::MeterChain ChainOf(const par::CombinationTable& table)
{
    return par::SolveMeterChain(par::CountMeterOutcomes(table));
}

// The game's model with its Bonus forms drawn plain, and its Reset symbols
// emptying the meter or leaving it be.
par::SlotModel WithoutBonus(par::ResetRule reset)
{
    par::SlotModel model = par::DefaultModel();
    for (auto& strip : model.strips) {
        for (par::StripPosition& p : strip) {
            if (p.form == par::Form::Bonus) p.form = par::Form::Plain;
        }
    }
    model.reset = reset;
    return model;
}

TEST(ReturnSources, AddUpToTheSheetAtEveryBet)
{
    const par::CombinationTable& table = par::DefaultCombinations();
    const par::ParSheet sheet = par::ComputeParSheet(table);
    const par::ReturnSources sources =
        par::ComputeReturnSources(table, par::BuildCombinationTable(par::WithoutNudges(table.model)));
    for (size_t i = 0; i < sheet.rules.size(); ++i) EXPECT_EQ(sources.ruleWithNudges[i], sheet.rules[i].returnPerCoin);
    for (int coins = 1; coins <= par::MaxBetCoins; ++coins) {
        Fraction sum = sources.NudgesOnPayTable() + sources.BonusWithoutNudges(coins) + sources.NudgesOnBonus(coins);
        for (const Fraction& rule : sources.ruleWithoutNudges) sum += rule;
        EXPECT_EQ(sum, sheet.totalReturn[coins - 1]) << coins << " coins";
    }
    // The nudges move reels, so without them the pay table pays differently.
    EXPECT_NE(sources.PayTableWithoutNudges(), sheet.baseReturn);

    // The bonus game as played is the sheet's: its games per spin times the mean box.
    EXPECT_EQ(sources.bonusPerSpinWithNudges, sheet.chain.bonusGamesPerSpin * sheet.prizeExpectation);

    // One stop changed on the model changes where the return comes from.
    par::SlotModel changed = table.model;
    changed.strips[0][22] = {1, par::Form::Plain};  // reel 1, position 23: a seven for the plum
    const par::CombinationTable other = par::BuildCombinationTable(changed);
    const par::ReturnSources moved =
        par::ComputeReturnSources(other, par::BuildCombinationTable(par::WithoutNudges(changed)));
    EXPECT_NE(moved.ruleWithoutNudges, sources.ruleWithoutNudges);
    EXPECT_EQ(moved.Total(5), par::ComputeParSheet(other).totalReturn[4]);
}

TEST(WinBands, HandDistributionAndTheGamesBands)
{
    // At 5 coins: 0, exactly 1x, just above 1x, and 400x.
    const par::WinDistribution hand{{0, Fraction(BigInt(1), BigInt(2))},
                                    {5, Fraction(BigInt(1), BigInt(8))},
                                    {6, Fraction(BigInt(1), BigInt(8))},
                                    {2000, Fraction(BigInt(1), BigInt(4))}};
    const par::WinBandFigures f = par::BandWins(hand, 5);
    EXPECT_EQ(f.bands[0].probability, Fraction(BigInt(1), BigInt(2)));
    EXPECT_EQ(f.bands[1].probability, Fraction(BigInt(1), BigInt(8)));
    EXPECT_EQ(f.bands[2].probability, Fraction(BigInt(1), BigInt(8)));
    EXPECT_EQ(f.bands.back().probability, Fraction(BigInt(1), BigInt(4)));
    // Mean 5/8 + 6/8 + 500 = 4011/8; the top band brings 500 of it.
    EXPECT_EQ(f.meanWin, Fraction(BigInt(4011), BigInt(8)));
    EXPECT_EQ(f.bands.back().returnShare, Fraction(BigInt(4000), BigInt(4011)));
    EXPECT_EQ(f.largestWin, 2000);
    EXPECT_EQ(f.largestWinChance, Fraction(BigInt(1), BigInt(4)));
    EXPECT_THROW(par::BandWins({{-1, Fraction(1)}}, 1), std::domain_error);

    const par::MeterChain chain = ChainOf(par::DefaultCombinations());
    for (int32_t coins = 1; coins <= par::MaxBetCoins; ++coins) {
        const par::WinBandFigures game =
            par::BandWins(par::WinDistributionWithBonus(par::DefaultCombinations(), coins, chain), coins);
        Fraction probability(0);
        Fraction share(0);
        for (const par::WinBand& band : game.bands) {
            probability += band.probability;
            share += band.returnShare;
        }
        EXPECT_EQ(probability, Fraction(1)) << coins;
        EXPECT_EQ(share, Fraction(1)) << coins;
        EXPECT_EQ(game.largestWin, 1500 * coins);
    }
}

TEST(Convergence, HandCheckableChains)
{
    // A Reset on every spin: the meter stays empty, spins are independent, a
    // third of them pay 2 per coin; variance 4/3 - 4/9 = 8/9 per coin, with
    // no autocovariance.
    const par::CombinationTable independent = HandTable(9000, 2, 0, true, 12);
    const par::ConvergenceFigures flat = par::ComputeConvergence(independent, ChainOf(independent), 2);
    EXPECT_EQ(flat.meanPerCoin, Fraction(BigInt(2), BigInt(3)));
    EXPECT_EQ(flat.oneSpinVariance, Fraction(BigInt(8), BigInt(9)));
    EXPECT_EQ(flat.asymptoticVariance, Fraction(BigInt(8), BigInt(9)));

    // Six points every spin: the meter fills every second spin and the wins
    // run 0, 12, 0, 12: one spin's variance 36, but every two spins win 12
    // exactly, so the average has no variance in the long run.
    const par::CombinationTable alternating = HandTable(0, 0, 6, false, 12);
    const par::ConvergenceFigures steps = par::ComputeConvergence(alternating, ChainOf(alternating), 1);
    EXPECT_EQ(steps.meanPerCoin, Fraction(6));
    EXPECT_EQ(steps.oneSpinVariance, Fraction(36));
    EXPECT_EQ(steps.asymptoticVariance, Fraction(0));
}

TEST(Convergence, TheGameAgreesWithTheSheetAndWithSimulatedRuns)
{
    const par::ParSheet sheet = par::ComputeParSheet(par::DefaultCombinations());
    const par::ConvergenceFigures five = par::ComputeConvergence(par::DefaultCombinations(), sheet.chain, 5);
    EXPECT_EQ(five.meanPerCoin, sheet.totalReturn[4]);
    EXPECT_EQ(five.oneSpinVariance, sheet.volatility[4].variancePerCoin);
    EXPECT_GT(five.asymptoticVariance, Fraction(0));

    const par::ReturnInterval interval = par::IntervalAfter(five, 1'000'000, par::IntervalZ[1]);
    EXPECT_LT(interval.low, par::ToDouble(five.meanPerCoin));
    EXPECT_GT(interval.high, par::ToDouble(five.meanPerCoin));
    // 20 runs of 10^6 spins: 19 inside the 95 % interval on average; fewer
    // than 16 (a chance of 1 in 400) would mean the variance is too small.
    const par::ConvergenceCheck check = par::CheckConvergence(par::DefaultCombinations(), five, 20, 1'000'000, 7);
    EXPECT_GE(check.inside[1], 16u);
    EXPECT_LE(check.inside[0], check.inside[1]);
    EXPECT_LE(check.inside[1], check.inside[2]);
}

TEST(Sessions, HandCheckableRuin)
{
    // Nothing ever pays: 10 credits at 3 a spin last three spins, leaving 1.
    const par::CombinationTable losing = HandTable(0, 0, 0, true, 0);
    for (uint64_t spins : {2u, 5u}) {
        const par::SessionSettings settings{100, spins, 10, 3, 1, 1};
        const par::SessionResult exact = par::AnalyseSessions(settings, losing);
        const par::SessionResult simulated = par::SimulateSessions(settings, losing);
        ASSERT_EQ(exact.method, par::SessionResult::Method::Exact);
        for (const par::SessionResult* r : {&exact, &simulated}) {
            EXPECT_EQ(r->ruin, spins == 2 ? 0.0 : 1.0);
            EXPECT_EQ(r->medianSpinsToRuin, spins == 2 ? std::nullopt : std::optional<uint64_t>(3));
            for (const par::SessionValue& v : r->balance) EXPECT_EQ(v.value, spins == 2 ? 4 : 1);
            EXPECT_DOUBLE_EQ(r->meanBalance, spins == 2 ? 4.0 : 1.0);
        }
    }
    EXPECT_THROW(par::AnalyseSessions({1, 1, 2, 3, 1, 1}, losing), std::domain_error);
}

TEST(Sessions, ExactAgreesWithSimulation)
{
    const par::SessionSettings settings{40'000, 60, 40, 5, 11, 1};
    const par::SessionMoves moves = par::BuildSessionMoves(par::DefaultCombinations(), 5);
    const auto plan = par::PlanExactSessions(settings, moves);
    ASSERT_TRUE(plan.has_value());
    const par::SessionResult exact = par::SolveSessionsExactly(settings, moves, *plan);
    EXPECT_GT(exact.ruin, 0.05);
    // One stream, and the sessions shared among three uneven streams.
    par::SessionSettings shared = settings;
    shared.sessions = 40'001;
    shared.streams = 3;
    for (const par::SessionSettings& s : {settings, shared}) {
        const par::SessionResult simulated = par::SimulateSessions(s, par::DefaultCombinations());
        EXPECT_GE(exact.ruin, simulated.ruinLow) << s.streams;
        EXPECT_LE(exact.ruin, simulated.ruinHigh) << s.streams;
        for (size_t k = 0; k < exact.balance.size(); ++k) {
            EXPECT_GE(exact.balance[k].value, simulated.balanceInterval[k].first.value) << k;
            EXPECT_LE(exact.balance[k].value, simulated.balanceInterval[k].second.value) << k;
        }
        double sessions = 0;
        for (const auto& [balance, chance] : simulated.endBalances)
            sessions += chance * static_cast<double>(s.sessions);
        EXPECT_NEAR(sessions, static_cast<double>(s.sessions), 1e-6) << s.streams;
    }
    double total = 0;
    for (const auto& [balance, chance] : exact.endBalances) total += chance;
    EXPECT_NEAR(total, 1.0, 1e-9);

    // A million spins at 5 coins cannot be solved within the budget.
    EXPECT_FALSE(par::PlanExactSessions({10, 1'000'000, 1000, 5, 1}, moves).has_value());
}

TEST(Workbench, AModelsOwnMeterAndPrizes)
{
    // Single-bar Bonus symbols everywhere, 1 point each, on a meter of 4:
    // every spin pays 5 a coin, and every second one (from level 3) opens
    // the bonus game, whose one box of eight holds 8. At 1 coin the wins
    // run 5, 5 + P, 5, 5 + P...: mean 11/2, one spin's variance
    // 34 - 121/4 = 15/4, and each pair of spins varies as P alone, 7,
    // so the asymptotic variance is 7/2.
    par::SlotModel model = par::DefaultModel();
    for (auto& strip : model.strips) strip.fill(par::StripPosition{4, par::Form::Bonus});
    model.meterFull = 4;
    model.bonusPoints = {0, 0, 0, 0, 1};
    model.prizes = {8, 0, 0, 0, 0, 0, 0, 0};
    const par::CombinationTable table = par::BuildCombinationTable(model);
    const par::MeterChain chain = ChainOf(table);
    const par::ConvergenceFigures f = par::ComputeConvergence(table, chain, 1);
    EXPECT_EQ(f.meanPerCoin, Fraction(BigInt(11), BigInt(2)));
    EXPECT_EQ(f.oneSpinVariance, Fraction(BigInt(15), BigInt(4)));
    EXPECT_EQ(f.asymptoticVariance, Fraction(BigInt(7), BigInt(2)));

    const par::WinBandFigures bands = par::BandWins(par::WinDistributionWithBonus(table, 1, chain), 1);
    EXPECT_EQ(bands.largestWin, 13);
    EXPECT_EQ(bands.largestWinChance, Fraction(BigInt(1), BigInt(16)));

    // Sessions see the model's four levels: at 5 coins each spin gains 20
    // credits, and the second fills the meter, 1 credit a box on average.
    const par::SessionMoves moves = par::BuildSessionMoves(table, 5);
    ASSERT_EQ(moves.size(), 4u);
    const par::SessionResult r = par::AnalyseSessions({1, 2, 5, 5, 1, 1}, table);
    EXPECT_EQ(r.ruin, 0.0);
    EXPECT_DOUBLE_EQ(r.meanBalance, 5 + 20 + 20 + 1.0);
}

TEST(Workbench, WithoutBonusTheBonusGameAddsNothing)
{
    // With a Reset that leaves the meter be, no spin ever moves it: every
    // level would keep itself, which the variance must not stumble on.
    for (const par::ResetRule reset : {par::ResetRule::EmptiesMeter, par::ResetRule::KeepsMeter}) {
        const par::CombinationTable table = par::BuildCombinationTable(WithoutBonus(reset));
        const par::ParSheet sheet = par::ComputeParSheet(table);
        const par::ReturnSources sources =
            par::ComputeReturnSources(table, par::BuildCombinationTable(par::WithoutNudges(table.model)));
        EXPECT_TRUE(sources.bonusPerSpinWithNudges.IsZero());
        EXPECT_TRUE(sources.bonusPerSpinWithoutNudges.IsZero());
        EXPECT_EQ(sources.Total(3), sheet.baseReturn);

        const par::ConvergenceFigures f = par::ComputeConvergence(table, sheet.chain, 3);
        EXPECT_EQ(f.meanPerCoin, sheet.baseReturn);
        EXPECT_EQ(f.oneSpinVariance, sheet.baseVolatility.variancePerCoin);
        EXPECT_EQ(f.asymptoticVariance, f.oneSpinVariance);  // spins are independent
        const par::ConvergenceCheck check = par::CheckConvergence(table, f, 4, 10'000, 5, 2);
        EXPECT_EQ(check.streams, 2u);
        EXPECT_LE(check.inside[0], check.inside[2]);
    }
}

TEST(IdealRuns, HandTablesExactlyAndTheGameWithinItsInterval)
{
    // Half the combinations pay 4 a coin, none has points: the run's win is 4 x the paying spins,
    // so its return after n spins is binomial about 2 with sd 2 / sqrt(n).
    const par::CombinationTable half = HandTable(par::StopCombinations / 2, 4, 0, false, 0);
    const auto paths = par::IdealReturnPaths(half, 1, {1, 2}, {1, 1'000'000});
    ASSERT_EQ(paths.size(), 2u);
    for (const auto& path : paths) {
        ASSERT_EQ(path.size(), 2u);
        EXPECT_TRUE(path[0].second == 0 || path[0].second == 4) << path[0].second;
        EXPECT_NEAR(path[1].second, 2, 4 * 2 / 1000.0);
    }
    EXPECT_NE(paths[0][1].second, paths[1][1].second);  // two seeds, two runs
    // Every spin brings a full meter of 12 points and one box of 10: 10 credits a spin, exactly.
    const par::CombinationTable boxes = HandTable(0, 0, 12, false, 10);
    EXPECT_EQ(par::IdealReturnPaths(boxes, 2, {7}, {1000})[0][0].second, 5.0);

    // The game's own reels: each run within 4 sd of the long-run return after 10^7 spins, and the
    // same seeds give the same runs whether played together or alone.
    const par::CombinationTable& game = par::DefaultCombinations();
    const par::ConvergenceFigures f =
        par::ComputeConvergence(game, par::SolveMeterChain(par::CountMeterOutcomes(game)), 5);
    const double sd = std::sqrt(par::ToDouble(f.asymptoticVariance) / 1e7);
    const auto together = par::IdealReturnPaths(game, 5, {11, 12, 13}, {10'000, 10'000'000});
    for (const auto& path : together) EXPECT_NEAR(path[1].second, par::ToDouble(f.meanPerCoin), 4 * sd);
    EXPECT_EQ(par::IdealReturnPaths(game, 5, {12}, {10'000, 10'000'000})[0], together[1]);
}

TEST(SvgPlot, MarksWhereALineLeavesTheAxesAndPlacesAmongTheBars)
{
    auto exitMarks = [](const std::string& svg, const std::string& colour) {
        size_t count = 0;
        for (size_t at = svg.find("<polygon"); at != std::string::npos; at = svg.find("<polygon", at + 1))
            count += svg.compare(svg.find("fill=", at), 7 + colour.size(), "fill=\"" + colour + "\"") == 0;
        return count;
    };
    par::PlotChart chart;
    chart.x = {"spins", 100, 1e9, true};
    chart.y = {"return", 0, 2, false};
    // Starts inside, leaves above, comes back, leaves below and stays there.
    par::PlotLine run{"run 1", "#d62728", {{100, 1}, {1e3, 3}, {1e4, 1}, {1e5, -1}, {1e6, -2}}};
    run.markExits = true;
    par::PlotLine inside{"run 2", "#2ca02c", {{100, 0.5}, {1e9, 1.5}}};
    inside.markExits = true;
    chart.lines = {run, inside};
    std::string svg = par::RenderSvg(chart);
    EXPECT_EQ(exitMarks(svg, "#d62728"), 2u);
    EXPECT_EQ(exitMarks(svg, "#2ca02c"), 0u);
    EXPECT_NE(svg.find(">run 1<"), std::string::npos);
    EXPECT_NE(svg.find(">run 2<"), std::string::npos);
    EXPECT_NE(svg.find("leaves the axes"), std::string::npos);
    // A run that starts outside is marked at its start; without exits the legend says nothing of them.
    chart.lines = {inside};
    EXPECT_EQ(par::RenderSvg(chart).find("leaves the axes"), std::string::npos);
    run.points = {{100, 5}, {1e3, 4}};
    chart.lines = {run};
    EXPECT_EQ(exitMarks(par::RenderSvg(chart), "#d62728"), 1u);

    // A mark among four bars at 2.5: half-way across the plot area (x from 90 to 660).
    par::PlotChart bars;
    bars.y = {"share", 0, 1, false};
    bars.bars = {{"a", "b", "c", "d"}, {"share"}, {"green"}, {{0.1, 0.2, 0.3, 0.4}}};
    bars.marks.push_back({2.5, "start: 500 credits", "#b2182b"});
    svg = par::RenderSvg(bars);
    EXPECT_NE(svg.find("<line x1=\"446.25\" x2=\"446.25\""), std::string::npos) << svg;
    EXPECT_NE(svg.find(">start: 500 credits<"), std::string::npos);
}

TEST(SvgPlot, EscapesTextAndRejectsBadAxes)
{
    EXPECT_EQ(par::EscapeXml("a<b & 'c'>\"d\"\x01"), "a&lt;b &amp; &apos;c&apos;&gt;&quot;d&quot;?");
    par::PlotChart chart;
    chart.title = "<script>";
    chart.x = {"spins", 100, 1e9, true};
    chart.y = {"return", 0, 2, false};
    chart.lines.push_back({"run & more", "red", {{100, 1}, {1e9, 1.5}}});
    const std::string svg = par::RenderSvg(chart);
    EXPECT_NE(svg.find("xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_EQ(svg.find("<script>"), std::string::npos);
    EXPECT_NE(svg.find("run &amp; more"), std::string::npos);
    chart.x.min = 0;
    EXPECT_THROW(par::RenderSvg(chart), std::invalid_argument);
    EXPECT_THROW(par::WriteTextFile("/nonexistent-directory/plot.svg", svg), std::runtime_error);
}

}  // namespace
