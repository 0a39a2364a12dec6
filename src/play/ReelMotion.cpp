// The frames of a spin and a nudge, paced on the injected clock.
#include "play/ReelMotion.h"

#include <cmath>

namespace play {

namespace {

constexpr int64_t FrameMicros = 25'000;
constexpr int LastFrame = 47;
constexpr int SlideSteps = 8;
constexpr int SettleSteps = 8;
constexpr double SlideStepSeconds = 0.05;
constexpr double SettleStepSeconds = 0.02;

}  // namespace

ReelMotion::ReelMotion(Screen& screen, Clock& clock, FrameLog& log) : screen_(screen), clock_(clock), log_(log)
{}

void ReelMotion::Spin(const engine::MotionOffsets& offsets, const engine::ReelStops& stops,
                      const std::function<void(int reel)>& stopped, const std::function<bool()>& cut)
{
    // Drawings of the timers wait for the next frame; whatever is left at the
    // end, however the animation ends, goes to the screen the usual way.
    struct HoldScope {
        Screen& screen;
        explicit HoldScope(Screen& s) : screen(s) { screen.HoldDrawings(true); }
        ~HoldScope() { screen.HoldDrawings(false); }
    } hold(screen_);

    engine::MotionOffsets motion = offsets;
    // Each frame is shown 25 ms after the one before, never earlier; a late
    // frame delays the rest rather than being skipped. A frame is drawn while
    // the wait for it runs, so when the timer fires only the copy to the
    // screen is left: a late wake-up is the only lateness.
    ReelsStopped next = screen_.DrawSpinFrame(1, motion, stops);
    int64_t shownAt = clock_.MonotonicMicros();
    log_.Write("spin-start", 0);
    for (int frame = 1; frame <= LastFrame; ++frame) {
        clock_.WaitUntil(shownAt + FrameMicros);
        if (cut()) return;  // no more drawing
        shownAt = clock_.MonotonicMicros();
        log_.Write("frame", frame);
        screen_.ShowSpinFrame();
        for (int reel = 0; reel < engine::ReelCount; ++reel) {
            if (next[static_cast<size_t>(reel)]) stopped(reel);
        }
        if (frame < LastFrame) next = screen_.DrawSpinFrame(frame + 1, motion, stops);
    }
}

void ReelMotion::Slide(int reel, int32_t stop, engine::SlideDirection direction, const std::function<bool()>& cut)
{
    for (int step = 0; step < SlideSteps; ++step) {
        if (cut()) return;
        screen_.DrawNudgeStep(reel, stop, direction, step);
        log_.Write("nudge", reel, step);
        if (!cut()) Wait(SlideStepSeconds);
    }
}

void ReelMotion::Settle(int reel, const std::function<bool()>& cut)
{
    if (cut()) return;
    screen_.CaptureSettle(reel);
    for (int step = 0; step < SettleSteps; ++step) {
        screen_.DrawSettleStep(reel, step);
        log_.Write("settle", reel, step);
        if (step + 1 < SettleSteps && !cut()) Wait(SettleStepSeconds);
    }
}

void ReelMotion::Wait(double seconds)
{
    if (!(seconds > 0)) return;
    clock_.WaitUntil(clock_.MonotonicMicros() + std::llround(seconds * 1e6));
}

}  // namespace play
