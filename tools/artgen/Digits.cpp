// Drawing the digit strips: seven leaning segments a cell, only the lit ones shown (faint unlit
// ones read as a stray 8 beside a 1), and a glow that stays inside its own cell.
#include "Digits.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "Paint.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace {

// Segments a to g: top, upper right, lower right, bottom, lower left, upper left, middle.
constexpr std::array<unsigned, 10> SegmentsOfDigit = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110, 0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

struct Tint {
    QColor glow, body, core;
};

Tint TintOf(DigitColour colour)
{
    if (colour == DigitColour::Red) {
        return {QColor(0xff, 0x20, 0x10), QColor(0xff, 0x2c, 0x1c), QColor(0xff, 0xb0, 0x90)};
    }
    return {QColor(0x10, 0xff, 0x40), QColor(0x30, 0xff, 0x5a), QColor(0xc8, 0xff, 0xc8)};
}

// One segment as a long hexagon in the 16 x 21 design cell, leaned a little like a
// real display. Points are nudged toward the middle to leave hairline gaps.
QPainterPath SegmentPath(int segment)
{
    const qreal left = 3.6, right = 12.0, top = 2.4, middle = 10.5, bottom = 18.6, half = 1.15, gap = 0.55;
    auto lean = [&](QPointF p) { return QPointF(p.x() + (middle - p.y()) * 0.11, p.y()); };
    auto horizontal = [&](qreal y) {
        QPolygonF poly;
        poly << QPointF(left + gap, y) << QPointF(left + gap + half, y - half) << QPointF(right - gap - half, y - half)
             << QPointF(right - gap, y) << QPointF(right - gap - half, y + half)
             << QPointF(left + gap + half, y + half);
        return poly;
    };
    auto vertical = [&](qreal x, qreal y0, qreal y1) {
        QPolygonF poly;
        poly << QPointF(x, y0 + gap) << QPointF(x + half, y0 + gap + half) << QPointF(x + half, y1 - gap - half)
             << QPointF(x, y1 - gap) << QPointF(x - half, y1 - gap - half) << QPointF(x - half, y0 + gap + half);
        return poly;
    };
    QPolygonF poly;
    switch (segment) {
    case 0: poly = horizontal(top); break;
    case 1: poly = vertical(right, top, middle); break;
    case 2: poly = vertical(right, middle, bottom); break;
    case 3: poly = horizontal(bottom); break;
    case 4: poly = vertical(left, middle, bottom); break;
    case 5: poly = vertical(left, top, middle); break;
    default: poly = horizontal(middle); break;
    }
    for (QPointF& p : poly) p = lean(p);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

// Paints a cell's lit shapes (`lit`) on black, all within the cell, the design cell
// magnified `scale` times; `edge` columns on each side stay dark.
QImage Cell(int width, int height, qreal scale, int edge, const QPainterPath& lit, const Tint& tint)
{
    QImage cell = NewCanvas(QSize(width, height), Qt::black);
    QPainter p;
    BeginSmooth(p, &cell);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    if (!lit.isEmpty()) {
        // The glow is blurred inside this cell's own canvas, so it never reaches a neighbour.
        QImage halo = NewCanvas(cell.size());
        {
            QPainter h;
            BeginSmooth(h, &halo);
            h.scale(scale, scale);
            h.setPen(Qt::NoPen);
            h.setBrush(tint.glow);
            h.drawPath(lit);
        }
        const int radius = qRound(scale);
        halo = Blurred(Blurred(halo, radius, radius), radius, radius);
        p.save();
        p.resetTransform();
        p.setOpacity(0.55);
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        p.drawImage(0, 0, halo);
        p.restore();
        p.setBrush(tint.body);
        p.drawPath(lit);
        p.setPen(QPen(tint.core, 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        // A hot line along each lit segment's spine, as in a real lit segment.
        for (const QPolygonF& poly : lit.toSubpathPolygons()) {
            if (poly.size() != 6 && poly.size() != 7) continue;  // segments only, not the colon's dots
            const QPointF from = poly[0], to = poly[3];
            p.drawLine(from + (to - from) * 0.2, from + (to - from) * 0.8);
        }
    }
    p.end();
    // Keep the outermost column (`edge` pixels wide at a larger scale) dark so that cells
    // placed side by side never touch.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < edge; ++x) {
            cell.setPixel(x, y, qRgb(0, 0, 0));
            cell.setPixel(width - 1 - x, y, qRgb(0, 0, 0));
        }
    }
    return cell;
}

}  // namespace

DigitMetrics MetricsOf(DigitSize size)
{
    const QSize cell = size == DigitSize::Small ? pictures::layout::SmallDigitCell : pictures::layout::LargeDigitCell;
    return DigitMetrics{cell.width(), cell.height(), cell.width() * 3 / 4};  // the colon's cell is narrower
}

QImage DigitStrip(DigitColour colour, DigitSize size, qreal scale)
{
    const DigitMetrics m = MetricsOf(size);
    // Every cell is drawn at the strip's resolution: the design cell magnified to the cell's width.
    const int cellWidth = qRound(m.cellWidth * scale), cellHeight = qRound(m.cellHeight * scale);
    const int colonWidth = qRound(m.colonWidth * scale), edge = qRound(scale);
    const qreal design = m.cellWidth * scale / 16.0;
    const Tint tint = TintOf(colour);
    QImage strip = NewCanvas(ScaledSize(QSize(m.stripWidth(), m.cellHeight), scale), Qt::black);
    QPainter p(&strip);

    for (int digit = 0; digit <= 9; ++digit) {
        QPainterPath lit;
        for (int s = 0; s < 7; ++s) {
            if (SegmentsOfDigit[digit] & (1u << s)) lit.addPath(SegmentPath(s));
        }
        p.drawImage(digit * cellWidth, 0, Cell(cellWidth, cellHeight, design, edge, lit, tint));
    }
    p.drawImage(BlankCell * cellWidth, 0, Cell(cellWidth, cellHeight, design, edge, QPainterPath(), tint));

    // The colon: two round dots in a narrower cell, leaned like the digits.
    QPainterPath dots;
    dots.addEllipse(QPointF(6.4, 7.0), 1.4, 1.4);
    dots.addEllipse(QPointF(5.6, 14.2), 1.4, 1.4);
    p.drawImage(ColonCell * cellWidth, 0, Cell(colonWidth, cellHeight, design, edge, dots, tint));
    p.end();
    return strip.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
