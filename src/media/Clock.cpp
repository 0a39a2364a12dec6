// The steady clock and the real sleep used outside tests.
#include "media/Clock.h"

#include <thread>

namespace media {

SystemClock& SystemClock::Instance()
{
    static SystemClock clock;
    return clock;
}

Clock::TimePoint SystemClock::Now() const
{
    return std::chrono::steady_clock::now();
}

void SystemClock::Sleep(std::chrono::microseconds duration)
{
    std::this_thread::sleep_for(duration);
}

}  // namespace media
