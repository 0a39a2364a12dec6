// Reading Windows bitmap files as other programs write them, with the limits
// a file must keep, and the opaque 32-bit form every picture is held in.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace pictures {

// Limits a bitmap file must keep before any pixel memory is allocated.
inline constexpr int MaxBitmapSide = 16384;
inline constexpr qint64 MaxBitmapPixels = qint64(1) << 26;  // 256 MB as 32-bit pixels

// A Windows bitmap file as other programs write it; a null image when the
// file is missing or not a readable bitmap, and then, in `whyNot`, the reason
// in words ("not a regular file", "not a Windows bitmap", "truncated", "too
// large (...)"). A picture wider or higher than `largest` is refused from its
// header, before its pixels are read.
QImage ReadBitmapFile(const QString& path, QSize largest = QSize(MaxBitmapSide, MaxBitmapSide),
                      QString* whyNot = nullptr);

// Every picture the table draws from is held in one 32-bit opaque format, so
// the copies are plain row copies. Transparent parts of a picture show black,
// the window's background.
QImage ToOpaque(const QImage& image);

// Windows bitmaps ignore the fourth byte of a pixel when they are drawn; a
// bitmap file's alpha channel is dropped rather than blended.
QImage DropAlpha(const QImage& image);

}  // namespace pictures
