// The effects and the music of the table, as the play asks for them.
#pragma once

#include <string>

#include "media/Music.h"
#include "media/Sound.h"
#include "play/Sounds.h"
#include "store/SoundLevels.h"

namespace table {

class TableSounds final : public play::Sounds {
public:
    // Sound and music on, as at every run (the switches are not saved), and
    // the theme's track files named.
    void Start(const std::string& assetDir, const std::string& soundRoot)
    {
        music_.SetEnabled(true);
        sound_.SetEnabled(true);
        music_.FillTrackFiles(assetDir, soundRoot);
    }

    store::SoundLevels Levels() const { return {sound_.Level(), music_.Level()}; }
    void SetLevels(const store::SoundLevels& levels)
    {
        sound_.SetLevel(levels.effects);
        music_.SetLevel(levels.music);
    }

    media::Sound& Effects() { return sound_; }
    const media::Sound& Effects() const { return sound_; }
    media::Music& Tracks() { return music_; }
    const media::Music& Tracks() const { return music_; }

    int64_t StartEffect(engine::Effect effect) override { return sound_.StartSoundEffect(effect).count(); }
    int64_t StartWinSound() override { return sound_.StartWinSound().count(); }
    void StartMusic() override { music_.StartupStep(); }
    bool StartPendingTrack(std::string& error) override
    {
        if (music_.StartPendingTrack()) return true;
        error = music_.LastError();
        return false;
    }

private:
    media::Sound sound_;
    media::Music music_;
};

}  // namespace table
