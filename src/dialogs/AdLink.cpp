// Clicks and mouse movement on one advertisement of the sponsor window.
#include "dialogs/AdLink.h"

#include <QMouseEvent>

namespace dialogs {

AdLink::AdLink(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
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

}  // namespace dialogs
