// A small mono synthesiser for the cabinet's sound effects: enveloped tones with
// pitch glides, chimes, filtered noise, one shared room reverb, and levelling.
#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

inline constexpr int SampleRate = 44100;

// Mono samples at SampleRate, nominally within -1..1.
using Signal = std::vector<float>;

// The frequency of a MIDI note number (69 is A4, 440 Hz).
double NoteFrequency(double midiNote);

// How a note's loudness moves: a linear rise, then an exponential fall with the
// given time constant (0 keeps the level), and a linear fade over its last seconds.
struct Envelope {
    double attack = 0.002;
    double decay = 0.0;
    double release = 0.01;
};

// Band-limited waveforms, built from their harmonics below about 9 kHz.
enum class Wave { Sine, Triangle, Saw, Square };

struct Tone {
    double frequency = 440.0;
    double endFrequency = 0.0;  // the pitch reached at the end of an exponential glide; 0 for none
    double duration = 0.1;      // seconds
    double level = 0.5;         // peak amplitude of the envelope
    Wave wave = Wave::Sine;
    Envelope envelope;
    double vibratoRate = 0.0;   // Hz
    double vibratoDepth = 0.0;  // a fraction of the frequency
};

// Adds a tone that starts at `start` seconds, growing the signal as needed.
void AddTone(Signal& out, double start, const Tone& tone);

// Adds a struck metal bar: a fundamental with a few inharmonic partials that die
// away faster than it does. `ring` is the fundamental's decay time constant.
void AddChime(Signal& out, double start, double frequency, double level, double ring);

// A repeatable white-noise source, so that every build writes the same files.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    float Next();  // uniform in -1..1

private:
    uint32_t state_;
};

// Adds noise band-passed around `centre` Hz (its width set by `q`) under an envelope.
void AddNoise(Signal& out, double start, double duration, double level, double centre, double q,
              const Envelope& envelope, Noise& noise);

// Rolls off everything above `cutoff` Hz (two-pole, gentle).
void LowPass(Signal& signal, double cutoff);

// The cabinet's one room: a short, damped reverb mixed in at `wet`. The tail it
// adds is appended to the signal.
void AddRoom(Signal& signal, double wet);

// Scales the signal so that its loudest 50 ms sit at `loudnessDb` dBFS (RMS), but
// never lets its peak pass `peakLimitDb`; drops the silent tail, and if what is left
// is longer than `maxLength` seconds, cuts it there and fades out its last `fadeOut`
// seconds. Either way the last sample is zero.
void Finish(Signal& signal, double loudnessDb, double peakLimitDb, double maxLength, double fadeOut);

}  // namespace soundgen
