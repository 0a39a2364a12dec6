// The eleven sound effect files: readable 16-bit WAV at 44.1 kHz, lengths that fit
// the game's pacing, levels that are heard but never clip.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string ThemeDir = PLUMFIZZ_THEME_DIR;

struct ExpectedEffect {
    const char* file;
    double minSeconds, maxSeconds;
};

// Lengths the game's timing allows: the next reel stops 225 ms after the last,
// count-up ticks come every 75 ms, a nudge takes 0.54 s, and the game waits
// for the meter reset, each bonus point and the win sound.
constexpr ExpectedEffect Effects[] = {{"Plum0.wav", 0.05, 0.225},  {"Plum1.wav", 0.05, 0.4}, {"Plum2.wav", 0.3, 1.0},
                                      {"Plum3.wav", 0.005, 0.075}, {"Plum4.wav", 0.2, 1.5},  {"Plum5.wav", 0.2, 1.5},
                                      {"Plum6.wav", 0.15, 0.6},    {"Plum7.wav", 0.8, 2.5},  {"Plum8.wav", 0.2, 0.6},
                                      {"Plum9.wav", 0.2, 0.6},     {"PlumWin.wav", 1.0, 2.0}};

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

TEST(EffectFiles, CountUpTickIsHeardForWellUnder25Milliseconds)
{
    // Audible: above -40 dBFS. From the first such sample to the last.
    const Wav tick = ReadWav("Plum3.wav");
    const int threshold = static_cast<int>(32768 * std::pow(10.0, -40.0 / 20.0));
    long first = -1, last = -1;
    for (size_t i = 0; i < tick.samples.size(); ++i) {
        if (std::abs(int(tick.samples[i])) <= threshold) continue;
        if (first < 0) first = long(i);
        last = long(i);
    }
    ASSERT_GE(first, 0) << "the tick is never audible";
    EXPECT_LT(double(last - first + 1) / tick.info.samplerate, 0.020);
}

}  // namespace
