// Playing lead sheets as a band: the parts' rhythm patterns, the voicings,
// the bass lines and the mix.

#include "Arranger.h"
#include "LeadSheet.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

namespace musicgen {

namespace {

using namespace leadsheet;

constexpr int MelodyChannel = 0;
constexpr int SecondMelodyChannel = 1;
constexpr int CompingChannel = 2;
constexpr int BassChannel = 3;

// The form: the chorus twice, then one bar on the home chord.
constexpr int Choruses = 2;

// The lowest key of the comping voicings (G below middle C); each chord fits in the octave above it.
constexpr int VoicingFloor = 55;
// The lowest key of the bass's roots (E, the open low string); each root fits in the octave above it.
constexpr int BassFloor = 40;

// General MIDI percussion keys.
enum Drum : int {
    Kick = 36,
    SideStick = 37,
    Snare = 38,  // a brush tap in the brush kit
    ClosedHat = 42,
    PedalHat = 44,
    Ride = 51,
    Maracas = 70,
};

// The SoundFont generator of the volume envelope's release time, in timecents.
constexpr int ReleaseOfVolumeEnvelope = 38;

// One hit of a rhythm pattern, `offset` beats into its bar.
struct Hit {
    double offset, length;
};

struct DrumHit {
    double offset;
    int key, velocity;
};

// Patterns are lists of bars, played in turn.
using Pattern = std::vector<std::vector<Hit>>;
using DrumPattern = std::vector<std::vector<DrumHit>>;

Pattern CompingPatternFor(Comping comping, int beatsPerBar)
{
    switch (comping) {
    case Comping::Charleston: return {{{0, 1.25}, {1.5, 1.0}}};
    case Comping::Bossa: return {{{0, 0.75}, {1.5, 0.75}, {3, 0.75}}, {{1, 0.75}, {2.5, 1.0}}};
    case Comping::Offbeats: return {{{0.5, 0.3}, {1.5, 0.3}, {2.5, 0.3}, {3.5, 0.3}}};
    case Comping::Waltz: return {{{0, 1.0}, {1.5, 1.0}}, {{1, 0.75}, {2, 0.75}}};
    case Comping::Sustained: return {{{0, double(beatsPerBar)}}};
    }
    return {};
}

DrumPattern DrumPatternFor(Groove groove)
{
    switch (groove) {
    case Groove::SwingBrushes:
        return {{{0, Ride, 62},
                 {0, Kick, 45},
                 {1, Ride, 56},
                 {1, PedalHat, 50},
                 {1, Snare, 46},
                 {1.5, Ride, 48},
                 {2, Ride, 60},
                 {3, Ride, 56},
                 {3, PedalHat, 50},
                 {3, Snare, 48},
                 {3.5, Ride, 48}}};
    case Groove::Bossa:
        return {
            {{0, SideStick, 56},
             {1.5, SideStick, 52},
             {3, SideStick, 54},
             {0, Kick, 55},
             {1.5, Kick, 40},
             {2, Kick, 52},
             {3.5, Kick, 40}},
            {{1, SideStick, 54}, {2.5, SideStick, 52}, {0, Kick, 55}, {1.5, Kick, 40}, {2, Kick, 52}, {3.5, Kick, 40}}};
    case Groove::Backbeat: return {{{0, Kick, 62}, {1, Snare, 56}, {1.5, Kick, 44}, {2, Kick, 58}, {3, Snare, 58}}};
    case Groove::WaltzBrushes:
        return {{{0, Ride, 60},
                 {0, Kick, 44},
                 {1, Ride, 54},
                 {1, PedalHat, 46},
                 {1.5, Ride, 46},
                 {2, Ride, 54},
                 {2, PedalHat, 46},
                 {2, Snare, 42}}};
    }
    return {};
}

class Arrangement {
public:
    explicit Arrangement(const Tune& tune) : tune_(tune)
    {
        const double chorusLength = Bars(tune.chords).size() * double(tune.beatsPerBar);
        for (int chorus = 0; chorus < Choruses; ++chorus) {
            const double start = chorus * chorusLength;
            for (const ChordSpan& span : ParseChart(tune.chords, tune.beatsPerBar, start)) chords_.push_back(span);
            const int shift = chorus == 0 ? 0 : tune.band.secondMelodyShift;
            std::vector<Note>& melody = chorus == 0 ? melody_ : secondMelody_;
            melody = ParseMelody(tune.melody, tune.beatsPerBar, start, shift);
        }
        if (Bars(tune.melody).size() != Bars(tune.chords).size()) {
            throw NotationError(tune.title + ": the melody and the chord chart differ in length");
        }
        endingStart_ = Choruses * chorusLength;
        chords_.push_back(ChordSpan{endingStart_, double(tune.beatsPerBar), ParseChord(tune.endingChord)});
        ending_ = ParseMelody(tune.endingMelody, tune.beatsPerBar, endingStart_, 0);
        end_ = Ticks(endingStart_ + tune.beatsPerBar);
    }

    std::vector<MidiTrack> Tracks() const { return {Tempo(), Melody(), Comp(), Bass(), Drums()}; }

private:
    // Beats to ticks; a swing feel delays every off-beat eighth to the last third of its beat.
    uint32_t Ticks(double beat) const
    {
        if (tune_.feel == Feel::Swing) {
            const double whole = std::floor(beat);
            const double part = beat - whole;
            beat = whole + (part < 0.5 ? part * 4.0 / 3.0 : 2.0 / 3.0 + (part - 0.5) * 2.0 / 3.0);
        }
        return static_cast<uint32_t>(std::lround(beat * TicksPerQuarter));
    }

    // The ending's notes all stop a beat before the end, so the track ends in quiet.
    double EndingLength() const { return tune_.beatsPerBar - 1.0; }

    MidiTrack Part(const std::string& name, int channel, int program, int volume, int pan) const
    {
        MidiTrack track(name);
        track.AddProgram(channel, program, 0);
        track.AddController(channel, Volume, volume, 0);
        track.AddController(channel, Pan, pan, 0);
        track.AddController(channel, ReverbSend, 48, 0);
        track.AddController(channel, ChorusSend, 16, 0);
        track.SetEnd(end_);
        return track;
    }

    MidiTrack Tempo() const
    {
        MidiTrack track(tune_.title);
        track.AddTempo(tune_.tempo, 0);
        track.AddTimeSignature(tune_.beatsPerBar, 0);
        track.SetEnd(end_);
        return track;
    }

    void AddMelody(MidiTrack& track, int channel, const std::vector<Note>& notes, int level) const
    {
        for (const Note& note : notes) {
            const double position = std::fmod(note.start, 1.0);
            const bool onBeat = position < 1e-9;
            const bool onBar = std::fmod(note.start, double(tune_.beatsPerBar)) < 1e-9;
            const int velocity = level + (onBeat ? 6 : 0) + (onBar ? 4 : 0);
            const double length = std::max(note.length * 0.92, note.length - 0.15);  // a breath between notes
            track.AddNote(channel, note.key, velocity, Ticks(note.start), Ticks(note.start + length));
        }
    }

    MidiTrack Melody() const
    {
        MidiTrack track = Part("Melody", MelodyChannel, tune_.band.melody, 100, 72);
        track.AddProgram(SecondMelodyChannel, tune_.band.secondMelody, 0);
        track.AddController(SecondMelodyChannel, Volume, 100, 0);
        track.AddController(SecondMelodyChannel, Pan, 56, 0);
        track.AddController(SecondMelodyChannel, ReverbSend, 48, 0);
        AddMelody(track, MelodyChannel, melody_, 70);
        AddMelody(track, SecondMelodyChannel, secondMelody_, 67);
        AddMelody(track, MelodyChannel, ending_, 66);
        return track;
    }

    MidiTrack Comp() const
    {
        MidiTrack track = Part("Comping", CompingChannel, tune_.band.comping, 84, 40);
        const Pattern pattern = CompingPatternFor(tune_.comping, tune_.beatsPerBar);
        for (const ChordSpan& span : chords_) {
            std::vector<Hit> hits;
            if (span.start >= endingStart_) {
                hits.push_back(Hit{0.0, EndingLength()});
            } else {
                const int bar = static_cast<int>(span.start / tune_.beatsPerBar);
                const double offset = span.start - bar * tune_.beatsPerBar;
                for (const Hit& hit : pattern[bar % pattern.size()]) {
                    if (hit.offset >= offset && hit.offset < offset + span.length) {
                        hits.push_back(Hit{hit.offset - offset, hit.length});
                    }
                }
                // A chord the pattern would skip is struck on its first beat.
                if (hits.empty()) hits.push_back(Hit{0.0, pattern[0][0].length});
            }
            for (const Hit& hit : hits) {
                const double start = span.start + hit.offset;
                const double stop = std::min(start + hit.length, span.start + span.length) - 0.05;
                const int velocity = hit.offset == 0.0 ? 56 : 50;
                for (int interval : VoicingIntervals(span.chord.quality)) {
                    const int key = KeyAbove(VoicingFloor, span.chord.root + interval);
                    if (!ClashesWithMelody(key, start, stop))
                        track.AddNote(CompingChannel, key, velocity, Ticks(start), Ticks(stop));
                }
            }
        }
        return track;
    }

    // A chord tone a semitone (or a minor ninth) under a melody note grates against it;
    // the comping leaves out such a tone while it would sound with that note.
    bool ClashesWithMelody(int key, double start, double stop) const
    {
        for (const std::vector<Note>* notes : {&melody_, &secondMelody_, &ending_}) {
            for (const Note& note : *notes) {
                const bool together = note.start < stop && start < note.start + note.length;
                if (together && ((note.key - key) % 12 + 12) % 12 == 1) return true;
            }
        }
        return false;
    }

    // The bass's notes for one chord: (offset, length, key) from the chord's root and the next chord's.
    std::vector<Note> BassLine(const ChordSpan& span, int nextRoot) const
    {
        const int root = KeyAbove(BassFloor, span.chord.root);
        const int third = root + Third(span.chord.quality);
        const int fifth = root + Fifth(span.chord.quality);
        const int fifthBelow = fifth - 12 >= BassFloor - 4 ? fifth - 12 : fifth;
        const int length = static_cast<int>(span.length);
        std::vector<Note> notes;
        switch (tune_.bassLine) {
        case BassLine::Walking:
            // Root, chord tones, and a step from a semitone away into the next chord.
            for (int beat = 0; beat < length; ++beat) {
                int key = beat % 2 == 1 ? third : fifth;
                if (beat == 0) key = root;
                if (beat == length - 1 && beat > 0) key = nextRoot > root ? nextRoot - 1 : nextRoot + 1;
                notes.push_back(Note{double(beat), 0.95, key});
            }
            break;
        case BassLine::TwoFeel:
            for (int beat = 0; beat < length; beat += 2)
                notes.push_back(Note{double(beat), 1.8, beat % 4 == 0 ? root : fifth});
            break;
        case BassLine::Bossa:
            for (int beat = 0; beat + 1 < length; beat += 2) {
                const bool firstHalf = beat % 4 == 0;
                notes.push_back(Note{double(beat), 1.4, firstHalf ? root : fifthBelow});
                notes.push_back(Note{beat + 1.5, 0.45, firstHalf ? fifthBelow : root});
            }
            break;
        case BassLine::Bounce:
            for (int beat = 0; beat < length; ++beat) {
                notes.push_back(Note{double(beat), 0.45, beat % 4 == 2 ? fifth : root});
                notes.push_back(Note{beat + 0.5, 0.4, root + 12});
            }
            break;
        case BassLine::Waltz:
            notes.push_back(Note{0.0, 1.8, root});
            if (length >= 3) notes.push_back(Note{2.0, 0.9, fifthBelow});
            break;
        }
        return notes;
    }

    MidiTrack Bass() const
    {
        MidiTrack track = Part("Bass", BassChannel, tune_.band.bass, 90, 64);
        for (size_t i = 0; i < chords_.size(); ++i) {
            const ChordSpan& span = chords_[i];
            std::vector<Note> notes;
            if (span.start >= endingStart_) {
                notes.push_back(Note{0.0, EndingLength(), KeyAbove(BassFloor, span.chord.root)});
            } else {
                notes = BassLine(span, KeyAbove(BassFloor, chords_[i + 1].chord.root));
            }
            for (const Note& note : notes) {
                const bool onBeat = std::fmod(note.start, 1.0) == 0.0;
                const int velocity = note.start == 0.0 ? 74 : (onBeat ? 68 : 60);
                track.AddNote(BassChannel, note.key, velocity, Ticks(span.start + note.start),
                              Ticks(span.start + note.start + note.length));
            }
        }
        return track;
    }

    // A SoundFont 2.01 NRPN (coarse 120, fine the generator's number) that
    // offsets one generator of every note the channel starts from now on.
    static void AddGeneratorOffset(MidiTrack& track, int channel, int generator, int offset)
    {
        const int data = 8192 + offset / 2;  // the release's steps are 2 timecents
        track.AddController(channel, NrpnCoarse, 120, 0);
        track.AddController(channel, NrpnFine, generator, 0);
        track.AddController(channel, DataEntryFine, data & 0x7F, 0);  // before the coarse byte, which applies it
        track.AddController(channel, DataEntry, data >> 7, 0);
    }

    MidiTrack Drums() const
    {
        MidiTrack track = Part("Drums", DrumChannel, tune_.band.drumKit, 80, 72);
        // The kits' ride cymbal rings for seconds after its note-off, so a ride
        // played on every beat kept some fifty fading tails sounding at once,
        // each far under the newest stroke, and most of the synthesiser's work
        // went into them. A quarter of that release (-2400 timecents) changes
        // the mix by under 0.1 dB and leaves about twenty voices.
        AddGeneratorOffset(track, DrumChannel, ReleaseOfVolumeEnvelope, -2400);
        const DrumPattern pattern = DrumPatternFor(tune_.groove);
        const int bars = static_cast<int>(endingStart_ / tune_.beatsPerBar);
        for (int bar = 0; bar < bars; ++bar) {
            const double start = double(bar) * tune_.beatsPerBar;
            for (const DrumHit& hit : pattern[bar % pattern.size()]) {
                track.AddNote(DrumChannel, hit.key, hit.velocity, Ticks(start + hit.offset),
                              Ticks(start + hit.offset + 0.25));
            }
            // Shakers fill every eighth of the bossa; hats every eighth of the backbeat.
            for (double eighth = 0; eighth < tune_.beatsPerBar; eighth += 0.5) {
                const bool onBeat = std::fmod(eighth, 1.0) == 0.0;
                if (tune_.groove == Groove::Bossa) {
                    track.AddNote(DrumChannel, Maracas, onBeat ? 44 : 34, Ticks(start + eighth),
                                  Ticks(start + eighth + 0.25));
                } else if (tune_.groove == Groove::Backbeat) {
                    track.AddNote(DrumChannel, ClosedHat, onBeat ? 52 : 40, Ticks(start + eighth),
                                  Ticks(start + eighth + 0.25));
                }
            }
        }
        track.AddNote(DrumChannel, Kick, 56, Ticks(endingStart_), Ticks(endingStart_ + 0.5));
        track.AddNote(DrumChannel, tune_.groove == Groove::Bossa ? SideStick : Ride, 58, Ticks(endingStart_),
                      Ticks(endingStart_ + 0.5));
        return track;
    }

    const Tune& tune_;
    std::vector<ChordSpan> chords_;  // both choruses and the ending
    std::vector<Note> melody_, secondMelody_, ending_;
    double endingStart_ = 0.0;
    uint32_t end_ = 0;
};

}  // namespace

std::vector<MidiTrack> Arrange(const Tune& tune)
{
    return Arrangement(tune).Tracks();
}

}  // namespace musicgen
