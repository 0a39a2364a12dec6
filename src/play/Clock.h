// The time the play paces itself by: a monotonic clock and a wait that keeps
// the window alive.
#pragma once

#include <cstdint>

namespace play {

class Clock {
public:
    virtual ~Clock() = default;

    // Microseconds of a monotonic clock.
    virtual int64_t MonotonicMicros() const = 0;
    // Keeps processing window messages until the clock has reached the
    // deadline. Never returns earlier; never spins the processor.
    virtual void WaitUntil(int64_t deadlineMicros) = 0;
};

}  // namespace play
