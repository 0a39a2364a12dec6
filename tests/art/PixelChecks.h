// Small pixel measures shared by the artwork tests.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdlib>

namespace arttest {

inline int Brightness(QRgb p)
{
    return std::max({qRed(p), qGreen(p), qBlue(p)});
}

inline int Difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// A built-in picture as the program will load it.
inline QImage Resource(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// Mean brightness over a rectangle.
inline double MeanBrightness(const QImage& image, const QRect& r)
{
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) sum += Brightness(image.pixel(x, y));
    return sum / (r.width() * r.height());
}

// The largest channel difference between two pictures over a rectangle.
inline int MaxDifference(const QImage& a, const QImage& b, const QRect& r)
{
    int worst = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) worst = std::max(worst, Difference(a.pixel(x, y), b.pixel(x, y)));
    return worst;
}

}  // namespace arttest
