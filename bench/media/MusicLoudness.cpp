// music-loudness: loudness of WAV files and of the default theme's music as the game plays it.
// Usage: music-loudness FILE.wav... | --tracks DIR | --stems DIR | --render IN.mid OUT.wav | --sine
//
//   FILE.wav...           integrated loudness, each half, sample peak, RMS and loudest 50 ms RMS
//   --tracks DIR          the same for DIR/Plum0.mid ... Plum4.mid, rendered at the game's level
//   --stems DIR           each track's instruments alone: the lead per eight bars, comping, bass, drums
//   --render IN.mid OUT   a MIDI file rendered at the game's level to a 32-bit float WAV
//   --sine                checks the meter on 1 kHz sines, whose loudness the standard fixes
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "Arranger.h"
#include "LeadSheet.h"
#include "Loudness.h"
#include "MidiRender.h"
#include "Tunes.h"

namespace {

using namespace loudness;

constexpr int Tracks = 5;

std::string TrackPath(const std::string& dir, int track)
{
    return dir + "/Plum" + std::to_string(track) + ".mid";
}

void PrintHeading()
{
    std::printf("%-28s %9s %9s %9s %9s %9s %10s\n", "", "LUFS", "1st half", "2nd half", "peak dB", "RMS dB",
                "50 ms RMS");
}

void PrintFigures(const std::string& name, const Figures& figures)
{
    std::printf("%-28s %9.2f %9.2f %9.2f %9.2f %9.2f %10.2f\n", name.c_str(), figures.integrated, figures.firstHalf,
                figures.secondHalf, figures.peak, figures.rms, figures.loudestRms);
}

bool Render(const std::string& path, const RenderOptions& options, Sound& sound)
{
    std::string error;
    if (RenderMidi(path, options, sound, error)) return true;
    std::fprintf(stderr, "music-loudness: %s\n", error.c_str());
    return false;
}

int WavFigures(int count, char** paths)
{
    PrintHeading();
    int status = 0;
    for (int i = 0; i < count; ++i) {
        Sound sound;
        std::string error;
        if (!ReadWav(paths[i], sound, error)) {
            std::fprintf(stderr, "music-loudness: %s: %s\n", paths[i], error.c_str());
            status = 1;
            continue;
        }
        PrintFigures(paths[i], Measure(sound));
    }
    return status;
}

int TrackFigures(const std::string& dir)
{
    PrintHeading();
    for (int track = 0; track < Tracks; ++track) {
        Sound sound;
        if (!Render(TrackPath(dir, track), RenderOptions{}, sound)) return 1;
        PrintFigures("Plum" + std::to_string(track) + " (" + musicgen::Tunes()[track].title + ")", Measure(sound));
    }
    return 0;
}

// The loudness of each instrument alone, and of the lead (both melody channels) in each
// eight bars of the form; the ending bar is left out, as it only rings the home chord.
int StemFigures(const std::string& dir)
{
    using namespace musicgen;
    struct Stem {
        const char* name;
        std::set<int> channels;
    };
    const Stem stems[] = {{"comping", {CompingChannel}}, {"bass", {BassChannel}}, {"drums", {DrumChannel}}};
    for (int track = 0; track < Tracks; ++track) {
        const Tune& tune = Tunes()[track];
        RenderOptions options;
        options.soloChannels = {MelodyChannel, SecondMelodyChannel};
        Sound lead;
        if (!Render(TrackPath(dir, track), options, lead)) return 1;
        const LoudnessMeter meter(lead);
        const double barSeconds = tune.beatsPerBar * 60.0 / tune.tempo;
        const size_t sectionFrames = size_t(std::lround(8 * barSeconds * lead.sampleRate));
        const size_t sections = leadsheet::Bars(tune.chords).size() * 2 / 8;
        std::printf("Plum%d (%s)\n  lead %.2f LUFS; by eight bars:", track, tune.title.c_str(), meter.Integrated());
        double quietest = 0.0, loudest = -1000.0;
        for (size_t section = 0; section < sections; ++section) {
            const double level = meter.Integrated(section * sectionFrames, sectionFrames);
            quietest = std::min(quietest, level);
            loudest = std::max(loudest, level);
            std::printf(" %.2f", level);
        }
        std::printf(" (range %.2f LU)\n", loudest - quietest);
        for (const Stem& stem : stems) {
            options.soloChannels = stem.channels;
            Sound sound;
            if (!Render(TrackPath(dir, track), options, sound)) return 1;
            const double level = LoudnessMeter(sound).Integrated();
            std::printf("  %-8s %.2f LUFS, %.2f LU under the lead\n", stem.name, level, meter.Integrated() - level);
        }
    }
    return 0;
}

int RenderFile(const char* midi, const char* wav)
{
    Sound sound;
    if (!Render(midi, RenderOptions{}, sound)) return 1;
    std::string error;
    if (!WriteFloatWav(wav, sound, error)) {
        std::fprintf(stderr, "music-loudness: %s: %s\n", wav, error.c_str());
        return 1;
    }
    return 0;
}

// A 1 kHz sine of the given peak level in dBFS in the left channel, and in the
// right when `stereo`, for `seconds`.
Sound Sine(int sampleRate, double peakDb, bool stereo, double seconds)
{
    Sound sound{sampleRate, 2, {}};
    const double amplitude = std::pow(10.0, peakDb / 20.0);
    const size_t frames = size_t(seconds * sampleRate);
    for (size_t frame = 0; frame < frames; ++frame) {
        const float sample = float(amplitude * std::sin(2.0 * std::numbers::pi * 1000.0 * double(frame) / sampleRate));
        sound.samples.push_back(sample);
        sound.samples.push_back(stereo ? sample : 0.0f);
    }
    return sound;
}

// BS.1770's -0.691 cancels the K-weighting's gain at 1 kHz, so a sine's
// loudness is its mean square in dB summed over the channels: peak - 3.01 dB
// for one channel, peak + 0 dB for the same sine in two.
int SineCheck()
{
    struct Case {
        int sampleRate;
        double peakDb;
        bool stereo;
        double expected;
    };
    const Case cases[] = {{44100, -20.0, true, -20.0}, {48000, -20.0, true, -20.0}, {44100, -20.0, false, -23.01},
                          {48000, -23.0, true, -23.0}, {44100, -40.0, true, -40.0}, {96000, -20.0, true, -20.0}};
    int failures = 0;
    for (const Case& c : cases) {
        const Sound sound = Sine(c.sampleRate, c.peakDb, c.stereo, 20.0);
        const Figures figures = Measure(sound);
        const bool good = std::fabs(figures.integrated - c.expected) <= 0.05;
        failures += good ? 0 : 1;
        std::printf("%6d Hz, %s sine at %.1f dBFS peak: %.3f LUFS (expected %.2f), RMS %.2f dB, peak %.2f dB %s\n",
                    c.sampleRate, c.stereo ? "stereo" : "one-channel", c.peakDb, figures.integrated, c.expected,
                    figures.rms, figures.peak, good ? "ok" : "WRONG");
    }
    // Gating. The absolute and relative gates drop 10 s at -60 dBFS and 10 s
    // of silence after 30 s at -20 dBFS. EBU Tech 3341's fifth case, 20 s at
    // -26 dBFS, 20.1 s at -20 and 20 s at -26, reads -23.0 LUFS.
    const auto sequence = [](std::initializer_list<Sound> pieces) {
        Sound joined{48000, 2, {}};
        for (const Sound& piece : pieces)
            joined.samples.insert(joined.samples.end(), piece.samples.begin(), piece.samples.end());
        return joined;
    };
    const Sound silence{48000, 2, std::vector<float>(2 * 48000 * 10, 0.0f)};
    const struct {
        const char* name;
        Sound sound;
        double expected;
    } sequences[] = {
        {"30 s at -20 dBFS, 10 s at -60 dBFS, 10 s silent",
         sequence({Sine(48000, -20.0, true, 30.0), Sine(48000, -60.0, true, 10.0), silence}), -20.0},
        {"EBU Tech 3341 case 5: -26, -20, -26 dBFS",
         sequence({Sine(48000, -26.0, true, 20.0), Sine(48000, -20.0, true, 20.1), Sine(48000, -26.0, true, 20.0)}),
         -23.0},
    };
    for (const auto& s : sequences) {
        const double level = LoudnessMeter(s.sound).Integrated();
        const bool good = std::fabs(level - s.expected) <= 0.1;
        failures += good ? 0 : 1;
        std::printf("%s: %.3f LUFS (expected %.2f) %s\n", s.name, level, s.expected, good ? "ok" : "WRONG");
    }
    return failures == 0 ? 0 : 1;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: music-loudness FILE.wav... | --tracks DIR | --stems DIR | --render IN.mid OUT.wav | "
                 "--sine\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return Usage();
    const std::string mode = argv[1];
    if (mode == "--tracks" && argc == 3) return TrackFigures(argv[2]);
    if (mode == "--stems" && argc == 3) return StemFigures(argv[2]);
    if (mode == "--render" && argc == 4) return RenderFile(argv[2], argv[3]);
    if (mode == "--sine" && argc == 2) return SineCheck();
    if (mode.starts_with("--")) return Usage();
    return WavFigures(argc - 1, argv + 1);
}
