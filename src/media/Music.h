// The background music: the theme's five MIDI tracks played one after the
// other while the Music switch is on, through the shared SDL_mixer output.
#pragma once

#include <QObject>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "media/AudioDevice.h"
#include "media/Clock.h"

namespace media {

class MidiSynth;

// TrackIndex holds the current track and, in the same value, a pending start:
//   0..4    the entry of TrackFiles playing or played last;
//   9       no track file exists (NoTrack);
//   +10     that value with a start pending (PendingMark): the next tick of
//           the one-second music timer, or the next spin, starts it.
// A track that ends by itself marks the next existing track pending; a track
// stopped by the switch or by a new start does not advance the rotation.
//
// The output is shared with the effects and may come and go (see
// AudioDevice::Refresh, which StartPendingTrack calls): a track playing when
// it went away is closed without advancing the rotation, and once it is back
// the next track is marked pending and starts at once.
//
// All calls come from the user-interface thread, the thread that made the
// object. The track is synthesised in SDL_mixer's music hook on SDL's audio
// thread, where its end is found and handed to this thread as a queued call;
// the object's owner runs a Qt event loop (any QCoreApplication) for it to
// arrive.
class Music {
public:
    static constexpr int TrackCount = 5;
    static constexpr int NoTrack = 9;
    static constexpr int PendingMark = 10;

    // The time a track's last note takes to die away before the next may start.
    static constexpr std::chrono::milliseconds Release{400};

    explicit Music(std::shared_ptr<AudioDevice> device = AudioDevice::Shared(), Clock& clock = SystemClock::Instance());
    ~Music();
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // The Music switch; off until start-up switches it on. SetEnabled(false)
    // also stops the track that is playing; SetEnabled(true) starts nothing.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // The Music command: flips the switch and returns its new state for the
    // check mark. Off stops the music at once. On starts the current track
    // (or the pending one) from its beginning; when that fails the switch
    // stays on and LastError() says why.
    bool Toggle();

    // assetDir + soundRoot + i + ".mid" for i = 0..4.
    void FillTrackFiles(const std::string& assetDir, const std::string& soundRoot);

    // The start-up tick's step: with the switch on, the first existing track
    // (NoTrack when none) becomes pending.
    void StartupStep();

    // Moves TrackIndex to the next track whose file exists, in the order
    // 0, 1, 2, 3, 4, 0, ...; NoTrack when none does.
    void NextTrack();

    // Takes off the pending mark and, with the switch on, starts that track.
    // Called by the one-second music timer and first thing by a spin. A
    // track whose last note (by the file) has ended and died away counts as
    // ended here, without waiting for the synthesiser's own report. False
    // when the start failed; LastError() holds the text to show, and the
    // start is not tried again.
    bool StartPendingTrack();

    // Whether a track is open: started, and neither stopped nor reported ended.
    bool IsPlaying() const;

    // The music's level, 0..100 percent of the slider, heard in decibels
    // (see Level.h; 100 is the theme's mix level), at once for a track that
    // plays.
    int Level() const { return level_; }
    void SetLevel(int percent);

    const std::string& LastError() const { return lastError_; }

    // Whether a track file exists; a regular file unless replaced (tests).
    std::function<bool(const std::string&)> FileExists;

    // The rotation's state, as described above, and the five file names.
    int TrackIndex = 0;
    std::array<std::string, TrackCount> TrackFiles;

private:
    // SDL_mixer's music hook, on SDL's audio thread under the mixer's lock:
    // the playing track's next `length` bytes into `stream`.
    static void MixTrack(void* music, std::uint8_t* stream, int length);
    void TrackEnded(std::uint64_t generation);
    // The track played out by its file's length: ended as by the mixer's report.
    void EndIfPlayedOut();
    bool OpenAndPlay(int entry);
    void Close();
    // Brings the rotation up to date with the output, as described above.
    void FollowDevice();

    // The Music whose track the mixer's one music hook plays, if any.
    static Music* hookOwner_;

    // Declared first so it closes after the synthesiser below is freed.
    std::shared_ptr<AudioDevice> device_;
    Clock& clock_;
    // When the playing track's last note has died away; unknown for a file
    // whose length cannot be read (its end comes from the mixer alone).
    std::optional<Clock::TimePoint> playedOutAt_;
    // Lives on the user-interface thread; queued calls from the audio thread
    // run there, and are dropped if this object is gone.
    QObject uiThread_;
    // Made at the first track and kept: the soundfont is loaded once.
    std::unique_ptr<MidiSynth> synth_;
    bool trackOpen_ = false;
    // Set by the hook when the track has ended; reset, with the hook off,
    // at each start.
    bool trackEnded_ = false;
    // Changed on every start and stop; an end reported under an older number
    // belongs to a track that was stopped or replaced.
    std::atomic<std::uint64_t> generation_{0};
    bool enabled_ = false;
    int level_ = 100;
    // Level 0, read by the hook.
    std::atomic<bool> silent_{false};
    std::string lastError_;
    // The output's generation the rotation last followed.
    std::uint64_t deviceGeneration_ = 0;
};

}  // namespace media
