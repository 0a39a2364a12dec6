// The analysis tool's command line: the PAR sheet by default, a simulation of N spins, the
// workbench figures or the generator's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Analysis.h"
#include "PlayModel.h"
#include "Report.h"

namespace par {

inline constexpr const char* UsageLine =
    "usage: plumfizz-par [--exact] [--no-sweep] [--format text|csv|json] | --simulate N --bet B --seed S [--replay] "
    "[--format text|csv|json] | [--returns] [--distribution] [--convergence] [--convergence-check RUNS] "
    "[--sessions N --spins M --bankroll C] [--plot DIR] [--bet B] [--seed S] [--exact] [--format text|csv|json] | "
    "--rng-tests [--seed S] [--format text|csv|json] | --help | --version";
inline constexpr uint64_t MaxSimulatedSpins = 10'000'000'000ULL;

struct Command {
    enum class Kind { Sheet, Simulate, Analysis, RngTests, Help, Version, Error };
    Kind kind = Kind::Sheet;
    uint64_t spins = 0;
    int32_t betCoins = 0;
    uint32_t seed = 0;
    PlayModel model = PlayModel::AttentionPauses;
    bool exact = false;  // the sheet's long fractions
    bool sweep = true;   // the sheet's sweep over every generator state
    Format format = Format::Text;
    std::string error;  // one line, for Kind::Error

    AnalysisRequest analysis;  // for Kind::Analysis, with betCoins, seed and exact
};

// The arguments after the program name. No arguments print the sheet;
// "--simulate N --bet B --seed S" (in any order, each once) a simulation;
// any of the workbench options ("--returns", "--sessions N ...", "--plot DIR",
// see Analysis.h) one report of designer's figures; "--rng-tests [--seed S]"
// the generator's test battery.
Command ParseArguments(const std::vector<std::string>& arguments);

}  // namespace par
