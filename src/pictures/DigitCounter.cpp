// Drawing a counter cell by cell out of the digit strips.
#include "pictures/DigitCounter.h"

#include <QByteArray>

#include <algorithm>

#include "pictures/Scaling.h"
#include "pictures/SurfaceCopy.h"
#include "pictures/TableLayout.h"

namespace pictures {
namespace {

constexpr int LargeDigitsFrom = 1000;

// The strips have no minus: its cell is the unlit cell (the strip's blank,
// beyond the ten digits, or black) with what an 8 lights beyond a 0 (the
// middle bar and its glow) added to it, in the strip's own style. Only what
// the 8 adds to the 0's light is taken: the upright bars' ends, lit in both,
// stay dark, and the sign ends cleanly where they would stand.
QImage MinusCell(const QImage& strip, int c, int h)
{
    const QImage eight = CropOpaque(strip, QRect(8 * c, 0, c, h));
    const QImage zero = CropOpaque(strip, QRect(0, 0, c, h));
    QImage minus =
        strip.width() >= 11 * c ? CropOpaque(strip, QRect(10 * c, 0, c, h)) : QImage(c, h, QImage::Format_RGB32);
    if (strip.width() < 11 * c) minus.fill(Black);
    const auto added = [](int base, int more, int less) { return std::clamp(base + more - less, 0, 255); };
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < c; ++column) {
            const QRgb e = eight.pixel(column, row);
            const QRgb z = zero.pixel(column, row);
            const QRgb m = minus.pixel(column, row);
            if (e == z) continue;
            minus.setPixel(column, row,
                           qRgb(added(qRed(m), qRed(e), std::max(qRed(z), qRed(m))),
                                added(qGreen(m), qGreen(e), std::max(qGreen(z), qGreen(m))),
                                added(qBlue(m), qBlue(e), std::max(qBlue(z), qBlue(m)))));
        }
    }
    return minus;
}

}  // namespace

QSize DigitCellFor(int layoutWidth)
{
    return UsesLargeDigits(layoutWidth) ? layout::LargeDigitCell : layout::SmallDigitCell;
}

bool UsesLargeDigits(int layoutWidth)
{
    return layoutWidth >= LargeDigitsFrom;
}

QImage PictureSet::*DigitStripMember(bool large, bool green)
{
    return green ? (large ? &PictureSet::largeGreenDigits : &PictureSet::smallGreenDigits)
                 : (large ? &PictureSet::largeRedDigits : &PictureSet::smallRedDigits);
}

double TableCellScale(int layoutWidth)
{
    if (UsesLargeDigits(layoutWidth)) return std::max(1.0, layoutWidth / 1024.0);
    return layoutWidth / double(layout::TableSize.width());
}

CounterDigits CounterDigitsOf(const PictureSet& set, int layoutWidth, bool green, double pixelRatio, double cellScale)
{
    const bool large = UsesLargeDigits(layoutWidth);
    const auto device = [pixelRatio, cellScale](QSize cell) {
        const auto drawn = [&](int n) { return std::max(1, ToDevicePixels(qRound(n * cellScale), pixelRatio)); };
        return QSize(drawn(cell.width()), drawn(cell.height()));
    };
    const QSize cell = DigitCellFor(layoutWidth);
    const QSize smallCell = layout::SmallDigitCell;
    CounterDigits digits{
        set.ForUnitCopies(DigitStripMember(large, green), cell, device(cell)), device(cell), {}, device(smallCell)};
    if (large) digits.smallStrip = set.ForUnitCopies(DigitStripMember(false, green), smallCell, device(smallCell));
    return digits;
}

QRect DrawCounter(QImage& surface, const PictureSet& set, int layoutWidth, int number, int x, int y, bool rightAligned,
                  bool green, std::optional<int> openLimit)
{
    return DrawCounter(surface, CounterDigitsOf(set, layoutWidth, green), number, x, y, rightAligned, openLimit);
}

QRect DrawCounter(QImage& surface, const CounterDigits& digits, int number, int x, int y, bool rightAligned,
                  std::optional<int> openLimit)
{
    const QByteArray text = QByteArray::number(number).left(number < 0 ? CounterCharacters : CounterCharacters - 1);
    const int n = static_cast<int>(text.size());
    const QSize layoutCell = digits.cell;
    bool large = !digits.smallStrip.isNull();
    // Too wide for the room before the neighbour: the small cells, whole.
    if (large && openLimit && n * layoutCell.width() > (rightAligned ? x - *openLimit : *openLimit - x)) large = false;
    const bool ownCells = large || digits.smallStrip.isNull();
    const QSize cell = ownCells ? digits.cell : digits.smallCell;
    const int c = cell.width();
    const int h = cell.height();
    const int top = y + (layoutCell.height() - h) / 2;
    const QImage& strip = ownCells ? digits.strip : digits.smallStrip;

    if (rightAligned) {
        x -= n * c;
    }
    // One spare cell erases the digit a shrinking number leaves behind; the
    // whole height of the layout's cells is cleared, so that small cells
    // after large ones leave nothing behind.
    QRect field = rightAligned ? QRect(x - c, y, (n + 1) * c, layoutCell.height())
                               : QRect(x, y, (n + 1) * c, layoutCell.height());
    if (openLimit) {
        if (rightAligned) {
            field.setLeft(std::max(field.left(), *openLimit));
        } else {
            field.setRight(std::min(field.right(), *openLimit - 1));
        }
    }
    if (field.isEmpty()) return {};
    // Drawn on a copy of the field, so that nothing passes the limit.
    QImage counter(field.size(), QImage::Format_RGB32);
    counter.fill(Black);
    int cellX = x - field.left();
    for (char ch : text) {
        if (ch >= '0' && ch <= '9') {
            const int d = ch - '0';
            CopyUnscaled(counter, QPoint(cellX, top - y), strip, QRect(d * c, 0, c, h));
        } else if (ch == '-') {
            CopyUnscaled(counter, QPoint(cellX, top - y), MinusCell(strip, c, h));
        }
        cellX += c;
    }
    return CopyUnscaled(surface, field.topLeft(), counter);
}

}  // namespace pictures
