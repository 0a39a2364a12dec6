// Test support for the media tests: small WAV and MIDI files made on the spot,
// hostile files, a clock that passes time without waiting, the peak of the
// mixed output, and a temporary theme folder per test.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "media/Clock.h"

namespace media_test {

using namespace std::chrono_literals;

// A 16-bit mono PCM WAV of `milliseconds`; its header claims
// `claimedMilliseconds` when given (a truncated file).
std::string WavBytes(int milliseconds, int claimedMilliseconds = -1);
// A one-track MIDI file with one note of `noteTicks` (96 ticks: half a second).
std::string MidiBytes(int noteTicks);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// Files that must neither crash nor hang the player.
enum class Hostile { Garbage, Empty, Huge, Truncated, Directory };
inline const auto AllHostile =
    testing::Values(Hostile::Garbage, Hostile::Empty, Hostile::Huge, Hostile::Truncated, Hostile::Directory);
std::string HostileName(const testing::TestParamInfo<Hostile>& info);
void WriteHostile(const std::filesystem::path& path, Hostile kind, bool wav);

// Time passes only by Sleep; Slept() is how long the caller was held.
class FakeClock final : public media::Clock {
public:
    TimePoint Now() const override { return TimePoint{} + slept_; }
    void Sleep(std::chrono::microseconds duration) override { slept_ += duration; }
    std::chrono::microseconds Slept() const { return slept_; }

private:
    std::chrono::microseconds slept_{0};
};

// The loudest 16-bit sample of the mixed output, watched on SDL's audio
// thread after the mixer has added everything. Made while the mixer is open.
class OutputPeak {
public:
    OutputPeak();
    ~OutputPeak();
    OutputPeak(const OutputPeak&) = delete;
    OutputPeak& operator=(const OutputPeak&) = delete;

    void Forget()
    {
        peak_ = 0;
        chunks_ = 0;
    }
    // The peak since Forget, once `chunks` chunks have been mixed since.
    int After(int chunks) const;

private:
    static void Watch(void* self, std::uint8_t* stream, int length);

    std::atomic<int> peak_{0};
    std::atomic<int> chunks_{0};
};

// Runs queued calls (the end of a track) until `done` or ten seconds pass.
bool ProcessEventsUntil(const std::function<bool()>& done);

// A fresh theme folder per test; AssetDir() ends with a separator.
class MediaTest : public testing::Test {
protected:
    MediaTest();
    ~MediaTest() override { std::filesystem::remove_all(folder_); }

    std::string AssetDir() const { return folder_.string() + "/"; }
    // A folder inside the theme folder whose path is over 300 characters.
    std::string LongFolder() const;

    std::filesystem::path folder_;
};

}  // namespace media_test
