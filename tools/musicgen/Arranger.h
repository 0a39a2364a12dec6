// Turns a lead sheet into a band arrangement: two choruses and an ending bar,
// with melody, comping, bass and drums, as the tracks of a MIDI file.
#pragma once

#include <stdexcept>
#include <vector>

#include "MidiFile.h"
#include "Tunes.h"

namespace musicgen {

// A lead sheet that cannot be read: an unknown chord or note, or a bar of the wrong length.
class NotationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The band's channels; the drums play on DrumChannel.
inline constexpr int MelodyChannel = 0;
inline constexpr int SecondMelodyChannel = 1;
inline constexpr int CompingChannel = 2;
inline constexpr int BassChannel = 3;

// The tempo track first, then melody, comping, bass and drums.
std::vector<MidiTrack> Arrange(const Tune& tune);

}  // namespace musicgen
