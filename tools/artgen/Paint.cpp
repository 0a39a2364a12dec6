// The shared drawing helpers: fonts, metal finishes, lamps, text placed by its ink, glows, and a
// box blur that can wrap around a loop.
#include "Paint.h"

#include <QFontMetricsF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

#include "Palette.h"

namespace artwork {

namespace {

QFont MakeFont(const QString& family, qreal pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// One box-blur pass along rows (horizontal) or columns (vertical) of premultiplied pixels.
void BlurPass(std::vector<QRgb>& pixels, int width, int height, int radius, bool vertical, bool wrap)
{
    if (radius <= 0) return;
    const int length = vertical ? height : width;
    const int lines = vertical ? width : height;
    const int window = 2 * radius + 1;
    std::vector<QRgb> line(length);
    auto at = [&](int line_index, int i) -> QRgb& {
        return vertical ? pixels[static_cast<size_t>(i) * width + line_index]
                        : pixels[static_cast<size_t>(line_index) * width + i];
    };
    auto source = [&](int line_index, int i) {
        if (wrap) {
            i %= length;
            if (i < 0) i += length;
        } else {
            i = std::clamp(i, 0, length - 1);
        }
        return at(line_index, i);
    };
    for (int l = 0; l < lines; ++l) {
        int sum[4] = {0, 0, 0, 0};
        for (int i = -radius; i <= radius; ++i) {
            const QRgb p = source(l, i);
            sum[0] += qAlpha(p);
            sum[1] += qRed(p);
            sum[2] += qGreen(p);
            sum[3] += qBlue(p);
        }
        for (int i = 0; i < length; ++i) {
            line[i] = qRgba((sum[1] + window / 2) / window, (sum[2] + window / 2) / window,
                            (sum[3] + window / 2) / window, (sum[0] + window / 2) / window);
            const QRgb out = source(l, i - radius);
            const QRgb in = source(l, i + radius + 1);
            sum[0] += qAlpha(in) - qAlpha(out);
            sum[1] += qRed(in) - qRed(out);
            sum[2] += qGreen(in) - qGreen(out);
            sum[3] += qBlue(in) - qBlue(out);
        }
        for (int i = 0; i < length; ++i) at(l, i) = line[i];
    }
}

}  // namespace

QFont SansFont(qreal pixelSize, bool bold)
{
    return MakeFont(QStringLiteral("DejaVu Sans"), pixelSize, bold);
}

QFont CondensedFont(qreal pixelSize, bool bold)
{
    QFont font = MakeFont(QStringLiteral("DejaVu Sans"), pixelSize, bold);
    font.setStretch(QFont::Condensed);
    return font;
}

QFont SerifFont(qreal pixelSize, bool bold)
{
    return MakeFont(QStringLiteral("DejaVu Serif"), pixelSize, bold);
}

QImage NewCanvas(QSize size, QColor fill)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QSize ScaledSize(QSize size, qreal scale)
{
    return QSize(qRound(size.width() * scale), qRound(size.height() * scale));
}

void BeginSmooth(QPainter& painter, QPaintDevice* device)
{
    painter.begin(device);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
}

void BeginScaled(QPainter& painter, QPaintDevice* device, qreal scale)
{
    BeginSmooth(painter, device);
    // The design size itself is painted untransformed, exactly as it always was.
    if (scale != 1.0) painter.scale(scale, scale);
}

void DrawPixelForPixel(QPainter& painter, QPointF at, const QImage& image)
{
    const QPointF corner = painter.worldTransform().map(at);
    painter.save();
    painter.resetTransform();
    painter.drawImage(QPoint(qRound(corner.x()), qRound(corner.y())), image);
    painter.restore();
}

QLinearGradient ChromeGradient(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0.00, palette::ChromeBright);
    g.setColorAt(0.18, QColor(0xd8, 0xda, 0xe4));
    g.setColorAt(0.45, QColor(0x6e, 0x70, 0x7c));
    g.setColorAt(0.55, QColor(0x52, 0x54, 0x60));
    g.setColorAt(0.75, QColor(0xc4, 0xc6, 0xd2));
    g.setColorAt(1.00, QColor(0x7a, 0x7c, 0x88));
    return g;
}

QLinearGradient GoldGradient(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0.00, palette::GoldPale);
    g.setColorAt(0.22, palette::GoldBright);
    g.setColorAt(0.50, palette::Gold);
    g.setColorAt(0.62, palette::GoldDark);
    g.setColorAt(0.85, palette::GoldBright);
    g.setColorAt(1.00, palette::Gold);
    return g;
}

QPainterPath RingPath(const QRectF& outer, qreal width, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(outer, radius, radius);
    QPainterPath inner;
    const qreal innerRadius = std::max<qreal>(0.0, radius - width);
    inner.addRoundedRect(outer.adjusted(width, width, -width, -width), innerRadius, innerRadius);
    return path.subtracted(inner);
}

QRectF ButtonRecess(QPainter& painter, QSize face, qreal bezelWidth)
{
    QLinearGradient recess(QPointF(0, 0), QPointF(0, face.height()));
    recess.setColorAt(0.0, QColor(0x0c, 0x00, 0x10));
    recess.setColorAt(1.0, palette::PlumDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(recess);
    painter.drawRect(QRect(QPoint(0, 0), face));
    const QRectF bezel(2, 2, face.width() - 4, face.height() - 4);
    ChromeRing(painter, bezel, bezelWidth, 9);
    return bezel;
}

void ChromeRing(QPainter& painter, const QRectF& outer, qreal width, qreal radius)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ChromeGradient(outer.topLeft(), outer.bottomLeft()));
    painter.drawPath(RingPath(outer, width, radius));
    // A bright bevel on the upper edge and a dark seam on the inner edge give the rim depth.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    painter.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(QColor(0, 0, 0, 150), 1.0));
    const QRectF inner = outer.adjusted(width, width, -width, -width);
    painter.drawRoundedRect(inner.adjusted(-0.5, -0.5, 0.5, 0.5), std::max<qreal>(0, radius - width),
                            std::max<qreal>(0, radius - width));
    painter.restore();
}

void GoldRing(QPainter& painter, const QRectF& outer, qreal width, qreal radius)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(GoldGradient(outer.topLeft(), outer.bottomLeft()));
    painter.drawPath(RingPath(outer, width, radius));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x30, 0x1a, 0x00, 160), 1.0));
    painter.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.restore();
}

void Lamp(QPainter& painter, QPointF centre, qreal radius, QColor colour, bool lit)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    // The socket: a dark chrome collar common to both states, so lit and dim line up.
    QRadialGradient socket(centre, radius * 1.35);
    socket.setColorAt(0.0, QColor(0x20, 0x18, 0x22));
    socket.setColorAt(0.7, QColor(0x50, 0x4c, 0x58));
    socket.setColorAt(1.0, QColor(0x18, 0x14, 0x1c));
    painter.setBrush(socket);
    painter.drawEllipse(centre, radius * 1.3, radius * 1.3);
    if (lit) {
        QRadialGradient bulb(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
        bulb.setColorAt(0.0, Qt::white);
        bulb.setColorAt(0.25, Mix(colour, Qt::white, 0.45));
        bulb.setColorAt(0.65, colour);
        bulb.setColorAt(1.0, colour.darker(150));
        painter.setBrush(bulb);
    } else {
        QRadialGradient bulb(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
        bulb.setColorAt(0.0, Mix(colour, palette::LampOff, 0.72));
        bulb.setColorAt(0.6, Mix(colour, palette::PlumBlack, 0.82));
        bulb.setColorAt(1.0, palette::PlumBlack);
        painter.setBrush(bulb);
    }
    painter.drawEllipse(centre, radius, radius);
    // Glass glint.
    painter.setBrush(QColor(255, 255, 255, lit ? 200 : 70));
    painter.drawEllipse(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 0.28, radius * 0.2);
    painter.restore();
}

QPainterPath TextPath(const QString& text, const QFont& font, const QRectF& box, Qt::Alignment alignment)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    // Align the visible ink, not the font's line box, so capitals sit truly centred.
    qreal x = box.center().x() - bounds.center().x();
    if (alignment & Qt::AlignLeft) x = box.left() - bounds.left();
    if (alignment & Qt::AlignRight) x = box.right() - bounds.right();
    qreal y = box.center().y() - bounds.center().y();
    if (alignment & Qt::AlignTop) y = box.top() - bounds.top();
    if (alignment & Qt::AlignBottom) y = box.bottom() - bounds.bottom();
    path.translate(x, y);
    return path;
}

void OutlinedPath(QPainter& painter, const QPainterPath& path, const QBrush& fill, const QColor& outline,
                  qreal outlineWidth)
{
    painter.save();
    if (outlineWidth > 0) {
        painter.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.restore();
}

void Glow(QPainter& painter, const QPainterPath& path, QColor colour, int radius, qreal strength)
{
    const QTransform world = painter.worldTransform();
    const QPainterPath devicePath = world.map(path);
    // The halo is blurred in device pixels: its width grows with the painter's scale.
    const qreal scale = std::sqrt(std::abs(world.determinant()));
    const int blur = qRound(radius * scale);
    const QRect area = devicePath.boundingRect().toAlignedRect().adjusted(-3 * blur, -3 * blur, 3 * blur, 3 * blur);
    if (area.isEmpty()) return;
    QImage halo = NewCanvas(area.size());
    {
        QPainter p;
        BeginSmooth(p, &halo);
        p.translate(-area.topLeft());
        p.setPen(QPen(colour, radius * scale * 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawPath(devicePath);
    }
    halo = Blurred(Blurred(halo, blur, blur), blur, blur);
    painter.save();
    painter.resetTransform();
    painter.setOpacity(painter.opacity() * std::clamp<qreal>(strength, 0.0, 1.0));
    painter.drawImage(area.topLeft(), halo);
    if (strength > 1.0) {
        painter.setOpacity(std::clamp<qreal>(strength - 1.0, 0.0, 1.0));
        painter.drawImage(area.topLeft(), halo);
    }
    painter.restore();
}

QImage Blurred(const QImage& image, int radiusX, int radiusY, bool wrapVertically)
{
    QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = source.width();
    const int height = source.height();
    std::vector<QRgb> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        std::copy(row, row + width, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    BlurPass(pixels, width, height, radiusX, false, false);
    BlurPass(pixels, width, height, radiusY, true, wrapVertically);
    QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        std::copy(pixels.begin() + static_cast<ptrdiff_t>(y) * width,
                  pixels.begin() + static_cast<ptrdiff_t>(y + 1) * width, row);
    }
    return result;
}

QColor Mix(const QColor& a, const QColor& b, qreal t)
{
    t = std::clamp<qreal>(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

}  // namespace artwork
