// plumfizz-par: the game's PAR sheet, computed from the rules themselves, a
// reproducible simulation of many spins through the real rules, the designer's
// workbench figures and the generator's randomness tests; or the same for
// another model read from a file.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "Analysis.h"
#include "Arguments.h"
#include "CombinationTable.h"
#include "ModelFile.h"
#include "ParSheet.h"
#include "RandomnessReport.h"
#include "SimulationReport.h"
#include "TableSimulation.h"

namespace {

constexpr const char* HelpText =
    "Without --simulate: print the PAR sheet, computed exactly from the reel strips, pay table and\n"
    "bonus meter rules, with the count over all 2^32 states of the game's generator beside the\n"
    "ideal-reel figures (about six seconds of each of two cores).\n"
    "  --exact            show the exact fractions instead of 8-place decimals\n"
    "  --no-sweep         leave out the generator sweep\n"
    "\n"
    "--simulate N --bet B --seed S: play N spins (1 to 10000000000) of B coins (1 to 5) with the\n"
    "game's generator seeded with S (0 to 4294967295), print the totals and set them beside the sheet.\n"
    "  Play model (default): as a person plays. Between spins the player waits 0 to 15 ticks of\n"
    "  the 200 ms button-attention timer, the number drawn from a second, independent generator\n"
    "  (a Mersenne twister seeded with S). On each tick, unless the last spin won and the win flash\n"
    "  is running, the table picks the button to light as the game does: Random(3) again and again\n"
    "  until it differs from the last pick, all from the game's generator.\n"
    "  --replay           draw nothing between spins: the earlier protocol, kept as the regression\n"
    "                     reference; it reproduces earlier figures to the spin but runs ahead of the\n"
    "                     sheet (after a bonus game the next spins are a fixed function of the last)\n"
    "  --threads T        play T independent streams (1 to 256, default 1) on T threads and sum their\n"
    "                     totals; the figures depend on T, never on the machine. Stream k (1..T) of\n"
    "                     T > 1 takes x = SplitMix64(S x 2^32 + k): the game's generator is seeded with\n"
    "                     the low 32 bits of x, the pause generator with the high 32 bits. --replay\n"
    "                     plays one stream only.\n"
    "  Both: credits never run short, a full meter opens the bonus game and its box is opened as the\n"
    "  Enter key opens it (one more Random(8)).\n"
    "\n"
    "The designer's workbench, any of these together in one report (on ideal reels, like the sheet):\n"
    "  --returns          the return per coin by source at each bet: each pay rule on the reels as drawn\n"
    "                     (nudges left out), what the Up and Down nudges add, and the bonus game\n"
    "  --distribution     one spin's total win in bands of the bet at each bet, with each band's share\n"
    "                     of the return and the largest win\n"
    "  --convergence      one spin's variance and the asymptotic variance over the bonus meter's chain,\n"
    "                     the 90/95/99 % intervals of the return after 10^2 to 10^9 spins at --bet B\n"
    "                     (default 5), and the spins to within 1 % with 95 % confidence\n"
    "  --convergence-check RUNS  also plays RUNS independent runs of 1000000 spins (the fast\n"
    "                     simulation, seeded with S, S + 1, ...; --seed S, default 1) and counts those\n"
    "                     inside each interval\n"
    "  --sessions N --spins M --bankroll C --bet B\n"
    "                     sessions of at most M spins of B coins from C credits: the chance of ruin\n"
    "                     (credits below the bet), percentiles of the end balance and the\n"
    "                     median spins to ruin; exact by dynamic programming when that fits, else N\n"
    "                     simulated sessions (--seed S) with 95 % intervals; the output says which\n"
    "  --plot DIR         write convergence-funnel.svg, win-distribution.svg and sessions.svg into DIR\n"
    "                     (created if missing) for --bet B; the funnel's five runs of ideal reels play\n"
    "                     10^9 spins each (a few seconds); the sessions plot uses the session options\n"
    "                     or 500 spins from 500 credits\n"
    "  --threads T        with --convergence-check, --sessions or --plot: each checked run is played as\n"
    "                     --simulate --threads T plays it, and simulated sessions are shared among T\n"
    "                     independent streams (default 1); the output says how many\n"
    "\n"
    "--rng-tests [--seed S]: put the game's generator through statistical tests of randomness\n"
    "  (chi-square, serial pairs and triples, gap, runs up and down, poker, coupon collector,\n"
    "  permutation, birthday spacings, close pairs in 2 to 5 dimensions) on its raw output and on\n"
    "  the draws the game makes, with p-values and a pass or fail at 99 %, and the exact spectral\n"
    "  test. Every test starts from seed S (default 2026); a few seconds.\n"
    "\n"
    "  --model FILE       work on the model in FILE instead of the game's own: the sheet, the sweep,\n"
    "                     simulations, the workbench and its plots alike (the tests of the generator's\n"
    "                     draws are the same for every model)\n"
    "  --export-model FILE  write the model (the game's own, or the one --model read) to FILE,\n"
    "                     '-' for standard output\n"
    "  --format F         text (default), csv or json, for the sheet, simulations, the workbench and\n"
    "                     the tests\n"
    "  --help, --version  this text; the version\n"
    "\n";

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A file name on the one error line: control characters shown as '?'.
std::string Shown(const std::string& name)
{
    std::string shown = name;
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return shown;
}

// Exit status 2 with one line, for a model that cannot be used.
struct ModelRefused {
    std::string message;
};

par::SlotModel LoadModel(const std::string& file)
{
    if (file.empty()) return par::DefaultModel();
    // Any file that can be read is read, a device or a FIFO too: the reader
    // stops at its bounds. A directory opens but cannot be read.
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        throw ModelRefused{"cannot read " + Shown(file) + ": " + std::strerror(EISDIR)};
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ModelRefused{"cannot read " + Shown(file) + ": " + std::strerror(errno)};
    try {
        return par::ReadModel(in);
    } catch (const par::ModelError& error) {
        throw ModelRefused{Shown(file) + ": " + error.what()};
    }
}

void ExportModel(const par::SlotModel& model, const std::string& file)
{
    if (file == "-") {
        par::WriteModel(model, std::cout);
        return;
    }
    // Written beside the file and renamed over it, so that a failed write
    // leaves an earlier file as it was.
    const std::string partial = file + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (out) par::WriteModel(model, out);
        out.close();
        if (!out) {
            std::remove(partial.c_str());
            throw std::runtime_error("cannot write " + Shown(file));
        }
    }
    if (std::rename(partial.c_str(), file.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(partial.c_str());
        throw std::runtime_error("cannot write " + Shown(file) + ": " + reason);
    }
}

void PrintSheet(const par::Command& command, const par::CombinationTable& table)
{
    const par::ParSheet sheet = par::ComputeParSheet(table);
    par::SweepResult sweep;
    par::SheetOptions options;
    options.exact = command.exact;
    if (command.sweep) {
        sweep.threads = std::max(1u, std::thread::hardware_concurrency());
        const auto start = std::chrono::steady_clock::now();
        sweep.counts = par::SweepGeneratorStates(0, par::AllGeneratorStates, sweep.threads);
        sweep.seconds = SecondsSince(start);
        options.sweep = &sweep;
    }
    par::WriteReport(par::SheetReport(sheet, options), command.format, std::cout);
}

void Simulate(const par::Command& command, const par::CombinationTable& table)
{
    par::SimulationRun run;
    run.betCoins = command.betCoins;
    run.seed = command.seed;
    run.model = command.model;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<par::SimulationTotals> streams =
        par::SimulateStreams(table, command.betCoins, command.seed, command.model, command.spins, command.threads);
    run.seconds = SecondsSince(start);
    run.totals = par::SumOfStreams(streams);
    if (streams.size() > 1) {
        for (const par::SimulationTotals& stream : streams) run.streamFinalSeeds.push_back(stream.finalSeed);
    }

    const par::ParSheet sheet = par::ComputeParSheet(table);
    if (command.format == par::Format::Text) {
        par::PrintSimulation(run.totals, run.seconds, std::cout, run.streamFinalSeeds);
        std::cout << '\n';
        par::WriteTextTable(par::ComparisonTable(run, sheet), std::cout);
    } else {
        par::WriteReport(par::SimulationReport(run, sheet), command.format, std::cout);
    }
}

void RngTests(const par::Command& command)
{
    par::Report report = par::RandomnessReport(command.seed);
    if (!command.modelFile.empty()) {
        // Read all the same, so that a malformed model is refused here as everywhere.
        LoadModel(command.modelFile);
        report.notes.push_back(
            "The model read from " + Shown(command.modelFile) +
            " leaves these figures as they are: every model has 30 stops a reel and eight boxes, and the draws "
            "tested are the game's generator's.");
    }
    par::WriteReport(report, command.format, std::cout);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const par::Command command = par::ParseArguments(arguments);

    try {
        switch (command.kind) {
        case par::Command::Kind::Error:
            std::cerr << "plumfizz-par: " << command.error << "; " << par::UsageLine << '\n';
            return 2;
        case par::Command::Kind::Help: std::cout << par::UsageText << '\n' << HelpText << par::ModelFormatHelp; break;
        case par::Command::Kind::Version: std::cout << "plumfizz-par " << PLUMFIZZ_VERSION << '\n'; break;
        case par::Command::Kind::ExportModel: ExportModel(LoadModel(command.modelFile), command.exportFile); break;
        case par::Command::Kind::Sheet:
            PrintSheet(command, par::BuildCombinationTable(LoadModel(command.modelFile)));
            break;
        case par::Command::Kind::Simulate:
            Simulate(command, par::BuildCombinationTable(LoadModel(command.modelFile)));
            break;
        case par::Command::Kind::Analysis:
            par::RunAnalysis({command.analysis, command.betCoins, command.seed, command.threads, command.exact},
                             par::BuildCombinationTable(LoadModel(command.modelFile)), command.format, std::cout);
            break;
        case par::Command::Kind::RngTests: RngTests(command); break;
        }
    } catch (const ModelRefused& refused) {
        std::cerr << "plumfizz-par: " << refused.message << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "plumfizz-par: " << error.what() << '\n';
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
