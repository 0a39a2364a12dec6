// Setting a simulation's figures beside the sheet's.
#include "SimulationReport.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

namespace par {

namespace {

std::string Decimal(double value, int places)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(places);
    out << value;
    return out.str();
}

void AddRow(ReportTable& t, const std::string& name, double expected, double simulated, double error)
{
    t.rows.push_back({name, Decimal(expected, 8), Decimal(simulated, 8), Decimal(error, 8),
                      error > 0 ? Decimal((simulated - expected) / error, 2) : ""});
}

}  // namespace

ReportTable ComparisonTable(const SimulationRun& run, const ParSheet& sheet)
{
    const SimulationTotals& t = run.totals;
    const auto spins = static_cast<double>(t.spins);
    ReportTable table;
    table.key = "compared_with_sheet";
    table.title = "Compared with the PAR sheet";
    table.columns = {"figure", "sheet", "simulated", "standard error", "difference in standard errors"};
    if (t.spins == 0) return table;

    const double hit = ToDouble(sheet.hitFrequency);
    AddRow(table, "hit frequency", hit, static_cast<double>(t.winningSpins) / spins,
           std::sqrt(hit * (1 - hit) / spins));
    AddRow(table, "pay-table return per coin", ToDouble(sheet.baseReturn),
           static_cast<double>(t.baseWinnings) / static_cast<double>(t.totalBet),
           sheet.baseVolatility.standardDeviation / std::sqrt(spins));
    // The count of bonus games in n spins is a renewal count: its variance is
    // about n x variance / mean^3 of the spacing.
    // A meter that never fills has no spacing and no error: no bonus game at all.
    const double mean = ToDouble(sheet.spacing.mean);
    AddRow(table, "bonus games per spin", ToDouble(sheet.chain.bonusGamesPerSpin),
           static_cast<double>(t.bonusGames) / spins,
           mean > 0 ? std::sqrt(ToDouble(sheet.spacing.variance) / (mean * mean * mean) / spins) : 0.0);
    if (t.bonusGames > 0) {
        const engine::BonusPrizes& prizes = sheet.model.prizes;
        double square = 0;
        for (int32_t prize : prizes) square += static_cast<double>(prize) * prize;
        const double prize = ToDouble(sheet.prizeExpectation);
        const double prizeSd = std::sqrt(std::max(0.0, square / static_cast<double>(prizes.size()) - prize * prize));
        AddRow(table, "bonus prize", prize, static_cast<double>(t.bonusPrizes) / static_cast<double>(t.bonusGames),
               prizeSd / std::sqrt(static_cast<double>(t.bonusGames)));
    }
    const double total = static_cast<double>(t.baseWinnings + t.bonusPrizes) / static_cast<double>(t.totalBet);
    table.rows.push_back({"total return per coin", Decimal(ToDouble(sheet.totalReturn[run.betCoins - 1]), 8),
                          Decimal(total, 8), "", ""});
    table.notes = {
        std::string("Play model: ") +
        (run.model == PlayModel::Replay
             ? "--replay, nothing drawn between spins; this protocol runs ahead of the sheet by design (see the "
               "sheet's last section)."
             : "between spins 0 to 15 button-attention ticks, from a second generator seeded with the same seed; "
               "each tick without a win flash picks a button from the game's generator.") +
        (run.streamFinalSeeds.size() > 1 ? " Played as " + std::to_string(run.streamFinalSeeds.size()) +
                                               " independent streams, their totals summed."
                                         : std::string()) +
        " Differences beyond about three standard errors would point to a fault."};
    return table;
}

Report SimulationReport(const SimulationRun& run, const ParSheet& sheet)
{
    const SimulationTotals& t = run.totals;
    Report report;
    report.title = "Plumfizz Slots - simulation";
    ReportTable totals;
    totals.key = "totals";
    totals.title = "Totals";
    totals.columns = {"figure", "value"};
    totals.rows = {{"spins", std::to_string(t.spins)},
                   {"coins bet per spin", std::to_string(run.betCoins)},
                   {"seed", std::to_string(run.seed)},
                   {"play model", run.model == PlayModel::Replay ? "replay" : "attention pauses"}};
    const size_t streams = run.streamFinalSeeds.size();
    if (streams > 1) totals.rows.push_back({"streams", std::to_string(streams)});
    totals.rows.insert(totals.rows.end(), {{"total bet", std::to_string(t.totalBet)},
                                           {"base winnings", std::to_string(t.baseWinnings)},
                                           {"winning spins", std::to_string(t.winningSpins)},
                                           {"bonus games", std::to_string(t.bonusGames)},
                                           {"bonus prizes", std::to_string(t.bonusPrizes)}});
    if (streams > 1) {
        for (size_t k = 0; k < streams; ++k)
            totals.rows.push_back(
                {"final seed, stream " + std::to_string(k + 1), std::to_string(run.streamFinalSeeds[k])});
    } else {
        totals.rows.push_back({"final seed", std::to_string(t.finalSeed)});
    }
    totals.rows.push_back({"seconds", Decimal(run.seconds, 3)});
    report.tables.push_back(std::move(totals));
    report.tables.push_back(ComparisonTable(run, sheet));
    return report;
}

}  // namespace par
