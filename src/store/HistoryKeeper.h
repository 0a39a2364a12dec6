// Keeping every entry of the game history whatever happens to its file: the
// entries that cannot be written (a busy, full or unwritable database) wait,
// in order and on disk, and go in at the next write that succeeds; a damaged
// database is moved aside and a new one started.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/GameHistory.h"
#include "store/WaitingEntries.h"

namespace store {

// How many entries, and how many spins among them.
struct EntryCount {
    int64_t entries = 0;
    int64_t spins = 0;
};
EntryCount CountOf(const std::vector<TimedEntry>& entries);

// What happened to the history at an opening, a write or the closing, for
// the player to be told.
struct HistoryNews {
    // The history has just stopped being kept: why ("<path>: <reason>").
    std::optional<std::string> stopped;
    // It is kept again (after it stopped, in this run or an earlier one): the
    // waiting entries that just went in.
    std::optional<EntryCount> keptAgain;
    // A damaged database was moved aside: where it now is, and why.
    std::optional<std::filesystem::path> movedAside;
    std::string damage;
    // The waiting file itself was unreadable and was moved aside here.
    std::optional<std::filesystem::path> waitingMovedAside;

    bool Empty() const { return !stopped && !keptAgain && !movedAside && !waitingMovedAside; }
};

// "<path>.damaged-20261208-131500" (local time), or with "-2", "-3"... when
// that name is taken.
std::filesystem::path DamagedName(const std::filesystem::path& path, std::time_t when);

// Moves a damaged file aside under DamagedName, with the write-ahead log and
// shared-memory files of a database beside it; nothing is removed. Returns
// the new name; throws HistoryError when the file cannot be moved.
std::filesystem::path MoveAsideDamaged(const std::filesystem::path& path, std::time_t when);

// How many entries wait in the file to be written (those the history holds
// already, left by a kill between the two, not counted); read only.
EntryCount WaitingInFile(const std::filesystem::path& waitingPath, const GameHistory* history);

class HistoryKeeper {
public:
    HistoryKeeper(std::filesystem::path historyPath, std::filesystem::path waitingPath);

    // Reads the entries left waiting by an earlier run, opens the history
    // (moving a damaged one aside) and writes them in when it can.
    HistoryNews Open();
    // Writes the entry, after the waiting ones and in the same transaction;
    // when that fails it waits with them, on disk while the waiting file can
    // be written and holds fewer than its maximum, in memory otherwise.
    HistoryNews Record(const HistoryEntry& entry);
    // A last try at writing what waits; the waiting entries that only memory
    // holds are then lost when the program ends.
    HistoryNews Close();

    EntryCount Waiting() const { return CountOf(waiting_); }
    EntryCount WaitingInMemoryOnly() const;
    // The reason of the last failure, "<path>: <reason>".
    const std::string& LastFailure() const { return lastFailure_; }
    const std::filesystem::path& WaitingFilePath() const { return waitingFile_.Path(); }
    // The open history, to read; null while it cannot be opened.
    GameHistory* History() const { return history_.get(); }

private:
    // Opens the history when it is not open; false (with lastFailure_ set) when it cannot be.
    bool EnsureOpen(HistoryNews& news);
    // Writes the waiting entries in one transaction (the last `fresh` of them
    // new, not waiting before); true when they went in.
    bool WriteWaiting(HistoryNews& news, size_t fresh = 0);
    // Moves the damaged history aside; false (the failure told) when it cannot be.
    bool DamageFound(const HistoryError& error, HistoryNews& news);
    void Failed(const std::string& reason, HistoryNews& news);
    void KeepWaitingOnDisk();
    // Entries loaded from an earlier run may be in the history already (a
    // kill came between the write and the clearing): those are dropped.
    // Throws HistoryError when the history cannot be read.
    void DropThoseWritten();

    std::filesystem::path historyPath_;
    WaitingEntriesFile waitingFile_;
    std::unique_ptr<GameHistory> history_;
    std::vector<TimedEntry> waiting_;
    size_t loadedToCheck_ = 0;  // the first entries of waiting_, read from the file at opening
    bool kept_ = true;          // false from a failure until a write succeeds again
    std::string lastFailure_;
};

}  // namespace store
