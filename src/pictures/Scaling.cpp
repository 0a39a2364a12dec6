// Scaled() and the layout width: the table's one conversion from design
// coordinates to pixels.
#include "pictures/Scaling.h"

#include <algorithm>
#include <cstdint>

namespace pictures {

int LayoutWidthFor(int screenWidth, int screenHeight)
{
    // The widest 4:3 table that still fits the screen's height.
    const int64_t heightBound = static_cast<int64_t>(screenHeight) * 4 / 3;
    return static_cast<int>(std::min<int64_t>(screenWidth, heightBound));
}

int Scaling::Scaled(int n) const
{
    // The ratio is rounded to double first (2.4 lands just below 2.4); the
    // product then keeps that shortfall thanks to the 64-bit significand, so
    // Scaled(800) on 1920 pixels is 1919, as the table was always laid out.
    const double ratio = layoutWidth_ / double(layout::TableSize.width());
    const long double product = static_cast<long double>(n) * static_cast<long double>(ratio);
    return static_cast<int>(product);
}

}  // namespace pictures
