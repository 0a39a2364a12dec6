// The synthesiser's building blocks: oscillators, envelopes, noise, filters, the
// room reverb and the final levelling.

#include "Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace soundgen {

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

// Harmonics fade out between these frequencies, so sweeps stay free of aliasing and clicks.
constexpr double HarmonicFadeStart = 8000.0;
constexpr double HarmonicCeiling = 9000.0;

void GrowTo(Signal& out, size_t size)
{
    if (out.size() < size) out.resize(size, 0.0f);
}

size_t ToSamples(double seconds)
{
    return static_cast<size_t>(std::lround(std::max(0.0, seconds) * SampleRate));
}

double EnvelopeAt(const Envelope& envelope, double t, double duration)
{
    double level = 1.0;
    if (t < envelope.attack) {
        level = t / envelope.attack;
    } else if (envelope.decay > 0.0) {
        level = std::exp(-(t - envelope.attack) / envelope.decay);
    }
    const double releaseStart = duration - envelope.release;
    if (envelope.release > 0.0 && t > releaseStart) level *= std::max(0.0, (duration - t) / envelope.release);
    return level;
}

double HarmonicGain(double harmonicFrequency)
{
    if (harmonicFrequency <= HarmonicFadeStart) return 1.0;
    return std::max(0.0, (HarmonicCeiling - harmonicFrequency) / (HarmonicCeiling - HarmonicFadeStart));
}

// One sample of a waveform at `phase` radians whose fundamental is `frequency` Hz.
double WaveSample(Wave wave, double phase, double frequency)
{
    if (wave == Wave::Sine) return std::sin(phase);
    double sum = 0.0;
    for (int k = 1; k * frequency < HarmonicCeiling; ++k) {
        const double gain = HarmonicGain(k * frequency);
        switch (wave) {
        case Wave::Saw: sum += gain * std::sin(k * phase) / k * (2.0 / std::numbers::pi); break;
        case Wave::Square:
            if (k % 2 == 1) sum += gain * std::sin(k * phase) / k * (4.0 / std::numbers::pi);
            break;
        case Wave::Triangle:
            if (k % 2 == 1) {
                const double sign = (k / 2) % 2 == 0 ? 1.0 : -1.0;
                sum += sign * gain * std::sin(k * phase) / (k * k) * (8.0 / (std::numbers::pi * std::numbers::pi));
            }
            break;
        case Wave::Sine: break;
        }
    }
    return sum;
}

// A second-order filter section (the audio-EQ cookbook forms).
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    static Biquad BandPass(double centre, double q)
    {
        const double w = TwoPi * centre / SampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        return Biquad{alpha / a0, 0.0, -alpha / a0, -2.0 * std::cos(w) / a0, (1.0 - alpha) / a0};
    }

    static Biquad LowPass(double cutoff)
    {
        constexpr double Butterworth = std::numbers::sqrt2 / 2.0;  // the flattest pass band
        const double w = TwoPi * cutoff / SampleRate;
        const double alpha = std::sin(w) / (2.0 * Butterworth);
        const double a0 = 1.0 + alpha;
        const double c = std::cos(w);
        return Biquad{(1.0 - c) / 2.0 / a0, (1.0 - c) / a0, (1.0 - c) / 2.0 / a0, -2.0 * c / a0, (1.0 - alpha) / a0};
    }

    double Process(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// A feedback comb with a damped loop, and a Schroeder all-pass: the parts of the room.
class Comb {
public:
    Comb(size_t delay, double feedback, double damping) : buffer_(delay, 0.0), feedback_(feedback), damping_(damping) {}

    double Process(double x)
    {
        const double delayed = buffer_[index_];
        filtered_ = delayed * (1.0 - damping_) + filtered_ * damping_;
        buffer_[index_] = x + filtered_ * feedback_;
        index_ = (index_ + 1) % buffer_.size();
        return delayed;
    }

private:
    std::vector<double> buffer_;
    size_t index_ = 0;
    double feedback_;
    double damping_;
    double filtered_ = 0.0;
};

class AllPass {
public:
    explicit AllPass(size_t delay) : buffer_(delay, 0.0) {}

    double Process(double x)
    {
        const double delayed = buffer_[index_];
        buffer_[index_] = x + delayed * 0.5;
        index_ = (index_ + 1) % buffer_.size();
        return delayed - x;
    }

private:
    std::vector<double> buffer_;
    size_t index_ = 0;
};

// The loudest 50 ms of the signal, as an RMS amplitude. A signal shorter than that
// is measured over 50 ms all the same, with the silence that follows it as it plays.
double LoudestWindowRms(const Signal& signal)
{
    const size_t window = ToSamples(0.05);
    double sum = 0.0, loudest = 0.0;
    for (size_t i = 0; i < signal.size(); ++i) {
        sum += double(signal[i]) * signal[i];
        if (i >= window) sum -= double(signal[i - window]) * signal[i - window];
        loudest = std::max(loudest, sum);
    }
    return std::sqrt(loudest / double(window));
}

double FromDb(double db)
{
    return std::pow(10.0, db / 20.0);
}

}  // namespace

double NoteFrequency(double midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

void AddTone(Signal& out, double start, const Tone& tone)
{
    const size_t first = ToSamples(start);
    const size_t count = ToSamples(tone.duration);
    GrowTo(out, first + count);
    double phase = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / SampleRate;
        double frequency = tone.frequency;
        if (tone.endFrequency > 0.0) frequency *= std::pow(tone.endFrequency / tone.frequency, t / tone.duration);
        if (tone.vibratoDepth > 0.0) frequency *= 1.0 + tone.vibratoDepth * std::sin(TwoPi * tone.vibratoRate * t);
        const double level = tone.level * EnvelopeAt(tone.envelope, t, tone.duration);
        out[first + i] += static_cast<float>(level * WaveSample(tone.wave, phase, frequency));
        phase = std::fmod(phase + TwoPi * frequency / SampleRate, TwoPi);
    }
}

void AddChime(Signal& out, double start, double frequency, double level, double ring)
{
    struct Partial {
        double ratio, level, ringShare;
    };
    // The modes of a short metal bar: bright at the strike, mellow as it rings on.
    constexpr std::array<Partial, 4> Partials{
        {{1.0, 1.0, 1.0}, {2.76, 0.4, 0.35}, {5.40, 0.18, 0.18}, {8.93, 0.08, 0.1}}};
    for (const Partial& partial : Partials) {
        const double partialFrequency = frequency * partial.ratio;
        if (partialFrequency > 16000.0) continue;
        Tone tone;
        tone.frequency = partialFrequency;
        tone.level = level * partial.level;
        tone.envelope = Envelope{0.001, ring * partial.ringShare, 0.02};
        tone.duration = tone.envelope.decay * 7.0;  // down by 60 dB
        AddTone(out, start, tone);
    }
}

float Noise::Next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ / 2147483648.0 - 1.0);
}

void AddNoise(Signal& out, double start, double duration, double level, double centre, double q,
              const Envelope& envelope, Noise& noise)
{
    const size_t first = ToSamples(start);
    const size_t count = ToSamples(duration);
    GrowTo(out, first + count);
    Biquad filter = Biquad::BandPass(centre, q);
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / SampleRate;
        const double sample = filter.Process(noise.Next());
        out[first + i] += static_cast<float>(level * EnvelopeAt(envelope, t, duration) * sample);
    }
}

void LowPass(Signal& signal, double cutoff)
{
    Biquad filter = Biquad::LowPass(cutoff);
    for (float& sample : signal) sample = static_cast<float>(filter.Process(sample));
}

void AddRoom(Signal& signal, double wet)
{
    // Delays of a few tens of milliseconds, mutually prime: a small, warm room.
    constexpr std::array<size_t, 4> CombDelays{797, 863, 929, 1009};
    constexpr std::array<size_t, 2> AllPassDelays{347, 113};
    std::vector<Comb> combs;
    for (size_t delay : CombDelays) combs.emplace_back(delay, 0.72, 0.35);
    std::vector<AllPass> allPasses;
    for (size_t delay : AllPassDelays) allPasses.emplace_back(delay);

    signal.resize(signal.size() + ToSamples(0.6), 0.0f);
    for (float& sample : signal) {
        double room = 0.0;
        for (Comb& comb : combs) room += comb.Process(sample);
        room /= static_cast<double>(combs.size());
        for (AllPass& allPass : allPasses) room = allPass.Process(room);
        sample = static_cast<float>(sample + wet * room);
    }
}

void Finish(Signal& signal, double loudnessDb, double peakLimitDb, double maxLength, double fadeOut)
{
    const double loudest = LoudestWindowRms(signal);
    double peak = 0.0;
    for (float sample : signal) peak = std::max(peak, double(std::fabs(sample)));
    if (loudest <= 0.0 || peak <= 0.0) return;
    const double gain = std::min(FromDb(loudnessDb) / loudest, FromDb(peakLimitDb) / peak);
    for (float& sample : signal) sample = static_cast<float>(sample * gain);

    // Below -66 dBFS the tail is lost under 16-bit noise anyway.
    const float silence = static_cast<float>(FromDb(-66.0));
    auto last = std::find_if(signal.rbegin(), signal.rend(), [&](float s) { return std::fabs(s) > silence; });
    signal.resize(static_cast<size_t>(signal.rend() - last));

    // A tail that rings past the length is cut and faded over `fadeOut`; a natural end needs only 5 ms.
    constexpr double ShortestFade = 0.005;
    size_t fade = ToSamples(ShortestFade);
    if (signal.size() > ToSamples(maxLength)) {
        signal.resize(ToSamples(maxLength));
        fade = ToSamples(std::max(fadeOut, ShortestFade));
    }
    fade = std::min(fade, signal.size());
    for (size_t i = 0; i < fade; ++i) signal[signal.size() - 1 - i] *= static_cast<float>(double(i) / fade);
}

}  // namespace soundgen
