// Drawing the bonus meter: an arc of lamps warming from plum pink to gold, one slice per level.
#include "Meter.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "Paint.h"
#include "Palette.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

namespace {

constexpr QPointF ArcCentre{39.0, 50.5};
constexpr double ArcRadiusX = 29.5;
constexpr double ArcRadiusY = 31.0;

// The lamps warm from plum pink to gold as the meter fills.
QColor LampColour(int lamp)
{
    return Mix(QColor(0xff, 0x4c, 0xd2), QColor(0xff, 0xd8, 0x30), lamp / double(MeterLamps - 1));
}

}  // namespace

QPointF MeterLampCentre(int lamp)
{
    const double a = M_PI * (1.0 - lamp / double(MeterLamps - 1));
    return QPointF(ArcCentre.x() + std::cos(a) * ArcRadiusX, ArcCentre.y() - std::sin(a) * ArcRadiusY);
}

int MeterSliceTop(int level)
{
    return (MeterLamps - level) * layout::MeterSliceSize.height();
}

QImage MeterSlice(int level, qreal scale)
{
    const QSize size = layout::MeterSliceSize;
    QImage slice = NewCanvas(ScaledSize(size, scale), palette::PlumBlack);
    QPainter p;
    BeginScaled(p, &slice, scale);
    const QRectF all(0, 0, size.width(), size.height());
    const bool full = level >= MeterLamps;

    QRadialGradient glass(QPointF(39, 46), 48);
    glass.setColorAt(0.0, full ? QColor(0x7a, 0x22, 0x80) : QColor(0x3c, 0x0c, 0x44));
    glass.setColorAt(1.0, palette::PlumBlack);
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawRoundedRect(all, 5, 5);

    // Track behind the lamps.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x10, 0x00, 0x14), 9.5, Qt::SolidLine, Qt::RoundCap));
    const QRectF arcBox(ArcCentre.x() - ArcRadiusX, ArcCentre.y() - ArcRadiusY, 2 * ArcRadiusX, 2 * ArcRadiusY);
    p.drawArc(arcBox, 0, 180 * 16);

    for (int lamp = 0; lamp < MeterLamps; ++lamp) {
        const QPointF c = MeterLampCentre(lamp);
        if (lamp < level) {
            QRadialGradient halo(c, MeterLampRadius * 2.4);
            const QColor colour = LampColour(lamp);
            halo.setColorAt(0.0, QColor(colour.red(), colour.green(), colour.blue(), 150));
            halo.setColorAt(1.0, QColor(colour.red(), colour.green(), colour.blue(), 0));
            p.setPen(Qt::NoPen);
            p.setBrush(halo);
            p.drawEllipse(c, MeterLampRadius * 2.4, MeterLampRadius * 2.4);
        }
    }
    for (int lamp = 0; lamp < MeterLamps; ++lamp) {
        Lamp(p, MeterLampCentre(lamp), MeterLampRadius, LampColour(lamp), lamp < level);
    }

    // The word in the middle of the arc glows when the meter is full.
    const QPainterPath word = TextPath(QStringLiteral("BONUS"), CondensedFont(11.5), QRectF(14, 37, 50, 12));
    if (full) {
        Glow(p, word, QColor(0xff, 0xd0, 0x40), 3, 1.6);
        OutlinedPath(p, word, QColor(0xff, 0xf4, 0xb8), QColor(0x60, 0x30, 0x00), 0.5);
    } else {
        OutlinedPath(p, word, GoldGradient(QPointF(0, 37), QPointF(0, 49)), QColor(0x10, 0x00, 0x14), 0.5);
        p.setOpacity(1.0);
    }
    // The fill as a small count below the word, e.g. "7/12".
    const QPainterPath count =
        TextPath(QStringLiteral("%1/%2").arg(level).arg(MeterLamps), SansFont(7.5), QRectF(14, 49.5, 50, 7));
    OutlinedPath(p, count, full ? QColor(0xff, 0xf4, 0xb8) : QColor(0xd8, 0xb8, 0xdc), Qt::transparent, 0);

    ChromeRing(p, all, 2.0, 5);
    p.end();
    return slice;
}

QImage Meter(qreal scale)
{
    QImage meter = NewCanvas(ScaledSize(layout::MeterStripSize, scale), palette::PlumBlack);
    QPainter p(&meter);
    for (int level = 0; level <= MeterLamps; ++level)
        p.drawImage(0, qRound(MeterSliceTop(level) * scale), MeterSlice(level, scale));
    p.end();
    return meter.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
