// Opens SDL's audio (audio only, without SDL's signal handlers) and SDL_mixer,
// watches for the output going away and opens it again, names the soundfont,
// and closes them in a safe order.
#include "media/AudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace media {

namespace {

constexpr const char* PackagedSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// PulseAudio's client library takes a stream's buffer length from it.
constexpr const char* ServerLatencyVariable = "PULSE_LATENCY_MSEC";
// SDL numbers its open outputs from 1 to 16.
constexpr std::uint32_t LastDeviceId = 16;

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// The ALSA library reports every device it cannot open on standard error, a
// line each; SDL, which loads it, already says why in the one line the game
// prints when there is no sound.
void IgnoreAlsaMessage(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
                       const char* /*format*/, ...)
{}

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
    snd_lib_error_set_handler(IgnoreAlsaMessage);
    // The window handles SIGINT and SIGTERM itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The name the desktop's volume control shows for the game's stream.
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Plumfizz Slots");
    std::string reason;
    if (!Open(reason)) std::fprintf(stderr, "No audio output (%s): the game runs silent\n", reason.c_str());

    // The music drives FluidSynth itself: SDL_mixer's own MIDI player, which
    // would load the whole soundfont, is never used.
    soundFont_ = FindSoundFont();
}

AudioDevice::~AudioDevice()
{
    Close();
    Mix_Quit();
}

bool AudioDevice::Open(std::string& reason)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reason = SDL_GetError();
        return false;
    }
    // PulseAudio (or PipeWire's PulseAudio server) would otherwise keep only
    // one chunk of the game's queued, as SDL asks. Its client library reads
    // the variable as the stream is made; set for that moment only, so that
    // a browser the game starts does not inherit it. One the player set stands.
    const bool setLatency = std::getenv(ServerLatencyVariable) == nullptr;
    if (setLatency) ::setenv(ServerLatencyVariable, std::to_string(ServerBufferMilliseconds).c_str(), 0);
    const bool opened = Mix_OpenAudioDevice(Frequency, AUDIO_S16SYS, 2, ChunkFrames, nullptr, 0) == 0;
    if (setLatency) ::unsetenv(ServerLatencyVariable);
    if (!opened) {
        reason = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    open_ = true;
    ++generation_;
    Mix_AllocateChannels(EffectChannel + 1);

    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) != 0 && frequency > 0 && channels > 0) {
        frequency_ = frequency;
        bytesPerFrame_ = channels * SDL_AUDIO_BITSIZE(format) / 8;
        floatSamples_ = SDL_AUDIO_ISFLOAT(format);
    }

    // SDL_mixer keeps its output's number to itself; it is the one output
    // playing, as SDL_mixer unpauses it on opening and nothing else in the
    // program opens one.
    deviceId_ = 0;
    for (std::uint32_t id = 1; id <= LastDeviceId; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
            deviceId_ = id;
            break;
        }
    }
    return true;
}

void AudioDevice::Close()
{
    if (!open_) return;
    // Whoever hooked the music has unhooked it already, unless the output
    // went away under it; a mixer opened again starts without the hook.
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
    deviceId_ = 0;
}

bool AudioDevice::Lost() const
{
    // SDL stops an output whose server or device has gone (its callback
    // still runs, into nothing).
    return open_ && deviceId_ != 0 && SDL_GetAudioDeviceStatus(deviceId_) != SDL_AUDIO_PLAYING;
}

void AudioDevice::Refresh(Clock::TimePoint now)
{
    if (!lastTry_) lastTry_ = now;
    if (Lost()) {
        std::fprintf(stderr, "The audio output went away: the game runs silent until it is back\n");
        Close();
        // Tried again at once: the server may have been restarted.
        lastTry_ = now - RetryInterval;
    }
    if (open_ || now - *lastTry_ < RetryInterval) return;
    lastTry_ = now;
    std::string reason;
    Open(reason);
}

std::chrono::microseconds AudioDevice::DurationOf(std::uint32_t bytes) const
{
    const std::int64_t frames = bytes / static_cast<std::uint32_t>(bytesPerFrame_);
    return std::chrono::microseconds(frames * 1'000'000 / frequency_);
}

}  // namespace media
