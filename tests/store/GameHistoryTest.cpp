// The game history's database: entries kept and exported in order, the
// oldest spins trimmed, and the failures (a damaged file, a locked database)
// reported instead of blocking or crashing.
#include "store/GameHistory.h"

#include <sstream>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace {

using store::GameHistory;
using store::HistoryEntry;
using store::HistoryKind;
using store_test::StoreTest;

HistoryEntry Spin(int32_t before, int32_t bet, int32_t win)
{
    HistoryEntry entry;
    entry.kind = HistoryKind::Spin;
    entry.game = "CurrentGame";
    entry.bet = bet;
    entry.stops = {3, 9, 13};
    entry.nudges = "- D -";
    entry.win = win;
    entry.creditsBefore = before;
    entry.creditsAfter = before - bet + win;
    return entry;
}

std::vector<std::string> CsvLines(const GameHistory& history)
{
    std::ostringstream out;
    history.WriteCsv(out);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class History : public StoreTest {
protected:
    std::filesystem::path path_ = root_ / "data" / "tallyho" / "plumfizz-history.sqlite";
};

TEST_F(History, EntriesAreExportedOldestFirstWithQuotedNames)
{
    {
        const auto history = GameHistory::OpenForWriting(path_);
        history->Append(Spin(1000, 5, 0));
        HistoryEntry borrow;
        borrow.kind = HistoryKind::Borrow;
        borrow.game = "Mine, \"lucky\"";
        borrow.amount = 100;
        borrow.creditsBefore = 995;
        borrow.creditsAfter = 1095;
        history->Append(borrow);
    }
    const auto reader = GameHistory::OpenForReading(path_);
    ASSERT_NE(reader, nullptr);
    const std::vector<std::string> lines = CsvLines(*reader);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0] + "\n", GameHistory::CsvHeader());
    EXPECT_NE(lines[1].find(",spin,CurrentGame,5,3,9,13,"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find(",- D -,"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find(",1000,995,"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(",borrow,\"Mine, \"\"lucky\"\"\",,"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find(",100,995,1095,"), std::string::npos) << lines[2];
    EXPECT_EQ(reader->SpinCount(), 1);
}

TEST_F(History, TheOldestSpinsAndWhatCameBeforeThemAreTrimmed)
{
    const auto history = GameHistory::OpenForWriting(path_);
    history->SetSpinLimit(3);
    int32_t credits = 1000;
    for (int spin = 0; spin < 6; ++spin) {
        HistoryEntry entry = Spin(credits, 1, spin);  // the win tells the spins apart
        credits = entry.creditsAfter;
        history->Append(entry);
        if (spin == 1) {
            HistoryEntry event;
            event.kind = HistoryKind::NewGame;
            event.creditsBefore = credits;
            event.creditsAfter = credits = 1000;
            history->Append(event);
        }
    }
    EXPECT_EQ(history->SpinCount(), 3);
    const std::vector<std::string> lines = CsvLines(*history);
    ASSERT_EQ(lines.size(), 4u);  // the header and the last three spins
    EXPECT_NE(lines[1].find(",spin,"), std::string::npos);
    EXPECT_NE(lines[1].find(",- D -,,3,"), std::string::npos) << lines[1];
}

TEST_F(History, ADamagedFileIsReportedNotOverwritten)
{
    std::filesystem::create_directories(path_.parent_path());
    const std::string garbage(4096, '\x5a');
    store_test::WriteBytes(path_, garbage);
    EXPECT_THROW(GameHistory::OpenForWriting(path_), store::HistoryError);
    EXPECT_THROW(GameHistory::OpenForReading(path_), store::HistoryError);
    EXPECT_EQ(store_test::ReadBytes(path_), garbage);
    EXPECT_EQ(GameHistory::OpenForReading(root_ / "none.sqlite"), nullptr);
}

TEST_F(History, ALockedDatabaseFailsTheEntryInsteadOfWaiting)
{
    const auto history = GameHistory::OpenForWriting(path_);
    history->Append(Spin(1000, 1, 0));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_THROW(history->Append(Spin(999, 1, 0)), store::HistoryError);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // Once free, entries go in again.
    history->Append(Spin(999, 1, 0));
    EXPECT_EQ(history->SpinCount(), 2);
}

}  // namespace
