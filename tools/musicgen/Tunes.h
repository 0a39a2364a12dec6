// The default theme's five pieces of music, written as lead sheets: a chord
// chart, a melody, a feel and a band. The arranger turns each into MIDI.
#pragma once

#include <string>
#include <vector>

namespace musicgen {

// General MIDI programs (counted from 0) of the band's instruments.
enum Program : int {
    ElectricPiano1 = 4,
    ElectricPiano2 = 5,
    Celesta = 8,
    Vibraphone = 11,
    Marimba = 12,
    DrawbarOrgan = 16,
    NylonGuitar = 24,
    JazzGuitar = 26,
    MutedGuitar = 28,
    AcousticBass = 32,
    FingeredBass = 33,
    FretlessBass = 35,
    AltoSax = 65,
    Clarinet = 71,
    Flute = 73,
};

// Drum kits, selected by a program change on the percussion channel.
enum DrumKit : int { StandardKit = 0, JazzKit = 32, BrushKit = 40 };

enum class Feel { Straight, Swing };  // swing plays pairs of eighths long-short, two to one
enum class BassLine { Walking, TwoFeel, Bossa, Bounce, Waltz };
enum class Comping { Charleston, Bossa, Offbeats, Waltz, Sustained };
enum class Groove { SwingBrushes, Bossa, Backbeat, WaltzBrushes, SoulShuffle };

// How the comping spreads a chord: every tone in the octave above the floor;
// the same an octave higher with the second voice from the top dropped an
// octave (a wider, guitar-like spread); or the third and seventh with one
// colour tone above them, leaving the root and fifth to the bass.
enum class Voicing { Close, Drop2, Shell };

struct Band {
    int melody;             // the tune's own voice: starts the melody and plays the ending
    int secondMelody;       // takes the melody over where the leads say so
    int secondMelodyShift;  // in semitones, to suit its range
    int comping;
    int bass;
    int drumKit;
};

// Each instrument's level in dB under full channel volume, and the whole tune's
// level, sent as every channel's expression. Balanced by ear and by the
// loudness benchmark (bench/media) with the packaged soundfont.
struct Mix {
    double melody, secondMelody, comping, bass, drums;
    double overall;
};

// Chord charts: bars separated by '|', the chords of a bar sharing it equally,
// written like "Fmaj7", "Bbm6", "F#m7b5", "C7", "C". Melodies: "note:beats"
// tokens such as "A4:1.5" (A above middle C for a beat and a half), "r:1" for
// a rest and "_:2" to hold the previous note two beats longer; bars separated by '|'.
struct Tune {
    std::string title;
    double tempo;  // quarter notes per minute
    int beatsPerBar;
    Feel feel;
    Band band;
    BassLine bassLine;
    Comping comping;
    Groove groove;
    Voicing voicing;
    int voicingFloor;  // the comping's lowest key
    // Who plays the melody in each eight bars of the two choruses: 'A' the
    // melody instrument, 'B' the second, 'D' both, the second an octave lower.
    std::string leads;
    Mix mix;
    std::string chords;  // one chorus; the form plays it twice
    std::string melody;  // one chorus, as long as the chart
    std::string endingChord;
    std::string endingMelody;  // the final bar
};

// The five tunes in the order the game plays its tracks.
const std::vector<Tune>& Tunes();

}  // namespace musicgen
