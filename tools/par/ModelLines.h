// The lines of a model file, read a chunk at a time with the length of a line and the size of
// the file bounded, so that any file (a device, a FIFO, an enormous line) is read in constant
// memory and refused as soon as it passes a bound.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace par {

// A model is a few KiB: far below both.
inline constexpr size_t MaxModelLineBytes = 4096;                           // a line, without its line end
inline constexpr std::uint64_t MaxModelFileBytes = std::uint64_t(1) << 20;  // the file, byte-order mark included

struct ModelLine {
    int number = 0;  // 1 for the first line
    std::vector<std::string> words;
};

// A UTF-8 byte-order mark at the start is skipped; LF, CR and CR LF all end a line; '#' starts a
// comment, which may hold any bytes; words are separated by spaces and tabs and hold printable
// ASCII only. Faults are thrown as ModelError naming their line: a character that is not plain
// text, a line longer than MaxModelLineBytes, a file larger than MaxModelFileBytes, a failed read.
class ModelLines {
public:
    explicit ModelLines(std::istream& in) : in_(in) {}

    // The next line with words on it; false at the end of the file.
    bool Next(ModelLine& line);

    // The line the file ends on: its last line, 1 for an empty file.
    int LastLine() const { return number_ > 0 ? number_ : 1; }

private:
    // Reads the next line, words or not; false at the end of the file.
    bool ReadLine(ModelLine& line);
    // More bytes into the buffer; false at the end of the file. `line` is the line being read, for a fault.
    bool Fill(int line);

    std::istream& in_;
    std::array<char, 16384> buffer_{};
    size_t next_ = 0;
    size_t size_ = 0;
    std::uint64_t taken_ = 0;   // bytes read so far
    int number_ = 0;            // the lines begun so far
    bool started_ = false;      // the byte-order mark has been looked for
    bool afterReturn_ = false;  // the last line ended with CR: an LF now belongs to it
    bool ended_ = false;
};

}  // namespace par
