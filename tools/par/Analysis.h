// The designer's workbench beside the sheet: where the return comes from, the win distribution,
// convergence, sessions and ruin, and their plots, as one report.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "CombinationTable.h"
#include "Report.h"

namespace par {

struct AnalysisRequest {
    bool returns = false;                      // --returns
    bool distribution = false;                 // --distribution
    bool convergence = false;                  // --convergence
    std::optional<uint64_t> convergenceRuns;   // --convergence-check RUNS (implies --convergence)
    std::optional<uint64_t> sessions;          // --sessions N
    std::optional<uint64_t> spins;             // --spins M
    std::optional<uint64_t> bankroll;          // --bankroll B
    std::optional<std::string> plotDirectory;  // --plot DIR

    bool Any() const
    {
        return returns || distribution || convergence || convergenceRuns || sessions || spins || bankroll ||
               plotDirectory;
    }
};

// What --plot draws when no session is given, and the bet of the
// convergence intervals and plots without --bet.
inline constexpr int32_t DefaultAnalysisBet = 5;
inline constexpr uint64_t DefaultPlotSessions = 10'000;
inline constexpr uint64_t DefaultPlotSpins = 500;
inline constexpr uint64_t DefaultPlotBankroll = 500;
inline constexpr uint64_t ConvergenceCheckSpins = 1'000'000;
inline constexpr uint64_t MaxSessionSpins = 100'000'000;
inline constexpr uint64_t MaxSessions = 10'000'000;  // the simulation keeps every end balance
inline constexpr uint64_t MaxBankroll = 1'000'000'000'000ULL;
inline constexpr uint64_t MaxConvergenceRuns = 100'000;

struct AnalysisSettings {
    AnalysisRequest request;
    int32_t betCoins = DefaultAnalysisBet;
    uint32_t seed = 1;
    unsigned threads = 1;  // independent streams of the convergence check's runs and of simulated sessions
    bool exact = false;
};

// Computes what the request asks for on the table's model, writes the plots,
// and writes the report. Throws std::runtime_error when a plot cannot be
// written.
void RunAnalysis(const AnalysisSettings& settings, const CombinationTable& table, Format format, std::ostream& out);

}  // namespace par
