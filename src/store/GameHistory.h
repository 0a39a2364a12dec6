// The game history: every spin, bonus game and money event of the player's
// games, kept in an SQLite database beside the player's data.
#pragma once

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace store {

enum class HistoryKind { Spin, Bonus, Borrow, PayBack, NewGame, OpenGame };

// "spin", "bonus", "borrow", "pay back", "new game", "open game".
const char* HistoryKindName(HistoryKind kind);

// One entry. Credits are the player's money: Credits with any coins on the
// table, so that each entry's credits before are the credits after of the
// entry before it.
struct HistoryEntry {
    HistoryKind kind = HistoryKind::Spin;
    std::string game;  // the running game's name
    // A spin: its bet, the stops drawn, the payline after the nudges, the
    // nudges ("-", "D", "U" or "DU" for each reel, separated by spaces), the pay
    // rule ("" for none) and its win, the bonus points, the meter.
    int32_t bet = 0;
    std::array<int32_t, 3> stops{};
    std::array<int32_t, 3> symbols{};
    std::string nudges;
    std::string rule;
    int32_t win = 0;
    int32_t bonusPoints = 0;
    int32_t meterBefore = 0;
    int32_t meterAfter = 0;
    bool reset = false;
    // A bonus game: the box picked (1..8, 0 for none), what the eight boxes
    // held, the prize.
    int32_t box = 0;
    std::array<int32_t, 8> boxes{};
    int32_t prize = 0;
    // Borrow or pay back: how much.
    int32_t amount = 0;
    // The game after the entry.
    int32_t creditsBefore = 0;
    int32_t creditsAfter = 0;
    int32_t borrowed = 0;
    int32_t totalBets = 0;
    int32_t spins = 0;
};

// An entry as the database holds it: numbered in the order kept, with its time.
struct StoredEntry {
    int64_t id = 0;
    std::string time;  // UTC, 2026-12-07T19:30:00.123Z
    HistoryEntry entry;
};

// An entry with the time it was played (UTC, as StoredEntry::time), which it
// keeps however late it is written.
struct TimedEntry {
    std::string time;
    HistoryEntry entry;
};

// Why the history could not be opened, read or written, with SQLite's result
// code (0 when the failure is not SQLite's).
class HistoryError : public std::runtime_error {
public:
    explicit HistoryError(const std::string& reason, int code = 0) : std::runtime_error(reason), code_(code) {}
    int Code() const { return code_; }
    // The file is not a database, or its pages are damaged: waiting will not
    // mend it (unlike a busy, full or unwritable one).
    bool Damaged() const;

private:
    int code_;
};

// $XDG_DATA_HOME/tallyho/<program base name>-history.sqlite.
std::filesystem::path HistoryPath(const std::string& programBaseName);

// The database: write-ahead log, full synchronisation, so that an entry once
// appended survives a kill or a power loss. A busy database is waited for
// only briefly, so that it never holds up play.
class GameHistory {
public:
    // Opens the database, making it and its folder when missing.
    static std::unique_ptr<GameHistory> OpenForWriting(const std::filesystem::path& path);
    // Opens an existing database without changing it; null when there is none.
    static std::unique_ptr<GameHistory> OpenForReading(const std::filesystem::path& path);
    ~GameHistory();
    GameHistory(const GameHistory&) = delete;
    GameHistory& operator=(const GameHistory&) = delete;

    // Appends the entry, stamped with the time now, in one transaction; the
    // oldest spins beyond the limit (and entries older than them) go in the
    // same transaction, checked at opening and then every thousand spins (or
    // every `limit` spins when that is smaller).
    void Append(const HistoryEntry& entry) { AppendAll({{TimeNow(), entry}}); }
    // Appends the entries in order, each with its own time, in one transaction:
    // all of them or none.
    void AppendAll(const std::vector<TimedEntry>& entries);
    void SetSpinLimit(int64_t spins) { spinLimit_ = spins; }
    // How long a database busy with another connection is waited for: 100 ms
    // at first; 0 while entries wait anyway, so that no spin is held up.
    void SetBusyWait(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }
    static constexpr int BusyWait = 100;
    // Copies the write-ahead log into the database and empties it, which
    // frees the log's room on a full disk; false when that cannot be done now.
    bool Checkpoint() noexcept;

    int64_t SpinCount() const;
    int64_t EntryCount() const;  // quick, whatever the size

    // Up to `count` entries, newest first: the newest of all, or those kept
    // before (older than) the entry numbered `beforeId`.
    std::vector<StoredEntry> Newest(int count, int64_t beforeId = 0) const;
    // The last `count` spins, newest first.
    std::vector<StoredEntry> LastSpins(int count) const;
    // Up to `count` entries kept after the one numbered `afterId`, newest first.
    std::vector<StoredEntry> After(int64_t afterId, int count) const;

    // True when an entry with this time, kind, game and counts is among the
    // newest `within` entries: it was written already.
    bool HoldsRecent(const TimedEntry& timed, int64_t within) const;

    // A header row, then every entry, oldest first.
    void WriteCsv(std::ostream& out) const;
    // The header row alone, line end included (an empty history).
    static std::string CsvHeader();
    // Now, in UTC, to the millisecond: 2026-12-07T19:30:00.123Z.
    static std::string TimeNow();

    static constexpr int64_t DefaultSpinLimit = 1'000'000;

private:
    explicit GameHistory(sqlite3* db) : db_(db) {}
    void Execute(const char* sql) const;
    void TrimSpins();

    sqlite3* db_;
    int64_t spinLimit_ = DefaultSpinLimit;
    int64_t spinsSinceTrim_ = 0;
};

}  // namespace store
