// How long a Standard MIDI File plays: from its start to the end of its last
// note, through its tempo changes.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

namespace media {

// The time at which the file's last note ends (its last event when it holds
// no note); nullopt for bytes that are not a Standard MIDI File, or a file
// that cannot be read through to its end.
std::optional<std::chrono::microseconds> MidiLength(std::span<const std::uint8_t> bytes);

}  // namespace media
