// The frame that shows which control of a dialog has the keyboard focus.
#pragma once

#include <QColor>
#include <QFocusFrame>
#include <QPointer>

namespace dialogs {

// A 2-pixel outline in `colour` just outside the control that has the focus,
// shown once the keyboard has moved the focus in `window` (as the style shows
// its own focus marks) and while the window holds the focus. It belongs to the
// window; screen readers do not see it.
class KeyboardFocusFrame : public QFocusFrame {
    Q_OBJECT
public:
    KeyboardFocusFrame(QWidget& window, const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(QWidget* focus);

    QWidget& window_;
    QColor colour_;
    QPointer<QWidget> focus_;  // the window's control with the focus, watched for Tab
};

// Gives the window a keyboard focus frame of that colour.
void ShowKeyboardFocus(QWidget& window, const QColor& colour);

}  // namespace dialogs
