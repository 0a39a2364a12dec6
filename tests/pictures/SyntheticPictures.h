// Synthetic pictures of the built-in sizes whose colours tell where a pixel
// came from, so a drawn surface can be read back.
#pragma once

#include <QImage>
#include <QString>

#include "pictures/PictureSet.h"

namespace picturetest {

inline QRgb CellColour(int cell)
{
    return qRgb(20 + cell * 14, 200 - cell * 9, 60 + (cell * 37) % 150);
}
inline QRgb BackgroundColour(int x, int y)
{
    return qRgb(30 + x % 200, 30 + y % 200, 90);
}
// Rows below 1024 each get their own colour.
inline QRgb MotionRowColour(int row)
{
    return qRgb(row & 0xff, 32 + (row >> 8) * 48, 200);
}
inline QRgb MeterColour(int level)
{
    return qRgb(40 + level * 15, 70, 250 - level * 12);
}
inline QRgb DigitColour(int digit, bool green, bool large)
{
    const int l = large ? 7 : 0;
    return green ? qRgb(10 + digit * 5 + l, 100 + digit * 15, 12) : qRgb(100 + digit * 15, 10 + digit * 5 + l, 14);
}
// Upper (dim) and lower (lit) halves of the buttons '1', '5', 'S'.
inline QRgb ButtonColour(int button, int state)
{
    return qRgb(60 + button * 40, 60 + state * 120, 33);
}
inline QRgb DimColour(int area)
{
    return qRgb(11 + area * 50, 22, 140);
}

inline QImage Solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage SymbolSheet(int size = 304);
QImage MotionStrip(int w = 76, int h = 456);
QImage Background(int w = 800, int h = 600);
QImage DigitStrip(bool green, bool large);
QImage Meter();
QImage Button(int button);

// Every picture at its built-in size, plus a 304 × 304 symbol sheet.
pictures::PictureSet Synthetic();

// Pixel helpers.
bool IsRed(QRgb c);
// The digits drawn in count cells from x (' ' for a black cell, '?' for anything else).
QString ReadDigits(const QImage& surface, int x, int y, int count, bool green, bool large);

}  // namespace picturetest
