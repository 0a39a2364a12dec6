// Measures the media layer: `music SECONDS DIR ROOT` plays the theme's tracks
// in rotation and prints CPU and memory; `latency DIR ROOT [EFFECT]` plays an
// effect (0 unless given) twenty times and prints how long after each request
// the mixer first puts it into a chunk for the device; `gap DIR ROOT` plays
// the first track to its end and prints when the next began.
#include <QCoreApplication>
#include <QTimer>

#include <sys/resource.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "media/AudioDevice.h"
#include "media/MidiLength.h"
#include "media/Music.h"
#include "media/Sound.h"

namespace {

using Seconds = std::chrono::duration<double>;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A line of /proc/self/status such as "VmRSS:" in kilobytes.
long StatusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key) {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
    }
    return -1;
}

int ProbeMusic(char** argv)
{
    const double seconds = std::atof(argv[2]);
    media::Music music;
    music.FillTrackFiles(argv[3], argv[4]);
    music.SetEnabled(true);
    music.StartupStep();
    QTimer tick;  // the one-second music timer of the window
    double longestStart = 0;
    QObject::connect(&tick, &QTimer::timeout, [&music, &longestStart] {
        const auto start = std::chrono::steady_clock::now();
        if (!music.StartPendingTrack()) std::fprintf(stderr, "%s\n", music.LastError().c_str());
        const double took = Seconds(std::chrono::steady_clock::now() - start).count();
        if (took > 0.001) std::fprintf(stderr, "start %.0f ms\n", took * 1000);
        longestStart = std::max(longestStart, took);
    });
    tick.start(1000);
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    QTimer::singleShot(static_cast<int>(seconds * 1000), qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    const double wall = Seconds(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "music for %.1f s: CPU %.1f %% of one core, resident %ld MB now, %ld MB at most; "
        "longest track start %.0f ms\n",
        wall, 100.0 * (CpuSeconds() - cpuBefore) / wall, StatusKilobytes("VmRSS:") / 1024,
        StatusKilobytes("VmHWM:") / 1024, 1000 * longestStart);
    return 0;
}

// The first track played to its end and the next started by the one-second
// timer, as in the window: how long after the first track's last note (by its
// file) the next one began, in wall-clock time.
int ProbeGap(char** argv)
{
    media::Music music;
    music.FillTrackFiles(argv[2], argv[3]);
    std::ifstream file(music.TrackFiles[0], std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
    const auto length = media::MidiLength(bytes);
    if (!length) {
        std::fprintf(stderr, "cannot read the length of %s\n", music.TrackFiles[0].c_str());
        return 1;
    }
    music.SetEnabled(true);
    music.StartupStep();
    std::optional<std::chrono::steady_clock::time_point> firstStarted;
    std::optional<double> gap;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!music.StartPendingTrack()) std::fprintf(stderr, "%s\n", music.LastError().c_str());
        const auto now = std::chrono::steady_clock::now();
        if (!firstStarted && music.IsPlaying()) firstStarted = now;
        if (firstStarted && music.IsPlaying() && music.TrackIndex != 0) {
            gap = Seconds(now - *firstStarted).count() - Seconds(*length).count();
            QCoreApplication::quit();
        }
    });
    tick.start(1000);
    QTimer::singleShot(static_cast<int>(Seconds(*length).count() * 1000) + 20'000, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    if (!gap) {
        std::printf("the next track had not started 20 s after the first one's last note\n");
        return 1;
    }
    // Negative when the mixer's audio runs ahead of the clock (SDL's dummy
    // and disk drivers do not keep real time) and it reported the end early.
    std::printf("first track's last note at %.2f s; the next track started %.2f s after it\n", Seconds(*length).count(),
                *gap);
    return 0;
}

// Set by the post-mix hook on the audio thread: when a mixed chunk first held
// a sound.
std::atomic<std::int64_t> firstSoundNanos{0};

void NoteFirstSound(void*, Uint8* stream, int length)
{
    if (firstSoundNanos != 0) return;
    for (int i = 0; i < length; ++i) {
        if (stream[i] != 0) {
            firstSoundNanos = std::chrono::steady_clock::now().time_since_epoch().count();
            return;
        }
    }
}

int ProbeLatency(int argc, char** argv)
{
    const int number = argc > 4 ? std::atoi(argv[4]) : 0;
    if (number < 0 || number >= engine::EffectCount) {
        std::fprintf(stderr, "effect number must be 0..%d\n", engine::EffectCount - 1);
        return 2;
    }
    const auto effect = static_cast<engine::Effect>(number);
    media::Sound sound;
    sound.PreloadEffects(argv[2], argv[3]);
    sound.SetEnabled(true);
    Mix_SetPostMix(NoteFirstSound, nullptr);
    std::vector<double> delays;
    for (int i = 0; i < 20; ++i) {
        // Requests fall at every phase of the mixer's chunk.
        std::this_thread::sleep_for(std::chrono::microseconds(300'000 + 731 * i));
        firstSoundNanos = 0;
        const auto requested = std::chrono::steady_clock::now();
        sound.PlaySoundEffect(effect);
        while (firstSoundNanos == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
        delays.push_back((firstSoundNanos - requested.time_since_epoch().count()) / 1e6);
        Mix_HaltChannel(-1);
    }
    Mix_SetPostMix(nullptr, nullptr);
    std::sort(delays.begin(), delays.end());
    double sum = 0;
    for (double delay : delays) sum += delay;
    std::printf("request to mixed chunk: min %.1f ms, mean %.1f ms, max %.1f ms (chunk %.1f ms)\n", delays.front(),
                sum / delays.size(), delays.back(),
                1000.0 * media::AudioDevice::ChunkFrames / media::AudioDevice::Frequency);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "music" && argc == 5) return ProbeMusic(argv);
    if (mode == "latency" && (argc == 4 || argc == 5)) return ProbeLatency(argc, argv);
    if (mode == "gap" && argc == 4) return ProbeGap(argv);
    std::fprintf(stderr,
                 "usage: media-probe music SECONDS DIR ROOT | media-probe latency DIR ROOT [EFFECT] | "
                 "media-probe gap DIR ROOT\n");
    return 2;
}
