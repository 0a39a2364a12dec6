// The history kept whatever happens to its file: waiting entries written in
// order at the next write that succeeds, and a damaged database moved aside.
#include "store/HistoryKeeper.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "store/AtomicReplace.h"

namespace store {

namespace {

// How far back, beyond the waiting entries themselves, the newest entries are
// searched for those written already. A kill between writing them and
// clearing their file leaves them the newest; a file that could not be
// cleared is replaced at the next failure, so play rarely goes further
// before it is looked at again. Bounded, so that the search stays quick
// (some 15 ms) in a history of a million spins.
constexpr int64_t SearchedBeyond = 20'000;

bool Exists(const std::filesystem::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

void MoveOrThrow(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0) {
        throw HistoryError(from.string() + " cannot be moved aside: " + std::strerror(errno));
    }
}

// A failure that a later try may not share: the file was removed, replaced or
// made read-only under the open connection, which is then opened anew.
bool ConnectionStale(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR;
}

}  // namespace

EntryCount CountOf(const std::vector<TimedEntry>& entries)
{
    EntryCount count;
    count.entries = static_cast<int64_t>(entries.size());
    count.spins = std::count_if(entries.begin(), entries.end(),
                                [](const TimedEntry& timed) { return timed.entry.kind == HistoryKind::Spin; });
    return count;
}

std::filesystem::path DamagedName(const std::filesystem::path& path, std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path.string() + ".damaged-" + stamp;
    std::filesystem::path name = base;
    for (int n = 2; Exists(name) || Exists(name.string() + "-wal"); ++n) name = base + "-" + std::to_string(n);
    return name;
}

std::filesystem::path MoveAsideDamaged(const std::filesystem::path& path, std::time_t when)
{
    const std::filesystem::path aside = DamagedName(path, when);
    // The log first: left behind, it would be read into the new database.
    for (const char* suffix : {"-wal", "-shm"}) {
        const std::filesystem::path companion = path.string() + suffix;
        if (Exists(companion)) MoveOrThrow(companion, aside.string() + suffix);
    }
    MoveOrThrow(path, aside);
    const std::filesystem::path directory = path.parent_path().empty() ? "." : path.parent_path();
    const int directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd >= 0) {
        ::fsync(directoryFd);
        ::close(directoryFd);
    }
    return aside;
}

EntryCount WaitingInFile(const std::filesystem::path& waitingPath, const GameHistory* history)
{
    WaitingEntriesFile file(waitingPath);
    const std::vector<TimedEntry> entries = file.Load().entries;
    const auto within = static_cast<int64_t>(entries.size()) + SearchedBeyond;
    if (!entries.empty() && history && history->HoldsRecent(entries.back(), within)) return {};
    return CountOf(entries);
}

HistoryKeeper::HistoryKeeper(std::filesystem::path historyPath, std::filesystem::path waitingPath)
    : historyPath_(std::move(historyPath)), waitingFile_(std::move(waitingPath))
{}

HistoryNews HistoryKeeper::Open()
{
    HistoryNews news;
    WaitingEntriesFile::Contents contents = waitingFile_.Load();
    if (contents.damage) {
        // What could be read waits; the file itself is kept aside, not overwritten.
        try {
            news.waitingMovedAside = MoveAsideDamaged(waitingFile_.Path(), std::time(nullptr));
        } catch (const HistoryError&) {}
        waitingFile_.Forget();
    }
    waiting_ = std::move(contents.entries);
    loadedToCheck_ = waiting_.size();
    if (!EnsureOpen(news) || !WriteWaiting(news)) KeepWaitingOnDisk();
    return news;
}

HistoryNews HistoryKeeper::Record(const HistoryEntry& entry)
{
    HistoryNews news;
    waiting_.push_back({GameHistory::TimeNow(), entry});
    if (!EnsureOpen(news) || !WriteWaiting(news, 1)) KeepWaitingOnDisk();
    return news;
}

HistoryNews HistoryKeeper::Close()
{
    HistoryNews news;
    if (!waiting_.empty() && (!EnsureOpen(news) || !WriteWaiting(news))) KeepWaitingOnDisk();
    return news;
}

EntryCount HistoryKeeper::WaitingInMemoryOnly() const
{
    const auto first = waiting_.begin() + static_cast<std::ptrdiff_t>(std::min(waitingFile_.Held(), waiting_.size()));
    return CountOf(std::vector<TimedEntry>(first, waiting_.end()));
}

bool HistoryKeeper::EnsureOpen(HistoryNews& news)
{
    for (int attempt = 0; !history_; ++attempt) {
        try {
            history_ = GameHistory::OpenForWriting(historyPath_);
        } catch (const HistoryError& error) {
            // A damaged file is moved aside once, and a new history started.
            if (error.Damaged() && attempt == 0 && DamageFound(error, news)) continue;
            Failed(historyPath_.string() + ": " + error.what(), news);
            return false;
        } catch (const std::exception& error) {
            Failed(historyPath_.string() + ": " + error.what(), news);
            return false;
        }
    }
    return true;
}

bool HistoryKeeper::WriteWaiting(HistoryNews& news, size_t fresh)
{
    for (int attempt = 0;; ++attempt) {
        try {
            history_->SetBusyWait(kept_ ? GameHistory::BusyWait : 0);
            DropThoseWritten();
            if (!waiting_.empty()) history_->AppendAll(waiting_);
            break;
        } catch (const HistoryError& error) {
            if (error.Damaged() && attempt == 0) {
                if (DamageFound(error, news) && EnsureOpen(news)) continue;
                return false;  // told by either
            }
            // The log grows until it is copied into the database; on a small
            // disk, emptying it may give the room the entries need.
            if ((error.Code() & 0xff) == SQLITE_FULL && attempt == 0 && history_->Checkpoint()) continue;
            Failed(historyPath_.string() + ": " + error.what(), news);
            if (ConnectionStale(error.Code())) history_.reset();
            return false;
        }
    }
    fresh = std::min(fresh, waiting_.size());
    const EntryCount added = CountOf(std::vector<TimedEntry>(waiting_.begin(), waiting_.end() - std::ptrdiff_t(fresh)));
    if (!kept_ || added.entries > 0) news.keptAgain = added;
    kept_ = true;
    waiting_.clear();
    loadedToCheck_ = 0;
    if (waitingFile_.Held() > 0 || added.entries > 0) waitingFile_.Clear();
    return true;
}

bool HistoryKeeper::DamageFound(const HistoryError& error, HistoryNews& news)
{
    history_.reset();
    try {
        news.movedAside = MoveAsideDamaged(historyPath_, std::time(nullptr));
        news.damage = error.what();
        return true;
    } catch (const HistoryError& failure) {
        Failed(historyPath_.string() + ": " + error.what() + "; " + failure.what(), news);
        return false;
    }
}

void HistoryKeeper::Failed(const std::string& reason, HistoryNews& news)
{
    lastFailure_ = reason;
    if (kept_) news.stopped = reason;
    kept_ = false;
}

void HistoryKeeper::KeepWaitingOnDisk()
{
    try {
        waitingFile_.Hold(waiting_, std::min(waiting_.size(), WaitingEntriesFile::MaxEntries));
    } catch (const detail::WriteFailure&) {
        // They wait in memory; the closing tells how many are lost.
    } catch (const std::exception&) {}
}

void HistoryKeeper::DropThoseWritten()
{
    if (loadedToCheck_ == 0) return;
    if (history_->HoldsRecent(waiting_[loadedToCheck_ - 1], static_cast<int64_t>(loadedToCheck_) + SearchedBeyond)) {
        waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(loadedToCheck_));
        waitingFile_.Forget();
        if (waiting_.empty()) waitingFile_.Clear();
    }
    loadedToCheck_ = 0;
}

}  // namespace store
