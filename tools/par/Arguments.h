// The analysis tool's command line: the PAR sheet by default, or a simulation of N spins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PlayModel.h"
#include "Report.h"

namespace par {

inline constexpr const char* UsageLine =
    "usage: plumfizz-par [--model FILE] [--exact] [--no-sweep] [--format text|csv|json] | [--model FILE] --simulate N "
    "--bet B --seed S [--replay | --threads T] [--format text|csv|json] | [--model FILE] --export-model FILE | --help "
    "| "
    "--version";
inline constexpr uint64_t MaxSimulatedSpins = 10'000'000'000ULL;
inline constexpr uint64_t MaxThreads = 256;

struct Command {
    enum class Kind { Sheet, Simulate, ExportModel, Help, Version, Error };
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
};

// The arguments after the program name. No arguments print the sheet;
// "--simulate N --bet B --seed S" (in any order, each once) a simulation;
// "--export-model FILE" writes the model. "--model FILE" goes with any of them.
Command ParseArguments(const std::vector<std::string>& arguments);

}  // namespace par
