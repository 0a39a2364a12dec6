// Internal to the store: a settings file's text, seen as UTF-8 whatever its encoding, scanned line
// by line, and copied into a replacement in the file's own encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "files/RegularFile.h"
#include "store/IniScanner.h"
#include "store/TextEncoding.h"

namespace store::detail {

// How much of a file is read at a time.
inline constexpr std::size_t ChunkSize = 1 << 16;

enum class Opened { Yes, Missing, Unusable };

// A settings file open for reading, seen as UTF-8 text. A UTF-16 file (with
// its byte-order mark) is decoded into `decoded`; offsets then count in the
// decoded text, and a write encodes the result back.
struct OpenFile {
    files::RegularFile file;
    TextEncoding encoding = TextEncoding::Utf8;
    std::string decoded;
    std::string oddByte;  // a UTF-16 file's last byte when its length is odd, kept as it is
    uint64_t size = 0;    // of the text as seen
    std::string reason;   // why the file cannot be used

    // Up to `count` bytes of the text from `offset`: the number read, or -1.
    long long ReadSomeAt(char* buffer, std::size_t count, uint64_t offset);
};

// A settings file must be a regular file: a directory, a pipe or a device is
// never read (a pipe would block, a device may never end).
Opened OpenForReading(const std::filesystem::path& path, OpenFile& open);

// Feeds the text's first `size` bytes to a scanner, a byte-order mark left
// out. Reading stops at the size the file had when opened, so a file that
// grows meanwhile cannot keep the reader busy. Returns false on a read error
// or a file that came up short.
bool ScanFile(OpenFile& file, const IniScanner::LineHandler& handler);

// What a write puts into the temporary file: UTF-8 text goes straight in; the
// text of a UTF-16 file is gathered and encoded back when it is complete.
// Throws WriteFailure.
class TextSink {
public:
    TextSink(int fd, TextEncoding encoding) : fd_(fd), encoding_(encoding) {}

    void Write(const char* data, std::size_t size);
    void Finish(const std::string& oddByte);

private:
    int fd_;
    TextEncoding encoding_;
    std::string text_;
};

// The text from `begin` to `end` into the sink, through `buffer` of ChunkSize
// bytes. Throws WriteFailure on a read error or a file that shrank.
void CopyRange(OpenFile& from, TextSink& to, uint64_t begin, uint64_t end, char* buffer);

}  // namespace store::detail
