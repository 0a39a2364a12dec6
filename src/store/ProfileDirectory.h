// The profile directory, where settings files named without a directory live, and the making of
// the directories a settings file is written into.
#pragma once

#include <filesystem>
#include <string>

namespace store {

// $XDG_CONFIG_HOME/tallyho, or ~/.config/tallyho when the variable is unset.
std::filesystem::path ProfileDirectory();

// $XDG_DATA_HOME/tallyho, or ~/.local/share/tallyho when the variable is
// unset: the player's data, such as the game history.
std::filesystem::path DataDirectory();

namespace detail {

// A name without a directory lives in the profile directory; a name with one
// is used as it stands.
std::filesystem::path InProfileDirectory(const std::string& fileName);

// Creates the missing directories of `directory`, private to the user as the
// XDG rules ask for directories made under the configuration home. Returns 0,
// or the system's error number of the step that failed (ENOTDIR where a file
// stands in the way).
int CreateDirectories(const std::filesystem::path& directory);

}  // namespace detail
}  // namespace store
