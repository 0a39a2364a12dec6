// Internal to the store: what a write of keys may hold, and where it changes a settings file's
// text (the key's own line, after the section's last key, or a new section at the end).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/SettingsText.h"

namespace store::detail {

// Keys may not hold what would read back as another kind of line.
bool UsableKey(std::string_view key);
bool UsableSection(std::string_view section);

// A line break inside a value would start a new line of the file, possibly a
// section of its own; it is written as a space.
std::string OneLine(const std::string& value);

// The bytes from `from` to `to` of the text replaced by `text`.
struct Edit {
    uint64_t from = 0;
    uint64_t to = 0;
    std::string text;
};

// A key to write, and where the file holds it now.
struct Wanted {
    std::string key;
    std::string value;
    std::optional<std::pair<uint64_t, uint64_t>> line;  // the line that holds the key now
    std::string keyInFile;                              // its spelling there
};

// Where a write changes the file, found in one pass over it.
struct Layout {
    std::string eol = "\n";      // the line end of the file's first line
    bool anyLine = false;        // the file holds more than a byte-order mark
    bool lastBlank = true;       // its last line is blank
    bool lastTerminated = true;  // its last line has a line end
    bool sectionFound = false;
    uint64_t insertAt = 0;  // where new keys of the section go
    bool insertAfterUnterminated = false;
};

// Reads the file once for its layout and the lines that hold the wanted keys
// (in the first copy of the section). Throws WriteFailure on a read error.
Layout FindPlaces(OpenFile& original, const std::string& section, std::vector<Wanted>& wanted);

// The edits that write the wanted keys, in the order of the text.
std::vector<Edit> MakeEdits(const std::string& section, const std::vector<Wanted>& wanted, const Layout& layout,
                            uint64_t fileSize);

}  // namespace store::detail
