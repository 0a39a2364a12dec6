// Painting the cabinet's plum lacquer, gold rims and cream glass behind the
// side dialogs' controls.
#include "dialogs/CabinetLook.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace dialogs {

void ApplyCabinetLook(QWidget& dialog)
{
    QPalette palette = dialog.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, CabinetPlum);
        palette.setColor(group, QPalette::WindowText, CabinetGoldPale);
        palette.setColor(group, QPalette::Button, QColor(0x55, 0x12, 0x5e));
        palette.setColor(group, QPalette::ButtonText, CabinetGoldPale);
        palette.setColor(group, QPalette::Base, CabinetPlumDark);
        palette.setColor(group, QPalette::Text, CabinetGoldPale);
        palette.setColor(group, QPalette::Highlight, CabinetGold);
        palette.setColor(group, QPalette::HighlightedText, CabinetPlumDark);
        palette.setColor(group, QPalette::Light, QColor(0x8c, 0x2a, 0x96));
        palette.setColor(group, QPalette::Dark, CabinetPlumDark);
    }
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x9a, 0x80, 0x90));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x9a, 0x80, 0x90));
    dialog.setPalette(palette);
}

void PaintCabinetBackground(QPainter& painter, const QRect& area)
{
    QLinearGradient lacquer(area.topLeft(), area.bottomLeft());
    lacquer.setColorAt(0.0, QColor(0x55, 0x12, 0x5e));
    lacquer.setColorAt(0.5, CabinetPlum);
    lacquer.setColorAt(1.0, QColor(0x24, 0x06, 0x2a));
    painter.fillRect(area, lacquer);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xc8, 0x96, 0x2c), 3));
    painter.drawRoundedRect(QRectF(area).adjusted(2.5, 2.5, -2.5, -2.5), 8, 8);
    painter.setPen(QPen(CabinetGold, 1));
    painter.drawRoundedRect(QRectF(area).adjusted(6.5, 6.5, -6.5, -6.5), 5, 5);
    painter.restore();
}

void PaintGlassPanel(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(CabinetGold, 2));
    painter.setBrush(CabinetGlass);
    painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 6, 6);
    painter.restore();
}

}  // namespace dialogs
