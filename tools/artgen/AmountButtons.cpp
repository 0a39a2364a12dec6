// Drawing the amount buttons: the cabinet's plum recess and chrome bezel
// round a glossy oval of the amount's colour with its figure in white.
#include "AmountButtons.h"

#include <QPainter>
#include <QRadialGradient>

#include "Paint.h"
#include "Palette.h"

namespace artwork {

namespace {

constexpr QSize Size{80, 57};

struct Look {
    QColor oval;
    QString figure;
};

Look LookOf(int tag)
{
    switch (tag) {
    case 0: return {QColor(0x1c, 0x4c, 0xd8), QStringLiteral("$1,000")};
    case 1: return {QColor(0xd8, 0x18, 0x24), QStringLiteral("$100")};
    case 2: return {QColor(0x12, 0x9a, 0x34), QStringLiteral("$10")};
    default: break;
    }
    return {QColor(0x14, 0x14, 0x18), QStringLiteral("$1")};
}

}  // namespace

QImage AmountButton(int tag, qreal scale)
{
    QImage face = NewCanvas(ScaledSize(Size, scale), palette::PlumBlack);
    QPainter p;
    BeginScaled(p, &face, scale);
    const Look look = LookOf(tag);

    const QRectF bezel = ButtonRecess(p, Size, 3);

    // The oval, lit from above, with a gold rim; black gets a lighter sheen so it reads as glass.
    const QRectF oval = bezel.adjusted(5, 5, -5, -5);
    QRadialGradient fill(QPointF(oval.center().x(), oval.top() + oval.height() * 0.3), oval.width() * 0.7);
    fill.setColorAt(0.0, Mix(look.oval, Qt::white, tag == 3 ? 0.35 : 0.45));
    fill.setColorAt(0.6, look.oval);
    fill.setColorAt(1.0, look.oval.darker(220));
    p.setBrush(fill);
    p.setPen(QPen(palette::GoldBright, 1.6));
    p.drawEllipse(oval);
    QLinearGradient gloss(oval.topLeft(), QPointF(oval.left(), oval.center().y()));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(oval.left() + 8, oval.top() + 2, oval.width() - 16, oval.height() * 0.45));

    const qreal size = look.figure.size() > 4 ? 13.5 : 17.0;
    const QPainterPath figure = TextPath(look.figure, SansFont(size), oval);
    Glow(p, figure, QColor(0, 0, 0), 2, 0.9);
    OutlinedPath(p, figure, QColor(0xff, 0xff, 0xff), look.oval.darker(300), 1.0);
    p.end();
    return face.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
