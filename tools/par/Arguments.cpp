// Reading the analysis tool's command line: whole numbers in range, each option once, and errors
// on one short line.
#include "Arguments.h"

#include <optional>

#include "RandomnessReport.h"

namespace par {

namespace {

// Plain decimal digits only: no sign, no spaces, no exponent.
std::optional<uint64_t> ParseWhole(const std::string& text, uint64_t max)
{
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (digit > max || value > (max - digit) / 10) return std::nullopt;  // value × 10 + digit > max
        value = value * 10 + digit;
    }
    return value;
}

// Keeps an echoed argument on one short line.
std::string Quote(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        if (shown.size() >= 40) {
            shown += "...";
            break;
        }
        const auto u = static_cast<unsigned char>(c);
        shown.push_back(u < 0x20 || u == 0x7f ? '?' : c);
    }
    return "\"" + shown + "\"";
}

Command Fail(std::string message)
{
    Command command;
    command.kind = Command::Kind::Error;
    command.error = std::move(message);
    return command;
}

std::optional<Format> ParseFormat(const std::string& text)
{
    if (text == "text") return Format::Text;
    if (text == "csv") return Format::Csv;
    if (text == "json") return Format::Json;
    return std::nullopt;
}

constexpr const char* ThreadsGoWith = "--threads goes with --simulate, --convergence-check, --sessions or --plot";

// The workbench options together: a session needs its spins, bankroll and
// bet, and a bankroll that can pay the first spin; threads need a simulation.
Command AnalysisCommand(const AnalysisRequest& analysis, const std::optional<uint64_t>& simulate,
                        const std::optional<uint64_t>& bet, const std::optional<uint64_t>& seed,
                        const std::optional<uint64_t>& threads, bool sheetOrReplay, Command command)
{
    if (simulate) return Fail("--simulate goes alone, not with the analysis options");
    if (sheetOrReplay) return Fail("--replay and --no-sweep do not go with the analysis options");
    if (threads && !(analysis.convergenceRuns || analysis.sessions || analysis.plotDirectory))
        return Fail(ThreadsGoWith);
    const bool sessionPart = analysis.sessions || analysis.spins || analysis.bankroll;
    if (sessionPart && !(analysis.sessions && analysis.spins && analysis.bankroll))
        return Fail("--sessions, --spins and --bankroll go together");
    if (analysis.sessions && !bet) return Fail("--sessions needs --bet");
    const uint64_t coins = bet.value_or(DefaultAnalysisBet);
    if (analysis.bankroll && *analysis.bankroll < coins)
        return Fail("--bankroll must be at least the bet (" + std::to_string(coins) + " credits)");
    command.kind = Command::Kind::Analysis;
    command.analysis = analysis;
    command.betCoins = static_cast<int32_t>(coins);
    command.seed = static_cast<uint32_t>(seed.value_or(1));
    command.threads = static_cast<unsigned>(threads.value_or(1));
    return command;
}

}  // namespace

Command ParseArguments(const std::vector<std::string>& arguments)
{
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        Command command;
        command.kind = Command::Kind::Help;
        return command;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        Command command;
        command.kind = Command::Kind::Version;
        return command;
    }

    std::optional<uint64_t> spins;
    std::optional<uint64_t> bet;
    std::optional<uint64_t> seed;
    std::optional<Format> format;
    bool replay = false;
    bool exact = false;
    bool noSweep = false;
    bool rngTests = false;
    std::optional<uint64_t> threads;
    std::optional<std::string> modelFile;
    std::optional<std::string> exportFile;
    AnalysisRequest analysis;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--replay" || option == "--exact" || option == "--no-sweep" || option == "--rng-tests") {
            bool& flag = option == "--replay"     ? replay
                         : option == "--exact"    ? exact
                         : option == "--no-sweep" ? noSweep
                                                  : rngTests;
            if (flag) return Fail(option + " given twice");
            flag = true;
            continue;
        }
        if (option == "--returns" || option == "--distribution" || option == "--convergence") {
            bool& flag = option == "--returns"        ? analysis.returns
                         : option == "--distribution" ? analysis.distribution
                                                      : analysis.convergence;
            if (flag) return Fail(option + " given twice");
            flag = true;
            continue;
        }
        if (option == "--plot") {
            if (analysis.plotDirectory) return Fail(option + " given twice");
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) return Fail(option + " needs a directory");
            analysis.plotDirectory = arguments[++i];
            continue;
        }
        if (option == "--model" || option == "--export-model") {
            std::optional<std::string>& file = option == "--model" ? modelFile : exportFile;
            if (file) return Fail(option + " given twice");
            if (i + 1 == arguments.size()) return Fail(option + " needs a file name");
            file = arguments[++i];
            if (file->empty()) return Fail(option + " needs a file name, not an empty one");
            continue;
        }
        if (option == "--format") {
            if (format) return Fail(option + " given twice");
            if (i + 1 == arguments.size()) return Fail(option + " needs a value");
            format = ParseFormat(arguments[++i]);
            if (!format) return Fail("--format must be text, csv or json, not " + Quote(arguments[i]));
            continue;
        }
        if (option == "--help" || option == "-h" || option == "--version") {
            return Fail(option + " goes alone");
        }
        std::optional<uint64_t>* target = nullptr;
        uint64_t min = 0;
        uint64_t max = 0;
        const char* name = "";
        if (option == "--simulate") {
            target = &spins, min = 1, max = MaxSimulatedSpins, name = "N";
        } else if (option == "--bet") {
            target = &bet, min = 1, max = 5, name = "B";
        } else if (option == "--seed") {
            target = &seed, min = 0, max = UINT32_MAX, name = "S";
        } else if (option == "--threads") {
            target = &threads, min = 1, max = MaxThreads, name = "T";
        } else if (option == "--sessions") {
            target = &analysis.sessions, min = 1, max = MaxSessions, name = "N";
        } else if (option == "--spins") {
            target = &analysis.spins, min = 1, max = MaxSessionSpins, name = "M";
        } else if (option == "--bankroll") {
            target = &analysis.bankroll, min = 1, max = MaxBankroll, name = "C";
        } else if (option == "--convergence-check") {
            target = &analysis.convergenceRuns, min = 1, max = MaxConvergenceRuns, name = "RUNS";
        } else {
            return Fail("unknown argument " + Quote(option));
        }
        if (target->has_value()) return Fail(option + " given twice");
        if (i + 1 == arguments.size()) return Fail(option + " needs a value");
        const std::string& text = arguments[++i];
        const std::optional<uint64_t> value = ParseWhole(text, max);
        if (!value || *value < min) {
            return Fail(std::string(name) + " must be a whole number from " + std::to_string(min) + " to " +
                        std::to_string(max) + ", not " + Quote(text));
        }
        *target = value;
    }

    Command command;
    command.format = format.value_or(Format::Text);
    command.modelFile = modelFile.value_or("");
    if (exportFile) {
        if (spins || bet || seed || threads || replay || exact || noSweep || format || rngTests || analysis.Any())
            return Fail("--export-model goes alone or with --model");
        command.kind = Command::Kind::ExportModel;
        command.exportFile = *exportFile;
        return command;
    }
    if (rngTests) {
        if (spins || bet || threads || replay || exact || noSweep || analysis.Any())
            return Fail("--rng-tests takes only --seed, --model and --format");
        command.kind = Command::Kind::RngTests;
        command.seed = static_cast<uint32_t>(seed.value_or(DefaultRandomnessSeed));
        return command;
    }
    command.exact = exact;
    if (analysis.Any()) return AnalysisCommand(analysis, spins, bet, seed, threads, replay || noSweep, command);
    if (!spins) {
        if (bet) return Fail("--bet goes with --simulate or the analysis options");
        if (seed) return Fail("--seed goes with --simulate, --rng-tests or the analysis options");
        if (replay) return Fail("--replay goes with --simulate");
        if (threads) return Fail(ThreadsGoWith);
        command.sweep = !noSweep;
        return command;
    }
    if (exact || noSweep)
        return Fail(std::string(exact ? "--exact" : "--no-sweep") + " goes with the sheet, not with --simulate");
    if (!bet) return Fail("--simulate needs --bet");
    if (!seed) return Fail("--simulate needs --seed");
    if (replay && threads.value_or(1) > 1) return Fail("--replay plays one stream, so it takes no --threads above 1");

    command.kind = Command::Kind::Simulate;
    command.spins = *spins;
    command.betCoins = static_cast<int32_t>(*bet);
    command.seed = static_cast<uint32_t>(*seed);
    command.model = replay ? PlayModel::Replay : PlayModel::AttentionPauses;
    command.threads = static_cast<unsigned>(threads.value_or(1));
    return command;
}

}  // namespace par
