// Drawing the bonus pictures: the stage, the closed gift boxes, the empty box, and the prize box
// with its coins, kept clear of the place where the prize is written.
#include "BonusPictures.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "Paint.h"
#include "Palette.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

namespace {

const QColor BoxColour{0xc0, 0x30, 0xc8};
const QColor Ink{0xf6, 0xe8, 0xf8};

QImage NewBonusPicture(qreal scale)
{
    QImage image = NewCanvas(ScaledSize(layout::BonusPictureSize, scale), Qt::black);
    return image;
}

void PaintHeadline(QPainter& p, const QString& text, const QRectF& box, qreal size)
{
    const QPainterPath path = TextPath(text, SerifFont(size), box, Qt::AlignLeft | Qt::AlignVCenter);
    Glow(p, path, QColor(0xff, 0xc8, 0x40), 5, 0.8);
    OutlinedPath(p, path, GoldGradient(box.topLeft(), box.bottomLeft()), QColor(0x2a, 0x04, 0x20), 1.8);
}

void PaintLines(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour)
{
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    p.restore();
}

// The body and rim of an opened box seen from the front, with its lid tipped off.
QPainterPath PaintOpenBox(QPainter& p, const QRectF& body)
{
    p.save();
    const qreal rim = body.height() * 0.16;
    // The dark inside, seen over the front wall.
    // The opening seen from a little above: the far edge narrower than the front one.
    QPolygonF inside;
    inside << QPointF(body.left() + 18, body.top()) << QPointF(body.right() - 18, body.top())
           << QPointF(body.right() - 6, body.top() + rim) << QPointF(body.left() + 6, body.top() + rim);
    QLinearGradient depth(QPointF(0, body.top()), QPointF(0, body.top() + rim));
    depth.setColorAt(0.0, BoxColour.darker(260));
    depth.setColorAt(1.0, QColor(0x14, 0x00, 0x18));
    p.setPen(QPen(QColor(0x30, 0x00, 0x36), 1.2));
    p.setBrush(depth);
    p.drawPolygon(inside);

    QLinearGradient front(body.topLeft(), body.topRight());
    front.setColorAt(0.0, BoxColour.darker(170));
    front.setColorAt(0.3, BoxColour);
    front.setColorAt(0.6, BoxColour.lighter(120));
    front.setColorAt(1.0, BoxColour.darker(190));
    const QRectF wall(body.left() + 6, body.top() + rim, body.width() - 12, body.height() - rim);
    p.setBrush(front);
    p.setPen(QPen(QColor(0x30, 0x00, 0x36), 1.5));
    p.drawRect(wall);
    const qreal ribbon = body.width() * 0.14;
    p.setPen(Qt::NoPen);
    p.setBrush(GoldGradient(QPointF(wall.center().x() - ribbon / 2, 0), QPointF(wall.center().x() + ribbon / 2, 0)));
    p.drawRect(QRectF(wall.center().x() - ribbon / 2, wall.top(), ribbon, wall.height()));
    p.setPen(QPen(palette::GoldBright, 2.0));
    p.drawLine(QPointF(body.left() + 6, body.top() + rim), QPointF(body.right() - 6, body.top() + rim));
    p.restore();
    QPainterPath mouth;
    mouth.addPolygon(inside);
    return mouth;
}

void PaintTippedLid(QPainter& p, QPointF centre, qreal width, qreal angle)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF lid(-width / 2, -width * 0.12, width, width * 0.24);
    QLinearGradient fill(lid.topLeft(), lid.bottomLeft());
    fill.setColorAt(0.0, BoxColour.lighter(130));
    fill.setColorAt(1.0, BoxColour.darker(160));
    p.setPen(QPen(QColor(0x30, 0x00, 0x36), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(lid, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(GoldGradient(lid.topLeft(), lid.bottomLeft()));
    p.drawRect(QRectF(-width * 0.07, lid.top(), width * 0.14, lid.height()));
    p.restore();
}

}  // namespace

void PaintBonusBackdrop(QPainter& p)
{
    const QRectF all(QPointF(0, 0), QSizeF(layout::BonusPictureSize));
    // A stage: light on the boxes, the left side falling away into calm dark plum.
    QRadialGradient stage(QPointF(495, 215), 360);
    stage.setColorAt(0.0, QColor(0x5a, 0x16, 0x64));
    stage.setColorAt(0.5, QColor(0x2c, 0x06, 0x34));
    stage.setColorAt(1.0, QColor(0x10, 0x00, 0x14));
    p.setPen(Qt::NoPen);
    p.setBrush(stage);
    p.drawRect(all);
    QLinearGradient floor(QPointF(0, 410), QPointF(0, 480));
    floor.setColorAt(0.0, QColor(0, 0, 0, 0));
    floor.setColorAt(1.0, QColor(0, 0, 0, 140));
    p.setBrush(floor);
    p.drawRect(QRectF(0, 410, all.width(), 70));
    ChromeRing(p, all, 4, 0);
    GoldRing(p, all.adjusted(4, 4, -4, -4), 3, 0);
    // Gold corner flourishes.
    p.setPen(QPen(palette::Gold, 1.5));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& corner : {QPointF(14, 14), QPointF(626, 14), QPointF(14, 466), QPointF(626, 466)}) {
        const qreal sx = corner.x() < 320 ? 1 : -1, sy = corner.y() < 240 ? 1 : -1;
        p.drawLine(corner, corner + QPointF(sx * 40, 0));
        p.drawLine(corner, corner + QPointF(0, sy * 40));
        p.drawEllipse(corner + QPointF(sx * 6, sy * 6), 3, 3);
    }
}

void PaintClosedBox(QPainter& p, const QRectF& area, int number)
{
    p.save();
    const qreal w = area.width(), h = area.height();
    const QRectF body(area.left() + 5, area.top() + 0.36 * h, w - 10, 0.64 * h);
    const QRectF lid(area.left(), area.top() + 0.2 * h, w, 0.2 * h);
    const qreal ribbon = w * 0.15;

    QLinearGradient side(body.topLeft(), body.topRight());
    side.setColorAt(0.0, BoxColour.darker(150));
    side.setColorAt(0.35, BoxColour.lighter(115));
    side.setColorAt(0.7, BoxColour);
    side.setColorAt(1.0, BoxColour.darker(200));
    p.setPen(QPen(QColor(0x30, 0x00, 0x36), 1.2));
    p.setBrush(side);
    p.drawRect(body.adjusted(0.6, 0, -0.6, -0.6));
    QLinearGradient lidFill(lid.topLeft(), lid.bottomLeft());
    lidFill.setColorAt(0.0, BoxColour.lighter(145));
    lidFill.setColorAt(0.6, BoxColour);
    lidFill.setColorAt(1.0, BoxColour.darker(170));
    p.setBrush(lidFill);
    p.drawRoundedRect(lid.adjusted(0.6, 0.6, -0.6, 0), 2.5, 2.5);

    // Ribbon down the front and round the lid.
    p.setPen(Qt::NoPen);
    const QLinearGradient gold =
        GoldGradient(QPointF(area.center().x() - ribbon / 2, 0), QPointF(area.center().x() + ribbon / 2, 0));
    p.setBrush(gold);
    p.drawRect(QRectF(area.center().x() - ribbon / 2, lid.top() + 0.6, ribbon, area.bottom() - lid.top() - 1.2));
    // The bow: two loops and a knot.
    for (const qreal s : {-1.0, 1.0}) {
        QPainterPath loop;
        const QPointF knot(area.center().x(), lid.top() + 1);
        loop.moveTo(knot);
        loop.cubicTo(knot + QPointF(s * w * 0.12, -h * 0.22), knot + QPointF(s * w * 0.38, -h * 0.16),
                     knot + QPointF(s * w * 0.08, h * 0.02));
        OutlinedPath(p, loop, GoldGradient(QPointF(0, area.top()), QPointF(0, lid.top() + 4)), QColor(0x4a, 0x2a, 0x00),
                     0.9);
    }
    p.setBrush(palette::GoldBright);
    p.setPen(QPen(QColor(0x4a, 0x2a, 0x00), 1.0));
    p.drawEllipse(QPointF(area.center().x(), lid.top() + 1.5), w * 0.07, h * 0.05);

    // The number on a round tag.
    const QPointF tag(area.center().x(), body.top() + body.height() * 0.55);
    const qreal r = w * 0.17;
    QRadialGradient tagFill(tag - QPointF(r * 0.3, r * 0.3), r * 1.3);
    tagFill.setColorAt(0.0, Qt::white);
    tagFill.setColorAt(1.0, QColor(0xf0, 0xe0, 0xc0));
    p.setPen(QPen(palette::GoldDark, 1.6));
    p.setBrush(tagFill);
    p.drawEllipse(tag, r, r);
    const QPainterPath digit =
        TextPath(QString::number(number), SansFont(r * 1.35), QRectF(tag.x() - r, tag.y() - r, 2 * r, 2 * r));
    OutlinedPath(p, digit, palette::Plum, Qt::transparent, 0);
    // A glint on the lid.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(QRectF(lid.left() + 4, lid.top() + 2, ribbon * 1.6, lid.height() * 0.3), 2, 2);
    p.restore();
}

QImage BonusChoice(qreal scale)
{
    QImage image = NewBonusPicture(scale);
    QPainter p;
    BeginScaled(p, &image, scale);
    PaintBonusBackdrop(p);
    for (int box = 1; box <= layout::BoxCount; ++box) PaintClosedBox(p, QRectF(layout::BoxArea(box)), box);

    PaintHeadline(p, QStringLiteral("BONUS!"), QRectF(34, 40, 340, 80), 66);
    const QPainterPath pick = TextPath(QStringLiteral("PICK A BOX"), SansFont(30), QRectF(36, 128, 340, 36),
                                       Qt::AlignLeft | Qt::AlignVCenter);
    OutlinedPath(p, pick, Ink, QColor(0x20, 0x00, 0x24), 1.2);
    PaintLines(p, QRectF(36, 184, 330, 60), QStringLiteral("Select one of the eight boxes."), SansFont(19, false), Ink);
    PaintLines(p, QRectF(36, 236, 330, 80),
               QStringLiteral("Six boxes hold 250, 100, 50, 50, 25 or 10 credits. Two are empty."), SansFont(15, false),
               QColor(0xe0, 0xc8, 0xe4));
    PaintLines(p, QRectF(36, 330, 330, 60), QStringLiteral("Click a box, or press Enter for a lucky dip."),
               SansFont(13, false), QColor(0xc0, 0xa4, 0xc8));
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage BonusEmpty(qreal scale)
{
    QImage image = NewBonusPicture(scale);
    QPainter p;
    BeginScaled(p, &image, scale);
    PaintBonusBackdrop(p);
    const QRectF body(410, 190, 170, 150);
    PaintTippedLid(p, QPointF(436, 168), 170, -22);
    PaintOpenBox(p, body);
    // A wisp of dust drifting out of the empty box.
    p.setPen(QPen(QColor(0xd0, 0xb8, 0xd8, 120), 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath wisp;
    wisp.moveTo(500, 186);
    wisp.cubicTo(512, 160, 486, 150, 500, 124);
    p.setBrush(Qt::NoBrush);
    p.drawPath(wisp);

    PaintHeadline(p, QStringLiteral("EMPTY!"), QRectF(34, 90, 340, 80), 62);
    PaintLines(p, QRectF(36, 200, 330, 60), QStringLiteral("This box was empty."), SansFont(21, false), Ink);
    PaintLines(p, QRectF(36, 240, 330, 60), QStringLiteral("Better luck next time!"), SansFont(17, false),
               QColor(0xe0, 0xc8, 0xe4));
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage BonusPrize(qreal scale)
{
    QImage image = NewBonusPicture(scale);
    QPainter p;
    BeginScaled(p, &image, scale);
    PaintBonusBackdrop(p);

    // Light bursting from the opened box.
    const QPointF mouth(495, 226);
    p.save();
    QRadialGradient burst(mouth, 230);
    burst.setColorAt(0.0, QColor(0xff, 0xf0, 0xa0, 150));
    burst.setColorAt(1.0, QColor(0xff, 0xd0, 0x60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(burst);
    // The rays fan upward only, leaving the left side calm.
    for (int i = 0; i < 8; ++i) {
        const qreal a0 = (-140.0 + i * 16.0) * M_PI / 180.0, a1 = a0 + 8.0 * M_PI / 180.0;
        QPolygonF ray;
        ray << mouth << mouth + QPointF(std::cos(a0), std::sin(a0)) * 260
            << mouth + QPointF(std::cos(a1), std::sin(a1)) * 260;
        p.drawPolygon(ray);
    }
    p.restore();
    PaintTippedLid(p, QPointF(596, 232), 150, 72);
    const QRectF body(410, 226, 170, 150);
    PaintOpenBox(p, body);
    // Gold coins heaped in the box and flying out of it.
    auto coin = [&](QPointF c, qreal tilt) {
        QRadialGradient fill(c - QPointF(4, 4), 15);
        fill.setColorAt(0.0, palette::GoldPale);
        fill.setColorAt(0.5, palette::GoldBright);
        fill.setColorAt(1.0, palette::GoldDark);
        p.setPen(QPen(QColor(0x5a, 0x38, 0x00), 1.2));
        p.setBrush(fill);
        p.drawEllipse(c, 12, 12 * tilt);
        p.setPen(QPen(QColor(0x9a, 0x6a, 0x10), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 8, 8 * tilt);
    };
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 7 - row * 2; ++i) {
            coin(QPointF(436 + row * 20 + i * 20 + (row % 2) * 4, 244 - row * 10), 0.45);
        }
    }
    const QPointF flying[] = {{470, 196}, {512, 184}, {544, 204}, {488, 160}, {458, 130},
                              {530, 140}, {500, 112}, {560, 166}, {440, 170}};
    const qreal tilts[] = {0.8, 0.5, 0.9, 0.6, 0.95, 0.7, 0.55, 0.85, 0.65};
    for (size_t i = 0; i < std::size(flying); ++i) coin(flying[i], tilts[i]);
    // Sparkles, kept away from the place where the prize is written.
    for (const QPointF& s :
         {QPointF(430, 110), QPointF(580, 120), QPointF(600, 250), QPointF(400, 270), QPointF(520, 96)}) {
        QPainterPath star;
        star.moveTo(s + QPointF(0, -9));
        star.quadTo(s, s + QPointF(9, 0));
        star.quadTo(s, s + QPointF(0, 9));
        star.quadTo(s, s + QPointF(-9, 0));
        star.quadTo(s, s + QPointF(0, -9));
        OutlinedPath(p, star, QColor(255, 255, 230), Qt::transparent, 0);
    }

    PaintHeadline(p, QStringLiteral("YOU WIN!"), QRectF(34, 66, 360, 80), 58);
    // From y 160 to 260 on the left the picture stays plain dark: the prize goes there.
    PaintLines(p, QRectF(36, 300, 330, 60), QStringLiteral("Your prize is added to your credits."), SansFont(16, false),
               QColor(0xe0, 0xc8, 0xe4));
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
