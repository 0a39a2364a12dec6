// Playing lead sheets as a band: who leads where, the rhythm patterns,
// the voicings, the bass lines, the drum grooves and the mix.

#include "Arranger.h"
#include "LeadSheet.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace musicgen {

namespace {

using namespace leadsheet;

// The form: the chorus twice, then one bar on the home chord.
constexpr int Choruses = 2;
// The leads change hands, and the drums fill, at the end of every eight bars.
constexpr int BarsPerPhrase = 8;

// The lowest key of the bass's roots (E, the open low string); each root fits in the octave above it.
constexpr int BassFloor = 40;

// The melody's velocity before accents; both leads play a doubled phrase softer, so it sounds as loud as one.
constexpr int LeadVelocity = 72;
constexpr int DoubledSoftening = 10;

// General MIDI percussion keys; in the brush kit the snare is a brush tap.
enum Drum : int {
    Kick = 36,
    SideStick = 37,
    Snare = 38,
    ClosedHat = 42,
    PedalHat = 44,
    LowTom = 45,
    OpenHat = 46,
    HighMidTom = 48,
    Ride = 51,
    Tambourine = 54,
    Cabasa = 69,
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
using DrumBar = std::vector<DrumHit>;

// What the drummer plays: the bars played in turn through the first chorus, the
// busier bars of the second, the fill that closes every eight bars and the
// strokes on the ending's downbeat.
struct Drumming {
    std::vector<DrumBar> groove, lift;
    DrumBar fill, ending;
};

// A level in dB as a channel volume or expression value: SoundFont
// synthesisers attenuate a channel by 40 log10(127 / value) dB.
int ControllerFor(double decibels)
{
    return std::clamp(static_cast<int>(std::lround(127.0 * std::pow(10.0, decibels / 40.0))), 1, 127);
}

DrumBar operator+(DrumBar bar, const DrumBar& more)
{
    bar.insert(bar.end(), more.begin(), more.end());
    return bar;
}

// One drum on every eighth of the beats [from, to), louder on the beat.
DrumBar Eighths(int key, int onBeat, int offBeat, double from, double to)
{
    DrumBar bar;
    for (double eighth = from; eighth < to; eighth += 0.5)
        bar.push_back(DrumHit{eighth, key, std::fmod(eighth, 1.0) == 0.0 ? onBeat : offBeat});
    return bar;
}

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

Drumming DrummingFor(Groove groove)
{
    switch (groove) {
    case Groove::SwingBrushes: {
        // Ride on every beat and the skip notes, brushes and hi-hat on two and four, a feathered kick.
        const DrumBar rideOneTwo{{0, Ride, 84}, {1, Ride, 76}, {1.5, Ride, 60}};
        const DrumBar rideThreeFour{{2, Ride, 82}, {3, Ride, 76}, {3.5, Ride, 60}};
        const DrumBar feathers{{0, Kick, 44}, {2, Kick, 38}, {1, PedalHat, 48}, {3, PedalHat, 48}};
        const DrumBar time = rideOneTwo + rideThreeFour + feathers + DrumBar{{1, Snare, 66}, {3, Snare, 68}};
        const DrumBar fill{{1, Snare, 62}, {2, Snare, 58}, {2.5, Snare, 54}, {3, Snare, 70}, {3.5, Snare, 62}};
        return {{time},
                {time + DrumBar{{2.5, Snare, 44}}, time + DrumBar{{0.5, Snare, 42}, {3.5, Snare, 46}}},
                rideOneTwo + feathers + fill,
                {{0, Kick, 54}, {0, Ride, 86}}};
    }
    case Groove::Bossa: {
        // The two-bar clave on the rim, the bossa's kick and a shaker on every eighth;
        // the second chorus swaps the shaker for the brighter cabasa.
        const DrumBar kick{{0, Kick, 64}, {1.5, Kick, 46}, {2, Kick, 60}, {3.5, Kick, 46}};
        const DrumBar clave1{{0, SideStick, 64}, {1.5, SideStick, 60}, {3, SideStick, 62}};
        const DrumBar clave2{{1, SideStick, 62}, {2.5, SideStick, 60}};
        const DrumBar shaker = Eighths(Maracas, 54, 42, 0, 4), cabasa = Eighths(Cabasa, 38, 30, 0, 4);
        const DrumBar toms{{3, LowTom, 32}, {3.5, LowTom, 28}};
        return {{clave1 + kick + shaker, clave2 + kick + shaker},
                {clave1 + kick + cabasa, clave2 + kick + cabasa},
                clave2 + kick + Eighths(Maracas, 54, 42, 0, 3) + toms,
                {{0, Kick, 62}, {0, SideStick, 64}}};
    }
    case Groove::Backbeat: {
        // Kick and snare backbeat under straight eighths on the hi-hat; a tambourine lifts the second chorus.
        const DrumBar beat{{0, Kick, 76}, {1.5, Kick, 58}, {2, Kick, 70}, {1, Snare, 70}, {3, Snare, 72}};
        const DrumBar hats = Eighths(ClosedHat, 80, 62, 0, 4), halfHats = Eighths(ClosedHat, 80, 62, 0, 2);
        const DrumBar openHat = Eighths(ClosedHat, 80, 62, 0, 3.5) + DrumBar{{3.5, OpenHat, 70}};
        const DrumBar tambourine{{1, Tambourine, 50}, {3, Tambourine, 52}};
        const DrumBar fill{{0, Kick, 76}, {1, Snare, 70}, {2, Kick, 64}, {2, Snare, 62}, {2.5, Snare, 58}};
        const DrumBar toms{{3, HighMidTom, 54}, {3.5, LowTom, 56}};
        return {{beat + hats},
                {beat + hats + tambourine, beat + openHat},
                halfHats + fill + toms,
                {{0, Kick, 74}, {0, OpenHat, 70}}};
    }
    case Groove::WaltzBrushes: {
        // Ride on each beat with a skip into the second, brushes and hi-hat on two and three.
        const DrumBar ride{{0, Ride, 84}, {1, Ride, 74}, {1.5, Ride, 58}, {2, Ride, 74}};
        const DrumBar feathers{{0, Kick, 44}, {1, PedalHat, 46}, {2, PedalHat, 46}};
        const DrumBar time = ride + feathers + DrumBar{{1, Snare, 50}, {2, Snare, 60}};
        const DrumBar fill{{1, Snare, 56}, {1.5, Snare, 50}, {2, Snare, 66}, {2.5, Snare, 60}};
        return {{time},
                {time + DrumBar{{2.5, Snare, 42}}, time + DrumBar{{0.5, Snare, 40}}},
                DrumBar{{0, Ride, 84}, {0, Kick, 44}} + fill,
                {{0, Kick, 54}, {0, Ride, 86}}};
    }
    case Groove::SoulShuffle: {
        // Shuffled hi-hat eighths, a cross-stick on two and four and a kick that
        // pushes the third beat; the second chorus moves to the snare and opens the hat.
        const DrumBar hats = Eighths(ClosedHat, 80, 62, 0, 4), halfHats = Eighths(ClosedHat, 80, 62, 0, 2);
        const DrumBar openHat = Eighths(ClosedHat, 80, 62, 0, 3.5) + DrumBar{{3.5, OpenHat, 66}};
        const DrumBar kick1{{0, Kick, 72}, {2.5, Kick, 58}}, kick2{{0, Kick, 72}, {2, Kick, 62}, {3.5, Kick, 50}};
        const DrumBar rim{{1, SideStick, 68}, {3, SideStick, 70}}, snare{{1, Snare, 54}, {3, Snare, 56}};
        const DrumBar fill{{2, Snare, 50}, {2.5, Snare, 46}, {3, Snare, 64}, {3.5, Snare, 58}, {3.5, Kick, 54}};
        return {{kick1 + rim + hats, kick2 + rim + hats},
                {kick1 + snare + hats, kick2 + snare + openHat},
                halfHats + DrumBar{{0, Kick, 72}, {1, SideStick, 68}} + fill,
                {{0, Kick, 70}, {0, OpenHat, 66}}};
    }
    }
    return {};
}

class Arrangement {
public:
    explicit Arrangement(const Tune& tune) : tune_(tune)
    {
        const size_t bars = Bars(tune.chords).size();
        if (Bars(tune.melody).size() != bars) {
            throw NotationError(tune.title + ": the melody and the chord chart differ in length");
        }
        if (bars % BarsPerPhrase != 0 || tune.leads.size() != Choruses * bars / BarsPerPhrase ||
            tune.leads.find_first_not_of("ABD") != std::string::npos) {
            throw NotationError(tune.title + ": the leads must name A, B or D for every eight bars");
        }
        const double chorusLength = bars * double(tune.beatsPerBar);
        for (int chorus = 0; chorus < Choruses; ++chorus) {
            const double start = chorus * chorusLength;
            for (const ChordSpan& span : ParseChart(tune.chords, tune.beatsPerBar, start)) chords_.push_back(span);
            for (Note note : ParseMelody(tune.melody, tune.beatsPerBar, start, 0)) {
                const char lead = LeadAt(note.start);
                if (lead != 'B') melody_.push_back(note);
                note.key += tune.band.secondMelodyShift - (lead == 'D' ? 12 : 0);
                if (lead != 'A') secondMelody_.push_back(note);
            }
        }
        endingStart_ = Choruses * chorusLength;
        chords_.push_back(ChordSpan{endingStart_, double(tune.beatsPerBar), ParseChord(tune.endingChord)});
        for (const Note& note : ParseMelody(tune.endingMelody, tune.beatsPerBar, endingStart_, 0))
            melody_.push_back(note);
        end_ = Ticks(endingStart_ + tune.beatsPerBar);
    }

    std::vector<MidiTrack> Tracks() const { return {Tempo(), Melody(), Comp(), Bass(), Drums()}; }

private:
    // Beats to ticks; a swing feel delays every off-beat eighth to the last third of its beat.
    uint32_t Ticks(double beat) const
    {
        if (tune_.feel == Feel::Swing) {
            const double whole = std::floor(beat);
            const double fraction = beat - whole;
            beat = whole + (fraction < 0.5 ? fraction * 4.0 / 3.0 : 2.0 / 3.0 + (fraction - 0.5) * 2.0 / 3.0);
        }
        return static_cast<uint32_t>(std::lround(beat * TicksPerQuarter));
    }

    // Who leads the eight bars around `beat`; the ending is the melody instrument's.
    char LeadAt(double beat) const
    {
        const size_t phrase = static_cast<size_t>(beat / (BarsPerPhrase * tune_.beatsPerBar));
        return phrase < tune_.leads.size() ? tune_.leads[phrase] : 'A';
    }

    // The ending's notes all stop a beat before the end, so the track ends in quiet.
    double EndingLength() const { return tune_.beatsPerBar - 1.0; }

    // A channel's instrument and its place in the mix: the instrument's volume, the tune's expression.
    void SetUp(MidiTrack& track, int channel, int program, double level, int pan) const
    {
        track.AddProgram(channel, program, 0);
        track.AddController(channel, Volume, ControllerFor(level), 0);
        track.AddController(channel, Expression, ControllerFor(tune_.mix.overall), 0);
        track.AddController(channel, Pan, pan, 0);
        track.AddController(channel, ReverbSend, 48, 0);
        track.AddController(channel, ChorusSend, 16, 0);
    }

    MidiTrack Instrument(const std::string& name, int channel, int program, double level, int pan) const
    {
        MidiTrack track(name);
        SetUp(track, channel, program, level, pan);
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

    void AddMelody(MidiTrack& track, int channel, const std::vector<Note>& notes) const
    {
        for (const Note& note : notes) {
            const double position = std::fmod(note.start, 1.0);
            const bool onBeat = position < 1e-9;
            const bool onBar = std::fmod(note.start, double(tune_.beatsPerBar)) < 1e-9;
            const bool doubled = LeadAt(note.start) == 'D' && note.start < endingStart_;
            const int velocity = LeadVelocity + (onBeat ? 6 : 0) + (onBar ? 4 : 0) - (doubled ? DoubledSoftening : 0);
            const double length = std::max(note.length * 0.92, note.length - 0.15);  // a breath between notes
            track.AddNote(channel, note.key, velocity, Ticks(note.start), Ticks(note.start + length));
        }
    }

    MidiTrack Melody() const
    {
        MidiTrack track = Instrument("Melody", MelodyChannel, tune_.band.melody, tune_.mix.melody, 72);
        SetUp(track, SecondMelodyChannel, tune_.band.secondMelody, tune_.mix.secondMelody, 56);
        AddMelody(track, MelodyChannel, melody_);
        AddMelody(track, SecondMelodyChannel, secondMelody_);
        return track;
    }

    // The keys of a chord as the tune's comping spreads it, lowest first.
    std::vector<int> Voice(const Chord& chord) const
    {
        const int floor = tune_.voicingFloor;
        std::vector<int> keys;
        switch (tune_.voicing) {
        case Voicing::Close:
            for (int interval : VoicingIntervals(chord.quality)) keys.push_back(KeyAbove(floor, chord.root + interval));
            break;
        case Voicing::Drop2:
            for (int interval : VoicingIntervals(chord.quality))
                keys.push_back(KeyAbove(floor + 12, chord.root + interval));
            std::sort(keys.begin(), keys.end());
            if (keys.size() >= 4) keys[keys.size() - 2] -= 12;
            break;
        case Voicing::Shell: {
            // Whichever guide tone lies lower starts the voicing, so the guide
            // tones of neighbouring chords move by steps or stay.
            const std::vector<int> tones = ShellIntervals(chord.quality);
            const int third = KeyAbove(floor, chord.root + tones[0]);
            const int seventh = KeyAbove(floor, chord.root + tones[1]);
            keys = {std::min(third, seventh),
                    KeyAbove(std::min(third, seventh) + 1, chord.root + tones[third < seventh ? 1 : 0])};
            keys.push_back(KeyAbove(keys.back() + 1, chord.root + tones[2]));
            break;
        }
        }
        std::sort(keys.begin(), keys.end());
        return keys;
    }

    MidiTrack Comp() const
    {
        MidiTrack track = Instrument("Comping", CompingChannel, tune_.band.comping, tune_.mix.comping, 40);
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
                for (int key : Voice(span.chord)) {
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
        for (const std::vector<Note>* notes : {&melody_, &secondMelody_}) {
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
        MidiTrack track = Instrument("Bass", BassChannel, tune_.band.bass, tune_.mix.bass, 64);
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
        MidiTrack track = Instrument("Drums", DrumChannel, tune_.band.drumKit, tune_.mix.drums, 72);
        // The kits' ride cymbal rings for seconds after its note-off, so a ride
        // played on every beat kept some fifty fading tails sounding at once,
        // each far under the newest stroke, and most of the synthesiser's work
        // went into them. A quarter of that release (-2400 timecents) changes
        // the mix by under 0.1 dB and leaves about twenty voices.
        AddGeneratorOffset(track, DrumChannel, ReleaseOfVolumeEnvelope, -2400);
        const Drumming drumming = DrummingFor(tune_.groove);
        const int bars = static_cast<int>(endingStart_ / tune_.beatsPerBar);
        const int barsPerChorus = bars / Choruses;
        const auto add = [&](const DrumBar& hits, double start) {
            for (const DrumHit& hit : hits) {
                track.AddNote(DrumChannel, hit.key, hit.velocity, Ticks(start + hit.offset),
                              Ticks(start + hit.offset + 0.25));
            }
        };
        for (int bar = 0; bar < bars; ++bar) {
            const std::vector<DrumBar>& groove = bar >= barsPerChorus ? drumming.lift : drumming.groove;
            const bool fill = bar % BarsPerPhrase == BarsPerPhrase - 1;
            add(fill ? drumming.fill : groove[size_t(bar) % groove.size()], double(bar) * tune_.beatsPerBar);
        }
        add(drumming.ending, endingStart_);
        return track;
    }

    const Tune& tune_;
    std::vector<ChordSpan> chords_;            // both choruses and the ending
    std::vector<Note> melody_, secondMelody_;  // the ending is the melody instrument's
    double endingStart_ = 0.0;
    uint32_t end_ = 0;
};

}  // namespace

std::vector<MidiTrack> Arrange(const Tune& tune)
{
    return Arrangement(tune).Tracks();
}

}  // namespace musicgen
