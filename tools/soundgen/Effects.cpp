// Recipes for the eleven effects. They share one room, one chime and one key
// (C, the chimes on its major pentatonic scale), so that they sound like parts
// of the same cabinet.

#include "Effects.h"

#include <algorithm>
#include <cstdint>

namespace soundgen {

namespace {

// MIDI note numbers of the cabinet's pitches.
enum Note : int {
    C4 = 60,
    D4 = 62,
    Eb4 = 63,
    E4 = 64,
    G4 = 67,
    C5 = 72,
    E5 = 76,
    G5 = 79,
    A5 = 81,
    C6 = 84,
    D6 = 86,
    E6 = 88,
    G6 = 91,
    A6 = 93,
    C7 = 96,
    D7 = 98,
    E7 = 100,
    G7 = 103,
};

// The music plays at about this RMS (dBFS, unweighted); every recipe sets its loudest 50 ms
// against it: a short effect at least 6 dB above it, a celebration at least 10 dB.
constexpr double MusicDb = -29.0;

// No effect peaks above this, whatever loudness its recipe asks for: with the music's
// peaks at -12 dBFS on top, the mix still stays under -1 dBFS.
constexpr double PeakLimitDb = -4.3;

// Each part of a cabinet rings the same room; the tick stays dry so that it stays short.
constexpr double RoomWet = 0.18;

double Hz(int note)
{
    return NoteFrequency(note);
}

void MixInto(Signal& into, const Signal& part)
{
    into.resize(std::max(into.size(), part.size()), 0.0f);
    for (size_t i = 0; i < part.size(); ++i) into[i] += part[i];
}

Tone Glide(double from, double to, double duration, double level, Wave wave, Envelope envelope)
{
    Tone tone;
    tone.frequency = from;
    tone.endFrequency = to;
    tone.duration = duration;
    tone.level = level;
    tone.wave = wave;
    tone.envelope = envelope;
    return tone;
}

Tone Steady(double frequency, double duration, double level, Wave wave, Envelope envelope)
{
    return Glide(frequency, 0.0, duration, level, wave, envelope);
}

// A brass-like voice: two slightly detuned saws with a little vibrato.
void AddHorn(Signal& out, double start, int note, double duration, double level)
{
    for (double detune : {1.0, 1.004}) {
        Tone tone = Steady(Hz(note) * detune, duration, level, Wave::Saw, Envelope{0.018, 0.0, 0.07});
        tone.vibratoRate = 5.5;
        tone.vibratoDepth = 0.004;
        AddTone(out, start, tone);
    }
}

Signal ReelStop()
{
    Signal out;
    Noise noise(1);
    // The detent's pawl snaps in with a dry clack (1 to 4 kHz) and bounces once; under it the
    // drum gives a short knock pitched around 200 Hz, high enough for laptop speakers to keep.
    AddNoise(out, 0.0, 0.012, 1.5, 2200.0, 1.4, Envelope{0.0003, 0.0025, 0.004}, noise);
    AddTone(out, 0.0, Steady(1480.0, 0.04, 0.35, Wave::Sine, Envelope{0.0003, 0.005, 0.01}));
    AddTone(out, 0.0, Steady(2350.0, 0.03, 0.2, Wave::Sine, Envelope{0.0003, 0.004, 0.01}));
    AddTone(out, 0.0, Steady(3170.0, 0.03, 0.1, Wave::Sine, Envelope{0.0003, 0.003, 0.01}));
    AddNoise(out, 0.021, 0.008, 0.5, 2800.0, 1.6, Envelope{0.0003, 0.0015, 0.003}, noise);
    AddTone(out, 0.002, Glide(250.0, 190.0, 0.12, 0.5, Wave::Sine, Envelope{0.0008, 0.022, 0.02}));
    AddTone(out, 0.002, Glide(140.0, 120.0, 0.08, 0.12, Wave::Sine, Envelope{0.001, 0.015, 0.02}));
    LowPass(out, 5000.0);  // a clack, not a hiss
    AddRoom(out, RoomWet * 0.25);
    Finish(out, MusicDb + 12.0, PeakLimitDb, 0.13, 0.02);  // three in quick succession, 225 ms apart
    return out;
}

// One strike of a coin: its inharmonic ring and the tick of the contact, `pitch` times higher than the first coin's.
void AddClink(Signal& out, double start, double level, double pitch, Noise& noise)
{
    struct Partial {
        double frequency, level, decay;
    };
    constexpr Partial Partials[] = {{3150, 0.5, 0.05}, {4720, 0.35, 0.035}, {6610, 0.25, 0.025}, {8300, 0.15, 0.02}};
    for (const Partial& partial : Partials) {
        const Envelope ring{0.0005, partial.decay, 0.01};
        AddTone(out, start,
                Steady(partial.frequency * pitch, partial.decay * 7.0, partial.level * level, Wave::Sine, ring));
    }
    AddNoise(out, start, 0.01, 0.8 * level, 5000.0, 2.0, Envelope{0.0003, 0.0015, 0.003}, noise);
}

Signal CoinPlaced()
{
    Signal out;
    Noise noise(2);
    // The coin lands, then settles on the stack with a smaller, slightly higher clink.
    AddClink(out, 0.0, 1.0, 1.0, noise);
    AddClink(out, 0.055, 0.45, 1.03, noise);
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 11.0, PeakLimitDb, 0.3, 0.06);
    return out;
}

Signal MeterReset()
{
    Signal out;
    Noise noise(3);
    // A falling, wobbling horn, its brightness closing down, over escaping air. The game waits
    // for its end, so it sounds to the last and only then fades briefly.
    constexpr double Length = 0.75;
    Tone fall = Glide(520.0, 130.0, Length, 0.5, Wave::Saw, Envelope{0.004, 0.0, 0.0});
    fall.vibratoRate = 7.0;
    fall.vibratoDepth = 0.03;
    AddTone(out, 0.0, fall);
    AddTone(out, 0.0, Glide(260.0, 65.0, Length, 0.3, Wave::Sine, Envelope{0.004, 0.0, 0.0}));
    LowPass(out, 1600.0);
    AddNoise(out, 0.0, Length, 0.25, 1200.0, 0.7, Envelope{0.004, 0.4, 0.0}, noise);
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 11.0, PeakLimitDb, Length, 0.06);
    return out;
}

Signal CountUpTick()
{
    Signal out;
    // A small coin's ping, bright above the music: three inharmonic partials, the higher
    // ones dying first, gone within 30 ms, long before the next tick 75 ms later. No
    // noise in it, so that hundreds in a row stay soft on the ear.
    struct Partial {
        double ratio, level, decay;
    };
    constexpr Partial Partials[] = {{1.0, 0.6, 0.008}, {1.52, 0.25, 0.005}, {2.17, 0.12, 0.003}};
    for (const Partial& partial : Partials) {
        const Envelope ping{0.0004, partial.decay, 0.006};
        AddTone(out, 0.0, Steady(Hz(E7) * partial.ratio, 0.03, partial.level, Wave::Sine, ping));
    }
    Finish(out, MusicDb + 9.0, PeakLimitDb, 0.03, 0.006);
    return out;
}

Signal EmptyBox()
{
    Signal out;
    Noise noise(5);
    // A hollow knock on the lid, then a soft, sinking "aww".
    AddTone(out, 0.0, Glide(220.0, 180.0, 0.12, 0.6, Wave::Sine, Envelope{0.001, 0.03, 0.03}));
    AddNoise(out, 0.0, 0.05, 0.9, 900.0, 3.0, Envelope{0.0005, 0.01, 0.01}, noise);
    AddTone(out, 0.12, Steady(Hz(Eb4), 0.22, 0.35, Wave::Triangle, Envelope{0.02, 0.0, 0.08}));
    Tone sink = Glide(Hz(D4), Hz(C4), 0.45, 0.35, Wave::Triangle, Envelope{0.02, 0.0, 0.2});
    sink.vibratoRate = 5.0;
    sink.vibratoDepth = 0.008;
    AddTone(out, 0.35, sink);
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 10.0, PeakLimitDb, 1.0, 0.2);
    return out;
}

Signal PrizeBox()
{
    Signal out;
    // A sparkling arpeggio up to the octave over a warm chord.
    const int notes[] = {C6, E6, G6, C7};
    for (int i = 0; i < 4; ++i) AddChime(out, 0.06 * i, Hz(notes[i]), 0.4 + 0.03 * i, 0.25);
    for (int note : {C5, E5, G5})
        AddTone(out, 0.0, Steady(Hz(note), 0.7, 0.1, Wave::Triangle, Envelope{0.02, 0.0, 0.4}));
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 13.0, PeakLimitDb, 1.3, 0.26);
    return out;
}

Signal BonusPoint()
{
    Signal out;
    // A quick upward sweep into two chimes a fifth apart.
    AddTone(out, 0.0, Glide(600.0, Hz(C6), 0.06, 0.15, Wave::Sine, Envelope{0.005, 0.0, 0.02}));
    AddChime(out, 0.04, Hz(C6), 0.45, 0.12);
    AddChime(out, 0.11, Hz(G6), 0.5, 0.14);
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 13.0, PeakLimitDb, 0.45, 0.09);  // one per point; the meter waits for each
    return out;
}

Signal Fanfare()
{
    Signal horns;
    // Three quick notes up the chord and a held top note, the full chord sounding under it.
    AddHorn(horns, 0.0, C5, 0.1, 0.22);
    AddHorn(horns, 0.11, E5, 0.1, 0.22);
    AddHorn(horns, 0.22, G5, 0.18, 0.22);
    AddHorn(horns, 0.42, C6, 0.95, 0.24);
    for (int note : {E4, G4, C5}) AddHorn(horns, 0.42, note, 0.95, 0.12);
    LowPass(horns, 3200.0);

    Signal out;
    AddChime(out, 0.42, Hz(C7), 0.25, 0.3);
    AddChime(out, 0.5, Hz(G6), 0.2, 0.3);
    MixInto(out, horns);
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 14.0, PeakLimitDb, 1.8, 0.36);
    return out;
}

// The reel slides one position in eight 50 ms steps and settles: a ratchet of
// pings walking along the scale, then a soft landing.
Signal Nudge(const int (&pings)[8], double sweepFrom, double sweepTo, uint32_t seed)
{
    Signal out;
    Noise noise(seed);
    for (int step = 0; step < 8; ++step) {
        AddChime(out, 0.05 * step, Hz(pings[step]), 0.25, 0.03);
        AddNoise(out, 0.05 * step, 0.008, 0.5, 3000.0, 2.0, Envelope{0.0003, 0.0015, 0.003}, noise);
    }
    AddTone(out, 0.0, Glide(sweepFrom, sweepTo, 0.4, 0.1, Wave::Triangle, Envelope{0.02, 0.0, 0.1}));
    AddTone(out, 0.4, Glide(120.0, 70.0, 0.08, 0.4, Wave::Sine, Envelope{0.001, 0.02, 0.02}));
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 11.0, PeakLimitDb, 0.55, 0.11);  // the slide and its bounce take 0.54 s
    return out;
}

Signal Win()
{
    Signal out;
    // A bright run up two octaves of the pentatonic scale, a ringing chord, two twinkles and
    // a last sparkle over the held chord. The count-up waits for its end, so it sounds to the
    // last and only then fades briefly.
    constexpr double Length = 1.3, Chord = 0.34;
    const int run[] = {C6, D6, E6, G6, A6, C7, D7, E7};
    for (int i = 0; i < 8; ++i) AddChime(out, 0.04 * i, Hz(run[i]), 0.3, 0.1);
    for (int note : {C6, E6, G6, C7}) AddChime(out, Chord, Hz(note), 0.28, 0.3);
    for (int note : {C5, E5, G5})
        AddTone(out, Chord, Steady(Hz(note), Length - Chord + 0.05, 0.13, Wave::Triangle, Envelope{0.01, 1.5, 0.0}));
    AddChime(out, 0.54, Hz(E7), 0.18, 0.15);
    AddChime(out, 0.66, Hz(G7), 0.15, 0.15);
    AddChime(out, 0.86, Hz(C7), 0.16, 0.3);
    AddRoom(out, RoomWet);
    Finish(out, MusicDb + 15.0, PeakLimitDb, Length, 0.08);
    return out;
}

}  // namespace

std::string FileSuffix(Effect effect)
{
    if (effect == Effect::Win) return "Win.wav";
    return std::to_string(static_cast<int>(effect)) + ".wav";
}

Signal RenderStandInSound()
{
    Signal out;
    AddChime(out, 0.0, NoteFrequency(A5), 0.6, 0.09);
    AddChime(out, 0.11, NoteFrequency(E5), 0.5, 0.12);
    Finish(out, MusicDb + 9.0, PeakLimitDb, 0.45, 0.05);
    return out;
}

Signal Render(Effect effect)
{
    static constexpr int DownScale[8] = {C7, A6, G6, E6, D6, C6, A5, G5};
    static constexpr int UpScale[8] = {G5, A5, C6, D6, E6, G6, A6, C7};
    switch (effect) {
    case Effect::ReelStop: return ReelStop();
    case Effect::CoinPlaced: return CoinPlaced();
    case Effect::MeterReset: return MeterReset();
    case Effect::CountUpTick: return CountUpTick();
    case Effect::EmptyBox: return EmptyBox();
    case Effect::PrizeBox: return PrizeBox();
    case Effect::BonusPoint: return BonusPoint();
    case Effect::Fanfare: return Fanfare();
    case Effect::NudgeDown: return Nudge(DownScale, 900.0, 450.0, 8);
    case Effect::NudgeUp: return Nudge(UpScale, 450.0, 900.0, 9);
    case Effect::Win: return Win();
    }
    return {};
}

}  // namespace soundgen
