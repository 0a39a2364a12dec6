// Rectangle copies between pictures: unscaled copies, fills, crops and
// stretches, each clipped to the pictures it touches.
#pragma once

#include <QImage>
#include <QRect>

#include <functional>

namespace pictures {

inline constexpr QRgb Black = 0xff000000u;

// Pictures of any size may come in from replacement files, so every copy
// clips: nothing is read or written outside an image, and the part of a
// target whose source lies outside the picture is drawn black. Each returns
// the part of dst it changed.

// Copies srcRect of src to dst with its top-left corner at `at`, pixel for pixel.
QRect CopyUnscaled(QImage& dst, QPoint at, const QImage& src, const QRect& srcRect);

// The whole of src at `at`.
inline QRect CopyUnscaled(QImage& dst, QPoint at, const QImage& src)
{
    return CopyUnscaled(dst, at, src, src.rect());
}

QRect FillRect(QImage& dst, const QRect& rect, QRgb colour);

// Exchanges `held` with the pixels of dst at `at`, pixel for pixel: dst shows
// what was held and `held` keeps what dst showed. Only the part inside dst
// changes; a picture toggled this way costs one copy instead of two.
QRect SwapUnscaled(QImage& dst, QPoint at, QImage& held);

// srcRect of src as a picture of its own (opaque 32-bit), black where src has no pixels.
QImage CropOpaque(const QImage& src, const QRect& srcRect);

// src stretched with smooth filtering to size (opaque 32-bit), or only the
// visible part of that (a rectangle within size) when one is given. Null for
// an empty size, black for a null src.
QImage Stretched(const QImage& src, QSize size, const QRect& visible = QRect());

// src stretched with smooth filtering to size, drawn straight into dst with
// its top-left corner at `at` (the same pixels as copying Stretched() there),
// without a stretched copy in between: large screens hold no stretched
// pictures. Only the part inside `clip` is drawn when one is given, at a
// cost that follows that part's size.
QRect DrawStretched(QImage& dst, QPoint at, const QImage& src, QSize size, const QRect& clip = QRect());

// Writes a picture's next row (opaque 32-bit pixels) to `line`; false when
// there is none.
using RowSource = std::function<bool(unsigned char* line)>;

// A picture of sourceSize, read top to bottom from `nextRow`, stretched to
// size at `at` as DrawStretched draws it, holding only a band of its rows at
// a time: the largest pictures are never held whole. Where the rows stop
// early, the rest stays black.
QRect DrawStretchedFromRows(QImage& dst, QPoint at, QSize size, QSize sourceSize, const RowSource& nextRow);

}  // namespace pictures
