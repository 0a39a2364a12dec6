// The main window's outer size, kept once its frame is known.
#include "table/WindowSize.h"

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

}  // namespace table
