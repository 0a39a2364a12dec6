// The table's widget: an expose copies the surface; clicks, keys and resizes go to the window.
#include "table/TableView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QShowEvent>
#include <QWindow>

#include "pictures/Scaling.h"

namespace table {

TableView::TableView(TableViewClient& client, const QImage& surface, QWidget* parent)
    : QWidget(parent), client_(client), surface_(surface)
{
    // Every pixel comes from the surface; Qt need not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    // Black beside the table.
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

void TableView::SetTablePlace(QPoint origin, double pixelRatio)
{
    if (origin == origin_ && pixelRatio == pixelRatio_) return;
    origin_ = origin;
    pixelRatio_ = pixelRatio;
    update();
}

void TableView::ShowLater(const QRegion& area)
{
    update(area.translated(origin_));
}

void TableView::ShowNow(const QRegion& area)
{
    // Painted before returning, not at the event loop's next turn.
    repaint(area.translated(origin_));
}

void TableView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const QRect table(origin_, pictures::ToLogicalPixels(surface_.rect(), pixelRatio_).size());
    if (!table.contains(area)) painter.fillRect(area, Qt::black);  // beside the table
    const QRect shown = area.intersected(table);
    if (!shown.isEmpty()) {
        // At a ratio above 1 the surface's pixels are the screen's own.
        const QRectF source(QPointF(shown.topLeft() - origin_) * pixelRatio_, QSizeF(shown.size()) * pixelRatio_);
        painter.drawImage(QRectF(shown), surface_, source);
    }
    painter.end();
    if (!painted_) {
        painted_ = true;
        client_.TableFirstPainted();
    }
}

void TableView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    client_.FormMouseDown(event->button(), event->modifiers(), at.x(), at.y());
    event->accept();
}

void TableView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Insert) insertHeld_ = true;
    if (insertHeld_) {
        event->accept();
        return;
    }
    if (client_.FormKeyDown(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TableView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Insert && !event->isAutoRepeat()) insertHeld_ = false;
    QWidget::keyReleaseEvent(event);
}

void TableView::focusOutEvent(QFocusEvent* event)
{
    // A release that went to another window is never seen here.
    insertHeld_ = false;
    QWidget::focusOutEvent(event);
}

void TableView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    client_.TableResized(event->size());
}

void TableView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (followsScreen_ || window()->windowHandle() == nullptr) return;
    // Another screen may have another device pixel ratio: the table is laid
    // out again for it.
    followsScreen_ = true;
    connect(window()->windowHandle(), &QWindow::screenChanged, this, [this] {
        if (!size().isEmpty()) client_.TableResized(size());
    });
}

bool TableView::focusNextPrevChild(bool /*next*/)
{
    // The table is the only thing that takes keys; Tab must not move the focus
    // to nowhere and leave Space and Enter without a receiver.
    return false;
}

}  // namespace table
