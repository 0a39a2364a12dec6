// Settings files of sections and key=value lines: where they live, the values read from them, and
// the reads and writes of keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/ProfileDirectory.h"  // ProfileDirectory(): where bare names live

namespace store {

// A write that could not be done: "Unable to write to <file name>: <reason>",
// the reason as the system gives it ("No space left on device").
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text values are read up to this many characters.
inline constexpr std::size_t MaxValueCharacters = 2047;

// The first `count` characters of UTF-8 text. A multi-byte sequence is never
// split; a byte that belongs to no valid sequence counts as one character.
std::string CutToCharacters(std::string_view text, std::size_t count);

// An integer as settings files hold it: "0x"/"0X" followed by hex digits (more
// than two characters in all) or "$" followed by hex digits, otherwise decimal
// with an optional sign. Nothing for anything else, and for a value outside
// the signed 32-bit range (so "0xFFFFFFFF" is not -1 but not valid at all).
std::optional<int32_t> ParseSettingInteger(std::string_view text);

// What a settings file holds for one key.
struct SettingValue {
    bool found = false;
    std::string text;  // trimmed, at most MaxValueCharacters characters
    bool cut = false;  // the file holds more than `text`

    std::string AsString(const std::string& defaultValue) const;
    // A value that had to be cut is no integer: its digits are not all there.
    int32_t AsInteger(int32_t defaultValue) const;
};

// A settings file of sections and key=value lines, read and written one key at
// a time with the semantics of the Windows profile-file calls. A name without
// a directory lives in the profile directory; a name with one is used as it
// stands. No state is kept between calls: every call reads the file afresh,
// every write replaces it whole (temporary file, then rename).
class SettingsFile {
public:
    explicit SettingsFile(const std::string& fileName);

    const std::filesystem::path& Path() const { return path_; }

    // Why the file, which exists, cannot be read (no permission, not a
    // regular file, too large); nothing when it can be, or is missing.
    std::optional<std::string> Unreadable() const;

    // Removes the temporary files that writes of this file left behind when
    // their process was killed before the rename; those of a process that
    // still runs stay. Returns how many were removed.
    int RemoveStaleTemporaries() const;

    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) const;

    // Several keys of one section in one pass over the file; element i answers
    // keys[i] exactly as ReadString / ReadInteger would.
    std::vector<SettingValue> ReadValues(const std::string& section, const std::vector<std::string>& keys) const;

    // Throw WriteError when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);

    // Several keys of one section in one replacement of the file: the same
    // result as writing them one after another, but all or nothing.
    void WriteStrings(const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries);

    // For tests: runs after the temporary file is written and flushed, just
    // before it is renamed over the file. An exception thrown from it fails the
    // write like any other failure. An empty function removes the hook.
    using BeforeRenameHook = std::function<void(const std::filesystem::path& temporary)>;
    static void SetBeforeRenameHook(BeforeRenameHook hook);

private:
    std::filesystem::path path_;
};

}  // namespace store
