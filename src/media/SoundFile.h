// Reading a theme's WAV or MIDI file whole: only a regular file of sane size,
// read completely, with the I/O error texts the player is shown.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/RegularFile.h"

namespace media {

// Larger files are refused: no effect or track of a theme comes near it.
// Effects and tracks share the cap.
static_assert(files::MaxSoundBytes == files::MaxMusicBytes);
inline constexpr std::int64_t MaxSoundFileBytes = static_cast<std::int64_t>(files::MaxSoundBytes);

// A file that could not be read; what() is the text shown to the player,
// such as "File not found" (the caller adds the full stop).
class SoundFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's complete bytes. Throws SoundFileError when the file is missing,
// is not a regular file, is larger than MaxSoundFileBytes, or cannot be read
// to its end ("Read beyond end of file" when it ends early).
std::vector<std::uint8_t> ReadSoundFile(const std::string& path);

}  // namespace media
