// Plays the sound effects through SDL_mixer: two decoded once and kept, the
// others read from their files at each play, waited for where the effect says.
#include "media/Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "engine/SoundEffects.h"
#include "media/Level.h"
#include "media/SoundFile.h"
#include "media/StandInSound.h"

namespace media {

namespace {

using engine::Effect;

// How often a waiting caller looks whether its effect has ended.
constexpr std::chrono::microseconds PollInterval{5000};

bool CallerWaits(Effect effect)
{
    return effect == Effect::MeterReset || effect == Effect::MeterPoint;
}

bool PlaysWithSoundOff(Effect effect)
{
    return effect == Effect::MeterPoint;
}

// The compiled-in stand-in as Decode takes it.
const std::vector<std::uint8_t>& StandInBytes()
{
    static const std::vector<std::uint8_t> bytes(std::begin(StandInSoundWav), std::end(StandInSoundWav));
    return bytes;
}

}  // namespace

// One decoded effect and how long it lasts. Without an audio device nothing
// is decoded for the mixer and only the length is known.
struct EffectSound {
    Mix_Chunk* chunk = nullptr;
    std::chrono::microseconds length{0};

    EffectSound() = default;
    EffectSound(const EffectSound&) = delete;
    EffectSound& operator=(const EffectSound&) = delete;
    // Callers halt the effect channel first: a freed chunk is never sounding.
    ~EffectSound()
    {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
    }
};

namespace {

// Decodes a WAV image; null when it is not one SDL can decode.
std::unique_ptr<EffectSound> Decode(const std::vector<std::uint8_t>& bytes, const AudioDevice& device)
{
    if (bytes.empty()) return nullptr;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (source == nullptr) return nullptr;
    auto effect = std::make_unique<EffectSound>();
    if (device.IsOpen()) {
        // Converted to the output format; the chunk owns its samples.
        effect->chunk = Mix_LoadWAV_RW(source, 1);
        if (effect->chunk == nullptr) return nullptr;
        effect->length = device.DurationOf(effect->chunk->alen);
        return effect;
    }
    SDL_AudioSpec spec{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(source, 1, &spec, &samples, &length) == nullptr) return nullptr;
    SDL_FreeWAV(samples);
    const std::int64_t bytesPerFrame = spec.channels * SDL_AUDIO_BITSIZE(spec.format) / 8;
    if (bytesPerFrame <= 0 || spec.freq <= 0) return nullptr;
    effect->length = std::chrono::microseconds(length / bytesPerFrame * 1'000'000 / spec.freq);
    return effect;
}

void HaltEffect(const AudioDevice& device)
{
    if (device.IsOpen()) Mix_HaltChannel(AudioDevice::EffectChannel);
}

}  // namespace

Sound::Sound(Clock& clock, std::shared_ptr<AudioDevice> device) : device_(std::move(device)), clock_(clock)
{}

Sound::~Sound()
{
    HaltEffect(*device_);
}

bool Sound::Toggle()
{
    enabled_ = !enabled_;
    return enabled_;
}

void Sound::PreloadEffects(const std::string& assetDir, const std::string& soundRoot)
{
    assetDir_ = assetDir;
    soundRoot_ = soundRoot;
    Preload();
}

void Sound::FollowDevice()
{
    device_->Refresh(clock_.Now());
    // Read before the output was there: only their lengths are known. (After
    // the output went away and came back they would still play, but this is
    // as cheap.) Told at start-up already when they cannot be read.
    if (preloadedFor_ == device_->Generation() || (assetDir_.empty() && soundRoot_.empty())) return;
    try {
        Preload();
    } catch (const SoundFileError&) {
    }
}

void Sound::Preload()
{
    HaltEffect(*device_);
    preloadedFor_ = device_->Generation();
    std::optional<SoundFileError> firstError;
    auto preload = [&](Effect effect) -> std::unique_ptr<EffectSound> {
        try {
            const std::string name = std::to_string(engine::EffectNumber(effect)) + ".wav";
            return Decode(ReadSoundFile(assetDir_ + soundRoot_ + name), *device_);
        } catch (const SoundFileError& error) {
            if (!firstError) firstError = error;
            return nullptr;
        }
    };
    reelStop_ = preload(Effect::ReelStop);
    countUp_ = preload(Effect::CountUpTick);
    if (firstError) throw *firstError;
}

void Sound::PlaySoundEffect(Effect effect)
{
    if (StartSoundEffect(effect).count() > 0) WaitFor(*fromFile_);
}

void Sound::PlayWinSound()
{
    FollowDevice();
    PlayFile("Win.wav", true);
}

std::chrono::microseconds Sound::StartSoundEffect(Effect effect)
{
    if (!enabled_ && !PlaysWithSoundOff(effect)) return {};
    FollowDevice();
    if (effect == Effect::ReelStop || effect == Effect::CountUpTick) {
        EffectSound* preloaded = effect == Effect::ReelStop ? reelStop_.get() : countUp_.get();
        if (preloaded != nullptr) Start(*preloaded);
        return {};
    }
    return StartFile(std::to_string(engine::EffectNumber(effect)) + ".wav", CallerWaits(effect));
}

std::chrono::microseconds Sound::StartWinSound()
{
    FollowDevice();
    return StartFile("Win.wav", true);
}

void Sound::PlayFile(const std::string& suffix, bool callerWaits)
{
    if (StartFile(suffix, callerWaits).count() > 0) WaitFor(*fromFile_);
}

std::chrono::microseconds Sound::StartFile(const std::string& suffix, bool callerWaits)
{
    std::unique_ptr<EffectSound> effect;
    try {
        effect = Decode(ReadSoundFile(assetDir_ + soundRoot_ + suffix), *device_);
    } catch (const SoundFileError&) {
        // Told nowhere: the stand-in below is heard instead.
    }
    // A missing or unplayable file sounds the stand-in, and a caller that
    // waits for the effect waits for it.
    if (!effect) effect = Decode(StandInBytes(), *device_);
    if (!effect) return {};
    HaltEffect(*device_);
    fromFile_ = std::move(effect);
    Start(*fromFile_);
    return callerWaits ? std::max(fromFile_->length, std::chrono::microseconds(1)) : std::chrono::microseconds{};
}

void Sound::SetLevel(int percent)
{
    level_ = std::clamp(percent, 0, 100);
    gain_ = LevelAmplitude(level_);
}

void Sound::ScaleSamples(int /*channel*/, void* stream, int length, void* context)
{
    const auto* const sound = static_cast<const Sound*>(context);
    const float gain = sound->gain_;
    if (gain >= 1.0f) return;
    if (sound->floatSamples_) {
        auto* const samples = static_cast<float*>(stream);
        for (int i = 0; i < length / 4; ++i) samples[i] *= gain;
        return;
    }
    // Scaled down only: never out of range.
    auto* const samples = static_cast<Sint16*>(stream);
    for (int i = 0; i < length / 2; ++i) samples[i] = static_cast<Sint16>(samples[i] * gain);
}

void Sound::Start(EffectSound& effect)
{
    if (effect.chunk == nullptr || !device_->IsOpen()) return;
    // The level is applied in the mix, finer than the chunk's 128 volume
    // steps. The mixer drops a channel's effects when its sound ends or is
    // cut off, so it is registered for each sound, before it plays, so that
    // no sample goes out louder.
    Mix_HaltChannel(AudioDevice::EffectChannel);
    Mix_UnregisterAllEffects(AudioDevice::EffectChannel);
    floatSamples_ = device_->FloatSamples();
    Mix_RegisterEffect(AudioDevice::EffectChannel, &Sound::ScaleSamples, nullptr, this);
    Mix_PlayChannel(AudioDevice::EffectChannel, effect.chunk, 0);
}

void Sound::WaitFor(const EffectSound& effect)
{
    const Clock::TimePoint start = clock_.Now();
    if (effect.chunk == nullptr || !device_->IsOpen() || Mix_Playing(AudioDevice::EffectChannel) == 0) {
        // Nothing is heard (no device, or the mixer refused the play): the
        // caller still takes the effect's length.
        clock_.Sleep(effect.length);
        return;
    }
    const Clock::TimePoint deadline = start + effect.length + WaitMargin;
    while (Mix_Playing(AudioDevice::EffectChannel) != 0) {
        const Clock::TimePoint now = clock_.Now();
        if (now >= deadline) break;
        clock_.Sleep(std::min(PollInterval, std::chrono::ceil<std::chrono::microseconds>(deadline - now)));
    }
}

}  // namespace media
