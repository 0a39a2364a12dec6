// Clicks and mouse movement on one advertisement of the sponsor window.
#include "dialogs/AdLink.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "dialogs/DialogAccessibility.h"

namespace dialogs {

AdLink::AdLink(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    InstallDialogAccessibility();
}

bool AdLink::Pressable() const
{
    return !link_.isEmpty() && isEnabled() && !size().isEmpty();
}

void AdLink::Activate()
{
    if (Pressable()) emit Clicked(link_);
}

void AdLink::SetLink(const QString& link)
{
    link_ = link;
    if (link_.isEmpty()) {
        unsetCursor();
    } else {
        setCursor(Qt::PointingHandCursor);
    }
}

void AdLink::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void AdLink::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release over the same advertisement.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && !link_.isEmpty()) emit Clicked(link_);
}

void AdLink::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit Hovered();
}

void AdLink::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        Activate();
        return;
    default: QLabel::keyPressEvent(event);
    }
}

}  // namespace dialogs
