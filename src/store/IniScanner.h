// Internal to the store: the streaming reader of settings-file text. It sees
// every line of a file of any size or content while holding only a bounded
// part of each line, so hostile files cost time in proportion to their size
// and never more memory than a few kilobytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace store::detail {

// Longest section or key name that can be matched; longer ones match nothing.
inline constexpr std::size_t NameCap = 4096;
// Bytes of a value that are kept: enough for MaxValueCharacters characters of
// up to four bytes each, plus one more character to tell that a cut was made.
inline constexpr std::size_t ValueCap = 8192 + 8;

bool IsBlank(char c);
std::string_view Trim(std::string_view text);
// Names compare without regard to letter case (ASCII letters, as Windows does
// for the names its own programs use).
bool SameName(std::string_view a, std::string_view b);

enum class LineKind {
    Blank,         // nothing but white space
    Comment,       // starts with ';' or '#'
    Header,        // "[name]"; the name ends at the line's last ']'
    BrokenHeader,  // starts with '[' but has no ']': closes the section before it
    Key,           // "key=value"
    Other,         // anything else: kept in the file, never matched
};

struct IniLine {
    uint64_t start = 0;       // offset of the line's first byte
    uint64_t contentEnd = 0;  // offset of its terminator ("\r\n", "\n" or a lone "\r"), or of its end
    uint64_t end = 0;         // offset just after the terminator
    bool terminated = false;
    bool crlf = false;  // ended by "\r\n"
    bool cr = false;    // ended by a lone "\r", as old Macintosh files are
    LineKind kind = LineKind::Blank;
    std::string_view name;      // Header: the section's name; Key: the key
    bool nameOverlong = false;  // Header: the name is longer than NameCap
    std::string_view value;     // Key: the trimmed value, at most ValueCap bytes
    bool valueMore = false;     // Key: the value goes on beyond `value`
};

class IniScanner {
public:
    // Called for every line in order; returning false stops the scan.
    using LineHandler = std::function<bool(const IniLine&)>;

    // `startOffset` is where the text begins in the file (after a byte-order mark).
    IniScanner(LineHandler handler, uint64_t startOffset);

    // The next bytes of the file. Returns false once the handler has stopped the scan.
    bool Feed(const char* data, std::size_t size);
    // The end of the file: reports a last line that has no terminator.
    void Finish();

private:
    enum class Phase { Lead, Header, Comment, Key, ValueLead, Value, Skip };

    // A name collected byte by byte: leading white space dropped, trailing
    // white space held back until something follows it, so the text is always
    // trimmed on the right; beyond NameCap it is only marked overlong.
    class NameCollector {
    public:
        void Clear();
        void Add(char c);
        // The same as Add for each byte of a run of white space, or of a run
        // of anything but white space.
        void AddBlanks(std::size_t count, const char* run);
        void AddWord(const char* run, std::size_t count);
        bool Overlong() const { return overlong_; }
        const std::string& Text() const { return text_; }

    private:
        std::string text_;
        std::string pending_;
        bool pendingLong_ = false;
        bool overlong_ = false;
    };

    // Takes a run of bytes the current phase handles alike; returns its length (0: none).
    std::size_t TakeRun(const char* data, std::size_t size);
    void Step(char c);
    enum class Ending { None, Lf, CrLf, Cr };
    void EndLine(uint64_t contentEnd, uint64_t end, Ending ending);

    LineHandler handler_;
    uint64_t offset_;         // file offset of the next byte fed
    uint64_t lineStart_;      // file offset of the current line
    bool crPending_ = false;  // the last byte fed was a "\r": the next one tells what it ends
    bool stopped_ = false;

    Phase phase_ = Phase::Lead;
    LineKind skipKind_ = LineKind::Other;  // what a line in Phase::Skip is reported as
    NameCollector name_;
    bool sawBracket_ = false;
    bool bracketLost_ = false;  // a ']' came after the name grew overlong
    std::size_t lastBracket_ = 0;
    std::string value_;
    bool valueMore_ = false;
};

}  // namespace store::detail
