// Spins per second of the simulations: the engine's through the real rules
// and a silent host, and the table-driven one that plumfizz-par runs, bonus
// games included at their natural rate.
#include <benchmark/benchmark.h>

#include "MeterChain.h"
#include "Simulation.h"
#include "TableSimulation.h"
#include "VectorShuffle.h"
#include "engine/BonusMeter.h"
#include "engine/Random.h"

namespace {

void SimulatedSpin(benchmark::State& state)
{
    par::Simulator simulator(static_cast<int32_t>(state.range(0)), 12345u);
    for (auto _ : state) simulator.PlaySpin();
    const par::SimulationTotals totals = simulator.Totals();
    benchmark::DoNotOptimize(totals.finalSeed);
    state.SetItemsProcessed(state.iterations());
    state.counters["bonus_games_per_1000_spins"] =
        totals.spins == 0 ? 0.0 : 1000.0 * static_cast<double>(totals.bonusGames) / static_cast<double>(totals.spins);
}
BENCHMARK(SimulatedSpin)->DenseRange(1, 5)->ArgName("coins");

// plumfizz-par's simulation, in batches of a million spins, under the replay
// protocol (0) and the default attention pauses (1).
void TableSimulatedSpins(benchmark::State& state)
{
    const auto model = state.range(1) == 0 ? par::PlayModel::Replay : par::PlayModel::AttentionPauses;
    par::TableSimulator simulator(par::DefaultCombinations(), static_cast<int32_t>(state.range(0)), 12345u, model);
    constexpr uint64_t batch = 1000000;
    for (auto _ : state) simulator.PlaySpins(batch);
    benchmark::DoNotOptimize(simulator.Totals().finalSeed);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(batch));
}
BENCHMARK(TableSimulatedSpins)
    ->ArgsProduct({{1, 5}, {0, 1}})
    ->ArgNames({"coins", "pauses"})
    ->Unit(benchmark::kMillisecond);

// The shuffle of a bonus game (8008 draws and swaps), both ways.
void BonusShuffle(benchmark::State& state)
{
    engine::Random random(1);
    engine::BonusPrizes prizes = engine::BonusPrizeFill;
    const bool vectorized = state.range(0) != 0;
    for (auto _ : state) {
        if (!vectorized || !par::ShuffleBonusPrizesVectorized(random, prizes)) {
            engine::ShuffleBonusPrizes(random, prizes);
        }
        benchmark::DoNotOptimize(prizes);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BonusShuffle)->Arg(0)->Arg(1)->ArgName("vectorized");

// The exact meter chain of the PAR sheet.
void MeterChainSolve(benchmark::State& state)
{
    const par::MeterOutcomes outcomes = par::CountMeterOutcomes(par::DefaultCombinations());
    for (auto _ : state) benchmark::DoNotOptimize(par::SolveMeterChain(outcomes));
}
BENCHMARK(MeterChainSolve)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
