// The eleven sound effect files: readable 16-bit WAV at 44.1 kHz, lengths that fit
// the game's pacing, levels that stand clear of the music but never clip with it.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string ThemeDir = PLUMFIZZ_THEME_DIR;

// The music's plain RMS at the game's level is about -29 dBFS: a short effect's loudest
// 50 ms stand at least 6 dB above it, a celebration's at least 10 dB.
constexpr double ShortEffect = -29.0 + 6.0, Celebration = -29.0 + 10.0;

struct ExpectedEffect {
    const char* file;
    double minSeconds, maxSeconds;
    double minLoudestDb;
};

// Lengths the game's timing allows: three reel stops in quick succession, count-up
// ticks every 75 ms, a nudge takes 0.54 s, and the game waits for the meter reset,
// each bonus point and the win sound.
constexpr ExpectedEffect Effects[] = {{"Plum0.wav", 0.05, 0.149, ShortEffect}, {"Plum1.wav", 0.05, 0.4, ShortEffect},
                                      {"Plum2.wav", 0.3, 0.75, ShortEffect},   {"Plum3.wav", 0.025, 0.04, ShortEffect},
                                      {"Plum4.wav", 0.2, 1.5, ShortEffect},    {"Plum5.wav", 0.2, 1.5, Celebration},
                                      {"Plum6.wav", 0.15, 0.6, Celebration},   {"Plum7.wav", 0.8, 2.5, Celebration},
                                      {"Plum8.wav", 0.2, 0.6, ShortEffect},    {"Plum9.wav", 0.2, 0.6, ShortEffect},
                                      {"PlumWin.wav", 1.0, 1.3, Celebration}};

struct Wav {
    bool opened = false;
    SF_INFO info{};
    std::vector<short> samples;  // interleaved
};

Wav ReadWav(const std::string& name)
{
    Wav wav;
    SNDFILE* file = sf_open((ThemeDir + "/" + name).c_str(), SFM_READ, &wav.info);
    if (file == nullptr) return wav;
    wav.opened = true;
    wav.samples.resize(static_cast<size_t>(wav.info.frames * wav.info.channels));
    wav.samples.resize(static_cast<size_t>(sf_read_short(file, wav.samples.data(), sf_count_t(wav.samples.size()))));
    sf_close(file);
    return wav;
}

double Seconds(const Wav& wav)
{
    return double(wav.info.frames) / wav.info.samplerate;
}

double Decibels(int sample)
{
    return 20.0 * std::log10(std::abs(sample) / 32768.0);
}

int PeakSample(const Wav& wav)
{
    int peak = 0;
    for (short sample : wav.samples) peak = std::max(peak, std::abs(int(sample)));
    return peak;
}

std::vector<double> FullScale(const Wav& wav)
{
    std::vector<double> samples;
    for (short sample : wav.samples) samples.push_back(sample / 32768.0);
    return samples;
}

double PowerDb(double sumOfSquares, size_t count)
{
    return 10.0 * std::log10(sumOfSquares / double(count));
}

// The RMS of the loudest 50 ms; a shorter file is measured with the silence after it.
double LoudestWindowDb(const std::vector<double>& samples)
{
    const size_t window = 44100 / 20;
    double sum = 0.0, loudest = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        sum += samples[i] * samples[i] - (i >= window ? samples[i - window] * samples[i - window] : 0.0);
        loudest = std::max(loudest, sum);
    }
    return PowerDb(loudest, window);
}

// How much RMS the signal loses through a 200 Hz two-pole Butterworth high-pass (the
// audio-EQ cookbook's), about what a laptop's small speakers let through.
double HighPassLossDb(const std::vector<double>& x)
{
    const double w = 2.0 * std::numbers::pi * 200.0 / 44100.0, alpha = std::sin(w) / std::sqrt(2.0), c = std::cos(w);
    const double a0 = 1.0 + alpha, b0 = (1.0 + c) / 2.0 / a0, b1 = -2.0 * b0, a1 = -2.0 * c / a0;
    const double a2 = (1.0 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, in = 0, out = 0;
    for (double sample : x) {
        const double y = b0 * (sample + x2) + b1 * x1 - a1 * y1 - a2 * y2;
        x2 = std::exchange(x1, sample);
        y2 = std::exchange(y1, y);
        in += sample * sample;
        out += y * y;
    }
    return PowerDb(in, 1) - PowerDb(out, 1);
}

std::vector<double> Sine(double frequency)
{
    std::vector<double> samples(44100);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.5 * std::sin(2.0 * std::numbers::pi * frequency * i / 44100.0);
    return samples;
}

TEST(EffectFiles, AreSixteenBitMonoWavAt44100Hz)
{
    for (const ExpectedEffect& effect : Effects) {
        const Wav wav = ReadWav(effect.file);
        ASSERT_TRUE(wav.opened) << effect.file << ": " << sf_strerror(nullptr);
        EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << effect.file;
        EXPECT_EQ(wav.info.samplerate, 44100) << effect.file;
        EXPECT_EQ(wav.info.channels, 1) << effect.file;
        EXPECT_EQ(wav.samples.size(), size_t(wav.info.frames * wav.info.channels)) << effect.file << ": truncated";
    }
}

TEST(EffectFiles, LengthsFitTheGamesPacing)
{
    for (const ExpectedEffect& effect : Effects) {
        const Wav wav = ReadWav(effect.file);
        EXPECT_GE(Seconds(wav), effect.minSeconds) << effect.file;
        EXPECT_LE(Seconds(wav), effect.maxSeconds) << effect.file;
    }
}

TEST(EffectFiles, AreClearlyHeardButPeakBelowMinusOneDecibel)
{
    for (const ExpectedEffect& effect : Effects) {
        const int peak = PeakSample(ReadWav(effect.file));
        ASSERT_GT(peak, 0) << effect.file << " is silent";
        EXPECT_LT(Decibels(peak), -1.0) << effect.file;
        EXPECT_GT(Decibels(peak), -20.0) << effect.file;
    }
}

TEST(EffectFiles, StandClearOfTheMusicYetPeakAtMostMinusFourDecibels)
{
    // With the music's peaks at -12 dBFS, an effect peaking at -4 dBFS keeps the mix under -1 dBFS.
    for (const ExpectedEffect& effect : Effects) {
        const Wav wav = ReadWav(effect.file);
        EXPECT_GE(LoudestWindowDb(FullScale(wav)), effect.minLoudestDb) << effect.file;
        EXPECT_LE(Decibels(PeakSample(wav)), -4.0) << effect.file;
    }
}

TEST(EffectFiles, SoundAtOnceAndEndOnZero)
{
    const int audible = static_cast<int>(32768 * std::pow(10.0, -50.0 / 20.0));
    for (const ExpectedEffect& effect : Effects) {
        const Wav wav = ReadWav(effect.file);
        ASSERT_FALSE(wav.samples.empty()) << effect.file;
        const auto first = std::find_if(wav.samples.begin(), wav.samples.end(),
                                        [&](short sample) { return std::abs(int(sample)) > audible; });
        EXPECT_LE(double(first - wav.samples.begin()) / wav.info.samplerate, 0.0015) << effect.file;
        EXPECT_EQ(wav.samples.back(), 0) << effect.file;
    }
}

TEST(EffectFiles, SoundsTheGameWaitsForAreHeardToTheirEnd)
{
    // Their last 100 ms, the short fade to zero included, within 20 dB of their loudest 50 ms.
    for (const char* file : {"Plum2.wav", "PlumWin.wav"}) {
        const std::vector<double> samples = FullScale(ReadWav(file));
        const size_t tail = 44100 / 10;
        ASSERT_GT(samples.size(), tail) << file;
        double sum = 0.0;
        for (size_t i = samples.size() - tail; i < samples.size(); ++i) sum += samples[i] * samples[i];
        EXPECT_GT(PowerDb(sum, tail), LoudestWindowDb(samples) - 20.0) << file;
    }
}

TEST(EffectFiles, ReelStopKeepsItsLoudnessOnLaptopSpeakers)
{
    ASSERT_GT(HighPassLossDb(Sine(50.0)), 20.0);   // the filter cuts hum
    ASSERT_LT(HighPassLossDb(Sine(2000.0)), 0.1);  // and passes a click
    EXPECT_LT(HighPassLossDb(FullScale(ReadWav("Plum0.wav"))), 3.0);
}

TEST(EffectFiles, CountUpTickDiesAwayLongBeforeTheNext)
{
    // Audible: above -40 dBFS. From the first such sample to the last, well within the
    // 75 ms between ticks, and decaying: its second half peaks 10 dB under its first.
    const Wav tick = ReadWav("Plum3.wav");
    const int threshold = static_cast<int>(32768 * std::pow(10.0, -40.0 / 20.0));
    long first = -1, last = -1;
    for (size_t i = 0; i < tick.samples.size(); ++i) {
        if (std::abs(int(tick.samples[i])) <= threshold) continue;
        if (first < 0) first = long(i);
        last = long(i);
    }
    ASSERT_GE(first, 0) << "the tick is never audible";
    EXPECT_LT(double(last - first + 1) / tick.info.samplerate, 0.035);
    const auto middle = tick.samples.begin() + (first + last) / 2;
    const auto louder = [](short a, short b) { return std::abs(int(a)) < std::abs(int(b)); };
    const int firstHalf = std::abs(int(*std::max_element(tick.samples.begin() + first, middle, louder)));
    const int secondHalf = std::abs(int(*std::max_element(middle, tick.samples.begin() + last + 1, louder)));
    EXPECT_GT(Decibels(firstHalf) - Decibels(secondHalf), 10.0);
}

}  // namespace
