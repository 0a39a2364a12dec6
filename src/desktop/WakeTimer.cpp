// The wake timer: a timer descriptor set to an absolute deadline and watched
// by the event loop, or a precise Qt timer where there is none.
#include "desktop/WakeTimer.h"

#include <QSocketNotifier>
#include <QTimer>

#include <sys/timerfd.h>
#include <unistd.h>

#include <ctime>
#include <utility>

namespace desktop {

WakeTimer::WakeTimer()
{
    descriptor_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (descriptor_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(descriptor_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
            uint64_t expirations = 0;
            (void)::read(descriptor_, &expirations, sizeof expirations);
            Fired();
        });
    } else {
        fallback_ = std::make_unique<QTimer>();
        fallback_->setTimerType(Qt::PreciseTimer);
        fallback_->setSingleShot(true);
        QObject::connect(fallback_.get(), &QTimer::timeout, [this] { Fired(); });
    }
}

WakeTimer::~WakeTimer()
{
    notifier_.reset();
    if (descriptor_ >= 0) ::close(descriptor_);
}

int64_t WakeTimer::NowMicros()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

void WakeTimer::WakeAt(int64_t deadlineMicros, std::function<void()> wake)
{
    deadline_ = deadlineMicros;
    wake_ = std::move(wake);
    if (descriptor_ >= 0) {
        itimerspec when{};
        // A deadline already passed still fires: one nanosecond of the epoch.
        const int64_t at = deadlineMicros > 0 ? deadlineMicros : 0;
        when.it_value.tv_sec = static_cast<time_t>(at / 1'000'000);
        when.it_value.tv_nsec = static_cast<long>((at % 1'000'000) * 1000);
        if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0) when.it_value.tv_nsec = 1;
        ::timerfd_settime(descriptor_, TFD_TIMER_ABSTIME, &when, nullptr);
        return;
    }
    // Whole milliseconds, rounded up: a frame must never start early.
    const int64_t remaining = deadlineMicros - NowMicros();
    fallback_->start(remaining > 0 ? static_cast<int>((remaining + 999) / 1000) : 0);
}

void WakeTimer::Cancel()
{
    wake_ = nullptr;
    if (descriptor_ >= 0) {
        const itimerspec off{};
        ::timerfd_settime(descriptor_, TFD_TIMER_ABSTIME, &off, nullptr);
    } else {
        fallback_->stop();
    }
}

void WakeTimer::Fired()
{
    if (!wake_) return;
    if (NowMicros() < deadline_) {
        WakeAt(deadline_, std::move(wake_));  // early: wait again
        return;
    }
    std::exchange(wake_, nullptr)();
}

}  // namespace desktop
