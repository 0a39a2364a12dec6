// The frame schedule of the reels: the spin's 47 frames, each shown at the
// earliest 25 ms after the one before, and the nudge's slide and settle.
#pragma once

#include <functional>

#include "play/Clock.h"
#include "play/FrameLog.h"
#include "play/Screen.h"

namespace play {

class ReelMotion {
public:
    ReelMotion(Screen& screen, Clock& clock, FrameLog& log);

    // The spin's frames from the given offsets until all three reels rest on
    // their stops. `stopped` is told of each reel coming to rest; `cut` is
    // asked after each wait and ends the animation when true.
    void Spin(const engine::MotionOffsets& offsets, const engine::ReelStops& stops,
              const std::function<void(int reel)>& stopped, const std::function<bool()>& cut);

    // The one-position slide of a nudge and the settle that follows; `cut`
    // ends either between two steps.
    void Slide(int reel, int32_t stop, engine::SlideDirection direction, const std::function<bool()>& cut);
    void Settle(int reel, const std::function<bool()>& cut);

    // A paced wait that keeps the window alive.
    void Wait(double seconds);

private:
    Screen& screen_;
    Clock& clock_;
    FrameLog& log_;
};

}  // namespace play
