// The picture control: painting its picture, and keeping every press on it from the window behind.
#include "TImage.h"

#include <QMouseEvent>
#include <QPainter>

#include "dialogs/DialogAccessibility.h"

namespace dialogs {

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Read as a picture, by the name its window gives it.
    InstallDialogAccessibility();
}

void TImage::SetPicture(const QImage& picture)
{
    picture_ = picture;
    resize(picture_.size());
    update();
}

void TImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), picture_, event->rect());
}

void TImage::mousePressEvent(QMouseEvent* event)
{
    // Accepted even without a listener: a press on a picture is never a
    // press on the window's background.
    event->accept();
    if (OnMouseDown) {
        OnMouseDown(event->position().toPoint());
    }
}

}  // namespace dialogs
