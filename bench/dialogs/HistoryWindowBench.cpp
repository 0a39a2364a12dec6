// How long the history window takes to open on a history of a million
// spins: reading its count and newest page and filling the table, offscreen.
// Uses the history bench-store fills, under BENCH_HISTORY_DIR or /var/tmp.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "dialogs/HistoryWindow.h"

namespace {

void BM_OpenTheHistoryWindowOnAMillionSpins(benchmark::State& state)
{
    const char* dir = std::getenv("BENCH_HISTORY_DIR");
    const auto path =
        std::filesystem::path(dir && *dir ? dir : "/var/tmp") / "plumfizz-history-bench" / "filled-1000000.sqlite";
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("run bench-store first: it fills the history of a million spins");
        return;
    }
    for (auto _ : state) {
        dialogs::HistoryWindow window(path, true);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.Table.rowCount());
    }
}
BENCHMARK(BM_OpenTheHistoryWindowOnAMillionSpins)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
