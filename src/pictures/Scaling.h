// Design coordinates of the 800-pixel-wide table turned into window pixels,
// and the layout width a screen gets.
#pragma once

#include "pictures/TableLayout.h"

namespace pictures {

// Design coordinates are for an 800-pixel-wide table. On screens wider than
// 4:3 the table is laid out for the largest 4:3 width that fits the screen's
// height, so nothing falls below the window's edge.
int LayoutWidthFor(int screenWidth, int screenHeight);

// Scaled(n) = n × (layoutWidth / 800), the ratio in double precision, the
// product with a 64-bit significand, truncated toward zero.
class Scaling {
public:
    explicit Scaling(int layoutWidth = layout::TableSize.width()) : layoutWidth_(layoutWidth) {}

    int Scaled(int n) const;
    int LayoutWidth() const { return layoutWidth_; }

private:
    int layoutWidth_;
};

}  // namespace pictures
