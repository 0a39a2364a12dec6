// The effects and the music as the play asks for them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/SoundEffects.h"

namespace play {

class Sounds {
public:
    virtual ~Sounds() = default;

    // Starts an effect and returns at once: the microseconds a script waits
    // for it, its length where the effect is waited for, 0 otherwise.
    virtual int64_t StartEffect(engine::Effect effect) = 0;
    // The win sound, always waited for.
    virtual int64_t StartWinSound() = 0;
    // The music's first step at the start-up tick.
    virtual void StartMusic() = 0;
    // Starts a pending track, if any; false, with the reason, when it failed.
    virtual bool StartPendingTrack(std::string& error) = 0;
};

}  // namespace play
