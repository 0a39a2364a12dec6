// One wake-up call from the event loop at an absolute time of the monotonic
// clock, to the microsecond: the timer the play's scripts are paced by.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace desktop {

// A timer descriptor watched by the event loop: Qt's own timers count whole
// milliseconds, which would make every 25 ms frame up to a millisecond late.
// Where no descriptor can be had, a precise Qt timer stands in, rounded up.
class WakeTimer {
public:
    WakeTimer();
    ~WakeTimer();
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;

    // Calls `wake` once the monotonic clock has reached the deadline, never
    // earlier; replaces a call not yet made. Returns at once.
    void WakeAt(int64_t deadlineMicros, std::function<void()> wake);
    void Cancel();

    static int64_t NowMicros();

private:
    void Fired();

    int descriptor_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> fallback_;
    int64_t deadline_ = 0;
    std::function<void()> wake_;
};

}  // namespace desktop
