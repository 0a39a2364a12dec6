// The effects and the music as the play asks for them.
#pragma once

#include <string>

#include "engine/SoundEffects.h"

namespace play {

class Sounds {
public:
    virtual ~Sounds() = default;

    // Whether the caller waits for an effect's end is the effect's own.
    virtual void PlayEffect(engine::Effect effect) = 0;
    virtual void PlayWinSound() = 0;
    // The music's first step at the start-up tick.
    virtual void StartMusic() = 0;
    // Starts a pending track, if any; false, with the reason, when it failed.
    virtual bool StartPendingTrack(std::string& error) = 0;
};

}  // namespace play
