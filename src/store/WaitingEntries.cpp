// The file of history entries waiting to be written: its line format with a
// checksum, reading it back, appending and clearing it.
#include "store/WaitingEntries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "files/RegularFile.h"
#include "store/AtomicReplace.h"
#include "store/ProfileDirectory.h"

namespace store {

namespace {

constexpr std::string_view Tag = "W1";
// Far above MaxEntries lines; a larger file is not ours.
constexpr std::uint64_t MaxWaitingBytes = std::uint64_t(16) << 20;
constexpr int KindCount = 6;

// The numbers of an entry, in the order of the line.
std::vector<int32_t*> Numbers(HistoryEntry& e)
{
    std::vector<int32_t*> numbers = {&e.bet};
    for (int32_t& stop : e.stops) numbers.push_back(&stop);
    for (int32_t& symbol : e.symbols) numbers.push_back(&symbol);
    for (int32_t* n : {&e.win, &e.bonusPoints, &e.meterBefore, &e.meterAfter, &e.box}) numbers.push_back(n);
    for (int32_t& box : e.boxes) numbers.push_back(&box);
    for (int32_t* n : {&e.prize, &e.amount, &e.creditsBefore, &e.creditsAfter, &e.borrowed, &e.totalBets, &e.spins}) {
        numbers.push_back(n);
    }
    return numbers;
}

// FNV-1a, 64 bits: enough to tell a torn or altered line.
uint64_t Checksum(std::string_view text)
{
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Text with its backslashes, tabs and line ends escaped, so it stays one field.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) return std::nullopt;
        switch (field[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::optional<int32_t> NumberIn(std::string_view field)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || field.empty()) return std::nullopt;
    return value;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::string Lines(const std::vector<TimedEntry>& entries, size_t from, size_t to)
{
    std::string text;
    for (size_t i = from; i < to; ++i) text += EncodeWaitingEntry(entries[i]);
    return text;
}

}  // namespace

std::filesystem::path WaitingEntriesPath(const std::string& programBaseName)
{
    return ProfileDirectory() / (programBaseName + "-history.waiting");
}

std::string EncodeWaitingEntry(const TimedEntry& timed)
{
    HistoryEntry e = timed.entry;
    std::string line(Tag);
    for (const std::string& text : {Escaped(timed.time), std::to_string(static_cast<int>(e.kind)), Escaped(e.game),
                                    Escaped(e.nudges), Escaped(e.rule), std::string(e.reset ? "1" : "0")}) {
        line += '\t' + text;
    }
    for (const int32_t* number : Numbers(e)) line += '\t' + std::to_string(*number);
    char checksum[24];
    std::snprintf(checksum, sizeof checksum, "\t%016" PRIx64 "\n", Checksum(line));
    return line + checksum;
}

std::optional<TimedEntry> DecodeWaitingEntry(std::string_view line)
{
    if (line.empty() || line.back() != '\n') return std::nullopt;
    line.remove_suffix(1);
    const size_t lastTab = line.rfind('\t');
    if (lastTab == std::string_view::npos) return std::nullopt;
    char expected[24];
    std::snprintf(expected, sizeof expected, "%016" PRIx64, Checksum(line.substr(0, lastTab)));
    if (line.substr(lastTab + 1) != expected) return std::nullopt;

    TimedEntry timed;
    HistoryEntry& e = timed.entry;
    const std::vector<int32_t*> numbers = Numbers(e);
    const std::vector<std::string_view> fields = Fields(line.substr(0, lastTab));
    if (fields.size() != 7 + numbers.size() || fields[0] != Tag) return std::nullopt;
    const auto time = Unescaped(fields[1]);
    const auto kind = NumberIn(fields[2]);
    const auto game = Unescaped(fields[3]);
    const auto nudges = Unescaped(fields[4]);
    const auto rule = Unescaped(fields[5]);
    const auto reset = NumberIn(fields[6]);
    if (!time || !kind || *kind < 0 || *kind >= KindCount || !game || !nudges || !rule || !reset || *reset < 0 ||
        *reset > 1) {
        return std::nullopt;
    }
    timed.time = *time;
    e.kind = static_cast<HistoryKind>(*kind);
    e.game = *game;
    e.nudges = *nudges;
    e.rule = *rule;
    e.reset = *reset == 1;
    for (size_t i = 0; i < numbers.size(); ++i) {
        const auto number = NumberIn(fields[7 + i]);
        if (!number) return std::nullopt;
        *numbers[i] = *number;
    }
    return timed;
}

WaitingEntriesFile::Contents WaitingEntriesFile::Load()
{
    Contents contents;
    held_ = 0;
    exact_ = false;
    files::RegularFile file(path_.string(), MaxWaitingBytes);
    if (file.Failure() == files::OpenFailure::Missing) return contents;
    std::vector<std::uint8_t> bytes;
    if (!file.IsOpen() || !file.ReadAll(bytes)) {
        contents.damage = file.Reason();
        return contents;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        const size_t end = text.find('\n', start);
        // A last line without its line end was being written when the
        // writer was killed: it never counted as kept.
        if (end == std::string_view::npos) break;
        const auto entry = DecodeWaitingEntry(text.substr(start, end + 1 - start));
        if (!entry) {
            contents.damage = "line " + std::to_string(number) + " is not a waiting entry";
            return contents;
        }
        contents.entries.push_back(*entry);
        start = end + 1;
    }
    held_ = contents.entries.size();
    exact_ = start == text.size();
    return contents;
}

void WaitingEntriesFile::Hold(const std::vector<TimedEntry>& entries, std::size_t count)
{
    count = std::min(count, entries.size());
    if (exact_ && count == held_) return;
    if (exact_ && count > held_) {
        Append(entries, held_, count);
        held_ = count;
        return;
    }
    if (count == 0) {
        Clear();
        return;
    }
    if (const int error = detail::CreateDirectories(path_.parent_path()); error != 0) detail::FailWith(error);
    const std::string text = Lines(entries, 0, count);
    detail::ReplaceWhole(
        path_, [&text](int fd) { detail::WriteAll(fd, text.data(), text.size()); }, 0600);
    held_ = count;
    exact_ = true;
}

void WaitingEntriesFile::Append(const std::vector<TimedEntry>& entries, std::size_t from, std::size_t to)
{
    const std::string text = Lines(entries, from, to);
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        exact_ = false;  // gone or changed: replaced whole next time
        detail::FailWith(error);
    }
    try {
        detail::WriteAll(fd, text.data(), text.size());
        if (::fsync(fd) != 0) detail::FailWith(errno);
    } catch (...) {
        // Back to the whole lines it held; a torn line would swallow the next one.
        if (::ftruncate(fd, status.st_size) != 0 || ::fsync(fd) != 0) exact_ = false;
        ::close(fd);
        throw;
    }
    ::close(fd);
}

void WaitingEntriesFile::Clear()
{
    held_ = 0;
    // Created anew (whole) by the next Hold; when the removal fails, that
    // replaces what the file still holds.
    exact_ = false;
    if (::unlink(path_.c_str()) != 0 && errno != ENOENT) return;
    const std::filesystem::path directory = path_.parent_path().empty() ? "." : path_.parent_path();
    const int directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd >= 0) {
        ::fsync(directoryFd);
        ::close(directoryFd);
    }
}

void WaitingEntriesFile::Forget()
{
    held_ = 0;
    exact_ = false;
}

}  // namespace store
