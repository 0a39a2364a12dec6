// The exact variances of the return over the meter's chain, its intervals and their check.
#include "Convergence.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <span>
#include <stdexcept>

#include "OutcomeGroups.h"
#include "TableSimulation.h"
#include "Volatility.h"

namespace par {

namespace {

std::string Decimal(double value, int places)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

double ReturnOf(const SimulationTotals& totals)
{
    return totals.totalBet == 0
               ? 0.0
               : static_cast<double>(totals.baseWinnings + totals.bonusPrizes) / static_cast<double>(totals.totalBet);
}

}  // namespace

ConvergenceFigures ComputeConvergence(const CombinationTable& table, const MeterChain& chain, int32_t coins)
{
    if (coins <= 0) throw std::domain_error("a bet of at least one coin");
    const int levels = chain.Levels();
    if (levels != table.model.meterFull) throw std::invalid_argument("a meter chain of another model");
    const std::span<const int32_t> prizes(table.model.prizes);
    const std::vector<OutcomeGroup> groups = GroupOutcomes(table);
    const BigInt total(static_cast<int64_t>(table.size()));
    const Fraction meanPrize = PrizeExpectation(prizes);
    Fraction prizeSquare(0);
    for (int32_t prize : prizes) prizeSquare += Fraction(int64_t{prize} * prize);
    if (!prizes.empty()) prizeSquare = prizeSquare / Fraction(static_cast<int64_t>(prizes.size()));

    // Per level and group: the chance, the mean win and the mean square win.
    struct Move {
        Fraction chance;
        Fraction win;
        Fraction square;
        int next = 0;
    };
    const auto n = static_cast<size_t>(levels);
    std::vector<std::vector<Move>> moves(n);
    std::vector<Fraction> levelMean(n, Fraction(0));
    std::vector<std::vector<Fraction>> transition(n, std::vector<Fraction>(n, Fraction(0)));
    for (int level = 0; level < levels; ++level) {
        for (const OutcomeGroup& g : groups) {
            const MeterStep step = StepMeter(level, g, table.model.meterFull);
            const Fraction base(int64_t{coins} * g.factor);
            Move move;
            move.chance = Fraction(BigInt(g.combinations), total);
            move.win = step.fills ? base + meanPrize : base;
            move.square = step.fills ? base * base + Fraction(2) * base * meanPrize + prizeSquare : base * base;
            move.next = step.next;
            levelMean[level] += move.chance * move.win;
            transition[level][step.next] += move.chance;
            moves[level].push_back(std::move(move));
        }
    }
    Fraction mean(0);
    Fraction meanSquare(0);
    for (int level = 0; level < levels; ++level) {
        mean += chain.levelShare[level] * levelMean[level];
        for (const Move& move : moves[level]) meanSquare += chain.levelShare[level] * move.chance * move.square;
    }

    // The levels reachable from an empty meter, where every session starts.
    // Only they carry long-run shares or follow a level that does; the rest
    // would make the system singular where the meter never fills (each level
    // then keeps itself).
    std::vector<int> reachable{0};
    std::vector<int> indexOf(n, -1);
    indexOf[0] = 0;
    for (size_t k = 0; k < reachable.size(); ++k) {
        for (int to = 0; to < levels; ++to) {
            if (indexOf[to] < 0 && !transition[reachable[k]][to].IsZero()) {
                indexOf[to] = static_cast<int>(reachable.size());
                reachable.push_back(to);
            }
        }
    }

    // The Poisson equation (I - P) g = r - mean on those levels; its first
    // row, implied by the others, gives way to the long-run shares weighting
    // g to 0.
    const size_t m = reachable.size();
    std::vector<std::vector<Fraction>> matrix(m, std::vector<Fraction>(m));
    std::vector<Fraction> rhs(m, Fraction(0));
    for (size_t j = 0; j < m; ++j) matrix[0][j] = chain.levelShare[reachable[j]];
    for (size_t i = 1; i < m; ++i) {
        for (size_t j = 0; j < m; ++j) matrix[i][j] = Fraction(i == j ? 1 : 0) - transition[reachable[i]][reachable[j]];
        rhs[i] = levelMean[reachable[i]] - mean;
    }
    const std::vector<Fraction> g = SolveLinearSystem(std::move(matrix), std::move(rhs));

    Fraction autocovariances(0);
    for (int level = 0; level < levels; ++level) {
        if (chain.levelShare[level].IsZero()) continue;
        if (indexOf[level] < 0) throw std::invalid_argument("a meter chain of another model");
        for (const Move& move : moves[level]) {
            autocovariances +=
                chain.levelShare[level] * move.chance * (move.win - mean) * g[static_cast<size_t>(indexOf[move.next])];
        }
    }

    const Fraction perCoin(BigInt(1), BigInt(int64_t{coins}));
    ConvergenceFigures figures;
    figures.coins = coins;
    figures.meanPerCoin = mean * perCoin;
    figures.oneSpinVariance = (meanSquare - mean * mean) * perCoin * perCoin;
    figures.asymptoticVariance = figures.oneSpinVariance + Fraction(2) * autocovariances * perCoin * perCoin;
    return figures;
}

ReturnInterval IntervalAfter(const ConvergenceFigures& figures, uint64_t spins, double z)
{
    const double mean = ToDouble(figures.meanPerCoin);
    const double half = z * SquareRoot(figures.asymptoticVariance) / std::sqrt(static_cast<double>(spins));
    return {mean - half, mean + half};
}

uint64_t SpinsToWithin(const ConvergenceFigures& figures, double share, double z)
{
    const double mean = ToDouble(figures.meanPerCoin);
    if (mean <= 0 || share <= 0) throw std::domain_error("no relative distance to a return of 0");
    const double root = z * SquareRoot(figures.asymptoticVariance) / (share * mean);
    return std::max<uint64_t>(1, static_cast<uint64_t>(std::ceil(root * root)));
}

ConvergenceCheck CheckConvergence(const CombinationTable& table, const ConvergenceFigures& figures, uint64_t runs,
                                  uint64_t spinsPerRun, uint32_t seed, unsigned streams)
{
    ConvergenceCheck check;
    check.runs = runs;
    check.spinsPerRun = spinsPerRun;
    check.seed = seed;
    check.streams = std::max(1u, streams);
    std::array<ReturnInterval, IntervalLevels.size()> intervals;
    for (size_t k = 0; k < intervals.size(); ++k) intervals[k] = IntervalAfter(figures, spinsPerRun, IntervalZ[k]);
    const auto start = std::chrono::steady_clock::now();
    for (uint64_t run = 0; run < runs; ++run) {
        const double value =
            ReturnOf(SumOfStreams(SimulateStreams(table, figures.coins, static_cast<uint32_t>(seed + run),
                                                  PlayModel::AttentionPauses, spinsPerRun, check.streams)));
        for (size_t k = 0; k < intervals.size(); ++k) {
            if (value >= intervals[k].low && value <= intervals[k].high) ++check.inside[k];
        }
    }
    check.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return check;
}

std::vector<std::pair<uint64_t, double>> SimulatedReturnPath(const CombinationTable& table, int32_t coins,
                                                             uint32_t seed, const std::vector<uint64_t>& checkpoints)
{
    std::vector<std::pair<uint64_t, double>> path;
    TableSimulator simulator(table, coins, seed, PlayModel::AttentionPauses);
    uint64_t played = 0;
    for (uint64_t checkpoint : checkpoints) {
        if (checkpoint < played) throw std::invalid_argument("checkpoints in ascending order");
        simulator.PlaySpins(checkpoint - played);
        played = checkpoint;
        path.emplace_back(played, ReturnOf(simulator.Totals()));
    }
    return path;
}

std::vector<ReportTable> ConvergenceTables(const std::vector<ConvergenceFigures>& byBet,
                                           const ConvergenceFigures& shown, const ConvergenceCheck* check, bool exact)
{
    auto figure = [exact](const Fraction& value) { return exact ? value.ToString() : value.ToDecimal(8); };
    std::vector<ReportTable> tables;

    ReportTable variances;
    variances.key = "convergence_variance";
    variances.title = "Variance of the return per coin, bonus game included";
    variances.columns = {"coins bet",           "return per coin", "one spin's variance",
                         "asymptotic variance", "asymptotic sd",   "spins to within 1 % (95 %)"};
    for (const ConvergenceFigures& f : byBet) {
        // A model that returns nothing has no relative distance to be within.
        const std::string spins =
            f.meanPerCoin > Fraction(0) ? std::to_string(SpinsToWithin(f, 0.01, IntervalZ[1])) : "none (no return)";
        variances.rows.push_back({std::to_string(f.coins), figure(f.meanPerCoin), figure(f.oneSpinVariance),
                                  figure(f.asymptoticVariance), Decimal(SquareRoot(f.asymptoticVariance), 4), spins});
    }
    variances.notes = {
        "Successive spins are not independent: the bonus meter carries over, so a spin that starts high is more "
        "likely to be followed by a bonus game. The meter level at the start of a spin is a Markov chain; the "
        "variance of the average return over n spins is the asymptotic variance / n, where the asymptotic "
        "variance is one spin's variance (the meter at its long-run shares) plus twice the sum of the "
        "autocovariances of the wins at every lag, solved exactly from the chain's Poisson equation.",
        "The last column is the number of spins after which the return per coin lies within 1 % of its long-run "
        "value (relative) with 95 % confidence: (1.96 sd / (0.01 x return))^2, rounded up."};
    tables.push_back(std::move(variances));

    ReportTable intervals;
    intervals.key = "convergence_intervals_bet_" + std::to_string(shown.coins);
    intervals.title = "Return per coin after n spins at " + std::to_string(shown.coins) +
                      (shown.coins == 1 ? " coin" : " coins") + ": intervals";
    intervals.columns = {"spins"};
    for (double level : IntervalLevels) {
        const std::string name = Decimal(level * 100, 0) + " %";
        intervals.columns.push_back(name + " low");
        intervals.columns.push_back(name + " high");
    }
    uint64_t spins = 100;
    for (int power = 2; power <= 9; ++power, spins *= 10) {
        std::vector<std::string> row{"10^" + std::to_string(power)};
        for (double z : IntervalZ) {
            const ReturnInterval interval = IntervalAfter(shown, spins, z);
            row.push_back(Decimal(interval.low, 6));
            row.push_back(Decimal(interval.high, 6));
        }
        intervals.rows.push_back(std::move(row));
    }
    intervals.notes = {"Long-run return " + figure(shown.meanPerCoin) + " per coin plus or minus z x " +
                       Decimal(SquareRoot(shown.asymptoticVariance), 4) +
                       " / sqrt(n), z of the normal distribution. After few spins the true distribution is skewed "
                       "(rare large wins), so the first rows are rough guides only."};
    tables.push_back(std::move(intervals));

    if (check != nullptr) {
        ReportTable t;
        t.key = "convergence_check";
        t.title = "Check: independent simulated runs of " + std::to_string(check->spinsPerRun) + " spins at " +
                  std::to_string(shown.coins) + (shown.coins == 1 ? " coin" : " coins");
        t.columns = {"interval", "low", "high", "runs inside", "of runs", "share inside", "standard error"};
        for (size_t k = 0; k < IntervalLevels.size(); ++k) {
            const ReturnInterval interval = IntervalAfter(shown, check->spinsPerRun, IntervalZ[k]);
            const double share = check->runs == 0 ? 0.0 : static_cast<double>(check->inside[k]) / check->runs;
            const double error =
                check->runs == 0
                    ? 0.0
                    : std::sqrt(IntervalLevels[k] * (1 - IntervalLevels[k]) / static_cast<double>(check->runs));
            t.rows.push_back({Decimal(IntervalLevels[k] * 100, 0) + " %", Decimal(interval.low, 6),
                              Decimal(interval.high, 6), std::to_string(check->inside[k]), std::to_string(check->runs),
                              Decimal(share, 4), Decimal(error, 4)});
        }
        const std::string streams =
            check->streams == 1 ? "one stream"
                                : std::to_string(check->streams) + " independent streams (as --simulate --threads " +
                                      std::to_string(check->streams) + " plays them, each on a thread)";
        t.notes = {
            "Each run is the fast table simulation of the game's generator with the attention pauses "
            "between spins (as --simulate plays), seeded with " +
            std::to_string(check->seed) + " + the run's number, in " + streams + "; " + Decimal(check->seconds, 1) +
            " s. The standard error is that of the share if the interval holds exactly its level."};
        tables.push_back(std::move(t));
    }
    return tables;
}

}  // namespace par
