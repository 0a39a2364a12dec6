// Sessions and ruin: a player with a bankroll spins a fixed bet until the spins run out or the
// credits fall below the bet; the chance of ruin, the balance at the end and the spins to ruin,
// exact by dynamic programming over (credits, meter level) where that fits, by simulation otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "CombinationTable.h"
#include "Report.h"

namespace par {

struct SessionSettings {
    uint64_t sessions = 0;  // for the simulation
    uint64_t spins = 0;     // at most, per session
    int64_t bankroll = 0;   // credits at the start; the meter starts empty
    int32_t betCoins = 1;   // credits per spin
    uint32_t seed = 0;      // of the simulation
    unsigned streams = 1;   // independent streams the simulated sessions are shared among
};

// One spin from a meter level, grouped: the win in credits, the next level
// and the chance.
struct SessionMove {
    int64_t win = 0;
    int next = 0;
    double chance = 0;
};
using SessionMoves = std::vector<std::vector<SessionMove>>;  // by meter level

// By the table's model: its meter levels, and its boxes for a spin that
// fills the meter.
SessionMoves BuildSessionMoves(const CombinationTable& table, int32_t coins);

inline constexpr std::array<double, 5> SessionPercentiles{0.05, 0.25, 0.50, 0.75, 0.95};

// A balance or a spin count, with "at least" when it lies in the exact
// method's lump of high balances.
struct SessionValue {
    int64_t value = 0;
    bool atLeast = false;
};

struct SessionResult {
    enum class Method { Exact, Simulated };
    Method method = Method::Exact;
    SessionSettings settings;
    double ruin = 0;                   // chance of ruin within the spins
    double ruinLow = 0, ruinHigh = 0;  // 95 % Wilson interval (simulated)
    std::array<SessionValue, SessionPercentiles.size()> balance{};
    std::array<std::pair<SessionValue, SessionValue>, SessionPercentiles.size()> balanceInterval{};  // simulated
    std::optional<uint64_t> medianSpinsToRuin;                                   // none: more than the spins
    std::pair<std::optional<uint64_t>, std::optional<uint64_t>> medianInterval;  // simulated
    double meanBalance = 0;
    // The exact method keeps balances of lumpFrom and more as one lump: from
    // there no session can be ruined within the spins.
    int64_t lumpFrom = 0;  // 0: no lump
    // The end balances with their chances (simulated: each session 1 / N),
    // ascending; the lump as its first balance.
    std::vector<std::pair<int64_t, double>> endBalances;
    double seconds = 0;
};

// The exact method's size: credit values kept and multiply-adds, or none
// when it exceeds the budget.
struct ExactSessionPlan {
    int64_t lowest = 0;    // no session goes below: the bankroll less the bet times the spins
    int64_t credits = 0;   // balances lowest .. lowest + credits - 1 kept
    int64_t lumpFrom = 0;  // 0: every reachable balance kept
    double work = 0;
};
std::optional<ExactSessionPlan> PlanExactSessions(const SessionSettings& settings, const SessionMoves& moves);

SessionResult SolveSessionsExactly(const SessionSettings& settings, const SessionMoves& moves,
                                   const ExactSessionPlan& plan);

// Ideal reels: each stop combination equally likely and each of the model's
// boxes, drawn by a 64-bit Mersenne twister. One stream plays every session
// from the settings' seed; of several, stream k (1..streams) plays its share
// (the first streams one session more where they do not divide evenly) on a
// thread of its own, seeded with the two halves of SeedsOfStream(seed, k,
// streams), the game's seed the low half. The same settings give the same
// figures whatever the machine.
SessionResult SimulateSessions(const SessionSettings& settings, const CombinationTable& table);

// Exact where the plan fits, simulated otherwise.
SessionResult AnalyseSessions(const SessionSettings& settings, const CombinationTable& table);

ReportTable SessionTable(const SessionResult& result);

}  // namespace par
