// Drawing a counter cell by cell out of the digit strips.
#include "pictures/DigitCounter.h"

#include <QByteArray>

#include "pictures/SurfaceCopy.h"
#include "pictures/TableLayout.h"

namespace pictures {
namespace {

constexpr int LargeDigitsFrom = 1000;

}  // namespace

QSize DigitCellFor(int layoutWidth)
{
    return layoutWidth >= LargeDigitsFrom ? layout::LargeDigitCell : layout::SmallDigitCell;
}

QImage PictureSet::*DigitStripMember(int layoutWidth, bool green)
{
    const bool large = layoutWidth >= LargeDigitsFrom;
    return green ? (large ? &PictureSet::largeGreenDigits : &PictureSet::smallGreenDigits)
                 : (large ? &PictureSet::largeRedDigits : &PictureSet::smallRedDigits);
}

const QImage& DigitStripFor(const PictureSet& set, int layoutWidth, bool green)
{
    return set.*DigitStripMember(layoutWidth, green);
}

QRect DrawCounter(QImage& surface, const PictureSet& set, int layoutWidth, int number, int x, int y, bool rightAligned,
                  bool green)
{
    return DrawCounter(surface, DigitStripFor(set, layoutWidth, green), DigitCellFor(layoutWidth), number, x, y,
                       rightAligned);
}

QRect DrawCounter(QImage& surface, const QImage& strip, QSize cell, int number, int x, int y, bool rightAligned)
{
    // A negative value keeps its sign's place as a blank cell: the strips
    // have no minus, and the figure still lines up with the spare cell.
    const QByteArray text = QByteArray::number(number).left(10);
    const int n = static_cast<int>(text.size());
    const int c = cell.width();
    const int h = cell.height();

    if (rightAligned) {
        x -= n * c;
    }
    // One spare cell erases the digit a shrinking number leaves behind.
    const QRect field = rightAligned ? QRect(x - c, y, (n + 1) * c, h) : QRect(x, y, (n + 1) * c, h);
    const QRect changed = FillRect(surface, field, Black);
    for (char ch : text) {
        if (ch >= '0' && ch <= '9') {
            const int d = ch - '0';
            CopyUnscaled(surface, QPoint(x, y), strip, QRect(d * c, 0, c, h));
        }
        x += c;
    }
    return changed;
}

}  // namespace pictures
