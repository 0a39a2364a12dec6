// The desktop's platform: Qt's primary screen, the program's real path, and waits to the
// microsecond on a timer descriptor.
#include "desktop/Platform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <linux/sched.h>
#include <sys/syscall.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace desktop {

dialogs::HelpViewer& Platform::Help()
{
    return helpViewer_;
}

namespace {

const QScreen* PrimaryScreen()
{
    return QGuiApplication::primaryScreen();
}

// The kernel's struct sched_attr (its header clashes with the C library's
// <sched.h>), as sched_getattr(2) and sched_setattr(2) take it.
struct SchedulerAttributes {
    uint32_t size;
    uint32_t sched_policy;
    uint64_t sched_flags;
    int32_t sched_nice;
    uint32_t sched_priority;
    uint64_t sched_runtime;
    uint64_t sched_deadline;
    uint64_t sched_period;
    uint32_t sched_util_min;
    uint32_t sched_util_max;
};

}  // namespace

bool RequestPromptWakeups()
{
    // A frame is due every 25 ms and takes about a millisecond to show;
    // the shortest slice the kernel grants lets the waking thread take a core
    // from a busy process at once rather than after that process's slice.
    constexpr uint64_t SliceNanos = 100'000;
    SchedulerAttributes attr{};
    if (::syscall(SYS_sched_getattr, 0, &attr, sizeof attr, 0) != 0) return false;
    if (attr.sched_policy != SCHED_NORMAL) return false;  // batch, idle or real-time: as the user chose
    attr.size = sizeof attr;
    attr.sched_runtime = SliceNanos;
    attr.sched_flags = SCHED_FLAG_RESET_ON_FORK;
    return ::syscall(SYS_sched_setattr, 0, &attr, 0) == 0;
}

DesktopPlatform::DesktopPlatform()
{
    // Without it the frames only come later under load; nothing else changes.
    (void)RequestPromptWakeups();
}

int DesktopPlatform::ScreenWidth() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->geometry().width() : 800;
}

int DesktopPlatform::ScreenHeight() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->geometry().height() : 600;
}

int DesktopPlatform::ColourDepth() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? screen->depth() : 24;
}

int DesktopPlatform::LogicalDpi() const
{
    const QScreen* screen = PrimaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchX()) : 96;
}

QString DesktopPlatform::ProgramPath() const
{
    return ResolveProgramPath(QCoreApplication::applicationFilePath());
}

int64_t DesktopPlatform::MonotonicMicros() const
{
    // The clock the timer descriptors of WaitUntil count on.
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

namespace {

void SleepUntil(int64_t deadlineMicros)
{
    timespec when{};
    when.tv_sec = static_cast<time_t>(deadlineMicros / 1'000'000);
    when.tv_nsec = static_cast<long>((deadlineMicros % 1'000'000) * 1000);
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {}
}

// Waits in a local event loop for a timer descriptor set to the absolute
// deadline: microsecond precision where Qt's own timers count whole
// milliseconds (which would make every 25 ms frame up to a millisecond late).
// False when the descriptor cannot be had; the caller then uses a Qt timer.
bool WaitOnTimerDescriptor(int64_t deadlineMicros)
{
    const int fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0) return false;
    itimerspec when{};
    when.it_value.tv_sec = static_cast<time_t>(deadlineMicros / 1'000'000);
    when.it_value.tv_nsec = static_cast<long>((deadlineMicros % 1'000'000) * 1000);
    if (::timerfd_settime(fd, TFD_TIMER_ABSTIME, &when, nullptr) != 0) {
        ::close(fd);
        return false;
    }
    {
        QEventLoop loop;
        QSocketNotifier notifier(fd, QSocketNotifier::Read);
        QObject::connect(&notifier, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
        loop.exec();
    }
    uint64_t expirations = 0;
    const bool fired = ::read(fd, &expirations, sizeof expirations) == static_cast<ssize_t>(sizeof expirations);
    ::close(fd);
    if (!fired) {
        // The loop was told to end from outside (the application is quitting):
        // sleep the rest rather than spin on a loop that no longer waits.
        SleepUntil(deadlineMicros);
    }
    return true;
}

void WaitOnQtTimer(int64_t deadlineMicros, int64_t remainingMicros)
{
    // Whole milliseconds, rounded up: a frame must never start early.
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>((remainingMicros + 999) / 1000));
    loop.exec();
    if (timer.isActive()) {
        SleepUntil(deadlineMicros);
    }
}

}  // namespace

void DesktopPlatform::WaitUntil(int64_t deadlineMicros)
{
    for (;;) {
        const int64_t remaining = deadlineMicros - MonotonicMicros();
        if (remaining <= 0) return;
        if (!WaitOnTimerDescriptor(deadlineMicros)) WaitOnQtTimer(deadlineMicros, remaining);
    }
}

QString ResolveProgramPath(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

}  // namespace desktop
