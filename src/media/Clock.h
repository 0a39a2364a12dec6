// The time source and the sleep behind a synchronous sound effect's wait, an
// interface so tests can pass time without waiting for it.
#pragma once

#include <chrono>

namespace media {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    virtual TimePoint Now() const = 0;
    // Blocks the calling thread for the duration.
    virtual void Sleep(std::chrono::microseconds duration) = 0;
};

// The steady clock and a real sleep.
class SystemClock final : public Clock {
public:
    static SystemClock& Instance();

    TimePoint Now() const override;
    void Sleep(std::chrono::microseconds duration) override;
};

}  // namespace media
