// The music rotation and its MIDI player: SDL_mixer synthesising through
// FluidSynth, with the end of a track handed from the audio thread to the
// user-interface thread.
#include "media/Music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "media/MidiLength.h"
#include "media/SoundFile.h"

namespace media {

namespace {

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

// A track loaded into the mixer, with the file's bytes it was read from.
struct OpenTrack {
    std::vector<std::uint8_t> bytes;
    Mix_Music* music = nullptr;

    OpenTrack() = default;
    OpenTrack(const OpenTrack&) = delete;
    OpenTrack& operator=(const OpenTrack&) = delete;
    // Callers halt the music first.
    ~OpenTrack()
    {
        if (music != nullptr) Mix_FreeMusic(music);
    }
};

std::atomic<Music*> Music::hookOwner_{nullptr};

Music::Music(std::shared_ptr<AudioDevice> device, Clock& clock)
    : FileExists(IsRegularFile), device_(std::move(device)), clock_(clock)
{
    if (device_->IsOpen()) {
        hookOwner_ = this;
        Mix_HookMusicFinished(&Music::OnMusicFinished);
    }
}

Music::~Music()
{
    if (device_->IsOpen() && hookOwner_ == this) {
        // Mix_HookMusicFinished waits for the audio thread: once it returns,
        // no report is running or will come for this object.
        Mix_HookMusicFinished(nullptr);
        hookOwner_ = nullptr;
    }
    Close();
}

void Music::OnMusicFinished()
{
    // On SDL's audio thread (or inside Mix_HaltMusic): no mixer calls here.
    Music* owner = hookOwner_;
    if (owner == nullptr) return;
    const std::uint64_t generation = owner->generation_;
    QMetaObject::invokeMethod(
        &owner->uiThread_, [owner, generation] { owner->TrackEnded(generation); }, Qt::QueuedConnection);
}

void Music::TrackEnded(std::uint64_t generation)
{
    // A stop or a newer start has changed the generation: not a natural end.
    if (generation != generation_ || !track_) return;
    NextTrack();
    TrackIndex += PendingMark;
    Close();
}

void Music::EndIfPlayedOut()
{
    // The synthesiser reports an end only once every voice has died and a
    // grace period has passed, seconds after the last note.
    if (track_ && playedOutAt_ && clock_.Now() >= *playedOutAt_) TrackEnded(generation_);
}

void Music::SetEnabled(bool on)
{
    enabled_ = on;
    if (!on) Close();
}

bool Music::Toggle()
{
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
    if (device_->IsOpen()) Mix_VolumeMusic(level_ * MIX_MAX_VOLUME / 100);
}

bool Music::IsPlaying() const
{
    return track_ != nullptr;
}

bool Music::OpenAndPlay(int entry)
{
    Close();
    // NoTrack names no file, and neither does an empty entry: nothing starts.
    if (entry < 0 || entry >= TrackCount || TrackFiles[entry].empty()) return true;
    // Without an audio device the game runs silent, without messages.
    if (!device_->IsOpen()) return true;
    const std::string& file = TrackFiles[entry];
    auto track = std::make_unique<OpenTrack>();
    try {
        track->bytes = ReadSoundFile(file);
    } catch (const SoundFileError& error) {
        lastError_ = "Cannot play the music file " + file + ": " + error.what();
        return false;
    }
    if (device_->SoundFont().empty()) {
        lastError_ = "Cannot play the music file " + file +
                     ": no General MIDI soundfont (install timgm6mb-soundfont or name one in " +
                     AudioDevice::SoundFontVariable + ")";
        return false;
    }
    SDL_RWops* source =
        track->bytes.empty() ? nullptr : SDL_RWFromConstMem(track->bytes.data(), static_cast<int>(track->bytes.size()));
    track->music = source != nullptr ? Mix_LoadMUS_RW(source, 1) : nullptr;
    if (track->music == nullptr) {
        lastError_ = "Cannot play the music file " + file + ": " +
                     (track->bytes.empty() ? std::string("the file is empty") : std::string(Mix_GetError()));
        return false;
    }
    ++generation_;
    track_ = std::move(track);
    if (Mix_PlayMusic(track_->music, 1) != 0) {
        lastError_ = "Cannot play the music file " + file + ": " + Mix_GetError();
        Close();
        return false;
    }
    if (const auto length = MidiLength(track_->bytes)) playedOutAt_ = clock_.Now() + *length + Release;
    return true;
}

void Music::Close()
{
    if (!track_) return;
    // First the generation, so the report of this halt is told apart from
    // the natural end of a track.
    ++generation_;
    if (device_->IsOpen()) Mix_HaltMusic();
    track_.reset();
    playedOutAt_.reset();
}

}  // namespace media
