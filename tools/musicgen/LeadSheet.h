// Lead sheets: chord symbols, the chords' notes as a band voices them, and
// melodies written as note names with lengths.
#pragma once

#include <string>
#include <vector>

#include "Arranger.h"

namespace musicgen::leadsheet {

enum class Quality { Major, Sixth, Major7, Minor6, Minor7, Dominant7, HalfDiminished, Diminished7 };

struct Chord {
    int root;  // pitch class, C = 0
    Quality quality;
};

struct ChordSpan {
    double start, length;  // in beats from the start of the piece
    Chord chord;
};

struct Note {
    double start, length;
    int key;
};

// The words of a text, split at spaces; the bars of a chart or melody, split at "|".
std::vector<std::string> Words(const std::string& text);
std::vector<std::string> Bars(const std::string& text);

// Reads a letter and its sharps or flats from the front of `text`: semitones above
// the letter C of the same octave (so "Cb" is -1 and "B#" is 12).
int ReadPitch(const std::string& text, size_t& position);
Chord ParseChord(const std::string& symbol);

// The chord's notes above its root as the comping plays them: third, seventh or
// sixth, and colour tones, with the root left to the bass where it can be.
std::vector<int> VoicingIntervals(Quality quality);
// The guide tones, third and seventh (or sixth), then one colour tone: the
// ninth, or the flat fifth of the diminished chords; a plain triad's third,
// fifth and root.
std::vector<int> ShellIntervals(Quality quality);
int Third(Quality quality);
int Fifth(Quality quality);
// The key of `pitchClass` in the octave that starts at `floor`.
int KeyAbove(int floor, int pitchClass);

// A chart of chords and a melody, from the beat `start`; melodies are
// shifted by `shift` semitones. Throws NotationError for what cannot be read.
std::vector<ChordSpan> ParseChart(const std::string& chart, int beatsPerBar, double start);
std::vector<Note> ParseMelody(const std::string& melody, int beatsPerBar, double start, int shift);

}  // namespace musicgen::leadsheet
