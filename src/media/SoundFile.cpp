// Reads a sound or music file whole through the regular-file opener, so that a
// file that is not regular (a directory, a pipe) is refused before anything
// blocks on it; the I/O error texts the player is shown.
#include "media/SoundFile.h"

#include <cerrno>

#include "files/RegularFile.h"

namespace media {

namespace {

std::string ErrorText(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return "File not found";
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return "Invalid filename";
    case EMFILE:
    case ENFILE: return "Too many open files";
    case EACCES:
    case EPERM:
    case EISDIR: return "File access denied";
    case ENOSPC:
    case EDQUOT: return "Disk full";
    default: return "I/O error " + std::to_string(error);
    }
}

}  // namespace

std::vector<std::uint8_t> ReadSoundFile(const std::string& path)
{
    // Opened without blocking: a pipe named like a sound file must not hang
    // the game. The type is checked on the open file, not on the name.
    files::RegularFile file(path, MaxSoundFileBytes);
    switch (file.Failure()) {
    case files::OpenFailure::None: break;
    case files::OpenFailure::Missing: throw SoundFileError(ErrorText(ENOENT));
    case files::OpenFailure::NotRegular: throw SoundFileError(ErrorText(EACCES));
    case files::OpenFailure::TooLarge: throw SoundFileError("File too large");
    case files::OpenFailure::Unreadable: throw SoundFileError(ErrorText(file.Error()));
    }
    std::vector<std::uint8_t> bytes;
    if (!file.ReadAll(bytes)) {
        if (file.Error() == 0) throw SoundFileError("Read beyond end of file");
        throw SoundFileError(ErrorText(file.Error()));
    }
    return bytes;
}

}  // namespace media
