// Following the keyboard focus through a dialog and drawing the outline around the control that has it.
#include "dialogs/KeyboardFocusFrame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace dialogs {

KeyboardFocusFrame::KeyboardFocusFrame(QWidget& window, const QColor& colour)
    : QFocusFrame(&window), window_(window), colour_(colour)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
    Follow(window_.focusWidget());
}

void KeyboardFocusFrame::Follow(QWidget* focus)
{
    const bool inWindow = focus != nullptr && focus != &window_ && focus->window() == &window_;
    // The style shows focus marks only once the keyboard has moved the focus
    // (Tab, a shortcut); a mouse player sees the window as it always was.
    setWidget(inWindow && window_.testAttribute(Qt::WA_KeyboardFocusChange) ? focus : nullptr);
    // Following nothing from the start, QFocusFrame would stay shown at its
    // default place, a gold box in the window's corner.
    if (widget() == nullptr) hide();
    if (focus_ != focus && focus_ != nullptr) focus_->removeEventFilter(this);
    focus_ = inWindow ? focus : nullptr;
    if (focus_ != nullptr) focus_->installEventFilter(this);
}

bool KeyboardFocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == focus_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Tab in a window of one control leaves the focus where it was: it is
        // shown all the same.
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            window_.setAttribute(Qt::WA_KeyboardFocusChange);
            Follow(focus_);
        }
    }
    return QFocusFrame::eventFilter(watched, event);
}

void KeyboardFocusFrame::paintEvent(QPaintEvent* /*event*/)
{
    // The frame lies just outside the control, as the style's margins place it.
    QPainter painter(this);
    painter.setPen(QPen(colour_, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void ShowKeyboardFocus(QWidget& window, const QColor& colour)
{
    new KeyboardFocusFrame(window, colour);
}

}  // namespace dialogs
