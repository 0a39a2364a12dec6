// Scaled() and the layout width: the table's one conversion from design
// coordinates to pixels.
#include "pictures/Scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pictures {

int LayoutWidthFor(int areaWidth, int areaHeight)
{
    // The widest 4:3 table that still fits the area's height.
    const int64_t heightBound = static_cast<int64_t>(areaHeight) * 4 / 3;
    return static_cast<int>(std::min<int64_t>(areaWidth, heightBound));
}

TablePlace PlaceTable(QSize clientArea)
{
    // Never below one pixel: an empty area still gets a (tiny) table.
    const Scaling scaling(std::max(1, LayoutWidthFor(clientArea.width(), clientArea.height())));
    const QSize table = scaling.TableSize();
    return {scaling, QPoint(std::max(0, (clientArea.width() - table.width()) / 2),
                            std::max(0, (clientArea.height() - table.height()) / 2))};
}

int ToDevicePixels(int logical, double pixelRatio)
{
    if (pixelRatio == 1.0) return logical;
    return static_cast<int>(std::lround(logical * pixelRatio));
}

QRect ToLogicalPixels(const QRect& device, double pixelRatio)
{
    if (pixelRatio == 1.0 || device.isEmpty()) return device;
    const int left = static_cast<int>(std::floor(device.left() / pixelRatio));
    const int top = static_cast<int>(std::floor(device.top() / pixelRatio));
    const int right = static_cast<int>(std::ceil((device.left() + device.width()) / pixelRatio));
    const int bottom = static_cast<int>(std::ceil((device.top() + device.height()) / pixelRatio));
    return QRect(left, top, right - left, bottom - top);
}

QSize Scaling::TableSize() const
{
    return QSize(Scaled(layout::TableSize.width()), Scaled(layout::TableSize.height()));
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
