// The five lead sheets. Each chorus ends on a chord that leads back to its
// first bar, so a track can loop; the ending bar comes to rest on the home chord.

#include "Tunes.h"

namespace musicgen {

const std::vector<Tune>& Tunes()
{
    static const std::vector<Tune> tunes{
        // 0: a medium swing in F, vibraphone over electric piano's low rootless voicings, walking
        // bass and brushes; the guitar takes the second chorus and the vibraphone joins it for the last eight.
        Tune{"Plum Lounge", 112, 4, Feel::Swing,
             Band{Vibraphone, JazzGuitar, 0, ElectricPiano1, AcousticBass, BrushKit}, BassLine::Walking,
             Comping::Charleston, Groove::SwingBrushes, Voicing::Close, 52, "AABD", Mix{-4, -2.5, -7, -6, 0, -8.2},
             "Fmaj7 | Dm7 | Gm7 | C7 |"
             "Am7 D7 | Gm7 C7 | Fmaj7 | Cm7 F7 |"
             "Bbmaj7 | Bbm6 | Am7 | D7 |"
             "Gm7 | C7 | Fmaj7 Dm7 | Gm7 C7",
             "r:1 A4:0.5 C5:0.5 E5:1.5 D5:0.5 | C5:1 A4:1 F5:1.5 E5:0.5 | D5:1 Bb4:0.5 A4:0.5 G4:2 |"
             "r:0.5 E4:0.5 G4:0.5 Bb4:0.5 D5:1 C5:1 |"
             "C5:1 E5:1 F#5:1 A5:1 | G5:1.5 F5:0.5 E5:1 D5:1 | C5:3 r:1 |"
             "r:0.5 Eb5:0.5 D5:0.5 C5:0.5 A4:1 Eb5:1 |"
             "D5:1.5 F5:0.5 A5:2 | G5:1 F5:1 Db5:2 | C5:1.5 E5:0.5 G5:1 E5:1 |"
             "F#5:2 r:0.5 D5:0.5 E5:0.5 F#5:0.5 |"
             "G5:1 F5:0.5 D5:0.5 Bb4:2 | r:0.5 C5:0.5 D5:0.5 E5:0.5 G5:1 Bb5:1 | A5:2 F5:1 D5:1 |"
             "F5:1 D5:1 E5:1 r:1",
             "F6", "F5:3 r:1"},

        // 1: a bossa nova in A minor, flute over the nylon guitar's wide voicings and fretless bass; the
        // vibraphone doubles the flute an octave down in the second eight bars, then plays the next eight alone.
        Tune{"Gold Leaf Bossa", 128, 4, Feel::Straight, Band{Flute, Vibraphone, 0, NylonGuitar, FretlessBass, BrushKit},
             BassLine::Bossa, Comping::Bossa, Groove::Bossa, Voicing::Drop2, 48, "ADBA", Mix{-4, -4, -6, -7, -1, -9},
             "Am7 | Am7 | Dm7 | G7 |"
             "Cmaj7 | Fmaj7 | Bm7b5 | E7 |"
             "Am7 | A7 | Dm7 | G7 |"
             "Cmaj7 | Fmaj7 | Bm7b5 | E7",
             "E5:1.5 D5:0.5 C5:1 B4:1 | C5:3 r:1 | F5:1.5 E5:0.5 D5:1 C5:1 | B4:3 r:1 |"
             "E5:1.5 G5:0.5 B5:2 | A5:1.5 G5:0.5 E5:2 | D5:1.5 F5:0.5 A5:2 | G#5:3 r:1 |"
             "A5:1.5 G5:0.5 E5:1 C5:1 | C#5:3 r:1 | D5:1.5 F5:0.5 A5:1 C6:1 | B5:2 A5:1 F5:1 |"
             "E5:1.5 D5:0.5 C5:1 B4:1 | A4:1.5 C5:0.5 E5:2 | D5:1 F5:0.5 D5:0.5 A4:2 |"
             "G#4:2 B4:1 D5:1",
             "Am7", "A4:3 r:1"},

        // 2: a bouncy arcade tune in C, marimba over high muted guitar chops and an eighth-note bass,
        // trading eight bars with the electric piano.
        Tune{"Chrome Bounce", 136, 4, Feel::Straight,
             Band{Marimba, ElectricPiano2, 0, MutedGuitar, FingeredBass, StandardKit}, BassLine::Bounce,
             Comping::Offbeats, Groove::Backbeat, Voicing::Close, 60, "ABAB", Mix{0, -4, -5, -9, -6, -6.3},
             "C | Am7 | Dm7 | G7 |"
             "C | Am7 | Dm7 G7 | C |"
             "F | Fm6 | Em7 | A7 |"
             "Dm7 | G7 | C Am7 | Dm7 G7",
             "E5:0.5 G5:0.5 r:0.5 G5:0.5 A5:0.5 G5:0.5 E5:1 | C5:0.5 E5:0.5 r:0.5 E5:0.5 G5:0.5 E5:0.5 C5:1 |"
             "D5:0.5 F5:0.5 A5:0.5 C6:0.5 B5:0.5 A5:0.5 F5:1 | G5:1.5 F5:0.5 D5:1 B4:1 |"
             "E5:0.5 G5:0.5 r:0.5 G5:0.5 A5:0.5 G5:0.5 E5:1 | A5:0.5 C6:0.5 r:0.5 C6:0.5 B5:0.5 A5:0.5 E5:1 |"
             "F5:1 A5:1 G5:1 F5:1 | E5:3 r:1 |"
             "A5:0.5 F5:0.5 C5:0.5 F5:0.5 A5:1 C6:1 | Ab5:0.5 F5:0.5 D5:0.5 F5:0.5 Ab5:2 |"
             "G5:0.5 E5:0.5 B4:0.5 E5:0.5 G5:1 B5:1 | C#6:2 A5:1 G5:1 |"
             "F5:0.5 A5:0.5 r:0.5 A5:0.5 G5:0.5 F5:0.5 D5:1 | B4:0.5 D5:0.5 r:0.5 D5:0.5 F5:0.5 E5:0.5 D5:1 |"
             "C5:1 E5:1 A5:1 G5:1 | F5:1 E5:0.5 D5:0.5 B4:1 r:1",
             "C6", "C5:3 r:1"},

        // 3: a jazz waltz in B flat, celesta over the jazz guitar's shell voicings, the clarinet
        // taking the second chorus.
        Tune{"Lit Glass Waltz", 150, 3, Feel::Swing, Band{Celesta, Clarinet, 0, JazzGuitar, AcousticBass, BrushKit},
             BassLine::Waltz, Comping::Waltz, Groove::WaltzBrushes, Voicing::Shell, 50, "AABB",
             Mix{0, -6, -7, -6, 0, -7.7},
             "Bbmaj7 | Gm7 | Cm7 | F7 |"
             "Dm7 | G7 | Cm7 | F7 |"
             "Ebmaj7 | Ebm6 | Dm7 | G7 |"
             "Cm7 | F7 | Bbmaj7 | F7",
             "D5:2 F5:1 | Bb5:2 A5:1 | G5:2 Eb5:1 | F5:1 A5:2 |"
             "F5:2 A5:1 | B5:2 G5:1 | Eb5:2 D5:1 | C5:3 |"
             "G5:1.5 F5:0.5 Eb5:1 | Gb5:2 C5:1 | F5:1.5 E5:0.5 D5:1 | B4:2 D5:1 |"
             "Eb5:1 G5:1 Bb5:1 | A5:2 Eb5:1 | D5:3 | C5:1 A4:1 C5:1",
             "Bbmaj7", "D5:2 r:1"},

        // 4: a slow soul-jazz groove in C minor, alto saxophone over spread organ chords, electric bass
        // and a shuffle; the electric piano takes eight bars of the second chorus and hands back to the saxophone.
        Tune{"Midnight Payline", 92, 4, Feel::Swing,
             Band{AltoSax, ElectricPiano1, 0, DrawbarOrgan, FingeredBass, JazzKit}, BassLine::TwoFeel,
             Comping::Sustained, Groove::SoulShuffle, Voicing::Drop2, 46, "AABA", Mix{-8, -1.5, -7, -5, -1, -9.3},
             "Cm7 | Fm7 | Dm7b5 G7 | Cm7 |"
             "Abmaj7 | Fm7 | Dm7b5 | G7 |"
             "Ebmaj7 | Abmaj7 | Dm7b5 | G7 |"
             "Cm7 | Fm7 | Dm7b5 | G7",
             "r:1 G4:0.5 Bb4:0.5 C5:1 Eb5:1 | Ab5:1.5 G5:0.5 F5:1 C5:1 | F5:1.5 Ab5:0.5 B4:2 | C5:3 r:1 |"
             "Eb5:0.5 F5:0.5 G5:1 C5:1 Eb5:1 | Ab5:2 C5:1 Eb5:1 | D5:1.5 F5:0.5 Ab5:1 C6:1 |"
             "B5:1.5 G5:0.5 F5:1 D5:1 |"
             "Eb5:1 G5:1 Bb5:1.5 G5:0.5 | C6:2 Bb5:1 G5:1 | Ab5:1.5 F5:0.5 D5:1 C5:1 |"
             "B4:2 r:0.5 D5:0.5 F5:0.5 G5:0.5 |"
             "Eb5:1.5 D5:0.5 C5:1 G4:1 | Ab4:1.5 C5:0.5 F5:1 Eb5:1 | F5:1.5 Eb5:0.5 D5:1 C5:1 | B4:3 r:1",
             "Cm7", "C5:3 r:1"},
    };
    return tunes;
}

}  // namespace musicgen
