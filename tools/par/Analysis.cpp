// Running the workbench: the figures each option asks for, in one report, and the plots.
#include "Analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "CombinationTable.h"
#include "Convergence.h"
#include "IdealRuns.h"
#include "OutcomeGroups.h"
#include "ParSheet.h"
#include "ReturnSources.h"
#include "Sessions.h"
#include "SvgPlot.h"
#include "TableSimulation.h"
#include "Volatility.h"
#include "WinBands.h"

namespace par {

namespace {

std::string Decimal(double value, int places)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

constexpr size_t FunnelRuns = 5;

std::string Coins(int32_t coins)
{
    return std::to_string(coins) + (coins == 1 ? " coin" : " coins");
}

// Spin counts from 10^2 to the last, eight to a decade.
std::vector<uint64_t> LogSteps(int lastPower)
{
    std::vector<uint64_t> steps;
    for (int k = 16; k <= lastPower * 8; ++k) {
        const auto spins = static_cast<uint64_t>(std::llround(std::pow(10.0, k / 8.0)));
        if (steps.empty() || spins > steps.back()) steps.push_back(spins);
    }
    return steps;
}

// The seed of the funnel's run k (1..FunnelRuns) from --seed S: SplitMix64 of S x 2^8 + k.
uint64_t FunnelRunSeed(uint32_t seed, unsigned run)
{
    uint64_t z = (uint64_t{seed} << 8 | run) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

PlotChart FunnelChart(const CombinationTable& table, const ConvergenceFigures& f, uint32_t seed, unsigned threads)
{
    PlotChart chart;
    chart.title = "Convergence of the return per coin at " + Coins(f.coins);
    chart.subtitle = "long-run return " + f.meanPerCoin.ToDecimal(6) + ", asymptotic sd " +
                     Decimal(SquareRoot(f.asymptoticVariance), 3) +
                     " per coin; normal intervals, five runs of ideal reels to 10^9 spins";
    chart.x = {"spins", 100, 1e9, true};
    const ReturnInterval range = IntervalAfter(f, 1000, IntervalZ[2]);
    // A model whose every spin wins the same has no spread to show: a little room around its return.
    const double room = range.high > range.low ? 0.0 : std::max(1e-3, std::abs(range.low) * 0.01);
    chart.y = {"return per coin", range.low - room, range.high + room, false};
    // Break-even in view, unless that would squeeze the funnel to less than half the height.
    const double span = chart.y.max - chart.y.min;
    const bool breakEvenShown = std::max(chart.y.max, 1.05) - std::min(chart.y.min, 0.95) <= 2 * span;
    if (breakEvenShown) {
        if (chart.y.min > 0.95) chart.y.min = 0.95;
        if (chart.y.max < 1.05) chart.y.max = 1.05;
    }
    const std::vector<uint64_t> steps = LogSteps(9);
    const std::array<const char*, 3> colours{"#c6dbef", "#9ecae1", "#6baed6"};
    for (size_t k = IntervalLevels.size(); k-- > 0;) {
        PlotBand band;
        band.label = Decimal(IntervalLevels[k] * 100, 0) + " % interval";
        band.colour = colours[IntervalLevels.size() - 1 - k];
        for (uint64_t spins : steps) {
            const ReturnInterval interval = IntervalAfter(f, spins, IntervalZ[k]);
            band.x.push_back(static_cast<double>(spins));
            band.low.push_back(interval.low);
            band.high.push_back(interval.high);
        }
        chart.bands.push_back(std::move(band));
    }
    const double mean = ToDouble(f.meanPerCoin);
    chart.lines.push_back({"long-run return", "#08306b", {{100, mean}, {1e9, mean}}, 1.5, true});
    if (breakEvenShown) {
        PlotLine breakEven{"break-even (return 1)", "#000000", {{100, 1}, {1e9, 1}}, 1.2};
        breakEven.dotted = true;
        chart.lines.push_back(std::move(breakEven));
    }
    const std::array<const char*, FunnelRuns> pathColours{"#d62728", "#2ca02c", "#ff7f0e", "#9467bd", "#8c564b"};
    // The runs shared among the threads, played side by side in each; the seeds alone decide them.
    std::vector<std::vector<std::pair<uint64_t, double>>> paths(FunnelRuns);
    const unsigned workers = std::clamp<unsigned>(threads, 1, FunnelRuns);
    RunStreams(workers, [&](unsigned worker) {
        std::vector<uint64_t> seeds;
        std::vector<size_t> runs;
        for (size_t run = worker; run < FunnelRuns; run += workers) {
            seeds.push_back(FunnelRunSeed(seed, static_cast<unsigned>(run + 1)));
            runs.push_back(run);
        }
        auto played = IdealReturnPaths(table, f.coins, seeds, steps);
        for (size_t i = 0; i < runs.size(); ++i) paths[runs[i]] = std::move(played[i]);
    });
    for (size_t run = 0; run < FunnelRuns; ++run) {
        PlotLine line;
        line.label = "run " + std::to_string(run + 1);
        line.colour = pathColours[run];
        line.width = 1;
        line.markExits = true;
        for (const auto& [spins, value] : paths[run]) line.points.emplace_back(static_cast<double>(spins), value);
        chart.lines.push_back(std::move(line));
    }
    return chart;
}

PlotChart DistributionChart(const WinBandFigures& f)
{
    PlotChart chart;
    chart.title = "One spin's total win at " + Coins(f.coins) + ", in bands of the bet";
    chart.subtitle = "pay table and bonus prize together, meter at its long-run shares; largest win " +
                     std::to_string(f.largestWin) + " credits";
    chart.x.label = "win";
    chart.y = {"probability, share of the return", 1e-6, 1, true};
    chart.bars.seriesLabels = {"probability", "share of the return"};
    chart.bars.seriesColours = {"#3182bd", "#fd8d3c"};
    chart.bars.values.resize(2);
    for (const WinBand& band : f.bands) {
        chart.bars.categories.push_back(band.name);
        chart.bars.values[0].push_back(ToDouble(band.probability));
        chart.bars.values[1].push_back(ToDouble(band.returnShare));
    }
    return chart;
}

// The smallest of 1, 2, 5, 10, 20, 50 ... at least `at_least`.
int64_t RoundWidth(int64_t at_least)
{
    for (int64_t power = 1;; power *= 10) {
        for (int64_t step : {1, 2, 5}) {
            if (step * power >= at_least) return step * power;
        }
    }
}

PlotChart SessionsChart(const SessionResult& r)
{
    const SessionSettings& s = r.settings;
    // The bins span the balances up to the 95th percentile, the rest share the last bar; they
    // are a round width wide and start at multiples of it (the first from the bet: below it is ruin).
    int64_t top = s.betCoins;
    double cumulative = 0;
    for (const auto& [balance, chance] : r.endBalances) {
        top = balance;
        cumulative += chance;
        if (cumulative >= 0.95) break;
    }
    constexpr int64_t MostBins = 20;
    const int64_t width = RoundWidth(std::max<int64_t>(1, (top + MostBins) / MostBins));
    const int64_t firstBin = s.betCoins / width;                            // the bin the bet falls in
    const int64_t bins = std::max<int64_t>(1, top / width - firstBin + 1);  // up to the one top falls in
    std::vector<double> counts(static_cast<size_t>(bins) + 2, 0.0);
    for (const auto& [balance, chance] : r.endBalances) {
        size_t bin = 0;
        if (r.lumpFrom > 0 && balance >= r.lumpFrom) {
            bin = static_cast<size_t>(bins) + 1;
        } else if (balance >= s.betCoins) {
            bin = static_cast<size_t>(std::min<int64_t>(balance / width - firstBin + 1, bins + 1));
        }
        counts[bin] += chance;
    }
    PlotChart chart;
    chart.title = "Balance after " + std::to_string(s.spins) + " spins at " + Coins(s.betCoins) + " from " +
                  std::to_string(s.bankroll) + " credits";
    chart.subtitle = std::string(r.method == SessionResult::Method::Exact ? "exact" : "simulated") +
                     "; chance of ruin " + Decimal(r.ruin, 4) + ", median balance " +
                     (r.balance[2].atLeast ? "at least " : "") + std::to_string(r.balance[2].value) + "; bins " +
                     std::to_string(width) + (width == 1 ? " credit" : " credits") + " wide";
    chart.x.label = "balance at the end, credits";
    chart.bars.seriesLabels = {"share of sessions"};
    chart.bars.seriesColours = {"#31a354"};
    chart.bars.values.resize(1);
    chart.bars.categories.push_back("ruined");
    for (int64_t bin = 0; bin < bins; ++bin) {
        const int64_t low = std::max<int64_t>(s.betCoins, (firstBin + bin) * width);
        const int64_t high = (firstBin + bin + 1) * width - 1;
        chart.bars.categories.push_back(low == high ? std::to_string(low)
                                                    : std::to_string(low) + "-" + std::to_string(high));
    }
    const int64_t rest = (firstBin + bins) * width;
    chart.bars.categories.push_back(std::to_string(rest) + " or more");
    chart.bars.values[0] = counts;
    chart.y = {"share of sessions", 0, std::max(1e-9, *std::max_element(counts.begin(), counts.end()) * 1.1), false};

    // The starting bankroll where it lies among the bins: category 1 + k spans bin k.
    double at = 0;
    if (s.bankroll < s.betCoins) {
        at = 0.5;  // a bankroll below the bet is ruined from the start
    } else if (s.bankroll >= rest) {
        at = static_cast<double>(bins) + 1.5;
    } else {
        // Bin k spans (firstBin + k) x width to that + width - 1; the place within it in proportion.
        const double k = static_cast<double>(s.bankroll / width - firstBin);
        const double within = static_cast<double>(s.bankroll % width) + 0.5;
        at = 1 + k + within / static_cast<double>(width);
    }
    chart.marks.push_back({at, "start: " + std::to_string(s.bankroll) + " credits", "#b2182b"});
    return chart;
}

}  // namespace

void RunAnalysis(const AnalysisSettings& settings, const CombinationTable& table, Format format, std::ostream& out)
{
    const AnalysisRequest& request = settings.request;
    const MeterChain chain = SolveMeterChain(CountMeterOutcomes(table));
    const bool plotting = request.plotDirectory.has_value();

    Report report;
    report.title = "Plumfizz Slots - analysis";
    report.notes = {"Computed from the reel strips, pay table and bonus meter rules on ideal reels (each of the " +
                    std::to_string(table.size()) + " stop combinations equally likely), like the PAR sheet" +
                    std::string(settings.exact ? "; exact fractions." : "; --exact shows the exact fractions.")};
    if (table.model != DefaultModel())
        report.notes.push_back("The model is not the game's own: it was read with --model.");

    if (request.returns) {
        const CombinationTable drawn = BuildCombinationTable(WithoutNudges(table.model));
        for (ReportTable& t : ReturnSourcesTables(ComputeReturnSources(table, drawn), settings.exact))
            report.tables.push_back(std::move(t));
    }

    std::optional<WinBandFigures> shownBands;
    if (request.distribution || plotting) {
        for (int32_t coins = 1; coins <= MaxBetCoins; ++coins) {
            WinBandFigures bands = BandWins(WinDistributionWithBonus(table, coins, chain), coins);
            if (request.distribution) report.tables.push_back(WinBandTable(bands, settings.exact));
            if (coins == settings.betCoins) shownBands = std::move(bands);
        }
    }

    std::optional<ConvergenceFigures> shownConvergence;
    const bool convergence = request.convergence || request.convergenceRuns.has_value();
    if (convergence || plotting) {
        std::vector<ConvergenceFigures> byBet;
        for (int32_t coins = 1; coins <= MaxBetCoins; ++coins) {
            byBet.push_back(ComputeConvergence(table, chain, coins));
            if (coins == settings.betCoins) shownConvergence = byBet.back();
        }
        if (convergence) {
            std::optional<ConvergenceCheck> check;
            if (request.convergenceRuns) {
                check = CheckConvergence(table, *shownConvergence, *request.convergenceRuns, ConvergenceCheckSpins,
                                         settings.seed, settings.threads);
            }
            for (ReportTable& t :
                 ConvergenceTables(byBet, *shownConvergence, check ? &*check : nullptr, settings.exact))
                report.tables.push_back(std::move(t));
        }
    }

    std::optional<SessionResult> sessions;
    if (request.sessions || plotting) {
        SessionSettings s;
        s.sessions = request.sessions.value_or(DefaultPlotSessions);
        s.spins = request.spins.value_or(DefaultPlotSpins);
        s.bankroll = static_cast<int64_t>(request.bankroll.value_or(DefaultPlotBankroll));
        s.betCoins = settings.betCoins;
        s.seed = settings.seed;
        s.streams = settings.threads;
        sessions = AnalyseSessions(s, table);
        if (request.sessions) report.tables.push_back(SessionTable(*sessions));
    }

    if (plotting) {
        const std::filesystem::path directory(*request.plotDirectory);
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        if (error) throw std::runtime_error("cannot create " + directory.string() + ": " + error.message());
        ReportTable files;
        files.key = "plots";
        files.title = "Plots written";
        files.columns = {"file", "shows"};
        const std::vector<std::pair<std::string, PlotChart>> charts{
            {"convergence-funnel.svg", FunnelChart(table, *shownConvergence, settings.seed, settings.threads)},
            {"win-distribution.svg", DistributionChart(*shownBands)},
            {"sessions.svg", SessionsChart(*sessions)}};
        for (const auto& [name, chart] : charts) {
            const std::string path = (directory / name).string();
            WriteTextFile(path, RenderSvg(chart));
            files.rows.push_back({path, chart.title});
        }
        files.notes = {
            "SVG files for a browser. The funnel's five runs are ideal reels (each stop combination and box equally "
            "likely) to 10^9 spins, each drawn from its own wyrand stream seeded from --seed " +
            std::to_string(settings.seed) +
            " and its number, so --threads only plays them side by side; a triangle marks where a run leaves the "
            "axes."};
        if (!request.sessions) {
            files.notes.push_back("The sessions plot shows " + std::to_string(sessions->settings.spins) +
                                  " spins from " + std::to_string(sessions->settings.bankroll) +
                                  " credits unless --sessions, --spins and --bankroll say otherwise.");
        }
        report.tables.push_back(std::move(files));
    }
    WriteReport(report, format, out);
}

}  // namespace par
