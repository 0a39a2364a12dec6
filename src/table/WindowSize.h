// The main window's size: the screen less 10 pixels each way, frame included,
// or the whole screen at low resolution.
#pragma once

#include <QEvent>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "table/Theme.h"

namespace table {

class WindowSize {
public:
    // Chosen once the theme has read the screen.
    explicit WindowSize(const Theme& theme);

    // Below 100 logical pixels per inch the window starts maximised.
    bool Maximised() const { return maximised_; }
    QSize Outer() const { return outer_; }
    // The client area the table is first laid out for: below the menu bar.
    QSize FirstClientArea(int menuBarHeight) const;

    // The outer size includes the frame, which the window manager decides and
    // Qt learns only after the window is shown: on a show, a move or a state
    // change the fixed client size is set so that the frame fits around it.
    void Fit(QWidget& window, QEvent::Type happened) const;

    // Full screen, the player's choice for the running program; leaving it
    // brings back the window as it was (its fixed size, or maximised a
    // moment after it is shown normal again).
    // True when the window is now full screen.
    bool ToggleFullScreen(QWidget& window);

    // Between leaving full screen and maximising the window again.
    static constexpr int MaximisePauseMs = 150;

private:
    void LeaveFullScreen(QWidget& window);

    QSize outer_;
    bool maximised_ = false;
    QRect beforeFullScreen_;  // the client area's place and size
    bool maximisedBeforeFullScreen_ = false;
    unsigned restoreRequest_ = 0;  // which leaving of full screen a pending maximise belongs to
};

}  // namespace table
