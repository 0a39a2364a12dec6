// BS.1770-4 loudness with the K-weighting filters designed for any sample rate,
// level figures, and WAV input and output.
#include "Loudness.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace loudness {

namespace {

// A second-order section, run in direct form I with double-precision state.
struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    double operator()(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The analogue prototypes whose bilinear transforms at 48 kHz give the
// coefficients printed in BS.1770-4, here designed for the sound's own rate.
// Stage 1 is the +4 dB high shelf that models the head.
Biquad PreFilter(double sampleRate)
{
    constexpr double F0 = 1681.974450955533, GainDb = 3.999843853973347, Q = 0.7071752369554196;
    const double k = std::tan(std::numbers::pi * F0 / sampleRate);
    const double vh = std::pow(10.0, GainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / Q + k * k;
    return Biquad{(vh + vb * k / Q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / Q + k * k) / a0,
                  2.0 * (k * k - 1.0) / a0, (1.0 - k / Q + k * k) / a0};
}

// Stage 2, the revised low-frequency B-curve (RLB): a high-pass near 38 Hz,
// its numerator left at 1, -2, 1 as the standard prints it.
Biquad RlbFilter(double sampleRate)
{
    constexpr double F0 = 38.13547087602444, Q = 0.5003270373238773;
    const double k = std::tan(std::numbers::pi * F0 / sampleRate);
    const double a0 = 1.0 + k / Q + k * k;
    return Biquad{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / Q + k * k) / a0};
}

double Decibels(double power)
{
    return power > 0.0 ? 10.0 * std::log10(power) : Silence;
}

constexpr int HopsPerBlock = 4;  // 400 ms blocks, overlapping by 75 %

}  // namespace

LoudnessMeter::LoudnessMeter(const Sound& sound) : frames_(sound.Frames())
{
    if (sound.sampleRate <= 0 || sound.channels <= 0) return;
    hop_ = std::max<size_t>(1, size_t(std::lround(sound.sampleRate * 0.1)));
    hopEnergy_.assign(frames_ / hop_, 0.0);
    for (int channel = 0; channel < sound.channels; ++channel) {
        Biquad shelf = PreFilter(sound.sampleRate), highPass = RlbFilter(sound.sampleRate);
        for (size_t hop = 0; hop < hopEnergy_.size(); ++hop) {
            double energy = 0.0;
            for (size_t frame = hop * hop_; frame < (hop + 1) * hop_; ++frame) {
                const double y = highPass(shelf(sound.samples[frame * size_t(sound.channels) + size_t(channel)]));
                energy += y * y;
            }
            hopEnergy_[hop] += energy;
        }
    }
}

double LoudnessMeter::Integrated(size_t firstFrame, size_t frames) const
{
    // The mean square of each block, summed over the channels (their weights are all 1).
    std::vector<double> blocks;
    const size_t firstHop = (firstFrame + hop_ - 1) / hop_;
    const size_t endHop = std::min((firstFrame + frames) / hop_, hopEnergy_.size());
    for (size_t hop = firstHop; hop + HopsPerBlock <= endHop; ++hop) {
        double energy = 0.0;
        for (int i = 0; i < HopsPerBlock; ++i) energy += hopEnergy_[hop + size_t(i)];
        blocks.push_back(energy / double(HopsPerBlock * hop_));
    }
    const auto loudness = [](double power) { return -0.691 + Decibels(power); };
    const auto gatedMean = [&](double threshold) {
        double sum = 0.0;
        size_t count = 0;
        for (double power : blocks) {
            if (loudness(power) > threshold) {
                sum += power;
                ++count;
            }
        }
        return count > 0 ? sum / double(count) : 0.0;
    };
    const double absolutelyGated = gatedMean(-70.0);
    if (absolutelyGated <= 0.0) return Silence;
    return loudness(gatedMean(loudness(absolutelyGated) - 10.0));
}

double SamplePeakDb(const Sound& sound)
{
    float peak = 0.0f;
    for (float sample : sound.samples) peak = std::max(peak, std::fabs(sample));
    return peak > 0.0f ? 20.0 * std::log10(double(peak)) : Silence;
}

double RmsDb(const Sound& sound)
{
    double sum = 0.0;
    for (float sample : sound.samples) sum += double(sample) * sample;
    return sound.samples.empty() ? Silence : Decibels(sum / double(sound.samples.size()));
}

double LoudestWindowRmsDb(const Sound& sound, double seconds)
{
    const size_t channels = size_t(std::max(sound.channels, 1));
    const size_t frames = sound.Frames();
    const size_t window =
        std::clamp<size_t>(size_t(std::lround(seconds * sound.sampleRate)), 1, std::max<size_t>(frames, 1));
    // Running sums of the frames' squares, so every window costs one subtraction.
    std::vector<double> running(frames + 1, 0.0);
    for (size_t frame = 0; frame < frames; ++frame) {
        double square = 0.0;
        for (size_t channel = 0; channel < channels; ++channel) {
            const double sample = sound.samples[frame * channels + channel];
            square += sample * sample;
        }
        running[frame + 1] = running[frame] + square;
    }
    double loudest = 0.0;
    for (size_t end = window; end <= frames; ++end) loudest = std::max(loudest, running[end] - running[end - window]);
    return Decibels(loudest / double(window * channels));
}

Figures Measure(const Sound& sound)
{
    const LoudnessMeter meter(sound);
    const size_t half = sound.Frames() / 2;
    return Figures{meter.Integrated(),
                   meter.Integrated(0, half),
                   meter.Integrated(half, sound.Frames() - half),
                   SamplePeakDb(sound),
                   RmsDb(sound),
                   LoudestWindowRmsDb(sound, 0.05)};
}

bool ReadWav(const std::string& path, Sound& sound, std::string& error)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        error = sf_strerror(nullptr);
        return false;
    }
    sound.sampleRate = info.samplerate;
    sound.channels = info.channels;
    sound.samples.assign(size_t(info.frames) * size_t(info.channels), 0.0f);
    const sf_count_t read = sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    if (read != info.frames) {
        error = "the file ends early";
        return false;
    }
    return true;
}

bool WriteFloatWav(const std::string& path, const Sound& sound, std::string& error)
{
    SF_INFO info{};
    info.samplerate = sound.sampleRate;
    info.channels = sound.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        error = sf_strerror(nullptr);
        return false;
    }
    const sf_count_t frames = sf_count_t(sound.Frames());
    const bool written = sf_writef_float(file, sound.samples.data(), frames) == frames;
    sf_close(file);
    if (!written) error = "the disk is full or the file cannot be written";
    return written;
}

}  // namespace loudness
