// The analysis tool's command line: the PAR sheet by default, a simulation of N spins, the
// workbench figures, the generator's tests, or a model written out; each on the game's own
// model or one read with --model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Analysis.h"
#include "PlayModel.h"
#include "Report.h"

namespace par {

// The usage, one form of the command a line, as --help prints it.
inline constexpr const char* UsageText =
    "usage: plumfizz-par [--model FILE] [--exact] [--no-sweep] [--format text|csv|json]\n"
    "       plumfizz-par [--model FILE] --simulate N --bet B --seed S [--replay | --threads T]\n"
    "                    [--format text|csv|json]\n"
    "       plumfizz-par [--model FILE] [--returns] [--distribution] [--convergence]\n"
    "                    [--convergence-check RUNS] [--sessions N --spins M --bankroll C] [--plot DIR]\n"
    "                    [--bet B] [--seed S] [--threads T] [--exact] [--format text|csv|json]\n"
    "       plumfizz-par [--model FILE] --rng-tests [--seed S] [--format text|csv|json]\n"
    "       plumfizz-par [--model FILE] --export-model FILE\n"
    "       plumfizz-par --help | --version\n";
// The usage on the one line of a command-line error.
inline constexpr const char* UsageLine = "usage: plumfizz-par [OPTION]... (plumfizz-par --help lists the forms)";
inline constexpr uint64_t MaxSimulatedSpins = 10'000'000'000ULL;
inline constexpr uint64_t MaxThreads = 256;

struct Command {
    enum class Kind { Sheet, Simulate, Analysis, RngTests, ExportModel, Help, Version, Error };
    Kind kind = Kind::Sheet;
    uint64_t spins = 0;
    int32_t betCoins = 0;
    uint32_t seed = 0;
    PlayModel model = PlayModel::AttentionPauses;
    unsigned threads = 1;    // independent streams of a simulation
    std::string modelFile;   // --model; empty for the game's own model
    std::string exportFile;  // for Kind::ExportModel; "-" for standard output
    bool exact = false;      // the sheet's long fractions
    bool sweep = true;       // the sheet's sweep over every generator state
    Format format = Format::Text;
    std::string error;  // one line, for Kind::Error

    AnalysisRequest analysis;  // for Kind::Analysis, with betCoins, seed, threads and exact
};

// The arguments after the program name. No arguments print the sheet;
// "--simulate N --bet B --seed S" (in any order, each once) a simulation;
// any of the workbench options ("--returns", "--sessions N ...", "--plot DIR",
// see Analysis.h) one report of designer's figures; "--rng-tests [--seed S]"
// the generator's test battery; "--export-model FILE" writes the model.
// "--model FILE" goes with any of them; "--threads T" with a simulation and
// with the workbench options that simulate.
Command ParseArguments(const std::vector<std::string>& arguments);

}  // namespace par
