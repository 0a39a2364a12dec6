// Loudness of sampled sound: integrated loudness after ITU-R BS.1770-4, sample
// peak and RMS levels, and reading and writing WAV files through libsndfile.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace loudness {

// Interleaved samples, full scale at 1.0.
struct Sound {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples;

    size_t Frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
};

// The level reported for silence, where a logarithm has no value.
inline constexpr double Silence = -200.0;

// Integrated loudness in LUFS: K-weighting (the pre-filter and the RLB
// high-pass, designed for the sound's sample rate), 400 ms blocks every
// 100 ms, the absolute gate at -70 LUFS and the relative gate 10 LU under the
// absolutely gated loudness. Every channel has weight 1 (mono and stereo).
class LoudnessMeter {
public:
    explicit LoudnessMeter(const Sound& sound);

    // Of the blocks that lie wholly within [firstFrame, firstFrame + frames);
    // Silence when every block is gated out.
    double Integrated(size_t firstFrame, size_t frames) const;
    double Integrated() const { return Integrated(0, frames_); }

private:
    size_t hop_ = 1;                 // frames in 100 ms
    size_t frames_ = 0;              // of the sound
    std::vector<double> hopEnergy_;  // K-weighted squares summed over the channels, per hop
};

// Decibels relative to full scale: the largest sample; the RMS of all samples
// of every channel (a full-scale square wave is 0 dB, a full-scale sine -3 dB);
// the RMS of the loudest window of `seconds`, sliding a frame at a time.
double SamplePeakDb(const Sound& sound);
double RmsDb(const Sound& sound);
double LoudestWindowRmsDb(const Sound& sound, double seconds);

struct Figures {
    double integrated, firstHalf, secondHalf;  // LUFS
    double peak, rms, loudestRms;              // dBFS; the window is 50 ms
};
Figures Measure(const Sound& sound);

// False, with the reason in `error`, when the file cannot be read or written.
bool ReadWav(const std::string& path, Sound& sound, std::string& error);
bool WriteFloatWav(const std::string& path, const Sound& sound, std::string& error);

}  // namespace loudness
