// The main window's outer size, kept once its frame is known.
#include "table/WindowSize.h"

#include <QTimer>

#include <algorithm>

namespace table {

WindowSize::WindowSize(const Theme& theme)
    : outer_(theme.screenWidth - 10, theme.screenHeight - 10),
      maximised_(theme.logicalDpi > 0 && theme.logicalDpi < 100)
{}

QSize WindowSize::FirstClientArea(int menuBarHeight) const
{
    return QSize(std::max(1, outer_.width()), std::max(1, outer_.height() - menuBarHeight));
}

void WindowSize::Fit(QWidget& window, QEvent::Type happened) const
{
    if (happened != QEvent::Show && happened != QEvent::Move && happened != QEvent::WindowStateChange) return;
    if (maximised_ || !outer_.isValid() || window.isMaximized() || window.isFullScreen()) return;
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize client = outer_ - frame;
    if (client.isValid() && client != window.size()) window.setFixedSize(client);
}

bool WindowSize::ToggleFullScreen(QWidget& window)
{
    if (window.isFullScreen()) {
        LeaveFullScreen(window);
        return false;
    }
    ++restoreRequest_;  // a maximise still waiting from leaving before is dropped
    maximisedBeforeFullScreen_ = window.isMaximized();
    beforeFullScreen_ = window.geometry();
    // A fixed size would keep the window from covering the screen.
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The window manager gives it the screen.
    window.showFullScreen();
    return true;
}

void WindowSize::LeaveFullScreen(QWidget& window)
{
    // A normal window first, whatever it was before: maximising straight from
    // full screen has Qt ask a Wayland compositor to maximise before it asks
    // to leave full screen, and weston then ends the connection because the
    // window is not the size it was configured to. The maximise follows once
    // the compositor has had a moment to configure the normal window.
    window.showNormal();
    if (maximisedBeforeFullScreen_) {
        const unsigned request = ++restoreRequest_;
        QTimer::singleShot(MaximisePauseMs, &window, [this, &window, request] {
            if (request == restoreRequest_ && !window.isFullScreen()) window.showMaximized();
        });
        return;
    }
    window.setGeometry(beforeFullScreen_);
    window.setFixedSize(beforeFullScreen_.size());
}

}  // namespace table
