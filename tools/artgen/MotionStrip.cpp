// Drawing the reel in motion: symbols in a mixed order, blurred along the reel around the loop.
#include "MotionStrip.h"

#include <QPainter>
#include <array>

#include "Paint.h"
#include "Palette.h"
#include "Symbols.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

QImage MotionStrip(qreal scale)
{
    const QSize size = layout::MotionStripSize;
    QImage sharp = NewCanvas(ScaledSize(size, scale), palette::ReelFace);
    QPainter p;
    BeginScaled(p, &sharp, scale);
    PaintReelFace(p, QRectF(QPointF(0, 0), size));

    // One symbol per cell in an order that mixes colours, so the blur reads as a
    // busy reel rather than a single smear.
    constexpr std::array<int, 6> order = {CellPlum, CellTripleBar, CellSeven, CellSingleBar, CellPlum, CellDoubleBar};
    const int cells = size.height() / layout::CellSize;
    for (int i = 0; i < cells; ++i) {
        p.save();
        p.translate(0, i * layout::CellSize);
        PaintSymbol(p, order[static_cast<size_t>(i) % order.size()]);
        p.restore();
    }
    p.end();

    // Motion blur along the reel only; wrapping the blur around the loop is what
    // keeps the join between the last and the first row invisible.
    // The blur is in pixels, so it lengthens with the scale.
    QImage blurred = Blurred(sharp, 0, qRound(14 * scale), true);
    blurred = Blurred(blurred, 0, qRound(14 * scale), true);
    blurred = Blurred(blurred, 0, qRound(8 * scale), true);

    // Streaks of light across the turning face.
    QPainter s;
    BeginScaled(s, &blurred, scale);
    QLinearGradient sheen(QPointF(0, 0), QPointF(size.width(), 0));
    sheen.setColorAt(0.0, QColor(0, 0, 0, 40));
    sheen.setColorAt(0.35, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 40));
    sheen.setColorAt(0.65, QColor(255, 255, 255, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 50));
    s.fillRect(QRect(QPoint(0, 0), size), sheen);
    s.end();
    return blurred.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
