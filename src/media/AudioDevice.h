// The one SDL_mixer audio output that the sound effects and the music share,
// and the General MIDI soundfont the music is synthesised with.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace media {

class AudioDevice {
public:
    // Output format: 44.1 kHz stereo in chunks of 256 frames (5.8 ms), so
    // an effect is heard within two chunks of being asked for.
    static constexpr int Frequency = 44100;
    static constexpr int ChunkFrames = 256;
    // Effects play on this one channel: starting one cuts off the one before,
    // and the music, mixed apart from the channels, is never stopped by them.
    static constexpr int EffectChannel = 0;
    // Names a soundfont file to use instead of the packaged one.
    static constexpr const char* SoundFontVariable = "PLUMFIZZ_SOUNDFONT";

    // The process's output: opened by the first holder, closed when the last
    // one lets go. When no device opens, one line goes to standard error and
    // the returned object reports IsOpen() false: the game runs silent.
    static std::shared_ptr<AudioDevice> Shared();

    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool IsOpen() const { return open_; }

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

    bool open_ = false;
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
