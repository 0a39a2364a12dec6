// The machine under the main window: the screen, the program's path, a clock, wake-ups and
// the help viewer, each behind an interface that tests replace.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "dialogs/HelpViewer.h"
#include "desktop/WakeTimer.h"
#include "play/Clock.h"

class QWidget;

namespace desktop {

// The facts and services the main window takes from the machine it runs on.
// Small and replaceable, so tests can stand in for the screen and the clock.
class Platform : public play::Clock {
public:
    // The primary screen, read once at start-up.
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    virtual int ColourDepth() const = 0;  // bits per pixel
    virtual int LogicalDpi() const = 0;   // logical pixels per inch

    // The running program file, symbolic links resolved, so that its
    // directory is where the theme files really are.
    virtual QString ProgramPath() const = 0;

    // MonotonicMicros and WakeAt (play::Clock) pace the play's scripts.

    // The millisecond tick count.
    int64_t TickCount() const { return MonotonicMicros() / 1000; }

    // Shows the manual: the program's own help window unless replaced.
    virtual dialogs::HelpViewer& Help();

private:
    dialogs::WindowHelpViewer helpViewer_;
};

// The real desktop: Qt's primary screen, the running program, the monotonic
// clock, and wake-ups from a timer descriptor the event loop watches.
class DesktopPlatform : public Platform {
public:
    // Made on the user-interface thread, whose wake-ups it makes prompt.
    DesktopPlatform();

    int ScreenWidth() const override;
    int ScreenHeight() const override;
    int ColourDepth() const override;
    int LogicalDpi() const override;
    QString ProgramPath() const override;
    int64_t MonotonicMicros() const override;
    void WakeAt(int64_t deadlineMicros, std::function<void()> wake) override;
    void CancelWake() override;

private:
    // Made at the first wake-up, on the user-interface thread once its event loop exists.
    std::unique_ptr<WakeTimer> wakeTimer_;
};

// Asks the scheduler to run the calling thread as soon as it wakes, ahead of
// busy processes, by giving it a short time slice (Linux 6.12 and later; a
// no-op before). Its share of the processor does not change. Threads it
// starts afterwards keep the usual slice. False when the kernel refuses.
bool RequestPromptWakeups();

// The file a path names once every symbolic link on the way is followed; the
// path itself when it does not exist.
QString ResolveProgramPath(const QString& path);

}  // namespace desktop
