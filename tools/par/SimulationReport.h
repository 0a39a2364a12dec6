// A simulation's totals beside what the PAR sheet expects of them, in standard errors.
#pragma once

#include <cstdint>
#include <vector>

#include "ParSheet.h"
#include "PlayModel.h"
#include "Report.h"
#include "Simulation.h"

namespace par {

struct SimulationRun {
    SimulationTotals totals;
    int32_t betCoins = 1;
    uint32_t seed = 0;
    PlayModel model = PlayModel::AttentionPauses;
    double seconds = 0;
    // Of a run of several streams, each one's final seed; the totals are their sums.
    std::vector<uint32_t> streamFinalSeeds;
};

// One row per figure: the sheet's value, the simulation's, the standard
// error of the simulation's figure and the difference in standard errors.
ReportTable ComparisonTable(const SimulationRun& run, const ParSheet& sheet);

// The totals as a table, then the comparison, for CSV and JSON.
Report SimulationReport(const SimulationRun& run, const ParSheet& sheet);

}  // namespace par
