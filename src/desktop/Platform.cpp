// The desktop's platform: Qt's primary screen, the program's real path, and wake-ups to
// the microsecond.
#include "desktop/Platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <linux/sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>

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
    return WakeTimer::NowMicros();
}

void DesktopPlatform::WakeAt(int64_t deadlineMicros, std::function<void()> wake)
{
    if (!wakeTimer_) wakeTimer_ = std::make_unique<WakeTimer>();
    wakeTimer_->WakeAt(deadlineMicros, std::move(wake));
}

void DesktopPlatform::CancelWake()
{
    if (wakeTimer_) wakeTimer_->Cancel();
}

QString ResolveProgramPath(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

}  // namespace desktop
