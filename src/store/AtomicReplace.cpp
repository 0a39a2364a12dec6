// Replacing a file whole through a temporary file beside it, so that a failed write leaves the old
// one, and clearing away the temporary files of writers that were killed.
#include "store/AtomicReplace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace store::detail {

namespace fs = std::filesystem;

void Fail(const std::string& reason)
{
    throw WriteFailure{reason};
}

void FailWith(int error)
{
    Fail(std::strerror(error != 0 ? error : EIO));
}

void WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) FailWith(errno);
        if (done == 0) FailWith(ENOSPC);
        data += done;
        size -= static_cast<std::size_t>(done);
    }
}

namespace {

BeforeRenameHook& RenameHook()
{
    static BeforeRenameHook hook;
    return hook;
}

// The directory a file is in, "." for a bare name.
fs::path DirectoryOf(const fs::path& file)
{
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

// A writer's temporary files are named ".<file>.tmp-<process>-<count>".
std::string TemporaryPrefix(const fs::path& target)
{
    // GCC 12 at -O3 sees a memcpy of 2^63 bytes inside std::string's
    // operator+ here, a false -Wrestrict (GCC bug 105329).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
    return "." + target.filename().string() + ".tmp-";
#pragma GCC diagnostic pop
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
    // Returns false when closing reported an error (a delayed write error).
    bool Close()
    {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile(const fs::path& directory, const fs::path& target)
    {
        static unsigned counter = 0;
        const std::string stem = TemporaryPrefix(target) + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            fs::path candidate = directory / (stem + std::to_string(counter++));
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fd_.Reset(fd);
                path_ = std::move(candidate);
                return;
            }
            if (errno != EEXIST) FailWith(errno);
        }
        FailWith(EEXIST);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        fd_.Close();
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    int Fd() const { return fd_.Get(); }
    const fs::path& Path() const { return path_; }
    void CloseOrFail()
    {
        if (!fd_.Close()) FailWith(errno);
    }
    void Kept() { path_.clear(); }

private:
    FileDescriptor fd_;
    fs::path path_;
};

}  // namespace

void SetBeforeRenameHook(BeforeRenameHook hook)
{
    RenameHook() = std::move(hook);
}

void ReplaceWhole(const fs::path& target, const std::function<void(int fd)>& fill, std::optional<unsigned> permissions)
{
    const fs::path directory = DirectoryOf(target);
    TemporaryFile temporary(directory, target);
    fill(temporary.Fd());
    if (permissions) ::fchmod(temporary.Fd(), *permissions);

    if (::fsync(temporary.Fd()) != 0) FailWith(errno);
    temporary.CloseOrFail();
    if (RenameHook()) RenameHook()(temporary.Path());
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) FailWith(errno);
    temporary.Kept();

    // Make the rename itself durable; not every file system can, and the file
    // is whole either way.
    const int directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd >= 0) {
        ::fsync(directoryFd);
        ::close(directoryFd);
    }
}

int RemoveStaleTemporaries(const fs::path& target)
{
    const fs::path directory = DirectoryOf(target);
    const std::string prefix = TemporaryPrefix(target);
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos) continue;
        if (rest.find_first_not_of("0123456789") != dash) continue;
        if (rest.size() == dash + 1 || rest.find_first_not_of("0123456789", dash + 1) != std::string::npos) continue;
        const std::string pidText = rest.substr(0, dash);
        if (pidText.size() > 9) continue;
        const pid_t writer = static_cast<pid_t>(std::stol(pidText));
        // A writer that still runs may be about to rename it into place.
        if (writer <= 0 || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
        if (!entry->is_regular_file(error) || entry->is_symlink(error)) continue;
        if (::unlink(entry->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace store::detail
