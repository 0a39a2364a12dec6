#pragma once

#include <array>
#include <functional>
#include <string>

namespace media {

// The background music: five theme tracks played in turn while the Music
// switch is on. TrackIndex holds the current track (0..4), 9 when no track
// file exists, and a pending start as that value plus 10. Nothing is heard
// yet: the MIDI player behind Open/Play is still to come.
class Music {
public:
    static constexpr int TrackCount = 5;

    Music();

    bool MusicOn = false;
    int TrackIndex = 0;
    std::array<std::string, TrackCount> TrackFiles;

    // assetDir + soundRoot + i + ".mid" for i = 0..4.
    void FillTrackFiles(const std::string& assetDir, const std::string& soundRoot);

    // The start-up tick's step: with music on, the first existing track
    // becomes pending.
    void StartupStep();

    // Moves TrackIndex to the next track whose file exists (9 when none does).
    void NextTrack();

    // Starts the pending track, if any. False when the start failed; the
    // reason is in LastError() for the caller to show.
    bool StartPendingTrack();

    // The Music menu command: flips the switch and returns its new state for
    // the check mark; on, the last track starts again from its beginning (a
    // failed start leaves LastError() set and the switch on).
    bool Music1Click();

    const std::string& LastError() const { return lastError_; }

    // Whether a track file exists; the file system unless replaced (tests).
    std::function<bool(const std::string&)> FileExists;

private:
    bool OpenAndPlay(int entry);
    void Close();

    std::string lastError_;
};

}  // namespace media
