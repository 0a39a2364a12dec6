// The time the play paces itself by: a monotonic clock and one wake-up call.
#pragma once

#include <cstdint>
#include <functional>

namespace play {

class Clock {
public:
    virtual ~Clock() = default;

    // Microseconds of a monotonic clock.
    virtual int64_t MonotonicMicros() const = 0;
    // Calls `wake` from the event loop once the clock has reached the
    // deadline, never earlier, and returns at once. A later call replaces
    // one not yet made.
    virtual void WakeAt(int64_t deadlineMicros, std::function<void()> wake) = 0;
    virtual void CancelWake() = 0;
};

}  // namespace play
