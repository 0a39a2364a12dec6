// Sessions played to ruin or to the last spin, solved exactly or simulated.
#include "Sessions.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <span>
#include <stdexcept>

#include "OutcomeGroups.h"
#include "TableSimulation.h"

namespace par {

namespace {

// Multiply-adds and credit values the exact method may take: a few seconds
// and a few hundred megabytes at most.
constexpr double ExactWorkBudget = 1.5e9;
constexpr int64_t ExactCreditsBudget = 500'000;
constexpr double Z95 = 1.959963984540054;
// Chances summed in doubles reach a percentile this close to it.
constexpr double CumulativeSlack = 1e-12;

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void CheckSettings(const SessionSettings& s)
{
    if (s.betCoins <= 0 || s.spins == 0 || s.bankroll < s.betCoins)
        throw std::domain_error("a session needs a bet, spins and a bankroll of at least the bet");
}

int64_t LargestWin(const SessionMoves& moves)
{
    int64_t largest = 0;
    for (const auto& level : moves) {
        for (const SessionMove& move : level) largest = std::max(largest, move.win);
    }
    return largest;
}

std::string Decimal(double value, int places)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

std::string Shown(const SessionValue& v)
{
    return (v.atLeast ? "at least " : "") + std::to_string(v.value);
}

std::string Spins(const std::optional<uint64_t>& spins, uint64_t limit)
{
    return spins ? std::to_string(*spins) : "more than " + std::to_string(limit);
}

}  // namespace

SessionMoves BuildSessionMoves(const CombinationTable& table, int32_t coins)
{
    const std::span<const int32_t> prizes(table.model.prizes);
    const int32_t full = table.model.meterFull;
    const std::vector<OutcomeGroup> groups = GroupOutcomes(table);
    const double total = static_cast<double>(table.size());
    SessionMoves moves(static_cast<size_t>(full));
    for (int level = 0; level < full; ++level) {
        std::map<std::pair<int64_t, int>, double> merged;
        for (const OutcomeGroup& g : groups) {
            const MeterStep step = StepMeter(level, g, full);
            const int64_t base = int64_t{coins} * g.factor;
            const double chance = static_cast<double>(g.combinations) / total;
            if (step.fills && !prizes.empty()) {
                for (int32_t prize : prizes) {
                    merged[{base + prize, step.next}] += chance / static_cast<double>(prizes.size());
                }
            } else {
                merged[{base, step.next}] += chance;
            }
        }
        for (const auto& [key, chance] : merged) moves[level].push_back({key.first, key.second, chance});
    }
    return moves;
}

std::optional<ExactSessionPlan> PlanExactSessions(const SessionSettings& s, const SessionMoves& moves)
{
    CheckSettings(s);
    double movesPerCredit = 0;
    for (const auto& level : moves) movesPerCredit += static_cast<double>(level.size());
    const double spins = static_cast<double>(s.spins);
    // Every balance reachable, or the lump from where the bet times the
    // spins left can no longer ruin a session, as far up as the budget goes.
    const double reachable = static_cast<double>(s.bankroll) +
                             static_cast<double>(std::max<int64_t>(0, LargestWin(moves) - s.betCoins)) * spins + 1;
    const double safe = std::max(static_cast<double>(s.bankroll) + 1, static_cast<double>(s.betCoins) * (spins + 1));
    // No session is below the bankroll less the bet times the spins.
    const double lowest = std::max(0.0, static_cast<double>(s.bankroll) - static_cast<double>(s.betCoins) * spins);
    const double affordable =
        std::min(ExactWorkBudget / std::max(1.0, spins * movesPerCredit), static_cast<double>(ExactCreditsBudget));
    if (safe - lowest > affordable) return std::nullopt;
    ExactSessionPlan plan;
    const double upper = std::min(reachable, std::max(safe, lowest + affordable));
    plan.lowest = static_cast<int64_t>(lowest);
    plan.credits = static_cast<int64_t>(upper - lowest) + 1;
    plan.lumpFrom = upper >= reachable ? 0 : static_cast<int64_t>(upper);
    plan.work = spins * static_cast<double>(plan.credits) * movesPerCredit;
    return plan;
}

SessionResult SolveSessionsExactly(const SessionSettings& s, const SessionMoves& moves, const ExactSessionPlan& plan)
{
    CheckSettings(s);
    const auto start = std::chrono::steady_clock::now();
    // Balances are kept from plan.lowest on; the lump is never reached without one.
    const int64_t size = plan.credits;
    const int64_t lowest = plan.lowest;
    const int64_t lumpIndex = plan.lumpFrom > 0 ? plan.lumpFrom : lowest + size;
    auto at = [lowest](int64_t credits) { return static_cast<size_t>(credits - lowest); };
    const int64_t bet = s.betCoins;
    std::vector<std::vector<double>> current(moves.size(), std::vector<double>(static_cast<size_t>(size), 0.0));
    std::vector<std::vector<double>> next = current;
    std::vector<double> ruinedAt(bet, 0.0);  // end balances of ruined sessions
    // The lump by meter level: its chance and the chance-weighted sum of its
    // balances, carried spin by spin so that the mean balance stays exact.
    std::vector<double> lumpChance(moves.size(), 0.0), lumpSum(moves.size(), 0.0);
    double ruined = 0;
    std::optional<uint64_t> median;
    current[0][at(s.bankroll)] = 1.0;
    int64_t low = s.bankroll;
    int64_t high = s.bankroll;
    for (uint64_t spin = 1; spin <= s.spins; ++spin) {
        int64_t newLow = lumpIndex;
        int64_t newHigh = bet;
        std::vector<double> nextLumpChance(moves.size(), 0.0), nextLumpSum(moves.size(), 0.0);
        for (size_t level = 0; level < moves.size(); ++level) {
            if (lumpChance[level] == 0) continue;
            for (const SessionMove& move : moves[level]) {
                const auto to = static_cast<size_t>(move.next);
                nextLumpChance[to] += lumpChance[level] * move.chance;
                nextLumpSum[to] +=
                    (lumpSum[level] + lumpChance[level] * static_cast<double>(move.win - bet)) * move.chance;
            }
        }
        for (size_t level = 0; level < moves.size(); ++level) {
            const std::vector<double>& from = current[level];
            for (int64_t credits = low; credits <= high; ++credits) {
                const double p = from[at(credits)];
                if (p == 0) continue;
                for (const SessionMove& move : moves[level]) {
                    const int64_t after = credits - bet + move.win;
                    const double q = p * move.chance;
                    if (after >= lumpIndex) {
                        nextLumpChance[static_cast<size_t>(move.next)] += q;
                        nextLumpSum[static_cast<size_t>(move.next)] += q * static_cast<double>(after);
                    } else if (after < bet) {
                        ruinedAt[static_cast<size_t>(after)] += q;
                        ruined += q;
                    } else {
                        next[static_cast<size_t>(move.next)][at(after)] += q;
                        newLow = std::min(newLow, after);
                        newHigh = std::max(newHigh, after);
                    }
                }
            }
        }
        std::swap(current, next);
        lumpChance = std::move(nextLumpChance);
        lumpSum = std::move(nextLumpSum);
        for (auto& level : next) std::fill(level.begin() + at(low), level.begin() + at(high) + 1, 0.0);
        low = std::max(lowest, std::min(newLow, newHigh));
        high = newHigh;
        if (!median && ruined >= 0.5 - CumulativeSlack) median = spin;
    }

    SessionResult result;
    result.method = SessionResult::Method::Exact;
    result.settings = s;
    result.ruin = ruined;
    result.medianSpinsToRuin = median;
    result.lumpFrom = plan.lumpFrom;
    for (int64_t credits = 0; credits < bet; ++credits) {
        if (ruinedAt[static_cast<size_t>(credits)] > 0)
            result.endBalances.emplace_back(credits, ruinedAt[static_cast<size_t>(credits)]);
    }
    for (int64_t credits = std::max(bet, lowest); credits < lumpIndex; ++credits) {
        double p = 0;
        for (const auto& level : current) p += level[at(credits)];
        if (p > 0) result.endBalances.emplace_back(credits, p);
    }
    double lump = 0;
    for (size_t level = 0; level < moves.size(); ++level) {
        lump += lumpChance[level];
        result.meanBalance += lumpSum[level];
    }
    if (lump > 0) result.endBalances.emplace_back(plan.lumpFrom, lump);
    double cumulative = 0;
    size_t nextPercentile = 0;
    for (const auto& [credits, p] : result.endBalances) {
        cumulative += p;
        if (!(lump > 0 && credits == plan.lumpFrom)) result.meanBalance += static_cast<double>(credits) * p;
        while (nextPercentile < SessionPercentiles.size() &&
               cumulative >= SessionPercentiles[nextPercentile] - CumulativeSlack) {
            result.balance[nextPercentile++] = {credits, lump > 0 && credits == plan.lumpFrom};
        }
    }
    result.seconds = SecondsSince(start);
    return result;
}

SessionResult SimulateSessions(const SessionSettings& s, const CombinationTable& table)
{
    CheckSettings(s);
    if (s.sessions == 0) throw std::domain_error("no sessions to simulate");
    const auto start = std::chrono::steady_clock::now();
    const std::span<const int32_t> prizes(table.model.prizes);
    const int32_t full = table.model.meterFull;
    const unsigned streams = std::max(1u, s.streams);
    std::vector<int64_t> balances(s.sessions);
    std::vector<uint64_t> ruinSpins(s.sessions, UINT64_MAX);
    std::vector<uint64_t> ruinedByStream(streams, 0);
    // Stream k plays the sessions from first(k) on, each its own slice of the results.
    auto first = [&](unsigned k) { return s.sessions / streams * k + std::min<uint64_t>(k, s.sessions % streams); };
    RunStreams(streams, [&](unsigned k) {
        const StreamSeeds seeds = SeedsOfStream(s.seed, k + 1, streams);
        std::mt19937_64 random(streams == 1 ? uint64_t{s.seed} : (uint64_t{seeds.pauses} << 32) | seeds.game);
        std::uniform_int_distribution<size_t> combination(0, table.size() - 1);
        std::uniform_int_distribution<size_t> box(0, prizes.empty() ? 0 : prizes.size() - 1);
        for (uint64_t session = first(k); session < first(k + 1); ++session) {
            int64_t credits = s.bankroll;
            int level = 0;
            for (uint64_t spin = 1; spin <= s.spins; ++spin) {
                const CombinationOutcome& c = table[combination(random)];
                const OutcomeGroup group{c.factor, std::min<int32_t>(c.bonusPoints, full), c.emptiesMeter, 1};
                const MeterStep step = StepMeter(level, group, full);
                int64_t win = int64_t{s.betCoins} * c.factor;
                if (step.fills && !prizes.empty()) win += prizes[box(random)];
                level = step.next;
                credits += win - s.betCoins;
                if (credits < s.betCoins) {
                    ruinSpins[session] = spin;
                    ++ruinedByStream[k];
                    break;
                }
            }
            balances[session] = credits;
        }
    });
    uint64_t ruinedSessions = 0;
    for (uint64_t ruined : ruinedByStream) ruinedSessions += ruined;
    std::sort(balances.begin(), balances.end());
    std::sort(ruinSpins.begin(), ruinSpins.end());

    SessionResult result;
    result.method = SessionResult::Method::Simulated;
    result.settings = s;
    const double n = static_cast<double>(s.sessions);
    result.ruin = static_cast<double>(ruinedSessions) / n;
    const double z2 = Z95 * Z95;
    const double centre = (result.ruin + z2 / (2 * n)) / (1 + z2 / n);
    const double half = Z95 / (1 + z2 / n) * std::sqrt(result.ruin * (1 - result.ruin) / n + z2 / (4 * n * n));
    result.ruinLow = std::max(0.0, centre - half);
    result.ruinHigh = std::min(1.0, centre + half);
    // The q-th value is the ceil(q n)-th smallest; its 95 % interval runs
    // between the order statistics q n -+ z sqrt(n q (1 - q)).
    auto rank = [&](double r) { return static_cast<size_t>(std::clamp(r, 1.0, n)) - 1; };
    auto spinsAt = [&](size_t i) { return ruinSpins[i] == UINT64_MAX ? std::nullopt : std::optional(ruinSpins[i]); };
    for (size_t k = 0; k < SessionPercentiles.size(); ++k) {
        const double q = SessionPercentiles[k];
        const double spread = Z95 * std::sqrt(n * q * (1 - q));
        result.balance[k] = {balances[rank(std::ceil(q * n))], false};
        result.balanceInterval[k] = {{balances[rank(std::floor(q * n - spread))], false},
                                     {balances[rank(std::ceil(q * n + spread))], false}};
        if (q == 0.5) {
            result.medianSpinsToRuin = spinsAt(rank(std::ceil(q * n)));
            result.medianInterval = {spinsAt(rank(std::floor(q * n - spread))),
                                     spinsAt(rank(std::ceil(q * n + spread)))};
        }
    }
    std::map<int64_t, uint64_t> counts;
    double sum = 0;
    for (int64_t balance : balances) {
        ++counts[balance];
        sum += static_cast<double>(balance);
    }
    result.meanBalance = sum / n;
    for (const auto& [balance, count] : counts)
        result.endBalances.emplace_back(balance, static_cast<double>(count) / n);
    result.seconds = SecondsSince(start);
    return result;
}

SessionResult AnalyseSessions(const SessionSettings& s, const CombinationTable& table)
{
    const SessionMoves moves = BuildSessionMoves(table, s.betCoins);
    if (const std::optional<ExactSessionPlan> plan = PlanExactSessions(s, moves))
        return SolveSessionsExactly(s, moves, *plan);
    return SimulateSessions(s, table);
}

ReportTable SessionTable(const SessionResult& r)
{
    const SessionSettings& s = r.settings;
    const bool simulated = r.method == SessionResult::Method::Simulated;
    ReportTable t;
    t.key = "sessions";
    t.title = "Sessions of at most " + std::to_string(s.spins) + " spins at " + std::to_string(s.betCoins) +
              (s.betCoins == 1 ? " coin" : " coins") + " from a bankroll of " + std::to_string(s.bankroll) + " credits";
    t.columns = {"figure", "value", "95 % low", "95 % high"};
    t.rows.push_back({"chance of ruin", Decimal(r.ruin, 6), simulated ? Decimal(r.ruinLow, 6) : "",
                      simulated ? Decimal(r.ruinHigh, 6) : ""});
    for (size_t k = 0; k < SessionPercentiles.size(); ++k) {
        t.rows.push_back({"balance at the end, percentile " + Decimal(SessionPercentiles[k] * 100, 0),
                          Shown(r.balance[k]), simulated ? Shown(r.balanceInterval[k].first) : "",
                          simulated ? Shown(r.balanceInterval[k].second) : ""});
    }
    t.rows.push_back({"mean balance at the end", Decimal(r.meanBalance, 2), "", ""});
    t.rows.push_back({"median spins to ruin", Spins(r.medianSpinsToRuin, s.spins),
                      simulated ? Spins(r.medianInterval.first, s.spins) : "",
                      simulated ? Spins(r.medianInterval.second, s.spins) : ""});
    t.notes = {
        "A session ends when the spins run out or when the credits fall below the bet (ruin: it cannot "
        "spin); a ruined session keeps its last balance. The meter starts empty; each spin's win is the "
        "pay table's and the bonus prize of a spin that fills the meter."};
    if (simulated) {
        t.notes.push_back(
            "Method: simulation of " + std::to_string(s.sessions) +
            " sessions on ideal reels (each stop combination and each box equally likely, drawn by a Mersenne "
            "twister seeded with " +
            std::to_string(s.seed) +
            (s.streams > 1 ? ", in " + std::to_string(s.streams) +
                                 " independent streams seeded from it as --simulate --threads " +
                                 std::to_string(s.streams) + " seeds them"
                           : ", in one stream") +
            "), because the exact method does not fit its budget; Wilson interval for the chance of ruin, "
            "order-statistic intervals for the percentiles. " +
            Decimal(r.seconds, 1) + " s.");
    } else {
        t.notes.push_back(
            "Method: exact, by dynamic programming over (credits, meter level) spin by spin on ideal "
            "reels; the number of sessions is not needed, nor --threads. " +
            Decimal(r.seconds, 1) + " s.");
        if (r.lumpFrom > 0) {
            t.notes.push_back("Balances of " + std::to_string(r.lumpFrom) +
                              " credits and more are kept together: from there the bet times the spins left "
                              "cannot ruin a session, so the chance of ruin, the spins to ruin and the mean "
                              "balance stay exact, but a percentile in that range is shown as 'at least'.");
        }
    }
    return t;
}

}  // namespace par
