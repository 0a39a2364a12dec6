// The analysis tool: the PAR sheet's figures and volatility, the simulation against an independent
// replay, its printed totals, the report writers and the command line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "ParSheet.h"
#include "RandomnessReport.h"
#include "Simulation.h"
#include "engine/BonusMeter.h"
#include "engine/PayTable.h"
#include "engine/Random.h"
#include "engine/Reels.h"

namespace {

using par::BigInt;
using par::Command;
using par::Fraction;

TEST(ParSheet, FiguresAddUp)
{
    const par::ParSheet sheet = par::ComputeParSheet(par::DefaultCombinations());
    int64_t winning = 0;
    Fraction ret(0);
    for (const par::RuleFigures& r : sheet.rules) {
        winning += r.combinations;
        ret += Fraction(BigInt(r.combinations * r.factor), BigInt(27000));
        EXPECT_GT(r.combinations, 0) << engine::PayRuleDescription(r.rule);
    }
    EXPECT_EQ(sheet.winningCombinations, winning);
    EXPECT_EQ(sheet.hitFrequency, Fraction(BigInt(winning), BigInt(27000)));
    EXPECT_EQ(sheet.baseReturn, ret);
    EXPECT_EQ(sheet.baseReturn, Fraction(BigInt(3664), BigInt(3375)));
    // One stop combination shows symbol 0 three times.
    EXPECT_EQ(sheet.rules[0].combinations, 1);
    EXPECT_EQ(sheet.prizeExpectation, Fraction(BigInt(485), BigInt(8)));
    for (int coins = 1; coins <= 5; ++coins) {
        EXPECT_EQ(sheet.totalReturn[coins - 1],
                  sheet.baseReturn + sheet.chain.bonusGamesPerSpin * Fraction(BigInt(485), BigInt(8 * coins)));
    }
    EXPECT_EQ(sheet.reels[2].nudgedDown, 4);
    EXPECT_EQ(sheet.reels[1].blanks, 9);

    std::ostringstream out;
    par::SheetOptions exact;
    exact.exact = true;
    par::PrintParSheet(sheet, out, exact);
    EXPECT_NE(out.str().find("3664/3375"), std::string::npos);
    EXPECT_NE(out.str().find("485/8"), std::string::npos);

    // Without --exact: decimals, and no long fractions.
    std::ostringstream decimals;
    par::PrintParSheet(sheet, decimals);
    EXPECT_NE(decimals.str().find("1.08562963"), std::string::npos);
    EXPECT_EQ(decimals.str().find("3664/3375"), std::string::npos);
}

TEST(ParSheet, VolatilityAgreesWithTheReturns)
{
    const par::ParSheet sheet = par::ComputeParSheet(par::DefaultCombinations());
    EXPECT_EQ(sheet.baseVolatility.meanPerCoin, sheet.baseReturn);
    EXPECT_EQ(sheet.baseVolatility.largestWin, 1500);
    // Only three plums reach 500 times the bet.
    EXPECT_EQ(sheet.baseVolatility.atLeast[2], Fraction(BigInt(1), BigInt(27000)));
    for (int coins = 1; coins <= 5; ++coins) {
        const par::VolatilityFigures& v = sheet.volatility[coins - 1];
        EXPECT_EQ(v.meanPerCoin, sheet.totalReturn[coins - 1]) << coins;
        EXPECT_GT(v.variancePerCoin, sheet.baseVolatility.variancePerCoin) << coins;
        EXPECT_EQ(v.largestWin, 1500 * coins);
        Fraction total(0);
        for (const auto& [win, chance] : par::WinDistributionWithBonus(par::DefaultCombinations(), coins, sheet.chain))
            total += chance;
        EXPECT_EQ(total, Fraction(1));
    }
    // A bonus game every so many spins, on average.
    EXPECT_EQ(sheet.spacing.mean, sheet.chain.meanSpinsBetweenBonusGames);
    EXPECT_GT(sheet.spacing.variance, Fraction(0));
}

TEST(Report, CsvAndJsonKeepEveryCellIntact)
{
    par::Report report;
    report.title = "T";
    par::ReportTable table;
    table.key = "k";
    table.title = "a, \"quoted\" title";
    table.columns = {"name", "value"};
    table.rows = {{"line\nbreak", "1.50"}, {"bell\a", "007"}, {"minus", "-2"}};
    report.tables.push_back(table);

    std::ostringstream csv;
    par::WriteReport(report, par::Format::Csv, csv);
    EXPECT_NE(csv.str().find("\"a, \"\"quoted\"\" title\"\r\n"), std::string::npos) << csv.str();
    EXPECT_NE(csv.str().find("\"line\nbreak\",1.50\r\n"), std::string::npos) << csv.str();

    std::ostringstream json;
    par::WriteReport(report, par::Format::Json, json);
    // Numbers as numbers, but not one JSON would refuse (a leading zero).
    EXPECT_NE(json.str().find("[\"line\\nbreak\", 1.50]"), std::string::npos) << json.str();
    EXPECT_NE(json.str().find("[\"bell\\u0007\", \"007\"]"), std::string::npos) << json.str();
    EXPECT_NE(json.str().find("[\"minus\", -2]"), std::string::npos) << json.str();
    EXPECT_FALSE(par::IsPlainNumber("1."));
    EXPECT_FALSE(par::IsPlainNumber("-"));
    EXPECT_TRUE(par::IsPlainNumber("0.5"));
}

// A replay of the simulation protocol written from its description, using
// only the tables and the generator: the engine and its silent host must
// produce exactly these totals.
par::SimulationTotals Replay(uint64_t spins, int32_t bet, uint32_t seed)
{
    engine::Random random(seed);
    par::SimulationTotals t;
    int32_t meter = 0;
    for (uint64_t i = 0; i < spins; ++i) {
        engine::ReelStops stops{};
        for (int reel = 0; reel < 3; ++reel) {
            random(456);
            stops[reel] = engine::NudgedStop(reel, random(30) + 1);
        }
        if (engine::ResetOnPayline(stops))
            meter = 0;
        else
            meter = std::min(meter + engine::PaylineBonusPoints(stops), 12);
        const int32_t win = bet * engine::PayFactor(engine::MatchPayRule(engine::ReadPayline(stops)));
        ++t.spins;
        t.totalBet += static_cast<uint64_t>(bet);
        t.baseWinnings += static_cast<uint64_t>(win);
        t.winningSpins += win > 0 ? 1 : 0;
        if (meter == 12) {
            engine::BonusPrizes prizes = engine::BonusPrizeFill;
            for (int pass = 0; pass < 1001; ++pass) {
                for (int k = 0; k < 8; ++k)
                    std::swap(prizes[static_cast<size_t>(k)], prizes[static_cast<size_t>(random(8))]);
            }
            ++t.bonusGames;
            t.bonusPrizes += static_cast<uint64_t>(prizes[static_cast<size_t>(random(8))]);
            meter = 0;
        }
    }
    t.finalSeed = random.Seed();
    return t;
}

TEST(Simulation, MatchesAnIndependentReplay)
{
    for (int32_t bet : {1, 4}) {
        par::Simulator simulator(bet, 20240601u + static_cast<uint32_t>(bet));
        simulator.PlaySpins(30000);
        const par::SimulationTotals totals = simulator.Totals();
        EXPECT_EQ(totals, Replay(30000, bet, 20240601u + static_cast<uint32_t>(bet)));
        EXPECT_GT(totals.bonusGames, 0u);
        EXPECT_EQ(totals.totalBet, 30000u * static_cast<uint64_t>(bet));
    }
}

TEST(Simulation, ReproducibleForASeed)
{
    par::Simulator a(3, 99);
    par::Simulator b(3, 99);
    par::Simulator c(3, 100);
    a.PlaySpins(5000);
    b.PlaySpins(2000);
    b.PlaySpins(3000);
    c.PlaySpins(5000);
    EXPECT_EQ(a.Totals(), b.Totals());
    EXPECT_NE(a.Totals(), c.Totals());
}

TEST(Simulation, PrintsPlainIntegersInOrder)
{
    par::SimulationTotals t;
    t.spins = 10000000000ULL;
    t.totalBet = 50000000000ULL;
    t.baseWinnings = 54281481481ULL;
    t.winningSpins = 3130000000ULL;
    t.bonusGames = 86277623ULL;
    t.bonusPrizes = 5230580893ULL;
    t.finalSeed = 4294967295u;
    std::ostringstream out;
    par::PrintSimulation(t, 2.0, out);
    EXPECT_EQ(out.str(),
              "spins: 10000000000\n"
              "total bet: 50000000000\n"
              "base winnings: 54281481481\n"
              "winning spins: 3130000000\n"
              "bonus games: 86277623\n"
              "bonus prizes: 5230580893\n"
              "final seed: 4294967295\n"
              "total return: 1.190241\n"
              "spins per second: 5000000000\n");
}

Command Parse(std::vector<std::string> args)
{
    return par::ParseArguments(args);
}

TEST(Arguments, SheetSimulationAndHelp)
{
    EXPECT_EQ(Parse({}).kind, Command::Kind::Sheet);
    EXPECT_EQ(Parse({"--help"}).kind, Command::Kind::Help);

    const Command c = Parse({"--seed", "4294967295", "--simulate", "10000000000", "--bet", "5"});
    ASSERT_EQ(c.kind, Command::Kind::Simulate) << c.error;
    EXPECT_EQ(c.spins, 10000000000ULL);
    EXPECT_EQ(c.betCoins, 5);
    EXPECT_EQ(c.seed, 4294967295u);

    const Command one = Parse({"--simulate", "1", "--bet", "1", "--seed", "007", "--replay", "--format", "json"});
    ASSERT_EQ(one.kind, Command::Kind::Simulate) << one.error;
    EXPECT_EQ(one.spins, 1u);
    EXPECT_EQ(one.seed, 7u);
    EXPECT_EQ(one.model, par::PlayModel::Replay);
    EXPECT_EQ(one.format, par::Format::Json);
    EXPECT_EQ(c.model, par::PlayModel::AttentionPauses);

    const Command sheet = Parse({"--format", "csv", "--exact", "--no-sweep"});
    ASSERT_EQ(sheet.kind, Command::Kind::Sheet) << sheet.error;
    EXPECT_TRUE(sheet.exact);
    EXPECT_FALSE(sheet.sweep);
    EXPECT_EQ(sheet.format, par::Format::Csv);
    EXPECT_EQ(Parse({"--version"}).kind, Command::Kind::Version);
}

// The workbench and the randomness tests are separate modes: each keeps its
// own defaults, and neither takes the other's options in either order.
TEST(Arguments, WorkbenchAndRandomnessTestsApart)
{
    const Command tests = Parse({"--rng-tests"});
    ASSERT_EQ(tests.kind, Command::Kind::RngTests) << tests.error;
    EXPECT_EQ(tests.seed, par::DefaultRandomnessSeed);
    const Command seeded = Parse({"--seed", "7", "--format", "json", "--rng-tests"});
    ASSERT_EQ(seeded.kind, Command::Kind::RngTests) << seeded.error;
    EXPECT_EQ(seeded.seed, 7u);
    EXPECT_EQ(seeded.format, par::Format::Json);

    const Command bench = Parse({"--convergence-check", "3", "--returns", "--seed", "9", "--exact"});
    ASSERT_EQ(bench.kind, Command::Kind::Analysis) << bench.error;
    EXPECT_EQ(bench.betCoins, par::DefaultAnalysisBet);
    EXPECT_EQ(bench.seed, 9u);
    EXPECT_TRUE(bench.exact && bench.analysis.returns);
    EXPECT_EQ(bench.analysis.convergenceRuns, 3u);

    for (const std::vector<std::string>& mixed : std::vector<std::vector<std::string>>{
             {"--rng-tests", "--returns"},
             {"--distribution", "--rng-tests"},
             {"--plot", "d", "--rng-tests"},
             {"--rng-tests", "--sessions", "9", "--spins", "9", "--bankroll", "9", "--bet", "1"}}) {
        const Command c = Parse(mixed);
        EXPECT_EQ(c.kind, Command::Kind::Error) << mixed[0];
        EXPECT_NE(c.error.find("--rng-tests"), std::string::npos) << c.error;
    }
}

TEST(Arguments, BadOnesAreRefusedOnOneLine)
{
    const std::vector<std::vector<std::string>> bad{
        {"--simulate"},
        {"--simulate", "100"},
        {"--simulate", "100", "--bet", "1"},
        {"--simulate", "100", "--seed", "1"},
        {"--bet", "1", "--seed", "1"},
        {"--simulate", "-5", "--bet", "1", "--seed", "1"},
        {"--simulate", "abc", "--bet", "1", "--seed", "1"},
        {"--simulate", "1e6", "--bet", "1", "--seed", "1"},
        {"--simulate", "", "--bet", "1", "--seed", "1"},
        {"--simulate", "10000000001", "--bet", "1", "--seed", "1"},
        {"--simulate", "99999999999999999999999", "--bet", "1", "--seed", "1"},
        {"--simulate", "100", "--bet", "0", "--seed", "1"},
        {"--simulate", "100", "--bet", "6", "--seed", "1"},
        {"--simulate", "100", "--bet", "+3", "--seed", "1"},
        {"--simulate", "100", "--bet", "1", "--seed", "4294967296"},
        {"--simulate", "100", "--bet", "1", "--seed", "-1"},
        {"--simulate", "100", "--simulate", "100", "--bet", "1", "--seed", "1"},
        {"--simulate", "100", "--bet", "1", "--seed", "1", "extra"},
        {"--sheet"},
        {"--help", "--simulate", "1"},
        {"--simulate", "1\n2", "--bet", "1", "--seed", "1"},
        {"--simulate", "0", "--bet", "1", "--seed", "1"},
        {"--format", "xml"},
        {"--format"},
        {"--exact", "--exact"},
        {"--replay"},
        {"--simulate", "10", "--bet", "1", "--seed", "1", "--exact"},
        {"--version", "--exact"},
    };
    for (const auto& args : bad) {
        const Command c = Parse(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(c.kind, Command::Kind::Error) << joined;
        EXPECT_FALSE(c.error.empty()) << joined;
        EXPECT_EQ(c.error.find('\n'), std::string::npos) << joined;
    }
}

}  // namespace
