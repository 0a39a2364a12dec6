// Drawing the blinking areas: bulbs along their tracks, glass lit from behind, the logo panel's
// emblem and word mark, the title plate's line and the bet-one sign's coin.
#include "AttentionAreas.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "Paint.h"
#include "Palette.h"
#include "Symbols.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

namespace {

constexpr qreal BulbRadius = 3.1;
const QColor BulbColour{0xff, 0xd8, 0x6a};

// Bulbs evenly spaced along a rounded track, `spacing` apart at most.
QList<QPointF> BulbTrack(const QRectF& track, qreal spacing)
{
    QList<QPointF> bulbs;
    const int across = std::max(1, static_cast<int>(std::ceil(track.width() / spacing)));
    const int down = std::max(1, static_cast<int>(std::ceil(track.height() / spacing)));
    for (int i = 0; i < across; ++i) bulbs << QPointF(track.left() + track.width() * i / across, track.top());
    for (int i = 0; i < down; ++i) bulbs << QPointF(track.right(), track.top() + track.height() * i / down);
    for (int i = 0; i < across; ++i) bulbs << QPointF(track.right() - track.width() * i / across, track.bottom());
    for (int i = 0; i < down; ++i) bulbs << QPointF(track.left(), track.bottom() - track.height() * i / down);
    return bulbs;
}

void PaintBulbs(QPainter& p, const QList<QPointF>& bulbs, bool lit)
{
    for (const QPointF& c : bulbs) Lamp(p, c, BulbRadius, BulbColour, lit);
}

// Dark glass that lights up from behind.
void PaintGlass(QPainter& p, const QRectF& glass, qreal radius, QColor litCentre, QColor litEdge, bool lit,
                QPointF focus)
{
    QRadialGradient fill(focus, std::max(glass.width(), glass.height()) * 0.75);
    if (lit) {
        fill.setColorAt(0.0, litCentre);
        fill.setColorAt(1.0, litEdge);
    } else {
        fill.setColorAt(0.0, Mix(litCentre, palette::PlumBlack, 0.78));
        fill.setColorAt(1.0, Mix(litEdge, palette::PlumBlack, 0.85));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(glass, radius, radius);
}

// A sunburst behind the emblem, only visible with the light on.
void PaintRays(QPainter& p, const QRectF& clip, QPointF centre, int count, QColor colour)
{
    p.save();
    QPainterPath clipPath;
    clipPath.addRoundedRect(clip, 6, 6);
    p.setClipPath(clipPath);
    p.setPen(Qt::NoPen);
    QRadialGradient fade(centre, clip.width() * 0.8);
    fade.setColorAt(0.0, colour);
    fade.setColorAt(1.0, QColor(colour.red(), colour.green(), colour.blue(), 0));
    p.setBrush(fade);
    for (int i = 0; i < count; ++i) {
        const qreal a0 = (360.0 / count) * i * M_PI / 180.0;
        const qreal a1 = a0 + (360.0 / count) * 0.45 * M_PI / 180.0;
        QPolygonF ray;
        ray << centre << centre + QPointF(std::cos(a0), std::sin(a0)) * 400
            << centre + QPointF(std::cos(a1), std::sin(a1)) * 400;
        p.drawPolygon(ray);
    }
    p.restore();
}

}  // namespace

QList<QPointF> LogoPanelBulbs()
{
    return BulbTrack(QRectF(10.5, 10.5, layout::LogoPanel.width() - 21.0, layout::LogoPanel.height() - 21.0), 16.5);
}

QList<QPointF> TitlePlateBulbs()
{
    const qreal w = layout::TitlePlate.width();
    return {QPointF(13, 15), QPointF(13, 30), QPointF(w - 13, 15), QPointF(w - 13, 30)};
}

QList<QPointF> BetSignBulbs()
{
    const qreal w = layout::BetSign.width(), h = layout::BetSign.height();
    return {QPointF(10, 10), QPointF(w - 10, 10), QPointF(10, h - 10), QPointF(w - 10, h - 10)};
}

QImage LogoPanel(bool lit, qreal scale)
{
    const QSize size = layout::LogoPanel.size();
    QImage image = NewCanvas(ScaledSize(size, scale), palette::PlumBlack);
    QPainter p;
    BeginScaled(p, &image, scale);
    const QRectF all(0, 0, size.width(), size.height());

    // Frame: chrome rim, then a gold band that carries the marquee bulbs.
    p.setPen(Qt::NoPen);
    p.setBrush(palette::PlumBlack);
    p.drawRect(all);
    ChromeRing(p, all, 4, 12);
    GoldRing(p, all.adjusted(4, 4, -4, -4), 13, 9);
    p.setBrush(QColor(0x2a, 0x10, 0x06));
    p.drawPath(RingPath(all.adjusted(7, 7, -7, -7), 7, 6));
    PaintBulbs(p, LogoPanelBulbs(), lit);

    const QRectF glass = all.adjusted(18, 18, -18, -18);
    const QPointF emblemCentre(glass.left() + 50, glass.center().y() + 2);
    PaintGlass(p, glass, 6, QColor(0xc8, 0x4c, 0xc8), QColor(0x3c, 0x06, 0x48), lit, emblemCentre);
    if (lit) PaintRays(p, glass, emblemCentre, 18, QColor(255, 230, 255, 60));

    // Fizz: bubbles rising round the fruit.
    const QPointF bubbles[] = {{28, 110}, {36, 92},  {24, 76},  {110, 120}, {116, 98}, {104, 64},
                               {30, 46},  {114, 40}, {98, 124}, {40, 128},  {20, 60},  {118, 78}};
    const qreal sizes[] = {3.0, 2.2, 3.6, 2.6, 3.2, 2.0, 2.4, 3.0, 1.8, 2.2, 1.6, 1.8};
    for (size_t i = 0; i < std::size(bubbles); ++i) {
        const QPointF c = bubbles[i] + QPointF(glass.left() - 18, 0);
        p.setPen(QPen(lit ? QColor(255, 240, 255, 200) : QColor(160, 120, 170, 70), 0.9));
        p.setBrush(lit ? QColor(255, 255, 255, 50) : QColor(255, 255, 255, 10));
        p.drawEllipse(c, sizes[i], sizes[i]);
    }

    // The emblem: the top symbol itself, large.
    if (lit) {
        QPainterPath disc;
        disc.addEllipse(emblemCentre + QPointF(0, 6), 33, 33);
        Glow(p, disc, QColor(0xff, 0xc0, 0xff), 6, 0.9);
    }
    LitLayer(p, lit, 0.5, [&](QPainter& layer) {
        layer.translate(emblemCentre - QPointF(layout::CellSize * 1.22 / 2, layout::CellSize * 1.22 / 2));
        layer.scale(1.22, 1.22);
        PaintSymbol(layer, CellPlum);
    });

    // The word mark on two lines, gold leaf with a dark edge.
    const QRectF words(glass.left() + 100, glass.top() + 6, glass.width() - 106, glass.height() - 12);
    const QFont font = SerifFont(41);
    const QPainterPath plum =
        TextPath(QStringLiteral("PLUM"), font, QRectF(words.left(), words.top() + 2, words.width(), 44));
    const QPainterPath fizz =
        TextPath(QStringLiteral("FIZZ"), font, QRectF(words.left(), words.top() + 46, words.width(), 44));
    QPainterPath mark = plum;
    mark.addPath(fizz);
    if (lit) Glow(p, mark, QColor(0xff, 0xd0, 0x50), 4, 1.0);
    const QLinearGradient gold = GoldGradient(QPointF(0, words.top()), QPointF(0, words.top() + 92));
    LitLayer(p, lit, 0.55, [&](QPainter& layer) { OutlinedPath(layer, mark, gold, QColor(0x2a, 0x06, 0x20), 1.6); });

    const QPainterPath subline = TextPath(QStringLiteral("\u2605  S L O T S  \u2605"), SansFont(11),
                                          QRectF(words.left(), words.bottom() - 13, words.width(), 12));
    OutlinedPath(p, subline, lit ? QColor(0xff, 0xf4, 0xff) : QColor(0x7c, 0x5c, 0x80), QColor(0x20, 0x00, 0x24), 0.6);

    // A sheen across the glass, the same lit or dim.
    QPainterPath sheen;
    sheen.moveTo(glass.topLeft());
    sheen.lineTo(glass.left() + glass.width() * 0.55, glass.top());
    sheen.lineTo(glass.left() + glass.width() * 0.35, glass.bottom());
    sheen.lineTo(glass.left(), glass.bottom());
    sheen.closeSubpath();
    QPainterPath glassPath;
    glassPath.addRoundedRect(glass, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 16));
    p.drawPath(sheen.intersected(glassPath));
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage TitlePlate(bool lit, qreal scale)
{
    const QSize size = layout::TitlePlate.size();
    QImage image = NewCanvas(ScaledSize(size, scale), palette::PlumBlack);
    QPainter p;
    BeginScaled(p, &image, scale);
    const QRectF all(0, 0, size.width(), size.height());
    p.setPen(Qt::NoPen);
    p.setBrush(palette::PlumBlack);
    p.drawRect(all);
    ChromeRing(p, all, 3, 10);
    GoldRing(p, all.adjusted(3, 3, -3, -3), 2, 8);
    const QRectF glass = all.adjusted(24, 6, -24, -6);
    p.setBrush(QColor(0x1c, 0x06, 0x08));
    p.drawRoundedRect(all.adjusted(5, 5, -5, -5), 6, 6);
    PaintGlass(p, glass, 5, QColor(0xff, 0xd6, 0x70), QColor(0xb8, 0x60, 0x10), lit, glass.center());
    PaintBulbs(p, TitlePlateBulbs(), lit);

    const QPainterPath text =
        TextPath(QStringLiteral("\u2605  FILL THE METER  \u00b7  PICK A PRIZE BOX  \u2605"), CondensedFont(17), glass);
    if (lit) {
        OutlinedPath(p, text, QColor(0x4a, 0x04, 0x50), QColor(0xff, 0xf4, 0xd0), 0.8);
    } else {
        OutlinedPath(p, text, QColor(0x3c, 0x1c, 0x10), QColor(0x2a, 0x10, 0x08), 0.8);
    }
    QLinearGradient sheen(glass.topLeft(), glass.bottomLeft());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 60));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 10));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(glass, 5, 5);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage BetSign(bool lit, qreal scale)
{
    const QSize size = layout::BetSign.size();
    QImage image = NewCanvas(ScaledSize(size, scale), palette::PlumBlack);
    QPainter p;
    BeginScaled(p, &image, scale);
    const QRectF all(0, 0, size.width(), size.height());
    p.setPen(Qt::NoPen);
    p.setBrush(palette::PlumBlack);
    p.drawRect(all);
    const QRectF glass = all.adjusted(3, 3, -3, -3);
    PaintGlass(p, glass, 6, QColor(0x9c, 0x2c, 0xa8), QColor(0x2a, 0x04, 0x34), lit, QPointF(42, 44));
    PaintBulbs(p, BetSignBulbs(), lit);

    const QPainterPath top = TextPath(QStringLiteral("BET ONE"), CondensedFont(11.5), QRectF(14, 6, 56, 11));
    const QPainterPath bottom = TextPath(QStringLiteral("COIN"), CondensedFont(11.5), QRectF(14, 68, 56, 11));
    QPainterPath words = top;
    words.addPath(bottom);
    const QColor ink = lit ? QColor(0xff, 0xf6, 0xe0) : QColor(0x78, 0x58, 0x7c);
    if (lit) Glow(p, words, QColor(0xff, 0xe0, 0xff), 2, 0.7);
    OutlinedPath(p, words, ink, QColor(0x20, 0x00, 0x28), 0.7);

    // The coin: a gold piece stamped with a 1.
    const QPointF c(42, 42.5);
    const qreal r = 20;
    if (lit) {
        QPainterPath disc;
        disc.addEllipse(c, r, r);
        Glow(p, disc, QColor(0xff, 0xd0, 0x40), 4, 0.9);
    }
    LitLayer(p, lit, 0.6, [&](QPainter& layer) {
        QRadialGradient coin(c - QPointF(6, 7), r * 1.3);
        coin.setColorAt(0.0, palette::GoldPale);
        coin.setColorAt(0.45, palette::GoldBright);
        coin.setColorAt(1.0, palette::GoldDark);
        layer.setPen(QPen(QColor(0x3a, 0x22, 0x00), 1.2));
        layer.setBrush(coin);
        layer.drawEllipse(c, r, r);
        layer.setPen(QPen(QColor(0x8a, 0x5c, 0x10), 1.4));
        layer.setBrush(Qt::NoBrush);
        layer.drawEllipse(c, r - 4, r - 4);
        const QPainterPath one =
            TextPath(QStringLiteral("1"), SerifFont(25), QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
        OutlinedPath(layer, one, QColor(0x7a, 0x4a, 0x04), QColor(0xff, 0xf0, 0xb0), 0.6);
    });
    // The rim goes on last, over the glass's edge and any glow, so light never tints the frame.
    ChromeRing(p, all, 3, 9);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
