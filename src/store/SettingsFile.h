#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace store {

// A write that could not be done: "Unable to write to <file name>".
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// $XDG_CONFIG_HOME/tallyho, or ~/.config/tallyho when the variable is unset.
std::filesystem::path ProfileDirectory();

// A settings file of sections and key=value lines, read and written one key at
// a time with the semantics of the Windows profile-file calls. A name without
// a directory lives in the profile directory; a name with one is used as it
// stands. No state is kept between calls: every call reads the file afresh,
// every write replaces it whole (temporary file, then rename).
class SettingsFile {
public:
    explicit SettingsFile(const std::string& fileName);

    const std::filesystem::path& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    int32_t ReadInteger(const std::string& section, const std::string& key,
                        int32_t defaultValue) const;

    // Throw WriteError when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);

private:
    std::filesystem::path path_;
};

}  // namespace store
