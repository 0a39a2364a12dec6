// Regular files opened without blocking and checked on the open descriptor;
// the reasons a file cannot be read, in words.
#include "files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace files {

RegularFile::RegularFile(const std::string& path, std::uint64_t maxBytes) : cap_(maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        failure_ = (error_ == ENOENT || error_ == ENOTDIR) ? OpenFailure::Missing : OpenFailure::Unreadable;
        return;
    }
    fd_ = fd;
    struct stat status {};
    if (::fstat(fd_, &status) != 0) {
        error_ = errno;
        failure_ = OpenFailure::Unreadable;
        Close();
        return;
    }
    if (!S_ISREG(status.st_mode)) {
        failure_ = OpenFailure::NotRegular;
        Close();
        return;
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
    if (size_ > maxBytes) {
        failure_ = OpenFailure::TooLarge;
        Close();
        return;
    }
    permissions_ = static_cast<unsigned>(status.st_mode & 07777);
    failure_ = OpenFailure::None;
}

RegularFile::~RegularFile()
{
    Close();
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      failure_(other.failure_),
      error_(other.error_),
      size_(other.size_),
      cap_(other.cap_),
      permissions_(other.permissions_)
{}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        failure_ = other.failure_;
        error_ = other.error_;
        size_ = other.size_;
        cap_ = other.cap_;
        permissions_ = other.permissions_;
    }
    return *this;
}

void RegularFile::Close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int RegularFile::Release()
{
    return std::exchange(fd_, -1);
}

std::string RegularFile::Reason() const
{
    switch (failure_) {
    case OpenFailure::None: return error_ != 0 ? std::strerror(error_) : "the file ends early";
    case OpenFailure::Missing: return "no such file";
    case OpenFailure::NotRegular: return "not a regular file";
    case OpenFailure::TooLarge: return "larger than " + SizeInWords(cap_);
    case OpenFailure::Unreadable: return std::strerror(error_);
    }
    return {};
}

long long RegularFile::ReadSomeAt(void* buffer, std::size_t count, std::uint64_t offset)
{
    for (;;) {
        const ssize_t got = ::pread(fd_, buffer, count, static_cast<off_t>(offset));
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        error_ = errno;
        return -1;
    }
}

bool RegularFile::ReadAt(void* buffer, std::size_t count, std::uint64_t offset)
{
    auto* at = static_cast<char*>(buffer);
    while (count > 0) {
        const long long got = ReadSomeAt(at, count, offset);
        if (got <= 0) {
            if (got == 0) error_ = 0;
            return false;
        }
        at += got;
        count -= static_cast<std::size_t>(got);
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

bool RegularFile::ReadAll(std::vector<std::uint8_t>& bytes)
{
    bytes.resize(static_cast<std::size_t>(size_));
    return ReadAt(bytes.data(), bytes.size(), 0);
}

std::string SizeInWords(std::uint64_t bytes)
{
    constexpr std::uint64_t Mega = std::uint64_t(1) << 20;
    if (bytes >= Mega && bytes % Mega == 0) return std::to_string(bytes / Mega) + " MB";
    if (bytes >= Mega) return std::to_string(bytes / Mega + 1) + " MB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace files
