// The analysis tool's fast paths held to the plain rules: the table of stop combinations against
// whole spins, the table simulation against the engine's, and the generator sweep against the
// game's own draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "CombinationTable.h"
#include "GeneratorSweep.h"
#include "ParSheet.h"
#include "PlayModel.h"
#include "SilentHost.h"
#include "Simulation.h"
#include "SpinFigures.h"
#include "TableSimulation.h"
#include "VectorShuffle.h"
#include "engine/Game.h"
#include "engine/Outcomes.h"

namespace {

// Hands the game chosen stops instead of drawn ones.
class ChosenStops final : public engine::DrawnOutcomes {
public:
    engine::ReelStops next{};
    void NextStops(engine::Random&, int32_t, engine::ReelStops& stops, engine::MotionOffsets& offsets) override
    {
        stops = next;
        offsets = {};
    }
};

TEST(CombinationTable, EveryCombinationAsAWholeSpinPlaysIt)
{
    engine::GameState state;
    engine::Random random(1);
    par::SilentHost host(random);
    ChosenStops chosen;
    engine::Game game(state, random, host, chosen);
    state.SpinInProgress = false;

    const par::CombinationTable& table = par::DefaultCombinations();
    for (size_t i = 0; i < table.size(); ++i) {
        const engine::ReelStops drawn = par::DrawnStops(i);
        ASSERT_EQ(par::CombinationIndex(drawn[0], drawn[1], drawn[2]), i);
        // A meter at 5 shows a Reset (back to 0) apart from points (up to 11).
        state.Credits = 5;
        state.LastBet = 5;
        state.BonusPts = 5;
        chosen.next = drawn;
        game.Spin(nullptr);

        const par::CombinationOutcome& c = table[i];
        const engine::ReelStops& resting = game.Stops();
        ASSERT_EQ((engine::ReelStops{c.restingStops[0], c.restingStops[1], c.restingStops[2]}), resting) << i;
        ASSERT_EQ(state.Credits, 5 * c.factor) << i;
        ASSERT_EQ(state.BonusPts, c.reset ? 0 : 5 + c.bonusPoints) << i;
        ASSERT_EQ(c.Rule(), engine::MatchPayRule(engine::ReadPayline(resting))) << i;
    }
}

TEST(CombinationTable, CountsGiveTheSheetsFigures)
{
    const par::ParSheet sheet = par::ComputeParSheet(par::DefaultCombinations());
    const par::SpinFigures ideal = par::IdealSpinFigures(par::DefaultCombinations());
    for (size_t rule = 0; rule < sheet.rules.size(); ++rule)
        EXPECT_EQ(ideal.rules[rule], sheet.rules[rule].combinations);
    EXPECT_EQ(ideal.Chance(ideal.paidPerCoin), par::Fraction(par::BigInt(3664), par::BigInt(3375)));
    EXPECT_EQ(ideal.resets, sheet.meter.resets);
    EXPECT_EQ(ideal.points, sheet.meter.points);
    EXPECT_THROW(par::CountSpinFigures(par::DefaultCombinations(), std::vector<uint64_t>(10, 1)),
                 std::invalid_argument);
}

TEST(TableSimulation, SameTotalsAsTheEngineUnderBothPlayModels)
{
    for (par::PlayModel model : {par::PlayModel::Replay, par::PlayModel::AttentionPauses}) {
        for (int32_t bet : {1, 5}) {
            const uint32_t seed = 777u * static_cast<uint32_t>(bet);
            par::Simulator plain(bet, seed, model);
            par::TableSimulator fast(par::DefaultCombinations(), bet, seed, model);
            plain.PlaySpins(40000);
            fast.PlaySpins(15000);
            fast.PlaySpins(25000);
            const par::SimulationTotals totals = fast.Totals();
            EXPECT_EQ(totals, plain.Totals()) << "bet " << bet;
            EXPECT_GT(totals.bonusGames, 0u);
        }
    }
}

TEST(TableSimulation, PlainerPathsGiveTheSameFigures)
{
    // The engine's simulation without vector instructions is the reference:
    // the game's own shuffle, pauses drawn one by one. Each level of the fast
    // paths must give its figures to the spin.
    par::LimitVectorLevel(par::VectorLevel::None);
    par::Simulator plain(2, 4242, par::PlayModel::AttentionPauses);
    plain.PlaySpins(30000);
    for (par::VectorLevel level : {par::VectorLevel::None, par::VectorLevel::Sse41, par::VectorLevel::Avx2}) {
        par::LimitVectorLevel(level);
        par::TableSimulator fast(par::DefaultCombinations(), 2, 4242, par::PlayModel::AttentionPauses);
        fast.PlaySpins(30000);
        EXPECT_EQ(fast.Totals(), plain.Totals()) << static_cast<int>(level);
    }
    par::LimitVectorLevel(par::VectorLevel::Avx2);
    EXPECT_GT(plain.Totals().bonusGames, 100u);
}

TEST(TableSimulation, ReplayKeepsTheReferenceFigures)
{
    par::TableSimulator replay(par::DefaultCombinations(), 5, 42, par::PlayModel::Replay);
    replay.PlaySpins(1000000);
    EXPECT_EQ(replay.Totals().baseWinnings, 5328045u);
    EXPECT_EQ(replay.Totals().finalSeed, 3944210322u);

    // The attention model draws between spins, so the same seed plays other spins.
    par::TableSimulator played(par::DefaultCombinations(), 5, 42, par::PlayModel::AttentionPauses);
    played.PlaySpins(1000);
    par::TableSimulator replayed(par::DefaultCombinations(), 5, 42, par::PlayModel::Replay);
    replayed.PlaySpins(1000);
    EXPECT_NE(played.Totals().finalSeed, replayed.Totals().finalSeed);
}

TEST(AttentionPauses, PicksAsTheTableDoesAndNothingUnderAWinFlash)
{
    par::AttentionPauses pauses(99);
    engine::Random game(12345);
    pauses.Wait(game, true);
    EXPECT_EQ(game.Seed(), 12345u);  // the win flash draws nothing

    // The same pauses replayed tick by tick as the table picks its button.
    std::mt19937 ticks(99);
    ticks();  // the pause spent under the win flash
    engine::Random expected(12345);
    int32_t last = 0;
    // Past three refills of the pause generator's 624 numbers.
    for (int pause = 0; pause < 2000; ++pause) {
        const uint32_t count = static_cast<uint32_t>(ticks()) >> 28;
        for (uint32_t tick = 0; tick < count; ++tick) {
            int32_t pick = expected(3);
            while (pick == last) pick = expected(3);
            last = pick;
        }
        pauses.Wait(game, false);
        ASSERT_EQ(game.Seed(), expected.Seed()) << pause;
    }
}

TEST(GeneratorSweep, CountsTheCombinationsTheGameDraws)
{
    // A stretch across the top of the seeds, which wraps to 0.
    const uint64_t first = par::AllGeneratorStates - 3000;
    const par::SweepCounts counts = par::SweepGeneratorStates(first, 9000, 3);
    std::vector<uint64_t> expected(static_cast<size_t>(par::StopCombinations), 0);
    for (uint64_t i = 0; i < 9000; ++i) {
        engine::Random random(static_cast<uint32_t>(first + i));
        engine::ReelStops stops{};
        engine::MotionOffsets offsets{};
        engine::ChooseStops(random, 456, stops, offsets);
        ++expected[par::CombinationIndex(stops[0], stops[1], stops[2])];
    }
    EXPECT_EQ(counts.states, 9000u);
    EXPECT_EQ(counts.combinations, expected);
    EXPECT_THROW(par::SweepGeneratorStates(0, par::AllGeneratorStates + 1, 2), std::invalid_argument);
}

}  // namespace
