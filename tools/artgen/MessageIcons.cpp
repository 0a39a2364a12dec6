// Drawing the message icons: a round badge (a triangle for the warning) with a
// gold rim, an enamel face lit from above and the mark in raised lettering.
#include "MessageIcons.h"

#include <QPainterPath>
#include <cmath>

#include "Paint.h"
#include "Palette.h"

namespace artwork {

namespace {

struct Badge {
    QColor enamelLight, enamelDark;  // the face, top and bottom
    QColor mark, markOutline;
    QString text;
};

Badge BadgeOf(MessageIconKind kind)
{
    switch (kind) {
    case MessageIconKind::Information:
        return {palette::PlumBright, palette::PlumDeep, palette::GoldPale, palette::PlumBlack, QStringLiteral("i")};
    case MessageIconKind::Warning:
        return {palette::GoldPale, palette::Gold, palette::PlumDeep, palette::GoldPale, QStringLiteral("!")};
    case MessageIconKind::Error:
        return {QColor(0xe8, 0x3a, 0x2c), QColor(0x6a, 0x08, 0x0a), palette::ReelFace, QColor(0x3a, 0x02, 0x04),
                QStringLiteral("\u00d7")};
    case MessageIconKind::Question:
        return {palette::PlumBright, palette::PlumDeep, palette::GoldBright, palette::PlumBlack, QStringLiteral("?")};
    }
    return {};
}

QPainterPath Outline(MessageIconKind kind, const QRectF& box)
{
    QPainterPath path;
    if (kind == MessageIconKind::Warning) {
        // A rounded triangle standing on its base.
        const QPointF top(box.center().x(), box.top());
        const QPointF right(box.right(), box.bottom());
        const QPointF left(box.left(), box.bottom());
        const qreal round = box.width() * 0.12;
        auto toward = [](QPointF from, QPointF to, qreal length) {
            const QPointF d = to - from;
            const qreal full = std::hypot(d.x(), d.y());
            return from + d * (length / full);
        };
        path.moveTo(toward(top, right, round));
        path.lineTo(toward(right, top, round));
        path.quadTo(right, toward(right, left, round));
        path.lineTo(toward(left, right, round));
        path.quadTo(left, toward(left, top, round));
        path.lineTo(toward(top, left, round));
        path.quadTo(top, toward(top, right, round));
        path.closeSubpath();
    } else {
        path.addEllipse(box);
    }
    return path;
}

}  // namespace

QImage MessageIcon(MessageIconKind kind, qreal scale)
{
    QImage image = NewCanvas(ScaledSize(QSize(MessageIconSize, MessageIconSize), scale));
    QPainter p;
    BeginScaled(p, &image, scale);
    const Badge badge = BadgeOf(kind);
    const QRectF outer(1.5, 1.5, MessageIconSize - 3, MessageIconSize - 3);
    const QPainterPath rim = Outline(kind, outer);

    // A soft shadow below, the gold rim, then the enamel face inside it.
    p.save();
    p.translate(0.8, 1.2);
    p.fillPath(rim, QColor(0, 0, 0, 90));
    p.restore();
    p.fillPath(rim, GoldGradient(outer.topLeft(), outer.bottomLeft()));
    p.setPen(QPen(palette::GoldDark, 0.8));
    p.drawPath(rim);
    const qreal rimWidth = kind == MessageIconKind::Warning ? 3.6 : 2.6;
    const QRectF innerBox = kind == MessageIconKind::Warning
                                ? outer.adjusted(rimWidth * 1.7, rimWidth * 2.2, -rimWidth * 1.7, -rimWidth)
                                : outer.adjusted(rimWidth, rimWidth, -rimWidth, -rimWidth);
    const QPainterPath face = Outline(kind, innerBox);
    QLinearGradient enamel(innerBox.topLeft(), innerBox.bottomLeft());
    enamel.setColorAt(0.0, badge.enamelLight);
    enamel.setColorAt(1.0, badge.enamelDark);
    p.fillPath(face, enamel);
    // The glaze: a pale crescent of light over the upper half.
    QLinearGradient glaze(innerBox.topLeft(), QPointF(innerBox.left(), innerBox.center().y()));
    glaze.setColorAt(0.0, QColor(255, 255, 255, 110));
    glaze.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setClipPath(face);
    p.fillRect(QRectF(innerBox.left(), innerBox.top(), innerBox.width(), innerBox.height() * 0.5), glaze);
    p.setClipping(false);

    // The mark, outlined so that it stands off the enamel.
    const bool triangle = kind == MessageIconKind::Warning;
    const QRectF markBox = triangle ? innerBox.adjusted(0, innerBox.height() * 0.18, 0, 0) : innerBox;
    const QFont font = SerifFont(triangle ? 20 : kind == MessageIconKind::Error ? 28 : 24, true);
    const QPainterPath mark = TextPath(badge.text, font, markBox);
    OutlinedPath(p, mark, badge.mark, badge.markOutline, 1.6);
    p.end();
    return image;
}

}  // namespace artwork
