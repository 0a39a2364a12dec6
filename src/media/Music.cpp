// The music rotation and its MIDI player: FluidSynth synthesising into
// SDL_mixer's music hook, with the end of a track handed from the audio
// thread to the user-interface thread.
#include "media/Music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "media/Level.h"
#include "media/MidiLength.h"
#include "media/MidiSynth.h"
#include "media/SoundFile.h"

namespace media {

namespace {

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// A Standard MIDI File, bare or in a RIFF RMID wrapper, by its first bytes
// (as SDL_mixer told MIDI from its other formats).
bool IsMidiFile(const std::vector<std::uint8_t>& bytes)
{
    const auto at = [&bytes](std::size_t offset, const char* tag) {
        return bytes.size() >= offset + 4 && std::memcmp(bytes.data() + offset, tag, 4) == 0;
    };
    return at(0, "MThd") || (at(0, "RIFF") && at(8, "RMID"));
}

// The FluidSynth gain at full level, SDL_mixer's for its full music volume:
// the theme's music is mixed for it (about -28 LUFS).
constexpr float FullGain = 1.2f;

float GainAt(int percent)
{
    return FullGain * LevelAmplitude(percent);
}

}  // namespace

Music* Music::hookOwner_ = nullptr;

Music::Music(std::shared_ptr<AudioDevice> device, Clock& clock)
    : FileExists(IsRegularFile), device_(std::move(device)), clock_(clock), deviceGeneration_(device_->Generation())
{}

Music::~Music()
{
    Close();
}

void Music::MixTrack(void* context, std::uint8_t* stream, int length)
{
    // The user-interface thread changes the synthesiser only with this hook
    // taken off the mixer, which waits for a call in progress.
    auto* const music = static_cast<Music*>(context);
    if (music->trackEnded_ || length <= 0) return;
    const bool playing = music->synth_->Render(stream, static_cast<std::size_t>(length));
    // FluidSynth at gain 0 still lets a note's attack and the reverb's tail
    // through, some 60 dB down; level 0 is silence.
    if (music->silent_) std::memset(stream, 0, static_cast<std::size_t>(length));
    if (playing) return;
    music->trackEnded_ = true;
    const std::uint64_t generation = music->generation_;
    QMetaObject::invokeMethod(
        &music->uiThread_, [music, generation] { music->TrackEnded(generation); }, Qt::QueuedConnection);
}

void Music::TrackEnded(std::uint64_t generation)
{
    // A stop or a newer start has changed the generation: not a natural end.
    if (generation != generation_ || !trackOpen_) return;
    NextTrack();
    TrackIndex += PendingMark;
    Close();
}

void Music::EndIfPlayedOut()
{
    // The synthesiser reports an end only once every voice has died and a
    // grace period has passed, seconds after the last note.
    if (trackOpen_ && playedOutAt_ && clock_.Now() >= *playedOutAt_) TrackEnded(generation_);
}

void Music::SetEnabled(bool on)
{
    enabled_ = on;
    if (!on) Close();
}

void Music::FollowDevice()
{
    // Gone: the mixer closed, and the hook with it.
    if (!device_->IsOpen()) Close();
    if (device_->Generation() == deviceGeneration_) return;
    deviceGeneration_ = device_->Generation();
    // Opened anew: a track of the old mixer is not heard on the new one.
    Close();
    if (enabled_ && TrackIndex < PendingMark && TrackIndex != NoTrack) {
        NextTrack();
        TrackIndex += PendingMark;
    }
}

bool Music::Toggle()
{
    FollowDevice();
    lastError_.clear();
    enabled_ = !enabled_;
    if (!enabled_) {
        Close();
        return enabled_;
    }
    // A pending track starts now rather than at the next tick.
    if (TrackIndex >= PendingMark) TrackIndex %= PendingMark;
    OpenAndPlay(TrackIndex);
    return enabled_;
}

void Music::FillTrackFiles(const std::string& assetDir, const std::string& soundRoot)
{
    for (int i = 0; i < TrackCount; ++i) {
        TrackFiles[i] = assetDir + soundRoot + std::to_string(i) + ".mid";
    }
}

void Music::StartupStep()
{
    if (!enabled_) return;
    TrackIndex = -1;
    NextTrack();
    TrackIndex += PendingMark;
}

void Music::NextTrack()
{
    int present = 0;
    for (const std::string& file : TrackFiles) {
        if (FileExists(file)) ++present;
    }
    if (present == 0) {
        TrackIndex = NoTrack;
        return;
    }
    int i = TrackIndex + 1;
    if (i >= TrackCount || i < 0) i = 0;
    // One round at most: a file counted above may be gone by now.
    for (int tried = 0; tried < TrackCount; ++tried) {
        if (FileExists(TrackFiles[i])) {
            TrackIndex = i;
            return;
        }
        i = (i + 1) % TrackCount;
    }
    TrackIndex = NoTrack;
}

bool Music::StartPendingTrack()
{
    device_->Refresh(clock_.Now());
    FollowDevice();
    EndIfPlayedOut();
    if (TrackIndex < PendingMark) return true;
    TrackIndex %= PendingMark;
    lastError_.clear();
    // Switched off between two tracks: the mark is taken off and the track
    // waits for the switch to come on again.
    if (!enabled_) return true;
    return OpenAndPlay(TrackIndex);
}

void Music::SetLevel(int percent)
{
    level_ = std::clamp(percent, 0, 100);
    silent_ = level_ == 0;
    if (synth_) synth_->SetGain(GainAt(level_));
}

bool Music::IsPlaying() const
{
    return trackOpen_;
}

bool Music::OpenAndPlay(int entry)
{
    Close();
    // NoTrack names no file, and neither does an empty entry: nothing starts.
    if (entry < 0 || entry >= TrackCount || TrackFiles[entry].empty()) return true;
    // Without an audio device the game runs silent, without messages.
    if (!device_->IsOpen()) return true;
    const std::string& file = TrackFiles[entry];
    const auto failed = [this, &file](const std::string& why) {
        lastError_ = "Cannot play the music file " + file + ": " + why;
        return false;
    };
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadSoundFile(file);
    } catch (const SoundFileError& error) {
        return failed(error.what());
    }
    if (device_->SoundFont().empty()) {
        return failed(std::string("no General MIDI soundfont (install timgm6mb-soundfont or name one in ") +
                      AudioDevice::SoundFontVariable + ")");
    }
    if (bytes.empty()) return failed("the file is empty");
    if (!IsMidiFile(bytes)) return failed("not a MIDI file");
    std::string error;
    if (!synth_) {
        const auto format =
            device_->FloatSamples() ? MidiSynth::SampleFormat::Float32 : MidiSynth::SampleFormat::Signed16;
        synth_ = MidiSynth::Open(device_->SoundFont(), device_->OutputFrequency(), format, error);
        if (!synth_) return failed(error);
        synth_->SetGain(GainAt(level_));
    }
    if (!synth_->Start(bytes, error)) return failed(error);
    ++generation_;
    trackOpen_ = true;
    trackEnded_ = false;
    // Replaces the hook of any other Music, as a new track replaces the one
    // playing on the mixer.
    hookOwner_ = this;
    deviceGeneration_ = device_->Generation();
    Mix_HookMusic(&Music::MixTrack, this);
    if (const auto length = MidiLength(bytes)) playedOutAt_ = clock_.Now() + *length + Release;
    return true;
}

void Music::Close()
{
    if (!trackOpen_) return;
    // First the generation, so an end the hook is reporting now is told
    // apart from the natural end of a track.
    ++generation_;
    if (hookOwner_ == this) {
        // Waits for a hook call in progress: none runs, or will, after this.
        Mix_HookMusic(nullptr, nullptr);
        hookOwner_ = nullptr;
    }
    synth_->Stop();
    trackOpen_ = false;
    playedOutAt_.reset();
}

}  // namespace media
