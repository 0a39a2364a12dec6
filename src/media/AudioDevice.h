// The one SDL_mixer audio output that the sound effects and the music share,
// opened again when it could not be opened or its sound server went away,
// and the General MIDI soundfont the music is synthesised with.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "media/Clock.h"

namespace media {

class AudioDevice {
public:
    // Output format: 44.1 kHz stereo, mixed in chunks of 512 frames (11.6
    // ms), of which a desktop sound server keeps ServerBufferMilliseconds
    // queued. SDL would have it keep one chunk, which a busy machine starves
    // (runs of silence, heard as clicks); the mixing thread wakes for each
    // chunk. An effect is mixed within a chunk of being asked for and heard
    // a queue later (bench/sound-server.sh measures both).
    static constexpr int Frequency = 44100;
    static constexpr int ChunkFrames = 512;
    static constexpr int ServerBufferMilliseconds = 40;
    // Effects play on this one channel: starting one cuts off the one before,
    // and the music, mixed apart from the channels, is never stopped by them.
    static constexpr int EffectChannel = 0;
    // Names a soundfont file to use instead of the packaged one.
    static constexpr const char* SoundFontVariable = "PLUMFIZZ_SOUNDFONT";
    // How often Refresh tries to open an output that is not there.
    static constexpr std::chrono::seconds RetryInterval{3};

    // The process's output: opened by the first holder, closed when the last
    // one lets go. When no device opens, one line goes to standard error and
    // the returned object reports IsOpen() false: the game runs silent.
    static std::shared_ptr<AudioDevice> Shared();

    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Whether the mixer is open: SDL_mixer may be called only then.
    bool IsOpen() const { return open_; }

    // Called by the holders before they use the mixer, from the user-
    // interface thread. An output whose server went away is closed (one line
    // on standard error), and one that is not open is opened again when
    // RetryInterval has passed since the last try (`now` on the caller's
    // clock), silently when that fails. Costs nothing more than a look while
    // the output plays.
    void Refresh(Clock::TimePoint now);

    // Changes each time the output opens. A mixer opened anew holds none of
    // the holders' state: no music hook, no effect playing.
    std::uint64_t Generation() const { return generation_; }

    // The soundfont given to the MIDI synthesiser; empty when none was found.
    const std::string& SoundFont() const { return soundFont_; }

    // The output's rate, and whether its samples are floats (else 16-bit
    // integers); always interleaved stereo.
    int OutputFrequency() const { return frequency_; }
    bool FloatSamples() const { return floatSamples_; }

    // How long `bytes` of mixed output last.
    std::chrono::microseconds DurationOf(std::uint32_t bytes) const;

private:
    AudioDevice();

    // Opens SDL's audio and the mixer; false, with SDL's reason, when either fails.
    bool Open(std::string& reason);
    void Close();
    bool Lost() const;

    bool open_ = false;
    std::uint64_t generation_ = 0;
    // SDL's number for the open output, 0 when unknown (then never lost).
    std::uint32_t deviceId_ = 0;
    // Unset until the first Refresh, which counts the constructor's try.
    std::optional<Clock::TimePoint> lastTry_;
    int frequency_ = Frequency;
    int bytesPerFrame_ = 4;
    bool floatSamples_ = false;
    std::string soundFont_;
};

// The soundfont to synthesise MIDI with: the file named by
// AudioDevice::SoundFontVariable if it is one, else the small General MIDI
// soundfont of the timgm6mb-soundfont package, else empty (never the large
// default soundfont, which would take a hundred megabytes of memory).
std::string FindSoundFont();

}  // namespace media
