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

QRect DrawCounter(QImage& surface, const PictureSet& set, int layoutWidth, int number, int x, int y, bool rightAligned,
                  bool green)
{
    // A negative value keeps its sign's place as a blank cell: the strips
    // have no minus, and the figure still lines up with the spare cell.
    const QByteArray text = QByteArray::number(number).left(10);
    const int n = static_cast<int>(text.size());
    const bool large = layoutWidth >= LargeDigitsFrom;
    const QSize cell = DigitCellFor(layoutWidth);
    const int c = cell.width();
    const int h = cell.height();
    const QImage& strip = green ? (large ? set.largeGreenDigits : set.smallGreenDigits)
                                : (large ? set.largeRedDigits : set.smallRedDigits);

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
