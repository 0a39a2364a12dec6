// How long keeping one spin in the game history takes (one transaction,
// write-ahead log, full synchronisation), on an empty history and on one of
// a million spins; what the history window reads when it opens; how fast the
// history is written out as CSV. The
// database lives under BENCH_HISTORY_DIR, or /var/tmp, on a real disk.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "store/GameHistory.h"

namespace {

std::filesystem::path Folder()
{
    const char* dir = std::getenv("BENCH_HISTORY_DIR");
    return std::filesystem::path(dir && *dir ? dir : "/var/tmp") / "plumfizz-history-bench";
}

store::HistoryEntry Spin(int32_t spins)
{
    store::HistoryEntry entry;
    entry.game = "CurrentGame";
    entry.bet = 5;
    entry.stops = {3, 9, 13};
    entry.nudges = "- - -";
    entry.creditsBefore = 1000;
    entry.creditsAfter = 995;
    entry.spins = spins;
    return entry;
}

// A history of `spins` spins, filled in one transaction.
std::filesystem::path Filled(int64_t spins)
{
    const auto path = Folder() / ("filled-" + std::to_string(spins) + ".sqlite");
    if (std::filesystem::exists(path)) return path;
    std::filesystem::create_directories(path.parent_path());
    auto history = store::GameHistory::OpenForWriting(path);
    history.reset();
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO history (time, kind, game, bet, stop1, stop2, stop3, win, credits_before,"
                       " credits_after, borrowed, total_bets, spins) VALUES"
                       " ('2026-12-07T00:00:00.000Z', 'spin', 'CurrentGame', 5, 3, 9, 13, 0, 1000, 995, 1000, 5, ?)",
                       -1, &insert, nullptr);
    for (int64_t spin = 0; spin < spins; ++spin) {
        sqlite3_bind_int64(insert, 1, spin);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

void AppendSpin(benchmark::State& state, const std::filesystem::path& path)
{
    auto history = store::GameHistory::OpenForWriting(path);
    int32_t spins = 0;
    for (auto _ : state) history->Append(Spin(++spins));
}

void BM_AppendSpinToAnEmptyHistory(benchmark::State& state)
{
    const auto path = Folder() / "empty.sqlite";
    std::filesystem::create_directories(path.parent_path());
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path.string() + suffix);
    AppendSpin(state, path);
}
BENCHMARK(BM_AppendSpinToAnEmptyHistory)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_AppendSpinToAMillionSpins(benchmark::State& state)
{
    AppendSpin(state, Filled(1'000'000));
}
BENCHMARK(BM_AppendSpinToAMillionSpins)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// Opening trims the oldest spins beyond the limit: at start-up, not in a spin.
void BM_OpenAMillionSpins(benchmark::State& state)
{
    const auto path = Filled(1'000'000);
    for (auto _ : state) benchmark::DoNotOptimize(store::GameHistory::OpenForWriting(path));
}
BENCHMARK(BM_OpenAMillionSpins)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

// What the history window reads when it opens: the count and the newest page.
void BM_FirstPageOfAMillionSpins(benchmark::State& state)
{
    const auto path = Filled(1'000'000);
    for (auto _ : state) {
        const auto history = store::GameHistory::OpenForReading(path);
        benchmark::DoNotOptimize(history->EntryCount());
        benchmark::DoNotOptimize(history->Newest(50));
    }
}
BENCHMARK(BM_FirstPageOfAMillionSpins)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

void BM_WriteAMillionSpinsAsCsv(benchmark::State& state)
{
    const auto history = store::GameHistory::OpenForReading(Filled(1'000'000));
    for (auto _ : state) {
        std::ostringstream out;
        history->WriteCsv(out);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_WriteAMillionSpinsAsCsv)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
