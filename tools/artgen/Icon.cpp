// The program's icon: a gold coin with a raised rim and the reels' plum on its face.
#include "Icon.h"

#include <QRadialGradient>

#include "Paint.h"
#include "Palette.h"
#include "Symbols.h"

namespace artwork {

namespace {

// Drawn on a 76-unit square (one reel cell), then scaled to the icon's size.
constexpr qreal Unit = 76.0;

void PaintCoin(QPainter& p)
{
    const QRectF coin(2, 2, Unit - 4, Unit - 4);
    p.setPen(QPen(QColor(0x4a, 0x2c, 0x00), 1.6));
    p.setBrush(GoldGradient(coin.topLeft(), coin.bottomRight()));
    p.drawEllipse(coin);

    // The face inside the rim, a little darker, lit from the upper left.
    const QRectF face = coin.adjusted(6, 6, -6, -6);
    QRadialGradient shine(face.center() - QPointF(10, 12), face.width() * 0.75);
    shine.setColorAt(0.0, palette::GoldPale);
    shine.setColorAt(0.55, palette::Gold);
    shine.setColorAt(1.0, palette::GoldDark);
    p.setPen(QPen(QColor(0x6a, 0x40, 0x00, 200), 1.2));
    p.setBrush(shine);
    p.drawEllipse(face);
}

void PaintGloss(QPainter& p)
{
    // A soft highlight across the upper half of the coin.
    QPainterPath gloss;
    gloss.addEllipse(QRectF(12, 6, Unit - 30, 28));
    QLinearGradient fade(QPointF(0, 6), QPointF(0, 34));
    fade.setColorAt(0.0, QColor(255, 255, 255, 150));
    fade.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawPath(gloss);
}

}  // namespace

QImage ProgramIcon(int size)
{
    QImage icon = NewCanvas(QSize(size, size));
    QPainter p;
    BeginSmooth(p, &icon);
    p.scale(size / Unit, size / Unit);
    PaintCoin(p);
    // The plum a little smaller than a cell, standing in the middle of the face.
    p.save();
    p.translate(Unit * 0.12, Unit * 0.10);
    p.scale(0.76, 0.76);
    PaintSymbol(p, CellPlum);
    p.restore();
    PaintGloss(p);
    p.end();
    return icon;
}

}  // namespace artwork
