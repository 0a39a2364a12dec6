#pragma once

#include <QImage>

namespace table {

// Limits a bitmap file must keep before any pixel memory is allocated.
inline constexpr int MaxBitmapSide = 16384;
inline constexpr qint64 MaxBitmapPixels = qint64(1) << 26;  // 256 MB as 32-bit pixels

// Every picture the table draws from is held in one 32-bit opaque format, so
// the copies are plain row copies. Transparent parts of a picture show black,
// the window's background.
QImage ToOpaque(const QImage& image);

// Windows bitmaps ignore the fourth byte of a pixel when they are drawn; a
// bitmap file's alpha channel is dropped rather than blended.
QImage DropAlpha(const QImage& image);

}  // namespace table
