// Drawing the reel cells: the plum, the seven, the bars, the Reset symbol and the badges on the
// reel face, and the sheet of all sixteen.
#include "Symbols.h"

#include <QRadialGradient>
#include <cmath>

#include "Paint.h"
#include "Palette.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

namespace {

constexpr qreal Side = layout::CellSize;

void PaintPlum(QPainter& p)
{
    p.save();
    // Stem and leaf first, so the fruit's shoulder overlaps the stem's foot.
    QPainterPath stem;
    stem.moveTo(37.5, 24);
    stem.cubicTo(37.5, 17, 39, 12, 43, 7);
    p.setPen(QPen(QColor(0x2a, 0x16, 0x08), 5.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    p.setPen(QPen(QColor(0x7a, 0x4e, 0x22), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);

    QPainterPath leaf;
    leaf.moveTo(41, 14);
    leaf.cubicTo(46, 4, 58, 2, 66, 6);
    leaf.cubicTo(61, 15, 50, 19, 41, 14);
    QLinearGradient leafFill(QPointF(44, 4), QPointF(58, 18));
    leafFill.setColorAt(0.0, QColor(0x9c, 0xdc, 0x5a));
    leafFill.setColorAt(1.0, QColor(0x2a, 0x74, 0x1e));
    OutlinedPath(p, leaf, leafFill, QColor(0x14, 0x30, 0x0c), 0.9);
    QPainterPath vein;
    vein.moveTo(43, 13.5);
    vein.quadTo(53, 9, 64, 6.5);
    p.setPen(QPen(QColor(0xd8, 0xf4, 0x9a, 170), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(vein);

    // The fruit: a slightly lopsided oval with a cleft down its right side.
    QPainterPath body;
    body.moveTo(38, 22);
    body.cubicTo(52, 17, 64, 30, 63, 46);
    body.cubicTo(62, 62, 50, 72, 37, 71);
    body.cubicTo(22, 70, 12, 58, 13, 44);
    body.cubicTo(14, 29, 25, 21, 38, 22);
    QRadialGradient fill(QPointF(28, 36), 40, QPointF(27, 33));
    fill.setColorAt(0.00, QColor(0xf4, 0xc2, 0xf6));
    fill.setColorAt(0.14, QColor(0xc4, 0x5c, 0xcc));
    fill.setColorAt(0.45, QColor(0x86, 0x1e, 0x92));
    fill.setColorAt(0.80, QColor(0x4a, 0x08, 0x58));
    fill.setColorAt(1.00, QColor(0x24, 0x02, 0x2c));
    OutlinedPath(p, body, fill, QColor(0x18, 0x02, 0x1e), 1.3);

    // Reflected light from below keeps the dark side round.
    p.save();
    p.setClipPath(body);
    QRadialGradient rim(QPointF(44, 76), 26);
    rim.setColorAt(0.0, QColor(0xe0, 0x6a, 0xd8, 110));
    rim.setColorAt(1.0, QColor(0xe0, 0x6a, 0xd8, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawRect(QRectF(0, 40, Side, Side));
    p.restore();

    QPainterPath cleft;
    cleft.moveTo(40, 24);
    cleft.cubicTo(50, 30, 52, 50, 45, 68);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1e, 0x00, 0x26, 150), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cleft);
    p.setPen(QPen(QColor(0xe6, 0x9c, 0xee, 90), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cleft.translated(-1.6, 0.4));

    // The gloss.
    QPainterPath shine;
    shine.addEllipse(QPointF(0, 0), 6.5, 10.5);
    QTransform t;
    t.translate(26, 36);
    t.rotate(28);
    QRadialGradient gloss(QPointF(26, 33), 11);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 235));
    gloss.setColorAt(0.6, QColor(255, 255, 255, 90));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawPath(t.map(shine));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QPointF(22.5, 31), 2.2, 3.2);
    p.restore();
}

void PaintSeven(QPainter& p)
{
    p.save();
    QPainterPath seven;
    seven.moveTo(14, 11);
    seven.lineTo(62, 11);
    seven.lineTo(62, 22);
    seven.cubicTo(52, 33, 45, 47, 43, 67);
    seven.lineTo(27, 67);
    seven.cubicTo(29, 49, 37, 35, 47, 24);
    seven.lineTo(26, 24);
    seven.lineTo(24, 29);
    seven.lineTo(14, 29);
    seven.closeSubpath();
    QLinearGradient fill(QPointF(0, 11), QPointF(0, 67));
    fill.setColorAt(0.0, QColor(0xff, 0x7a, 0x62));
    fill.setColorAt(0.18, QColor(0xf0, 0x1e, 0x16));
    fill.setColorAt(0.7, QColor(0xb0, 0x04, 0x08));
    fill.setColorAt(1.0, QColor(0x6a, 0x00, 0x04));
    // Dark outer edge, then a gold inline: the classic enamel-and-leaf seven.
    p.setPen(QPen(QColor(0x2a, 0x00, 0x04), 6.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(seven);
    p.setPen(QPen(GoldGradient(QPointF(0, 8), QPointF(0, 70)), 2.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(seven);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(seven);
    // Gloss along the top bar and down the stroke.
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawRoundedRect(QRectF(17, 13.5, 42, 3), 1.5, 1.5);
    QPainterPath streak;
    streak.moveTo(50, 25);
    streak.cubicTo(42, 35, 36, 47, 33, 63);
    p.setPen(QPen(QColor(255, 200, 190, 120), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(streak);
    p.restore();
}

void PaintBar(QPainter& p, const QRectF& r)
{
    const qreal radius = r.height() * 0.22;
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, QColor(0x6a, 0x24, 0x74));
    fill.setColorAt(0.35, QColor(0x2e, 0x06, 0x36));
    fill.setColorAt(1.0, QColor(0x10, 0x00, 0x16));
    p.setPen(QPen(QColor(0x12, 0x00, 0x16), 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(GoldGradient(r.topLeft(), r.bottomLeft()), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    const QPainterPath word = TextPath(QStringLiteral("BAR"), CondensedFont(r.height() * 0.86), r);
    OutlinedPath(p, word, QColor(0xff, 0xf6, 0xe2), QColor(0x10, 0x00, 0x14), 0.6);
}

void PaintBars(QPainter& p, int count)
{
    p.save();
    struct Shape {
        qreal width, height, gap;
    };
    const Shape shape = count == 3 ? Shape{56, 16, 4} : count == 2 ? Shape{58, 20, 5} : Shape{60, 25, 0};
    const qreal total = count * shape.height + (count - 1) * shape.gap;
    qreal y = Side / 2 - total / 2;
    for (int i = 0; i < count; ++i) {
        PaintBar(p, QRectF(Side / 2 - shape.width / 2, y, shape.width, shape.height));
        y += shape.height + shape.gap;
    }
    p.restore();
}

void PaintReset(QPainter& p)
{
    p.save();
    const QPointF c(Side / 2, Side / 2);
    auto octagon = [&](qreal r) {
        QPolygonF poly;
        for (int i = 0; i < 8; ++i) {
            const qreal a = (22.5 + 45.0 * i) * M_PI / 180.0;
            poly << c + QPointF(std::cos(a) * r, std::sin(a) * r);
        }
        return poly;
    };
    p.setPen(QPen(QColor(0x30, 0x00, 0x00), 2.0));
    p.setBrush(QColor(0xf4, 0xf4, 0xf4));
    p.drawPolygon(octagon(31));
    QLinearGradient red(QPointF(0, 8), QPointF(0, 68));
    red.setColorAt(0.0, QColor(0xff, 0x50, 0x40));
    red.setColorAt(0.5, QColor(0xd4, 0x10, 0x10));
    red.setColorAt(1.0, QColor(0x86, 0x00, 0x04));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPolygon(octagon(27.5));
    // A turning arrow over the word: "back to the start".
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(c.x() - 8.5, 17.5, 17, 17);
    p.drawArc(arc, 110 * 16, 290 * 16);
    const qreal a = 110 * M_PI / 180.0;
    const QPointF tip(arc.center().x() + std::cos(a) * 8.5, arc.center().y() - std::sin(a) * 8.5);
    QPolygonF head;
    head << tip + QPointF(-5.5, -2.2) << tip + QPointF(2.8, -5.2) << tip + QPointF(1.2, 4.2);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(head);
    const QPainterPath word = TextPath(QStringLiteral("RESET"), CondensedFont(14.5), QRectF(8, 39, 60, 16));
    OutlinedPath(p, word, Qt::white, QColor(0x50, 0x00, 0x00), 0.5);
    // Shine across the upper half.
    QPainterPath upper;
    upper.addPolygon(octagon(27.5));
    QPainterPath clip;
    clip.addEllipse(QPointF(c.x() - 4, 4), 40, 22);
    p.setBrush(QColor(255, 255, 255, 38));
    p.drawPath(upper.intersected(clip));
    p.restore();
}

}  // namespace

void PaintReelFace(QPainter& painter, const QRectF& rect)
{
    painter.save();
    // Only gently darker at the sides: a stretched sheet may shift a cell by a pixel
    // or two, and strong edges would then show as steps between stacked cells.
    QLinearGradient face(rect.topLeft(), rect.topRight());
    face.setColorAt(0.0, QColor(0xde, 0xd2, 0xba));
    face.setColorAt(0.12, QColor(0xf0, 0xe8, 0xd6));
    face.setColorAt(0.45, palette::ReelFace);
    face.setColorAt(0.6, palette::ReelFace);
    face.setColorAt(0.9, QColor(0xec, 0xe3, 0xcf));
    face.setColorAt(1.0, QColor(0xda, 0xce, 0xb5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRect(rect);
    painter.restore();
}

void PaintSymbol(QPainter& painter, int symbol)
{
    switch (symbol) {
    case 0: PaintPlum(painter); break;
    case 1: PaintSeven(painter); break;
    case 2: PaintBars(painter, 3); break;
    case 3: PaintBars(painter, 2); break;
    case 4: PaintBars(painter, 1); break;
    default: break;
    }
}

void PaintBadge(QPainter& painter, Badge badge, QPointF c, qreal r)
{
    painter.save();
    if (badge == Badge::Bonus) {
        // A gold star on a plum disc: the same round badge as the arrows, in the meter's colours.
        QRadialGradient disc(c - QPointF(r * 0.3, r * 0.4), r * 1.4);
        disc.setColorAt(0.0, QColor(0xf0, 0x9c, 0xf4));
        disc.setColorAt(0.5, QColor(0x9a, 0x1e, 0xaa));
        disc.setColorAt(1.0, QColor(0x3a, 0x02, 0x48));
        painter.setPen(QPen(Qt::white, 1.6));
        painter.setBrush(disc);
        painter.drawEllipse(c, r, r);
        painter.setPen(QPen(QColor(0, 0, 0, 140), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, r + 1.2, r + 1.2);
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal a = (-90.0 + 36.0 * i) * M_PI / 180.0;
            const qreal rr = (i % 2 == 0) ? r * 0.8 : r * 0.34;
            star << c + QPointF(std::cos(a) * rr, std::sin(a) * rr + r * 0.05);
        }
        QPainterPath path;
        path.addPolygon(star);
        path.closeSubpath();
        OutlinedPath(painter, path, QColor(0xff, 0xdc, 0x4a), QColor(0x40, 0x10, 0x00, 160), 0.6);
        painter.restore();
        return;
    }
    const bool up = badge == Badge::Up;
    QRadialGradient disc(c - QPointF(r * 0.3, r * 0.4), r * 1.4);
    disc.setColorAt(0.0, up ? QColor(0x8c, 0xf0, 0x8a) : QColor(0xff, 0x9a, 0x7a));
    disc.setColorAt(0.5, up ? QColor(0x16, 0xa0, 0x30) : QColor(0xe0, 0x30, 0x18));
    disc.setColorAt(1.0, up ? QColor(0x04, 0x4a, 0x12) : QColor(0x78, 0x04, 0x00));
    painter.setPen(QPen(Qt::white, 1.6));
    painter.setBrush(disc);
    painter.drawEllipse(c, r, r);
    painter.setPen(QPen(QColor(0, 0, 0, 140), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, r + 1.2, r + 1.2);
    // A bold arrow: head and shaft.
    const qreal s = up ? -1.0 : 1.0;
    QPolygonF arrow;
    arrow << c + QPointF(0, s * r * 0.72) << c + QPointF(r * 0.62, s * r * 0.02) << c + QPointF(r * 0.24, s * r * 0.02)
          << c + QPointF(r * 0.24, -s * r * 0.62) << c + QPointF(-r * 0.24, -s * r * 0.62)
          << c + QPointF(-r * 0.24, s * r * 0.02) << c + QPointF(-r * 0.62, s * r * 0.02);
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    painter.setBrush(Qt::white);
    painter.drawPolygon(arrow);
    painter.restore();
}

void PaintCell(QPainter& painter, int cell, bool withFace)
{
    painter.save();
    if (withFace) PaintReelFace(painter, QRectF(0, 0, Side, Side));
    if (cell >= CellPlum && cell <= CellSingleBar) {
        PaintSymbol(painter, cell);
    } else if (cell >= CellUpFirst && cell < CellReset) {
        const int form = (cell - CellUpFirst) / 3;
        const int symbol = CellTripleBar + (cell - CellUpFirst) % 3;
        // The bar keeps its look, a little smaller and to the left, leaving the right
        // edge to the badge: Up at the top, Down at the bottom, Bonus in the middle.
        painter.save();
        painter.translate(28, Side / 2);
        painter.scale(0.74, 0.74);
        painter.translate(-Side / 2, -Side / 2);
        PaintSymbol(painter, symbol);
        painter.restore();
        const Badge badge = form == 0 ? Badge::Up : form == 1 ? Badge::Down : Badge::Bonus;
        const qreal y = badge == Badge::Up ? 16.0 : badge == Badge::Down ? Side - 16.0 : Side / 2;
        PaintBadge(painter, badge, QPointF(Side - 14.5, y), 12);
    } else if (cell == CellReset) {
        PaintReset(painter);
    }
    painter.restore();
}

QImage CellPicture(int cell)
{
    QImage image = NewCanvas(QSize(layout::CellSize, layout::CellSize), palette::ReelFace);
    QPainter p;
    BeginSmooth(p, &image);
    PaintCell(p, cell);
    p.end();
    return image;
}

QImage SymbolSheet(qreal scale)
{
    QImage sheet = NewCanvas(ScaledSize(layout::SymbolSheetSize, scale), palette::ReelFace);
    QPainter p;
    BeginScaled(p, &sheet, scale);
    for (int cell = 0; cell < CellCount; ++cell) {
        p.save();
        p.translate((cell % 4) * layout::CellSize, (cell / 4) * layout::CellSize);
        p.setClipRect(QRect(0, 0, layout::CellSize, layout::CellSize));
        PaintCell(p, cell);
        p.restore();
    }
    p.end();
    return sheet.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
