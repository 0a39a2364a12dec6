// The streaming reader of settings-file text: a line's phases byte by byte, runs of alike bytes
// taken at once, names kept within their cap, and each line reported as it ends.
#include "store/IniScanner.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace store::detail {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

static char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

void IniScanner::NameCollector::Clear()
{
    text_.clear();
    pending_.clear();
    pendingLong_ = false;
    overlong_ = false;
}

void IniScanner::NameCollector::Add(char c)
{
    if (overlong_) return;
    if (IsBlank(c)) {
        if (text_.empty()) return;
        // White space inside a name counts only once something follows it.
        if (pending_.size() < NameCap)
            pending_ += c;
        else
            pendingLong_ = true;
        return;
    }
    if (pendingLong_ || text_.size() + pending_.size() + 1 > NameCap) {
        overlong_ = true;
        return;
    }
    text_ += pending_;
    pending_.clear();
    text_ += c;
}

void IniScanner::NameCollector::AddBlanks(std::size_t count, const char* run)
{
    if (overlong_ || text_.empty()) return;
    if (!pendingLong_ && pending_.size() + count <= NameCap)
        pending_.append(run, count);
    else
        pendingLong_ = true;
}

void IniScanner::NameCollector::AddWord(const char* run, std::size_t count)
{
    if (overlong_) return;
    if (pendingLong_ || text_.size() + pending_.size() + count > NameCap) {
        overlong_ = true;
        return;
    }
    text_ += pending_;
    pending_.clear();
    text_.append(run, count);
}

// Byte classes for the runs below, looked up rather than computed: the runs
// cover every byte of a long line, in every build.
namespace {

enum : unsigned char { Blank = 1, EndsKeyWord = 2, EndsHeaderWord = 4 };

constexpr std::array<unsigned char, 256> MakeClasses()
{
    std::array<unsigned char, 256> classes{};
    for (unsigned char c : {' ', '\t', '\v', '\f'}) classes[c] = Blank | EndsKeyWord | EndsHeaderWord;
    // Line ends stop every run: the scan decides what they end.
    classes[static_cast<unsigned char>('\n')] = EndsKeyWord | EndsHeaderWord;
    classes[static_cast<unsigned char>('\r')] = EndsKeyWord | EndsHeaderWord;
    classes[static_cast<unsigned char>('=')] = EndsKeyWord;
    classes[static_cast<unsigned char>(']')] = EndsHeaderWord;
    return classes;
}

constexpr std::array<unsigned char, 256> ClassTable = MakeClasses();
constexpr const unsigned char* Classes = ClassTable.data();

std::size_t Run(const char* data, std::size_t size, unsigned char classMask, bool inClass)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    std::size_t n = 0;
    while (n < size && ((Classes[bytes[n]] & classMask) != 0) == inClass) ++n;
    return n;
}

std::size_t BlankRun(const char* data, std::size_t size)
{
    return Run(data, size, Blank, true);
}

// Bytes that are neither white space, nor a line end, nor what ends a word.
std::size_t WordRun(const char* data, std::size_t size, unsigned char endsWord)
{
    return Run(data, size, endsWord, false);
}

// The first "\n" or "\r" of the bytes, or null.
const char* FindLineEnd(const char* data, std::size_t size)
{
    const void* newline = std::memchr(data, '\n', size);
    const std::size_t before = newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - data) : size;
    const void* carriage = std::memchr(data, '\r', before);
    return static_cast<const char*>(carriage ? carriage : newline);
}

}  // namespace

IniScanner::IniScanner(LineHandler handler, uint64_t startOffset)
    : handler_(std::move(handler)), offset_(startOffset), lineStart_(startOffset)
{
    name_.Clear();
}

bool IniScanner::Feed(const char* data, std::size_t size)
{
    std::size_t i = 0;
    while (i < size && !stopped_) {
        if (crPending_) {
            // A "\r" ends its line either way: with the "\n" after it, or alone.
            crPending_ = false;
            const uint64_t at = offset_ + i;
            if (data[i] == '\n') {
                EndLine(at - 1, at + 1, Ending::CrLf);
                ++i;
            } else {
                EndLine(at - 1, at, Ending::Cr);
            }
            continue;
        }
        if (phase_ == Phase::Comment || phase_ == Phase::Skip) {
            // Nothing more in this line can matter: jump to its end.
            const char* lineEnd = FindLineEnd(data + i, size - i);
            if (lineEnd == nullptr) break;
            i = static_cast<std::size_t>(lineEnd - data);
        } else if (const std::size_t run = TakeRun(data + i, size - i); run > 0) {
            i += run;
            continue;
        }
        const char c = data[i];
        if (c == '\n') {
            const uint64_t at = offset_ + i;
            EndLine(at, at + 1, Ending::Lf);
        } else if (c == '\r') {
            crPending_ = true;
        } else {
            Step(c);
        }
        ++i;
    }
    offset_ += size;
    return !stopped_;
}

void IniScanner::Finish()
{
    if (stopped_) return;
    if (crPending_) {
        crPending_ = false;
        EndLine(offset_ - 1, offset_, Ending::Cr);
    } else if (offset_ > lineStart_) {
        EndLine(offset_, offset_, Ending::None);
    }
}

std::size_t IniScanner::TakeRun(const char* data, std::size_t size)
{
    std::size_t n = 0;
    switch (phase_) {
    case Phase::Lead:
    case Phase::ValueLead: return BlankRun(data, size);
    case Phase::Value:
        if (value_.size() >= ValueCap) return BlankRun(data, size);
        n = std::min(size, ValueCap - value_.size());
        if (const char* lineEnd = FindLineEnd(data, n)) n = static_cast<std::size_t>(lineEnd - data);
        value_.append(data, n);
        return n;
    case Phase::Key:
    case Phase::Header:
        if ((n = BlankRun(data, size)) > 0) {
            name_.AddBlanks(n, data);
            return n;
        }
        // ']' and '=' go through Step, which gives them their meaning.
        n = WordRun(data, size, phase_ == Phase::Key ? EndsKeyWord : EndsHeaderWord);
        if (n == 0) return 0;
        name_.AddWord(data, n);
        if (phase_ == Phase::Key && name_.Overlong()) {
            phase_ = Phase::Skip;
            skipKind_ = LineKind::Other;
        }
        return n;
    case Phase::Comment:
    case Phase::Skip: break;
    }
    return 0;
}

void IniScanner::Step(char c)
{
    switch (phase_) {
    case Phase::Lead:
        if (IsBlank(c)) return;
        if (c == '[') {
            phase_ = Phase::Header;
            return;
        }
        if (c == ';' || c == '#') {
            phase_ = Phase::Comment;
            return;
        }
        phase_ = Phase::Key;
        [[fallthrough]];
    case Phase::Key:
        if (c == '=') {
            phase_ = Phase::ValueLead;
            return;
        }
        name_.Add(c);
        if (name_.Overlong()) {
            // No key this long is ever asked for; the line is kept, not matched.
            phase_ = Phase::Skip;
            skipKind_ = LineKind::Other;
        }
        return;
    case Phase::Header:
        name_.Add(c);
        if (c == ']') {
            sawBracket_ = true;
            if (name_.Overlong())
                bracketLost_ = true;
            else
                lastBracket_ = name_.Text().size() - 1;
        }
        if (bracketLost_) {
            phase_ = Phase::Skip;
            skipKind_ = LineKind::Header;
        }
        return;
    case Phase::ValueLead:
        if (IsBlank(c)) return;
        phase_ = Phase::Value;
        [[fallthrough]];
    case Phase::Value:
        if (value_.size() < ValueCap) {
            value_ += c;
        } else if (!IsBlank(c)) {
            valueMore_ = true;
            phase_ = Phase::Skip;
            skipKind_ = LineKind::Key;
        }
        return;
    case Phase::Comment:
    case Phase::Skip: return;
    }
}

void IniScanner::EndLine(uint64_t contentEnd, uint64_t end, Ending ending)
{
    IniLine line;
    line.start = lineStart_;
    line.contentEnd = contentEnd;
    line.end = end;
    line.terminated = ending != Ending::None;
    line.crlf = ending == Ending::CrLf;
    line.cr = ending == Ending::Cr;

    LineKind kind = LineKind::Blank;
    switch (phase_) {
    case Phase::Lead: kind = LineKind::Blank; break;
    case Phase::Comment: kind = LineKind::Comment; break;
    case Phase::Header: kind = LineKind::Header; break;
    case Phase::Key: kind = LineKind::Other; break;
    case Phase::ValueLead:
    case Phase::Value: kind = LineKind::Key; break;
    case Phase::Skip: kind = skipKind_; break;
    }

    if (kind == LineKind::Header) {
        if (!sawBracket_) {
            kind = LineKind::BrokenHeader;
        } else if (bracketLost_) {
            line.nameOverlong = true;
        } else {
            line.name = Trim(std::string_view(name_.Text()).substr(0, lastBracket_));
        }
    } else if (kind == LineKind::Key) {
        line.name = name_.Text();
        std::string_view value = value_;
        line.value = valueMore_ ? value : Trim(value);
        line.valueMore = valueMore_;
    }
    line.kind = kind;

    if (!handler_(line)) stopped_ = true;

    lineStart_ = end;
    phase_ = Phase::Lead;
    name_.Clear();
    sawBracket_ = false;
    bracketLost_ = false;
    lastBracket_ = 0;
    value_.clear();
    valueMore_ = false;
}

}  // namespace store::detail
