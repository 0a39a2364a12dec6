// The theme's sound effects (engine::Effect, numbered 0..9, and the win sound)
// and the Sound switch, played on one mixer channel of the shared audio output.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/SoundEffects.h"
#include "media/AudioDevice.h"
#include "media/Clock.h"

namespace media {

struct EffectSound;

// Effect n comes from the file assetDir + soundRoot + n + ".wav", the win
// sound from soundRoot + "Win.wav". ReelStop and CountUpTick, the two that repeat
// fastest, are read once by PreloadEffects and played from memory; the others
// are read at each play. MeterReset, MeterPoint and the win sound block the
// caller until they end; MeterPoint and the win sound play even with the
// switch off. Starting an effect cuts off the one still sounding.
//
// A file that is missing or cannot be decoded at play time is not reported:
// a short stand-in sound built into the program plays in its place (a Linux
// desktop has no system default sound), waited for like the effect. (The two
// preloaded effects are told at start-up instead, and then play nothing.) A
// decodable effect that is waited for takes its length whether or not an
// audio device exists (pacing the bonus meter and the count-up), never more
// than its length and a small margin.
//
// Each play first lets the shared output look whether it is there (see
// AudioDevice::Refresh): effects are heard again once it is back.
class Sound {
public:
    // How much longer than its length a waited-for effect may hold the caller.
    static constexpr std::chrono::milliseconds WaitMargin{50};

    explicit Sound(Clock& clock = SystemClock::Instance(), std::shared_ptr<AudioDevice> device = AudioDevice::Shared());
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // The Sound switch: off until start-up switches it on after the preload.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    // The Sound command: flips the switch and returns its new state for the
    // check mark. Stops nothing and plays nothing.
    bool Toggle();

    // Names the effect files and reads the two effects played from memory.
    // Throws SoundFileError, with the text to show, when either cannot be read
    // (after trying both: one message, and the other still plays).
    void PreloadEffects(const std::string& assetDir, const std::string& soundRoot);

    void PlaySoundEffect(engine::Effect effect);
    // Plays the win sound and returns when it has ended.
    void PlayWinSound();
    // The same, returning at once: how long a caller paced by the effect
    // waits for it, its length where the effect is waited for, else zero.
    std::chrono::microseconds StartSoundEffect(engine::Effect effect);
    std::chrono::microseconds StartWinSound();

    // The effects' level, 0..100 percent of the slider, heard in decibels
    // (see Level.h; 100 is the files' own level); at 0 an effect that is
    // waited for still takes its length. Reaches an effect that sounds.
    int Level() const { return level_; }
    void SetLevel(int percent);

private:
    // SDL_mixer's effect on the effect channel, on the audio thread: the
    // samples scaled to the level.
    static void ScaleSamples(int channel, void* stream, int length, void* sound);
    // Lets the output look for itself and, after it has opened anew, decodes
    // the preloaded effects for it.
    void FollowDevice();
    void Preload();
    void PlayFile(const std::string& suffix, bool callerWaits);
    // Starts the file's effect (or the stand-in); its length where waited for.
    std::chrono::microseconds StartFile(const std::string& suffix, bool callerWaits);
    void Start(EffectSound& effect);
    void WaitFor(const EffectSound& effect);

    // Declared first so it closes after the sounds below are freed.
    std::shared_ptr<AudioDevice> device_;
    bool enabled_ = false;
    int level_ = 100;
    std::atomic<float> gain_{1.0f};
    bool floatSamples_ = false;
    Clock& clock_;
    // The output's generation the preloaded effects were decoded for.
    std::uint64_t preloadedFor_ = 0;
    std::string assetDir_;
    std::string soundRoot_;
    std::unique_ptr<EffectSound> reelStop_;
    std::unique_ptr<EffectSound> countUp_;
    // The last effect read from its file, kept until it cannot be sounding.
    std::unique_ptr<EffectSound> fromFile_;
};

}  // namespace media
