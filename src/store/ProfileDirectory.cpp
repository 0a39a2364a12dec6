// The profile directory ($XDG_CONFIG_HOME/tallyho or ~/.config/tallyho) and the creation of
// directories for settings files, private to the user.
#include "store/ProfileDirectory.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace store {

namespace fs = std::filesystem;

static fs::path HomeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && *found->pw_dir != '\0')
        return found->pw_dir;
    return ".";
}

fs::path ProfileDirectory()
{
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and is ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return fs::path(config) / "tallyho";
    return HomeDirectory() / ".config" / "tallyho";
}

fs::path DataDirectory()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return fs::path(data) / "tallyho";
    return HomeDirectory() / ".local" / "share" / "tallyho";
}

namespace detail {

fs::path InProfileDirectory(const std::string& fileName)
{
    const fs::path name(fileName);
    return name.has_parent_path() ? name : ProfileDirectory() / name;
}

int CreateDirectories(const fs::path& directory)
{
    if (directory.empty()) return 0;
    struct stat status {};
    if (::stat(directory.c_str(), &status) == 0) return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
    if (directory.has_parent_path() && directory.parent_path() != directory) {
        if (const int error = CreateDirectories(directory.parent_path()); error != 0) return error;
    }
    if (::mkdir(directory.c_str(), 0700) != 0) {
        const int error = errno;
        if (error != EEXIST) return error;
        if (::stat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return ENOTDIR;
    }
    return 0;
}

}  // namespace detail
}  // namespace store
