// Spins per second of the simulation that plumfizz-par runs: the real rules,
// a silent host, bonus games included at their natural rate.
#include <benchmark/benchmark.h>

#include "MeterChain.h"
#include "Simulation.h"
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
    const par::MeterOutcomes outcomes = par::CountMeterOutcomes();
    for (auto _ : state) benchmark::DoNotOptimize(par::SolveMeterChain(outcomes));
}
BENCHMARK(MeterChainSolve)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
