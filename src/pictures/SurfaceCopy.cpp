// The rectangle copies: plain row copies between the table's own 32-bit
// formats, the painter for anything else.
#include "pictures/SurfaceCopy.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace pictures {
namespace {

// Formats whose pixels are 32-bit words in which an opaque RGB32 pixel means
// the same colour: copies into them are plain memory copies.
bool IsPlain32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

void FillRow(QRgb* row, int count, QRgb colour)
{
    std::fill(row, row + count, colour);
}

}  // namespace

QRect FillRect(QImage& dst, const QRect& rect, QRgb colour)
{
    const QRect target = rect.intersected(dst.rect());
    if (target.isEmpty()) {
        return {};
    }
    if (IsPlain32(dst.format())) {
        for (int y = target.top(); y <= target.bottom(); ++y) {
            FillRow(reinterpret_cast<QRgb*>(dst.scanLine(y)) + target.left(), target.width(), colour);
        }
    } else {
        QPainter painter(&dst);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(target, QColor::fromRgba(colour));
    }
    return target;
}

QRect CopyUnscaled(QImage& dst, QPoint at, const QImage& src, const QRect& srcRect)
{
    const QRect target = QRect(at, srcRect.size()).intersected(dst.rect());
    if (target.isEmpty()) {
        return {};
    }
    if (src.isNull()) {
        return FillRect(dst, target, Black);
    }
    if (!IsPlain32(dst.format()) || src.format() != QImage::Format_RGB32) {
        // Not one of the table's own formats: let the painter convert.
        const QImage part = CropOpaque(src, QRect(srcRect.topLeft() + (target.topLeft() - at), target.size()));
        QPainter painter(&dst);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(target.topLeft(), part);
        return target;
    }

    // Source columns of the target that lie inside src.
    const int dx = srcRect.left() - at.x();
    const int dy = srcRect.top() - at.y();
    const int firstInside = std::clamp(-dx, target.left(), target.right() + 1);
    const int endInside = std::clamp(src.width() - dx, firstInside, target.right() + 1);
    for (int y = target.top(); y <= target.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(dst.scanLine(y));
        const int sy = y + dy;
        if (sy < 0 || sy >= src.height()) {
            FillRow(row + target.left(), target.width(), Black);
            continue;
        }
        const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        FillRow(row + target.left(), firstInside - target.left(), Black);
        if (endInside > firstInside) {
            std::memcpy(row + firstInside, from + firstInside + dx,
                        static_cast<size_t>(endInside - firstInside) * sizeof(QRgb));
        }
        FillRow(row + endInside, target.right() + 1 - endInside, Black);
    }
    return target;
}

QRect SwapUnscaled(QImage& dst, QPoint at, QImage& held)
{
    const QRect target = QRect(at, held.size()).intersected(dst.rect());
    if (target.isEmpty()) {
        return {};
    }
    if (!IsPlain32(dst.format()) || held.format() != QImage::Format_RGB32) {
        QImage shown = CropOpaque(dst, QRect(at, held.size()));
        CopyUnscaled(dst, at, held);
        held = std::move(shown);
        return target;
    }
    for (int y = target.top(); y <= target.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(dst.scanLine(y)) + target.left();
        QRgb* kept = reinterpret_cast<QRgb*>(held.scanLine(y - at.y())) + (target.left() - at.x());
        std::swap_ranges(row, row + target.width(), kept);
    }
    return target;
}

QImage CropOpaque(const QImage& src, const QRect& srcRect)
{
    if (srcRect.isEmpty()) {
        return {};
    }
    QImage part(srcRect.size(), QImage::Format_RGB32);
    if (part.isNull()) {
        return {};
    }
    const QImage plain =
        (src.isNull() || src.format() == QImage::Format_RGB32) ? src : src.convertToFormat(QImage::Format_RGB32);
    CopyUnscaled(part, QPoint(0, 0), plain, srcRect);
    return part;
}

QImage Stretched(const QImage& src, QSize size, const QRect& visible)
{
    const QRect whole(QPoint(0, 0), size);
    const QRect part = visible.isNull() ? whole : visible.intersected(whole);
    if (part.isEmpty()) {
        return {};
    }
    if (src.isNull()) {
        QImage black(part.size(), QImage::Format_RGB32);
        black.fill(Black);
        return black;
    }
    if (src.size() == size) {
        return CropOpaque(src, part);
    }
    // Only the visible part is made, so a huge replacement picture costs no
    // more memory than the window shows of it.
    QImage stretched(part.size(), QImage::Format_RGB32);
    if (stretched.isNull()) {
        return {};
    }
    stretched.fill(Black);
    QPainter painter(&stretched);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(-part.topLeft());
    painter.drawImage(whole, src);
    return stretched;
}

QRect DrawStretched(QImage& dst, QPoint at, const QImage& src, QSize size, const QRect& clip)
{
    QRect target = QRect(at, size).intersected(dst.rect());
    if (!clip.isNull()) {
        target = target.intersected(clip);
    }
    if (target.isEmpty()) {
        return {};
    }
    if (src.isNull() || src.size() == size) {
        return CopyUnscaled(dst, target.topLeft(), src, QRect(target.topLeft() - at, target.size()));
    }
    // Black first, as a stretched copy starts, for pictures with transparent parts.
    FillRect(dst, target, Black);
    QPainter painter(&dst);
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(at, size), src);
    return target;
}

QRect DrawStretchedFromRows(QImage& dst, QPoint at, QSize size, QSize sourceSize, const RowSource& nextRow)
{
    const QRect target = QRect(at, size).intersected(dst.rect());
    if (target.isEmpty()) return {};
    FillRect(dst, target, Black);
    if (sourceSize.isEmpty()) return target;

    // A stretched row mixes the two source rows about its centre, so bands
    // overlap by a few rows and each draws only the rows whose sources it
    // holds whole; the seams are then invisible.
    constexpr int BandRows = 64;
    constexpr int Overlap = 4;
    QImage band(sourceSize.width(), BandRows + Overlap, QImage::Format_RGB32);
    if (band.isNull()) return target;
    const double scaleY = double(size.height()) / sourceSize.height();
    const auto lowerSourceRow = [&](int y) { return std::floor((y + 0.5 - at.y()) / scaleY - 0.5); };

    QPainter painter(&dst);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    int held = 0;
    int next = 0;
    int drawnTo = target.top();
    while (next < sourceSize.height() && drawnTo <= target.bottom()) {
        const int keep = std::min(held, Overlap);
        if (keep > 0) {
            std::memmove(band.scanLine(0), band.scanLine(held - keep), static_cast<size_t>(keep) * band.bytesPerLine());
        }
        const int bandTop = next - keep;
        held = keep;
        bool ended = false;
        while (held < band.height() && next < sourceSize.height()) {
            if (!nextRow(band.scanLine(held))) {
                ended = true;
                break;
            }
            ++held;
            ++next;
        }
        const bool complete = next == sourceSize.height();
        int drawTo = drawnTo;
        while (drawTo <= target.bottom() && (complete || lowerSourceRow(drawTo) + 2 <= next - 1)) ++drawTo;
        if (drawTo > drawnTo && held > 0) {
            const QImage rows(band.constBits(), band.width(), held, band.bytesPerLine(), QImage::Format_RGB32);
            painter.setClipRect(QRect(target.left(), drawnTo, target.width(), drawTo - drawnTo));
            painter.drawImage(QRectF(at.x(), at.y() + bandTop * scaleY, size.width(), held * scaleY), rows);
        }
        drawnTo = drawTo;
        if (ended) break;
    }
    return target;
}

}  // namespace pictures
