// The effects and the music of the table, as the play asks for them.
#pragma once

#include "media/Music.h"
#include "media/Sound.h"
#include "play/Sounds.h"

namespace table {

class TableSounds final : public play::Sounds {
public:
    media::Sound& Effects() { return sound_; }
    const media::Sound& Effects() const { return sound_; }
    media::Music& Tracks() { return music_; }
    const media::Music& Tracks() const { return music_; }

    void PlayEffect(engine::Effect effect) override { sound_.PlaySoundEffect(effect); }
    void PlayWinSound() override { sound_.PlayWinSound(); }
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
