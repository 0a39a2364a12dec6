// Reads a sound or music file whole through POSIX calls, so that a file that is
// not regular (a directory, a pipe) is refused before anything blocks on it.
#include "media/SoundFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

// Closes the descriptor on every path out.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::vector<std::uint8_t> ReadSoundFile(const std::string& path)
{
    // Opened without blocking: a pipe named like a sound file must not hang
    // the game. The type is checked on the open file, not on the name.
    const OpenFile file(path);
    if (file.Descriptor() < 0) throw SoundFileError(ErrorText(errno));
    struct stat info {};
    if (::fstat(file.Descriptor(), &info) != 0) throw SoundFileError(ErrorText(errno));
    if (!S_ISREG(info.st_mode)) throw SoundFileError(ErrorText(S_ISDIR(info.st_mode) ? EISDIR : EACCES));
    if (info.st_size > MaxSoundFileBytes) throw SoundFileError("File too large");

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.Descriptor(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw SoundFileError(ErrorText(errno));
        if (got == 0) throw SoundFileError("Read beyond end of file");
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

}  // namespace media
