// The two questions the rules ask the outside world while they decide a
// command: whether a pending music track could start, and the range of the
// reels' motion offsets. Neither waits; everything the player sees and hears
// comes back as the command's script (Script.h).
#pragma once

#include <cstdint>

#include "engine/TableTypes.h"

namespace engine {

class Host {
public:
    virtual ~Host() = default;

    // Starts a pending music track, if any. False when the start failed; the
    // host keeps the error to show, and the spin command ends there.
    virtual bool StartPendingTrack() = 0;

    // Height of the scaled motion strip: the range of the motion offsets.
    virtual int32_t MotionHeight() const = 0;
};

}  // namespace engine
