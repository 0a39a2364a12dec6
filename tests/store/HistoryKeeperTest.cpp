// The history kept whatever happens to its file: entries that wait while the
// database is locked, on a real full file system, across a kill -9, and a
// damaged database moved aside; each time every spin is in once, in order,
// with its credits chain unbroken.
#include "store/HistoryKeeper.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "TestFiles.h"

namespace {

using store::HistoryKeeper;
using store::HistoryKind;
using store::HistoryNews;

class Keeper : public store_test::StoreTest {
protected:
    std::filesystem::path data_ = root_ / "data";
    std::filesystem::path path_ = data_ / "plumfizz-history.sqlite";
    std::filesystem::path waitingPath_ = profile_ / "plumfizz-history.waiting";
    int32_t credits_ = 1000;
    int32_t spins_ = 0;

    HistoryNews Spin(HistoryKeeper& keeper) { return keeper.Record(NextSpin()); }
    // The next spin of a game: one coin, credits chained from the last.
    store::HistoryEntry NextSpin()
    {
        store::HistoryEntry entry;
        entry.game = "Mine\tand\\yours";  // escaped in the waiting file
        entry.bet = 1;
        entry.win = spins_ % 3 == 0 ? 2 : 0;
        entry.creditsBefore = credits_;
        entry.creditsAfter = credits_ = credits_ - 1 + entry.win;
        entry.spins = ++spins_;
        entry.totalBets = spins_;
        return entry;
    }

    // Every spin counted is in the history once, in order, the credits chained.
    void ExpectEverySpinOnce()
    {
        const auto history = store::GameHistory::OpenForReading(path_);
        ASSERT_NE(history, nullptr);
        const std::vector<store::StoredEntry> entries = history->Newest(100000);
        ASSERT_EQ(entries.size(), static_cast<size_t>(spins_));
        int32_t credits = 1000;
        for (size_t i = 0; i < entries.size(); ++i) {
            const store::HistoryEntry& e = entries[entries.size() - 1 - i].entry;
            EXPECT_EQ(e.spins, static_cast<int32_t>(i + 1));
            EXPECT_EQ(e.creditsBefore, credits) << "spin " << i + 1;
            EXPECT_EQ(e.game, "Mine\tand\\yours");
            credits = e.creditsAfter;
        }
        EXPECT_EQ(credits, credits_);
    }
};

// A second connection holding the database: BEGIN EXCLUSIVE until released.
struct Lock {
    explicit Lock(const std::filesystem::path& path)
    {
        EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~Lock() { Release(); }
    void Release()
    {
        if (db) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        db = nullptr;
    }
    sqlite3* db = nullptr;
};

TEST_F(Keeper, EntriesWaitWhileLockedAndGoInOnceWithTheNextWrite)
{
    HistoryKeeper keeper(path_, waitingPath_);
    EXPECT_TRUE(keeper.Open().Empty());
    Spin(keeper);
    Lock lock(path_);
    const HistoryNews stopped = Spin(keeper);
    ASSERT_TRUE(stopped.stopped);
    EXPECT_NE(stopped.stopped->find("locked"), std::string::npos) << *stopped.stopped;
    for (int spin = 0; spin < 7; ++spin) EXPECT_TRUE(Spin(keeper).Empty());  // told once
    EXPECT_EQ(keeper.Waiting().spins, 8);
    EXPECT_EQ(keeper.WaitingInMemoryOnly().entries, 0);
    EXPECT_EQ(store::WaitingInFile(waitingPath_, nullptr).spins, 8);
    lock.Release();
    const HistoryNews again = Spin(keeper);
    ASSERT_TRUE(again.keptAgain);
    EXPECT_EQ(again.keptAgain->spins, 8);
    EXPECT_FALSE(std::filesystem::exists(waitingPath_));
    ExpectEverySpinOnce();
}

TEST_F(Keeper, WaitingEntriesSurviveAKillAndAreWrittenOnceAtTheNextStart)
{
    {
        HistoryKeeper(path_, waitingPath_).Open();
    }
    Lock lock(path_);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HistoryKeeper keeper(path_, waitingPath_);
        keeper.Open();
        for (int spin = 0; spin < 5; ++spin) Spin(keeper);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    lock.Release();
    for (int spin = 0; spin < 5; ++spin) NextSpin();  // as the child played them
    {
        // A kill between writing them and clearing their file: the file is
        // back, but nothing goes in twice.
        HistoryKeeper keeper(path_, waitingPath_);
        const std::string waiting = store_test::ReadBytes(waitingPath_);
        const HistoryNews start = keeper.Open();
        ASSERT_TRUE(start.keptAgain);
        EXPECT_EQ(start.keptAgain->spins, 5);
        store_test::WriteBytes(waitingPath_, waiting);
    }
    const auto history = store::GameHistory::OpenForReading(path_);
    EXPECT_EQ(store::WaitingInFile(waitingPath_, history.get()).entries, 0);
    HistoryKeeper restarted(path_, waitingPath_);
    EXPECT_TRUE(restarted.Open().Empty());
    EXPECT_FALSE(std::filesystem::exists(waitingPath_));
    Spin(restarted);
    ExpectEverySpinOnce();
}

TEST_F(Keeper, ADamagedHistoryIsMovedAsideWholeAndANewOneStarted)
{
    const std::string garbage(8192, '\x5a');
    store_test::WriteBytes(path_, garbage);
    HistoryKeeper keeper(path_, waitingPath_);
    const HistoryNews news = keeper.Open();
    ASSERT_TRUE(news.movedAside);
    EXPECT_NE(news.movedAside->filename().string().find("plumfizz-history.sqlite.damaged-"), std::string::npos);
    EXPECT_EQ(store_test::ReadBytes(*news.movedAside), garbage);
    Spin(keeper);
    ExpectEverySpinOnce();
    // Another in the same second gets a name of its own.
    EXPECT_NE(store::DamagedName(path_, 0), store::DamagedName(*news.movedAside, 0));
    store_test::WriteBytes(path_, garbage);
    const auto first = store::MoveAsideDamaged(path_, 0);
    store_test::WriteBytes(path_, garbage);
    EXPECT_NE(store::MoveAsideDamaged(path_, 0), first);
}

TEST_F(Keeper, WhatNoFileCanHoldIsCountedAtTheClosing)
{
    HistoryKeeper keeper(path_, root_ / "not-a-directory" / "waiting");
    store_test::WriteBytes(root_ / "not-a-directory", "a file");
    keeper.Open();
    Lock lock(path_);
    Spin(keeper);
    Spin(keeper);
    keeper.Close();
    EXPECT_EQ(keeper.WaitingInMemoryOnly().spins, 2);
    lock.Release();
    keeper.Close();
    EXPECT_EQ(keeper.WaitingInMemoryOnly().spins, 0);
    ExpectEverySpinOnce();
}

TEST_F(Keeper, OnARealFullFileSystemEntriesWaitAndGoInOnceThereIsRoom)
{
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    std::filesystem::create_directories(data_);
    if (::mount("tmpfs", data_.c_str(), "tmpfs", 0, "size=256k") != 0) GTEST_SKIP() << "cannot mount a tmpfs";
    struct Unmount {
        std::filesystem::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{data_};
    HistoryKeeper keeper(path_, waitingPath_);
    keeper.Open();
    Spin(keeper);
    {
        std::ofstream filler(data_ / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()) && filler.flush()) {}
    }
    const HistoryNews stopped = Spin(keeper);
    ASSERT_TRUE(stopped.stopped);
    EXPECT_NE(stopped.stopped->find("full"), std::string::npos) << *stopped.stopped;
    for (int spin = 0; spin < 5; ++spin) Spin(keeper);
    std::filesystem::remove(data_ / "filler");
    const HistoryNews again = Spin(keeper);
    ASSERT_TRUE(again.keptAgain);
    EXPECT_EQ(again.keptAgain->spins, 6);
    ExpectEverySpinOnce();
}

}  // namespace
