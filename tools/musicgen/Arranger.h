#pragma once

// Turns a lead sheet into a band arrangement: two choruses and an ending bar,
// with melody, comping, bass and drums, as the tracks of a MIDI file.

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

// The tempo track first, then melody, comping, bass and drums.
std::vector<MidiTrack> Arrange(const Tune& tune);

}  // namespace musicgen
