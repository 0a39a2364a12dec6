#include "media/Music.h"

#include <filesystem>

namespace media {

namespace {

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

Music::Music() : FileExists(IsRegularFile)
{}

void Music::FillTrackFiles(const std::string& assetDir, const std::string& soundRoot)
{
    for (int i = 0; i < TrackCount; ++i) {
        TrackFiles[i] = (assetDir + soundRoot + std::to_string(i) + ".mid").substr(0, 255);
    }
}

void Music::StartupStep()
{
    if (!MusicOn) return;
    TrackIndex = -1;
    NextTrack();
    TrackIndex += 10;
}

void Music::NextTrack()
{
    int present = 0;
    for (const std::string& file : TrackFiles) {
        if (FileExists(file)) ++present;
    }
    if (present == 0) {
        TrackIndex = 9;
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
    TrackIndex = 9;
}

bool Music::StartPendingTrack()
{
    if (TrackIndex < 10) return true;
    while (TrackIndex >= 10) TrackIndex -= 10;
    return OpenAndPlay(TrackIndex);
}

bool Music::Music1Click()
{
    lastError_.clear();
    MusicOn = !MusicOn;
    if (!MusicOn) {
        Close();
        return MusicOn;
    }
    // A failed restart leaves the switch on; the caller shows LastError().
    OpenAndPlay(TrackIndex);
    return MusicOn;
}

bool Music::OpenAndPlay(int entry)
{
    // No entry to name (9: no track file): nothing to start.
    if (entry < 0 || entry >= TrackCount) return true;
    lastError_.clear();
    // Silent until the MIDI player is built.
    return true;
}

void Music::Close()
{}

}  // namespace media
