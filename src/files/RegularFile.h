// Opening a file the game reads: only a regular file, opened without
// blocking, no larger than the cap of its kind. Every reader of pictures,
// sounds, music, settings and the manual goes through here, so that a pipe,
// a device or an enormous file named like a theme file can neither hang nor
// flood the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace files {

// Size caps by kind of file. No file a theme or the game writes comes near
// them; a larger one is refused unread, as an unreadable file.
inline constexpr std::uint64_t MaxSettingsBytes = std::uint64_t(256) << 20;  // read streaming, in bounded memory
// The largest picture the bitmap reader takes (2^26 pixels of 32 bits) with
// its headers, palette and colour profile.
inline constexpr std::uint64_t MaxPictureBytes = (std::uint64_t(256) << 20) + (std::uint64_t(16) << 20);
inline constexpr std::uint64_t MaxSoundBytes = std::uint64_t(16) << 20;  // a WAV effect
inline constexpr std::uint64_t MaxMusicBytes = std::uint64_t(16) << 20;  // a MIDI track
inline constexpr std::uint64_t MaxHelpBytes = std::uint64_t(16) << 20;   // the manual

enum class OpenFailure {
    None,
    Missing,     // nothing by that name (or a directory on the way is missing)
    NotRegular,  // a directory, pipe, socket or device
    TooLarge,    // above the cap
    Unreadable,  // the system refused it (permission, I/O error...); see Error()
};

// A regular file open for reading. The file is opened with O_NONBLOCK, so
// opening a pipe or a device returns at once, and its type and size are
// checked on the open descriptor (fstat), so nothing can be swapped in
// between the check and the read.
class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const std::string& path, std::uint64_t maxBytes);
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    OpenFailure Failure() const { return failure_; }
    // The system's error number behind Missing and Unreadable (and a failed read).
    int Error() const { return error_; }
    // Why the file cannot be read, as a message may quote it: "no such file",
    // "not a regular file", "larger than 16 MB", or the system's own reason.
    std::string Reason() const;

    int Descriptor() const { return fd_; }
    std::uint64_t Size() const { return size_; }
    unsigned Permissions() const { return permissions_; }

    // `count` bytes from `offset`; false when the file ends before them or a
    // read fails (Error() then tells why, 0 for an early end).
    bool ReadAt(void* buffer, std::size_t count, std::uint64_t offset);
    // Up to `count` bytes from `offset`, retried after interruptions: the
    // number read (0 at the end), or -1 with Error() set.
    long long ReadSomeAt(void* buffer, std::size_t count, std::uint64_t offset);
    // The whole file as it was when opened.
    bool ReadAll(std::vector<std::uint8_t>& bytes);

    // Hands the descriptor to a new owner (which closes it); the file is then closed here.
    int Release();

private:
    void Close();

    int fd_ = -1;
    OpenFailure failure_ = OpenFailure::Missing;
    int error_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t cap_ = 0;
    unsigned permissions_ = 0;
};

// A cap in words: "16 MB".
std::string SizeInWords(std::uint64_t bytes);

}  // namespace files
