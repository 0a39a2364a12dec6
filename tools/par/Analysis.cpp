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

PlotChart FunnelChart(const CombinationTable& table, const ConvergenceFigures& f, uint32_t seed, unsigned threads)
{
    PlotChart chart;
    chart.title = "Convergence of the return per coin at " + Coins(f.coins);
    chart.subtitle = "long-run return " + f.meanPerCoin.ToDecimal(6) + ", asymptotic sd " +
                     Decimal(SquareRoot(f.asymptoticVariance), 3) +
                     " per coin; normal intervals, five simulated runs to 10^7 spins";
    chart.x = {"spins", 100, 1e9, true};
    const ReturnInterval range = IntervalAfter(f, 1000, IntervalZ[2]);
    // A model whose every spin wins the same has no spread to show: a little room around its return.
    const double room = range.high > range.low ? 0.0 : std::max(1e-3, std::abs(range.low) * 0.01);
    chart.y = {"return per coin", range.low - room, range.high + room, false};
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
    const std::array<const char*, 5> pathColours{"#d62728", "#2ca02c", "#ff7f0e", "#9467bd", "#8c564b"};
    // Each path one stream of its own seed; threads only share the paths out.
    std::vector<std::vector<std::pair<uint64_t, double>>> paths(pathColours.size());
    const unsigned workers = std::clamp<unsigned>(threads, 1, static_cast<unsigned>(paths.size()));
    RunStreams(workers, [&](unsigned worker) {
        for (size_t run = worker; run < paths.size(); run += workers)
            paths[run] = SimulatedReturnPath(table, f.coins, seed + static_cast<uint32_t>(run), LogSteps(7));
    });
    for (size_t run = 0; run < pathColours.size(); ++run) {
        PlotLine line;
        line.label = run == 0 ? "simulated runs" : "";
        line.colour = pathColours[run];
        line.width = 1;
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

PlotChart SessionsChart(const SessionResult& r)
{
    const SessionSettings& s = r.settings;
    // The bins span the balances up to the 95th percentile; the rest share the last bar.
    int64_t top = s.betCoins;
    double cumulative = 0;
    for (const auto& [balance, chance] : r.endBalances) {
        top = balance;
        cumulative += chance;
        if (cumulative >= 0.95) break;
    }
    constexpr int64_t Bins = 20;
    const int64_t width = std::max<int64_t>(1, (top - s.betCoins + Bins) / Bins);
    std::vector<double> counts(Bins + 2, 0.0);
    for (const auto& [balance, chance] : r.endBalances) {
        size_t bin = 0;
        if (r.lumpFrom > 0 && balance >= r.lumpFrom) {
            bin = Bins + 1;
        } else if (balance >= s.betCoins) {
            bin = static_cast<size_t>(std::min<int64_t>((balance - s.betCoins) / width + 1, Bins + 1));
        }
        counts[bin] += chance;
    }
    PlotChart chart;
    chart.title = "Balance after " + std::to_string(s.spins) + " spins at " + Coins(s.betCoins) + " from " +
                  std::to_string(s.bankroll) + " credits";
    chart.subtitle = std::string(r.method == SessionResult::Method::Exact ? "exact" : "simulated") +
                     "; chance of ruin " + Decimal(r.ruin, 4) + ", median balance " +
                     (r.balance[2].atLeast ? "at least " : "") + std::to_string(r.balance[2].value);
    chart.x.label = "balance at the end, credits";
    chart.bars.seriesLabels = {"share of sessions"};
    chart.bars.seriesColours = {"#31a354"};
    chart.bars.values.resize(1);
    chart.bars.categories.push_back("ruined");
    for (int64_t bin = 0; bin < Bins; ++bin) {
        const int64_t low = s.betCoins + bin * width;
        chart.bars.categories.push_back(std::to_string(low) + "-" + std::to_string(low + width - 1));
    }
    chart.bars.categories.push_back(std::to_string(s.betCoins + Bins * width) + " or more");
    chart.bars.values[0] = counts;
    chart.y = {"share of sessions", 0, std::max(1e-9, *std::max_element(counts.begin(), counts.end()) * 1.1), false};
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
            "SVG files for a browser. The funnel's simulated runs are the fast table simulation of the "
            "game's generator seeded with " +
            std::to_string(settings.seed) + " to " + std::to_string(settings.seed + 4) +
            ", one stream each (--threads only plays them side by side)."};
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
