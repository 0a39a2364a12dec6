// Design coordinates of the 800-pixel-wide table turned into window pixels,
// and the layout width a screen gets.
#pragma once

#include "pictures/TableLayout.h"

namespace pictures {

// Design coordinates are for an 800-pixel-wide table. In an area wider than
// 4:3 the table is laid out for the largest 4:3 width that fits the area's
// height, so nothing falls below its edge.
int LayoutWidthFor(int areaWidth, int areaHeight);

// Scaled(n) = n × (layoutWidth / 800), the ratio in double precision, the
// product with a 64-bit significand, truncated toward zero.
class Scaling {
public:
    explicit Scaling(int layoutWidth = layout::TableSize.width()) : layoutWidth_(layoutWidth) {}

    int Scaled(int n) const;
    int LayoutWidth() const { return layoutWidth_; }
    // The whole table in pixels: Scaled(800) x Scaled(600).
    QSize TableSize() const;

private:
    int layoutWidth_;
};

// Logical pixels (what layouts and clicks use) to device pixels (what a
// screen with a device pixel ratio above 1 shows): rounded to the nearest.
int ToDevicePixels(int logical, double pixelRatio);
// The logical pixels that cover a rectangle of device pixels.
QRect ToLogicalPixels(const QRect& device, double pixelRatio);

// Where the table stands in a window's client area: laid out for the widest
// 4:3 table the area holds, and centred in it.
struct TablePlace {
    Scaling scaling;
    QPoint origin;  // the table's top-left corner in the client area
};
TablePlace PlaceTable(QSize clientArea);

}  // namespace pictures
