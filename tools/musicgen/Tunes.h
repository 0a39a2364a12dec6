#pragma once

// The default theme's five pieces of music, written as lead sheets: a chord
// chart, a melody, a feel and a band. The arranger turns each into MIDI.

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
enum class Groove { SwingBrushes, Bossa, Backbeat, WaltzBrushes };

struct Band {
    int melody;             // plays the first chorus and the ending
    int secondMelody;       // plays the second chorus
    int secondMelodyShift;  // in semitones, to suit its range
    int comping;
    int bass;
    int drumKit;
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
    std::string chords;  // one chorus; the form plays it twice
    std::string melody;  // one chorus, as long as the chart
    std::string endingChord;
    std::string endingMelody;  // the final bar
};

// The five tunes in the order the game plays its tracks.
const std::vector<Tune>& Tunes();

}  // namespace musicgen
