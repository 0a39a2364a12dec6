// Opens SDL's audio (audio only, without SDL's signal handlers) and SDL_mixer,
// names the soundfont, and closes them in a safe order.
#include "media/AudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace media {

namespace {

constexpr const char* PackagedSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string FindSoundFont()
{
    const char* chosen = std::getenv(AudioDevice::SoundFontVariable);
    if (chosen != nullptr && *chosen != '\0') {
        if (IsRegularFile(chosen)) return chosen;
        std::fprintf(stderr, "%s names no soundfont file (%s); using the packaged one\n",
                     AudioDevice::SoundFontVariable, chosen);
    }
    if (IsRegularFile(PackagedSoundFont)) return PackagedSoundFont;
    return {};
}

std::shared_ptr<AudioDevice> AudioDevice::Shared()
{
    // Only the user-interface thread makes sound objects, so no lock.
    static std::weak_ptr<AudioDevice> current;
    std::shared_ptr<AudioDevice> device = current.lock();
    if (!device) {
        device.reset(new AudioDevice());
        current = device;
    }
    return device;
}

AudioDevice::AudioDevice()
{
    // The window handles SIGINT and SIGTERM itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "No audio output (%s): the game runs silent\n", SDL_GetError());
        return;
    }
    if (Mix_OpenAudioDevice(Frequency, AUDIO_S16SYS, 2, ChunkFrames, nullptr, 0) != 0) {
        std::fprintf(stderr, "No audio output (%s): the game runs silent\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    open_ = true;
    Mix_AllocateChannels(EffectChannel + 1);

    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) != 0 && frequency > 0 && channels > 0) {
        frequency_ = frequency;
        bytesPerFrame_ = channels * SDL_AUDIO_BITSIZE(format) / 8;
        floatSamples_ = SDL_AUDIO_ISFLOAT(format);
    }

    // The music drives FluidSynth itself: SDL_mixer's own MIDI player, which
    // would load the whole soundfont, is never used.
    soundFont_ = FindSoundFont();
}

AudioDevice::~AudioDevice()
{
    if (!open_) return;
    // Whoever hooked the music has unhooked it already; this is the last
    // guard before the audio thread goes.
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::chrono::microseconds AudioDevice::DurationOf(std::uint32_t bytes) const
{
    const std::int64_t frames = bytes / static_cast<std::uint32_t>(bytesPerFrame_);
    return std::chrono::microseconds(frames * 1'000'000 / frequency_);
}

}  // namespace media
