// Small drawing helpers shared by every picture: fonts, chrome and gold
// finishes, lamps, outlined text and soft glows.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace artwork {

// Only the DejaVu families are relied on; they come with fonts-dejavu-core.
QFont SansFont(qreal pixelSize, bool bold = true);
QFont CondensedFont(qreal pixelSize, bool bold = true);
QFont SerifFont(qreal pixelSize, bool bold = true);

// A transparent ARGB canvas, or one filled with a colour.
QImage NewCanvas(QSize size, QColor fill = Qt::transparent);

// A design size `scale` times larger, in whole pixels.
QSize ScaledSize(QSize size, qreal scale);

// Begins painting with antialiasing and smooth scaling switched on.
void BeginSmooth(QPainter& painter, QPaintDevice* device);

// Begins painting smoothly in design units on a canvas `scale` times the design
// size: the painter is scaled, so every shape is drawn at the canvas's resolution.
void BeginScaled(QPainter& painter, QPaintDevice* device, qreal scale);

// Lays `image`, drawn at the painter's scale already, down pixel for pixel with
// its top-left corner at `at` in design units.
void DrawPixelForPixel(QPainter& painter, QPointF at, const QImage& image);

// Polished metal lit from above, running from `from` to `to`.
QLinearGradient ChromeGradient(QPointF from, QPointF to);
QLinearGradient GoldGradient(QPointF from, QPointF to);

// The ring between `outer` and `outer` shrunk by `width` on every side.
QPainterPath RingPath(const QRectF& outer, qreal width, qreal radius);
void ChromeRing(QPainter& painter, const QRectF& outer, qreal width, qreal radius);

// The dark recess a cabinet button sits in, filling the whole face, and its
// chrome bezel two pixels in; returns the bezel's rectangle.
QRectF ButtonRecess(QPainter& painter, QSize face, qreal bezelWidth);
void GoldRing(QPainter& painter, const QRectF& outer, qreal width, qreal radius);

// A round lamp: a glowing bulb when lit, dark glass with a glint when not.
void Lamp(QPainter& painter, QPointF centre, qreal radius, QColor colour, bool lit);

// `text` as a path centred in `box` (Qt::AlignCenter) or aligned as asked.
QPainterPath TextPath(const QString& text, const QFont& font, const QRectF& box,
                      Qt::Alignment alignment = Qt::AlignCenter);
// Fills a path with an outline drawn underneath, so thin strokes keep their weight.
void OutlinedPath(QPainter& painter, const QPainterPath& path, const QBrush& fill, const QColor& outline,
                  qreal outlineWidth);

// A soft halo around a path, painted below whatever comes next; `radius` is in
// the painter's units, so a scaled painter gets a proportionally wider halo.
void Glow(QPainter& painter, const QPainterPath& path, QColor colour, int radius, qreal strength = 1.0);

// Box blur of the colour channels; `wrapVertically` treats the picture as a vertical loop.
QImage Blurred(const QImage& image, int radiusX, int radiusY, bool wrapVertically = false);

// Paints `draw(painter)` on a transparent layer the size of `target`'s device
// and, when the light is off, darkens just what it painted before laying it down.
template <class Draw>
void LitLayer(QPainter& target, bool lit, qreal darkness, Draw draw)
{
    QImage layer(target.device()->width(), target.device()->height(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    painter.setRenderHints(target.renderHints());
    painter.setWorldTransform(target.worldTransform());
    draw(painter);
    if (!lit) {
        painter.resetTransform();
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.fillRect(layer.rect(), QColor(0x10, 0x00, 0x14, static_cast<int>(255 * darkness)));
    }
    painter.end();
    target.save();
    target.resetTransform();
    target.drawImage(0, 0, layer);
    target.restore();
}

// Mixes two colours; t = 0 gives a, t = 1 gives b.
QColor Mix(const QColor& a, const QColor& b, qreal t);

}  // namespace artwork
