// The history entries that wait to be written, kept in a small file of their
// own beside the saved games, so that a kill or a power loss does not lose
// them: one checksummed line per entry, appended and flushed to disk.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/GameHistory.h"

namespace store {

// $XDG_CONFIG_HOME/tallyho/<program base name>-history.waiting, beside the saved games.
std::filesystem::path WaitingEntriesPath(const std::string& programBaseName);

// One entry as a line of the file, line end included, and back; a line that
// is cut short, altered or of another format gives nothing.
std::string EncodeWaitingEntry(const TimedEntry& timed);
std::optional<TimedEntry> DecodeWaitingEntry(std::string_view line);

// The file. It holds the first Held() entries of the waiting ones, in order;
// the entries after them wait in memory only.
class WaitingEntriesFile {
public:
    // Past this many entries (about 3 MB) the rest wait in memory only.
    static constexpr std::size_t MaxEntries = 10'000;

    explicit WaitingEntriesFile(std::filesystem::path path) : path_(std::move(path)) {}

    struct Contents {
        std::vector<TimedEntry> entries;  // the whole lines, in order
        // Why the file cannot be trusted as a whole: unreadable, or a line
        // other than a last one cut short by a kill is not an entry.
        std::optional<std::string> damage;
    };
    // What the file holds; none when it is missing. The file is left as it is.
    Contents Load();
    // Makes the file hold the first `count` of `entries` (whose first Held()
    // it holds already), flushed to disk before it returns. New entries are
    // appended; a file not known to be exact is replaced whole. Throws
    // detail::WriteFailure; the file then holds what it held before.
    void Hold(const std::vector<TimedEntry>& entries, std::size_t count);
    // The entries are in the history: the file goes. When it cannot be
    // removed, it is replaced whole at the next Hold.
    void Clear();
    // The file is no longer known to hold the first entries (they were
    // dropped from the waiting ones): the next Hold replaces it whole.
    void Forget();

    std::size_t Held() const { return held_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    void Append(const std::vector<TimedEntry>& entries, std::size_t from, std::size_t to);

    std::filesystem::path path_;
    std::size_t held_ = 0;
    // The file holds exactly the first held_ entries, whole lines, nothing
    // else: appending to it is safe.
    bool exact_ = false;
};

}  // namespace store
