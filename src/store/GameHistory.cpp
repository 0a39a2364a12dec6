// The game history's database: its table, appending entries, trimming the
// oldest, and the CSV export.
#include "store/GameHistory.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sstream>

#include "store/ProfileDirectory.h"

namespace store {

namespace {

constexpr char CreateTable[] =
    "CREATE TABLE IF NOT EXISTS history ("
    " id INTEGER PRIMARY KEY, time TEXT NOT NULL, kind TEXT NOT NULL, game TEXT NOT NULL,"
    " bet INTEGER, stop1 INTEGER, stop2 INTEGER, stop3 INTEGER,"
    " symbol1 INTEGER, symbol2 INTEGER, symbol3 INTEGER, nudges TEXT, rule TEXT, win INTEGER,"
    " bonus_points INTEGER, meter_before INTEGER, meter_after INTEGER, reset INTEGER,"
    " box INTEGER, boxes TEXT, prize INTEGER, amount INTEGER,"
    " credits_before INTEGER NOT NULL, credits_after INTEGER NOT NULL,"
    " borrowed INTEGER NOT NULL, total_bets INTEGER NOT NULL, spins INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS history_by_kind ON history (kind, id);";

constexpr char Columns[] =
    "time, kind, game, bet, stop1, stop2, stop3, symbol1, symbol2, symbol3, nudges, rule, win, bonus_points,"
    " meter_before, meter_after, reset, box, boxes, prize, amount, credits_before, credits_after, borrowed,"
    " total_bets, spins";
constexpr int ColumnCount = 26;

// The reason SQLite gives for the last failure.
std::string Reason(sqlite3* db)
{
    return db ? sqlite3_errmsg(db) : "out of memory";
}

}  // namespace

std::string GameHistory::TimeNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    char full[40];
    std::snprintf(full, sizeof full, "%s.%03dZ", text, static_cast<int>(millis));
    return full;
}

namespace {

// The last failure on the connection, with its code.
[[noreturn]] void ThrowLast(sqlite3* db)
{
    throw HistoryError(Reason(db), db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM);
}

// A prepared statement, finalised however its scope ends.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db)
    {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) ThrowLast(db);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Bind(int index, int64_t value) { Check(sqlite3_bind_int64(statement_, index, value)); }
    void Bind(int index, const std::string& value)
    {
        Check(sqlite3_bind_text(statement_, index, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
    }
    // True while there is a row to read.
    bool Step()
    {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) return true;
        if (result == SQLITE_DONE) return false;
        ThrowLast(db_);
    }
    sqlite3_stmt* Handle() const { return statement_; }

private:
    void Check(int result) const
    {
        if (result != SQLITE_OK) ThrowLast(db_);
    }
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

std::string JoinBoxes(const std::array<int32_t, 8>& boxes)
{
    std::string text;
    // GCC 12 at -O3 sees overlapping copies inside std::string's operator+
    // here, a false -Wrestrict (GCC bug 105329).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    for (const int32_t box : boxes) text += (text.empty() ? "" : " ") + std::to_string(box);
#pragma GCC diagnostic pop
    return text;
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string CsvField(const char* text)
{
    if (text == nullptr) return {};
    const std::string value(text);
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (const char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

sqlite3* Open(const std::filesystem::path& path, int flags)
{
    sqlite3* db = nullptr;
    const int result = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (result != SQLITE_OK) {
        const std::string reason = Reason(db);
        sqlite3_close(db);
        throw HistoryError(reason, result);
    }
    // A second copy of the game or a reader holds it at most this long.
    sqlite3_busy_timeout(db, GameHistory::BusyWait);
    return db;
}

}  // namespace

bool HistoryError::Damaged() const
{
    const int primary = code_ & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

const char* HistoryKindName(HistoryKind kind)
{
    switch (kind) {
    case HistoryKind::Spin: return "spin";
    case HistoryKind::Bonus: return "bonus";
    case HistoryKind::Borrow: return "borrow";
    case HistoryKind::PayBack: return "pay back";
    case HistoryKind::NewGame: return "new game";
    case HistoryKind::OpenGame: break;
    }
    return "open game";
}

std::filesystem::path HistoryPath(const std::string& programBaseName)
{
    return DataDirectory() / (programBaseName + "-history.sqlite");
}

std::unique_ptr<GameHistory> GameHistory::OpenForWriting(const std::filesystem::path& path)
{
    if (const int error = detail::CreateDirectories(path.parent_path()); error != 0) {
        throw HistoryError(std::strerror(error));
    }
    std::unique_ptr<GameHistory> history(new GameHistory(Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)));
    // A damaged file fails here, at its first reading.
    history->Execute("PRAGMA journal_mode=WAL");
    history->Execute("PRAGMA synchronous=FULL");
    history->Execute(CreateTable);
    // The first trim at start-up, not in the middle of the first spin.
    history->Execute("BEGIN IMMEDIATE");
    history->TrimSpins();
    history->Execute("COMMIT");
    return history;
}

std::unique_ptr<GameHistory> GameHistory::OpenForReading(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return nullptr;
    if (!S_ISREG(status.st_mode)) throw HistoryError("not a regular file");
    std::unique_ptr<GameHistory> history(new GameHistory(Open(path, SQLITE_OPEN_READONLY)));
    // A damaged file or one of another kind fails here, at its first reading.
    Statement(history->db_, "SELECT id FROM history ORDER BY id DESC LIMIT 1").Step();
    return history;
}

GameHistory::~GameHistory()
{
    sqlite3_close(db_);
}

void GameHistory::Execute(const char* sql) const
{
    char* message = nullptr;
    if (const int result = sqlite3_exec(db_, sql, nullptr, nullptr, &message); result != SQLITE_OK) {
        const std::string reason = message ? message : Reason(db_);
        sqlite3_free(message);
        throw HistoryError(reason, sqlite3_extended_errcode(db_) != SQLITE_OK ? sqlite3_extended_errcode(db_) : result);
    }
}

void GameHistory::AppendAll(const std::vector<TimedEntry>& entries)
{
    Execute("BEGIN IMMEDIATE");
    try {
        Statement insert(db_, std::string("INSERT INTO history (") + Columns +
                                  ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (const TimedEntry& timed : entries) {
            const HistoryEntry& e = timed.entry;
            sqlite3_reset(insert.Handle());
            sqlite3_clear_bindings(insert.Handle());
            const bool spin = e.kind == HistoryKind::Spin;
            const bool bonus = e.kind == HistoryKind::Bonus;
            const auto bindIf = [&insert](int index, bool present, int64_t value) {
                if (present) insert.Bind(index, value);
            };
            insert.Bind(1, timed.time);
            insert.Bind(2, std::string(HistoryKindName(e.kind)));
            insert.Bind(3, e.game);
            bindIf(4, spin, e.bet);
            for (int reel = 0; reel < 3; ++reel) {
                bindIf(5 + reel, spin, e.stops[static_cast<size_t>(reel)]);
                bindIf(8 + reel, spin, e.symbols[static_cast<size_t>(reel)]);
            }
            if (spin) insert.Bind(11, e.nudges);
            if (spin) insert.Bind(12, e.rule);
            bindIf(13, spin, e.win);
            bindIf(14, spin, e.bonusPoints);
            bindIf(15, spin || bonus, e.meterBefore);
            bindIf(16, spin || bonus, e.meterAfter);
            bindIf(17, spin, e.reset ? 1 : 0);
            bindIf(18, bonus, e.box);
            if (bonus) insert.Bind(19, JoinBoxes(e.boxes));
            bindIf(20, bonus, e.prize);
            bindIf(21, e.kind == HistoryKind::Borrow || e.kind == HistoryKind::PayBack, e.amount);
            insert.Bind(22, e.creditsBefore);
            insert.Bind(23, e.creditsAfter);
            insert.Bind(24, e.borrowed);
            insert.Bind(25, e.totalBets);
            insert.Bind(26, e.spins);
            insert.Step();
            // Checked every thousand spins (or every `limit`, when smaller).
            if (spin && ++spinsSinceTrim_ >= std::min<int64_t>(1000, spinLimit_)) TrimSpins();
        }
        Execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

bool GameHistory::Checkpoint() noexcept
{
    return sqlite3_exec(db_, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void GameHistory::TrimSpins()
{
    spinsSinceTrim_ = 0;
    Statement trim(db_,
                   "DELETE FROM history WHERE id < (SELECT id FROM history WHERE kind = 'spin' "
                   "ORDER BY id DESC LIMIT 1 OFFSET ?)");
    trim.Bind(1, spinLimit_ - 1);
    trim.Step();
}

bool GameHistory::HoldsRecent(const TimedEntry& timed, int64_t within) const
{
    Statement match(db_,
                    "SELECT 1 FROM history WHERE id > (SELECT coalesce(max(id), 0) FROM history) - ?1"
                    " AND time = ?2 AND kind = ?3 AND game = ?4 AND credits_before = ?5 AND credits_after = ?6"
                    " AND spins = ?7 AND total_bets = ?8 LIMIT 1");
    match.Bind(1, within);
    match.Bind(2, timed.time);
    match.Bind(3, std::string(HistoryKindName(timed.entry.kind)));
    match.Bind(4, timed.entry.game);
    match.Bind(5, timed.entry.creditsBefore);
    match.Bind(6, timed.entry.creditsAfter);
    match.Bind(7, timed.entry.spins);
    match.Bind(8, timed.entry.totalBets);
    return match.Step();
}

int64_t GameHistory::SpinCount() const
{
    Statement count(db_, "SELECT count(*) FROM history WHERE kind = 'spin'");
    count.Step();
    return sqlite3_column_int64(count.Handle(), 0);
}

std::string GameHistory::CsvHeader()
{
    std::string header(Columns);
    std::erase(header, ' ');
    return header + '\n';
}

int64_t GameHistory::EntryCount() const
{
    // Entries are numbered in order and only ever removed from the oldest
    // end, so the numbers tell the count without reading every entry.
    Statement count(db_, "SELECT coalesce((SELECT max(id) FROM history) - (SELECT min(id) FROM history) + 1, 0)");
    count.Step();
    return sqlite3_column_int64(count.Handle(), 0);
}

namespace {

HistoryKind KindNamed(const std::string& name)
{
    for (const HistoryKind kind : {HistoryKind::Spin, HistoryKind::Bonus, HistoryKind::Borrow, HistoryKind::PayBack,
                                   HistoryKind::NewGame, HistoryKind::OpenGame}) {
        if (name == HistoryKindName(kind)) return kind;
    }
    return HistoryKind::Spin;
}

std::string TextAt(sqlite3_stmt* row, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    return text ? text : "";
}

// The rows of a SELECT of "id, " + Columns, in the order read.
std::vector<StoredEntry> ReadEntries(Statement& rows)
{
    std::vector<StoredEntry> entries;
    while (rows.Step()) {
        sqlite3_stmt* row = rows.Handle();
        const auto number = [row](int column) { return static_cast<int32_t>(sqlite3_column_int64(row, column)); };
        StoredEntry stored;
        stored.id = sqlite3_column_int64(row, 0);
        stored.time = TextAt(row, 1);
        HistoryEntry& e = stored.entry;
        e.kind = KindNamed(TextAt(row, 2));
        e.game = TextAt(row, 3);
        e.bet = number(4);
        for (int reel = 0; reel < 3; ++reel) {
            e.stops[static_cast<size_t>(reel)] = number(5 + reel);
            e.symbols[static_cast<size_t>(reel)] = number(8 + reel);
        }
        e.nudges = TextAt(row, 11);
        e.rule = TextAt(row, 12);
        e.win = number(13);
        e.bonusPoints = number(14);
        e.meterBefore = number(15);
        e.meterAfter = number(16);
        e.reset = number(17) != 0;
        e.box = number(18);
        std::istringstream boxes(TextAt(row, 19));
        for (int32_t& box : e.boxes) boxes >> box;
        e.prize = number(20);
        e.amount = number(21);
        e.creditsBefore = number(22);
        e.creditsAfter = number(23);
        e.borrowed = number(24);
        e.totalBets = number(25);
        e.spins = number(26);
        entries.push_back(std::move(stored));
    }
    return entries;
}

}  // namespace

std::vector<StoredEntry> GameHistory::Newest(int count, int64_t beforeId) const
{
    Statement rows(
        db_, std::string("SELECT id, ") + Columns + " FROM history WHERE ?1 <= 0 OR id < ?1 ORDER BY id DESC LIMIT ?2");
    rows.Bind(1, beforeId);
    rows.Bind(2, count);
    return ReadEntries(rows);
}

std::vector<StoredEntry> GameHistory::LastSpins(int count) const
{
    Statement rows(
        db_, std::string("SELECT id, ") + Columns + " FROM history WHERE kind = 'spin' ORDER BY id DESC LIMIT ?1");
    rows.Bind(1, count);
    return ReadEntries(rows);
}

std::vector<StoredEntry> GameHistory::After(int64_t afterId, int count) const
{
    Statement rows(db_, std::string("SELECT id, ") + Columns + " FROM history WHERE id > ?1 ORDER BY id LIMIT ?2");
    rows.Bind(1, afterId);
    rows.Bind(2, count);
    std::vector<StoredEntry> entries = ReadEntries(rows);
    std::reverse(entries.begin(), entries.end());
    return entries;
}

void GameHistory::WriteCsv(std::ostream& out) const
{
    out << CsvHeader();
    Statement rows(db_, std::string("SELECT ") + Columns + " FROM history ORDER BY id");
    while (rows.Step()) {
        for (int column = 0; column < ColumnCount; ++column) {
            if (column > 0) out << ',';
            out << CsvField(reinterpret_cast<const char*>(sqlite3_column_text(rows.Handle(), column)));
        }
        out << '\n';
    }
}

}  // namespace store
