// Larger drawings of a picture for large and high-density screens: "Name@2x.ext"
// and "Name@4x.ext", twice and four times its size, beside the picture's own file.
#pragma once

#include <QImage>
#include <QString>

#include <functional>

namespace pictures {

// The scales a picture may also be drawn at, smallest first.
inline constexpr int VariantScales[] = {2, 4};

// The file of a picture's variant at `scale` beside `picturePath`: for a
// resource (":/...") the name with "@Nx" before its extension, for a theme
// file the same name in any letter case, as theme files are found. Empty
// when there is no such file.
QString VariantPath(const QString& picturePath, int scale);

// How many times its size a picture is drawn when it fills `drawn`; 1 for none.
double DrawnScale(const QImage& picture, QSize drawn);

// The picture to draw `picture` (read from `picturePath`) from when it is
// drawn `drawnScale` times its size: the smallest variant at least that large,
// else the largest, else `picture` itself. A variant counts only when it is
// exactly its scale times the picture's size, so a theme's own picture is
// never drawn from a variant made for another.
QImage PictureForScale(const QImage& picture, const QString& picturePath, double drawnScale);

// Draws `picture` stretched to `size` at `at` in dst, from the same variant
// PictureForScale would give. A variant stored as PNG is read a band of rows
// at a time, so that the largest pictures are never held whole. Returns the
// part of dst drawn.
QRect DrawForScale(QImage& dst, QPoint at, QSize size, const QImage& picture, const QString& picturePath);

// The same for the rows [top, top + rows) of `picture` only (counted in its
// own pixels), all its width, stretched to `size`: one slice of a strip,
// smoothed within the slice alone. A built-in variant is read row by row up
// to the slice's end, so no variant is held.
QRect DrawRowsForScale(QImage& dst, QPoint at, QSize size, const QImage& picture, const QString& picturePath, int top,
                       int rows);

// Reads a variant's file; null when it cannot be read.
using VariantReader = std::function<QImage(const QString& path)>;

// `picture` (read from `picturePath`) for a screen of `pixelRatio` device
// pixels a logical pixel: the variant PictureForScale chooses, its device
// pixel ratio set so that its logical size is the picture's, else `picture`
// itself. Variants are read by `read`, as bitmaps when it is empty (pictures
// of other formats and their own limits pass their reader).
QImage PictureForPixelRatio(const QImage& picture, const QString& picturePath, double pixelRatio,
                            const VariantReader& read = {});

}  // namespace pictures
