// The analysis tool's other models: the model file written and read back, its faults found at
// their lines, small models whose figures can be worked out by hand, and independent streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <streambuf>
#include <string>

#include "Arguments.h"
#include "CombinationTable.h"
#include "ModelFile.h"
#include "ModelLines.h"
#include "ParSheet.h"
#include "TableSimulation.h"

namespace {

using par::BigInt;
using par::Fraction;

std::string Written(const par::SlotModel& model)
{
    std::ostringstream out;
    par::WriteModel(model, out);
    return out.str();
}

par::SlotModel Read(const std::string& text)
{
    std::istringstream in(text);
    return par::ReadModel(in);
}

// The model file with the first line equal to from replaced by to.
std::string Replaced(const std::string& text, const std::string& from, const std::string& to)
{
    const size_t at = text.find("\n" + from + "\n");
    if (at == std::string::npos) throw std::invalid_argument("no line " + from);
    return text.substr(0, at + 1) + to + text.substr(at + 1 + from.size());
}

// Every position the same symbol and form.
par::SlotModel Uniform(int8_t symbol, par::Form form)
{
    par::SlotModel model = par::DefaultModel();
    for (auto& strip : model.strips) strip.fill(par::StripPosition{symbol, form});
    return model;
}

TEST(ModelFile, TheGamesModelRoundTripsToTheSameSheet)
{
    const std::string text = Written(par::DefaultModel());
    const par::SlotModel read = Read(text);
    EXPECT_EQ(read, par::DefaultModel());
    EXPECT_EQ(Written(read), text);

    std::ostringstream fromEngine;
    std::ostringstream fromFile;
    par::PrintParSheet(par::ComputeParSheet(par::DefaultCombinations()), fromEngine);
    par::PrintParSheet(par::ComputeParSheet(par::BuildCombinationTable(read)), fromFile);
    EXPECT_EQ(fromFile.str(), fromEngine.str());
}

TEST(ModelFile, FaultsAreFoundAtTheirLines)
{
    const std::string text = Written(par::DefaultModel());
    struct Case {
        std::string file;
        int line;
        std::string says;
    };
    // Line 3 is the header; reel 1 starts at line 10, its position p at 10 + p.
    const Case cases[] = {
        {"", 1, "file ends"},
        {Replaced(text, "plumfizz-par-model 1", "plumfizz-par-model 2"), 3, "version"},
        {Replaced(text, "23 plum", "23 cherry"), 33, "unknown symbol 'cherry'"},
        {Replaced(text, "21 single-bar bonus", "21 single-bar wild"), 31, "unknown form 'wild'"},
        {Replaced(text, "2 blank", "2 blank up"), 12, "takes no form"},
        {Replaced(text, "17 seven", "18 seven"), 27, "expected position 17 of reel 1"},
        {Replaced(text, "reel 2", "reel 3"), 41, "expected 'reel 2'"},
        {Replaced(text, "meter-full 12", "meter-full 25"), 118, "from 1 to 24"},
        {Replaced(text, "reset empties", "reset sometimes"), 119, "empties or keeps"},
        {Replaced(text, "prizes 250 100 50 50 25 10 0 0", "prizes 250 100 50 50 25 10 0"), 127, "incomplete"},
        {Replaced(text, "prizes 250 100 50 50 25 10 0 0", "prizes 250 100 50 50 25 10 0 0 0"), 127, "'0' after"},
        {text + "\nmore\n", 129, "after the prizes"},
        {Replaced(text, "bonus-points seven 0", "bonus-points seven x"), 121, "whole number"},
        // The one Bonus symbol left sits below a Down symbol: it never reaches the payline.
        {Replaced(Replaced(Replaced(Replaced(Replaced(Replaced(text, "5 triple-bar bonus", "5 triple-bar"),
                                                      "13 double-bar bonus", "13 double-bar"),
                                             "25 single-bar bonus", "25 single-bar"),
                                    "3 double-bar bonus", "3 double-bar"),
                           "27 single-bar bonus", "27 single-bar"),
                  "20 blank", "20 plum down"),
         31, "never fills"},
    };
    for (const Case& c : cases) {
        try {
            Read(c.file);
            ADD_FAILURE() << "accepted, expected line " << c.line << ": " << c.says;
        } catch (const par::ModelError& error) {
            EXPECT_EQ(error.Line(), c.line) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
            EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
        }
    }
}

// A stream of a few bytes, then one byte without end; it counts what is taken
// from it and ends (failing the read) far past any bound the reader keeps.
class EndlessBytes : public std::streambuf {
public:
    EndlessBytes(std::string prefix, char byte) : prefix_(std::move(prefix))
    {
        chunk_.fill(byte);
        setg(prefix_.data(), prefix_.data(), prefix_.data() + prefix_.size());
    }
    uint64_t Taken() const { return taken_; }

protected:
    int_type underflow() override
    {
        if (taken_ >= (uint64_t(16) << 20)) return traits_type::eof();
        taken_ += chunk_.size();
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type(chunk_[0]);
    }

private:
    std::string prefix_;
    std::array<char, 4096> chunk_{};
    uint64_t taken_ = 0;
};

int RefusedAtLine(const std::string& text, const std::string& says)
{
    try {
        Read(text);
    } catch (const par::ModelError& error) {
        EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << error.what();
        return error.Line();
    }
    ADD_FAILURE() << "accepted, expected: " << says;
    return 0;
}

TEST(ModelFile, LineEndsAndAByteOrderMarkReadAlike)
{
    const std::string text = Written(par::DefaultModel());
    std::string cr = text;
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& variant : {"\xEF\xBB\xBF" + text, cr, crlf, "\xEF\xBB\xBF" + crlf}) {
        EXPECT_EQ(Read(variant), par::DefaultModel());
        // Faults are still found at their lines.
        const std::string eol = variant.find('\n') != std::string::npos ? "\n" : "\r";
        std::string cut = variant.substr(0, variant.find("15 single-bar"));
        EXPECT_EQ(RefusedAtLine(cut + "15 cherry" + eol, "unknown symbol"), 25);
    }
    // A byte-order mark anywhere but at the start is not plain text.
    EXPECT_EQ(RefusedAtLine(text + "\xEF\xBB\xBF\n", "not plain text"), 128);
}

TEST(ModelFile, TheEndOfTheFileIsNamedAtItsLastLine)
{
    const std::string text = Written(par::DefaultModel());
    const std::string head = text.substr(0, text.find("reel 2\n"));  // lines 1 to 40
    EXPECT_EQ(RefusedAtLine(head, "ends where 'reel 2'"), 40);
    EXPECT_EQ(RefusedAtLine(head + "# more to come\n\n  \n", "ends where 'reel 2'"), 43);
    EXPECT_EQ(RefusedAtLine(head + "# no line end", "ends where 'reel 2'"), 41);
    EXPECT_EQ(RefusedAtLine("\n\n", "ends where the first line"), 2);
}

TEST(ModelFile, ReadsInBoundsFromAnyStream)
{
    const std::string text = Written(par::DefaultModel());
    // A line of exactly the limit is taken; one character more is refused at its line.
    const std::string comment = "#" + std::string(par::MaxModelLineBytes - 1, 'x') + "\n";
    EXPECT_EQ(Read(comment + text), par::DefaultModel());
    EXPECT_EQ(RefusedAtLine(text.substr(0, 30) + "\n#" + comment, "longer than 4096"), 2);
    // A file of exactly the limit is taken; one byte more is refused at the line it falls in.
    const std::string filler = "#" + std::string(999, 'y') + "\n";
    std::string padded = text;
    while (padded.size() + filler.size() + 3 <= par::MaxModelFileBytes) padded += filler;
    padded += "#" + std::string(par::MaxModelFileBytes - padded.size() - 3, 'z') + "\n";
    ASSERT_EQ(padded.size(), par::MaxModelFileBytes - 1);
    EXPECT_EQ(Read(padded + "\n"), par::DefaultModel());
    const int lines = static_cast<int>(std::count(padded.begin(), padded.end(), '\n'));
    EXPECT_EQ(RefusedAtLine(padded + "\n\n", "past 1 MB"), lines + 2);
    EXPECT_EQ(RefusedAtLine(padded + "#z", "past 1 MB"), lines + 1);

    // Endless streams stop within a few chunks of the bound that refuses them.
    struct Endless {
        std::string prefix;
        char byte;
        int line;
        std::string says;
        uint64_t most;
    };
    for (const Endless& e :
         {Endless{"", '\0', 1, "not plain text", 65536}, Endless{"#", 'x', 1, "longer than 4096", 65536},
          Endless{"plumfizz-par-model 1\nreel 1\n1 ", 'x', 3, "longer than 4096", 65536},
          Endless{"", '\n', (1 << 20) + 1, "past 1 MB", (1 << 20) + 65536}}) {
        EndlessBytes bytes(e.prefix, e.byte);
        std::istream in(&bytes);
        try {
            par::ReadModel(in);
            ADD_FAILURE() << "accepted: " << e.says;
        } catch (const par::ModelError& error) {
            EXPECT_EQ(error.Line(), e.line) << error.what();
            EXPECT_NE(std::string(error.what()).find(e.says), std::string::npos) << error.what();
        }
        EXPECT_LE(bytes.Taken(), e.most) << e.says;
    }
}

TEST(SlotModel, OneSymbolEverywhereWinsEverySpin)
{
    // Plums on every stop: every spin shows three plums and pays 1500 a coin; no bonus ever.
    const par::CombinationTable table = par::BuildCombinationTable(Uniform(0, par::Form::Plain));
    const par::ParSheet sheet = par::ComputeParSheet(table);
    EXPECT_EQ(sheet.rules[0].combinations, 27000);
    EXPECT_EQ(sheet.hitFrequency, Fraction(1));
    EXPECT_EQ(sheet.baseReturn, Fraction(1500));
    EXPECT_TRUE(sheet.chain.bonusGamesPerSpin.IsZero());
    EXPECT_EQ(sheet.totalReturn[4], Fraction(1500));
    EXPECT_TRUE(sheet.volatility[0].variancePerCoin.IsZero());

    par::TableSimulator simulator(table, 3, 7, par::PlayModel::AttentionPauses);
    simulator.PlaySpins(1000);
    EXPECT_EQ(simulator.Totals().baseWinnings, 1000u * 3 * 1500);
    EXPECT_EQ(simulator.Totals().winningSpins, 1000u);
    EXPECT_EQ(simulator.Totals().bonusGames, 0u);
}

TEST(SlotModel, MeterFilledEveryOtherSpin)
{
    // Single-bar Bonus symbols everywhere, 1 point each: 3 points a spin, and
    // a meter of 4 fills on every second spin (0, 3, full). Only the first
    // box holds a prize, 8: one credit a box on average.
    par::SlotModel model = Uniform(4, par::Form::Bonus);
    model.meterFull = 4;
    model.bonusPoints = {0, 0, 0, 0, 1};
    model.prizes = {8, 0, 0, 0, 0, 0, 0, 0};
    const par::CombinationTable table = par::BuildCombinationTable(model);
    const par::ParSheet sheet = par::ComputeParSheet(table);
    EXPECT_EQ(sheet.baseReturn, Fraction(5));
    EXPECT_EQ(sheet.chain.bonusGamesPerSpin, Fraction(BigInt(1), BigInt(2)));
    EXPECT_EQ(sheet.spacing.mean, Fraction(2));
    EXPECT_TRUE(sheet.spacing.variance.IsZero());
    EXPECT_EQ(sheet.prizeExpectation, Fraction(1));
    EXPECT_EQ(sheet.totalReturn[0], Fraction(BigInt(11), BigInt(2)));            // 5 + 1/2
    EXPECT_EQ(sheet.totalReturn[4], Fraction(BigInt(51), BigInt(10)));           // 5 + 1/10
    EXPECT_EQ(sheet.bonusGamesAfterAWin, Fraction(1));                           // every spin pays
    EXPECT_EQ(sheet.volatility[0].atLeast[0], Fraction(BigInt(1), BigInt(16)));  // 5 + 8 >= 10: half, 1 box in 8

    par::TableSimulator simulator(table, 1, 99, par::PlayModel::Replay);
    simulator.PlaySpins(1000);
    EXPECT_EQ(simulator.Totals().bonusGames, 500u);
    EXPECT_EQ(simulator.Totals().baseWinnings, 5000u);
}

TEST(SlotModel, WithoutBonusSymbolsTheBonusAddsNothing)
{
    par::SlotModel model = par::DefaultModel();
    for (auto& strip : model.strips) {
        for (par::StripPosition& p : strip) {
            if (p.form == par::Form::Bonus) p.form = par::Form::Plain;
        }
    }
    const par::ParSheet sheet = par::ComputeParSheet(par::BuildCombinationTable(model));
    EXPECT_EQ(sheet.baseReturn, Fraction(BigInt(3664), BigInt(3375)));  // the pay table is untouched
    EXPECT_TRUE(sheet.meter.NeverFills());
    for (int coins = 1; coins <= 5; ++coins) {
        EXPECT_EQ(sheet.totalReturn[coins - 1], sheet.baseReturn);
        EXPECT_EQ(sheet.volatility[coins - 1].variancePerCoin, sheet.baseVolatility.variancePerCoin);
    }
    EXPECT_NO_THROW(Read(Written(model)));  // no bonus at all is a model, not a fault
}

TEST(Streams, OneIsThePlainRunAndSeveralAreIndependent)
{
    const par::CombinationTable& table = par::DefaultCombinations();
    par::TableSimulator plain(table, 2, 42, par::PlayModel::AttentionPauses);
    plain.PlaySpins(20001);
    const auto one = par::SimulateStreams(table, 2, 42, par::PlayModel::AttentionPauses, 20001, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], plain.Totals());

    const auto two = par::SimulateStreams(table, 2, 42, par::PlayModel::AttentionPauses, 20001, 2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].spins, 10001u);
    EXPECT_EQ(two[1].spins, 10000u);
    EXPECT_EQ(par::SumOfStreams(two).spins, 20001u);
    for (unsigned k = 0; k < 2; ++k) {
        const par::StreamSeeds seeds = par::SeedsOfStream(42, k + 1, 2);
        EXPECT_NE(seeds.game, 42u);
        par::TableSimulator stream(table, 2, seeds.game, seeds.pauses, par::PlayModel::AttentionPauses);
        stream.PlaySpins(two[k].spins);
        EXPECT_EQ(stream.Totals(), two[k]) << k;
    }
    EXPECT_NE(two[0].finalSeed, two[1].finalSeed);
}

TEST(Arguments, ModelsAndThreads)
{
    const par::Command sheet = par::ParseArguments({"--model", "m.txt", "--exact"});
    ASSERT_EQ(sheet.kind, par::Command::Kind::Sheet) << sheet.error;
    EXPECT_EQ(sheet.modelFile, "m.txt");
    const par::Command exported = par::ParseArguments({"--export-model", "-", "--model", "m.txt"});
    ASSERT_EQ(exported.kind, par::Command::Kind::ExportModel) << exported.error;
    EXPECT_EQ(exported.exportFile, "-");
    const par::Command threads =
        par::ParseArguments({"--simulate", "9", "--bet", "1", "--seed", "1", "--threads", "2"});
    ASSERT_EQ(threads.kind, par::Command::Kind::Simulate) << threads.error;
    EXPECT_EQ(threads.threads, 2u);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--simulate", "9", "--bet", "1", "--seed", "1", "--threads", "2", "--replay"},
             {"--simulate", "9", "--bet", "1", "--seed", "1", "--threads", "0"},
             {"--threads", "2"},
             {"--export-model", "x", "--simulate", "9", "--bet", "1", "--seed", "1"},
             {"--model", ""},
             {"--model", "a", "--model", "b"}}) {
        EXPECT_EQ(par::ParseArguments(bad).kind, par::Command::Kind::Error) << bad[0] << " " << bad.back();
    }
}

TEST(Arguments, ModelsAndThreadsWithTheWorkbenchAndTheTests)
{
    const par::Command bench = par::ParseArguments({"--returns", "--model", "m.txt"});
    ASSERT_EQ(bench.kind, par::Command::Kind::Analysis) << bench.error;
    EXPECT_EQ(bench.modelFile, "m.txt");
    EXPECT_EQ(bench.threads, 1u);
    const par::Command tests = par::ParseArguments({"--model", "m.txt", "--rng-tests"});
    ASSERT_EQ(tests.kind, par::Command::Kind::RngTests) << tests.error;
    EXPECT_EQ(tests.modelFile, "m.txt");
    for (const std::vector<std::string>& simulating : std::vector<std::vector<std::string>>{
             {"--convergence-check", "2", "--threads", "3"},
             {"--threads", "3", "--sessions", "9", "--spins", "9", "--bankroll", "9", "--bet", "1"},
             {"--plot", "d", "--threads", "3", "--returns"}}) {
        const par::Command c = par::ParseArguments(simulating);
        ASSERT_EQ(c.kind, par::Command::Kind::Analysis) << c.error;
        EXPECT_EQ(c.threads, 3u);
    }
    // Threads where nothing is simulated, and a model written out beside other work.
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--returns", "--convergence", "--threads", "2"},
                                               {"--rng-tests", "--threads", "2"},
                                               {"--export-model", "x", "--returns"},
                                               {"--export-model", "x", "--rng-tests"}}) {
        const par::Command c = par::ParseArguments(bad);
        EXPECT_EQ(c.kind, par::Command::Kind::Error) << bad[0] << " " << bad.back();
        EXPECT_EQ(c.error.find('\n'), std::string::npos);
    }
}

}  // namespace
