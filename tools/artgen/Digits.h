// Lit-segment digit strips for the counters: the digits 0 to 9, a blank cell and
// a narrower colon cell in one row, red for the Winnings and green for the others.
#pragma once

#include <QImage>

namespace artwork {

enum class DigitColour { Red, Green };
enum class DigitSize { Small, Large };

struct DigitMetrics {
    int cellWidth;
    int cellHeight;
    int colonWidth;
    int stripWidth() const { return 11 * cellWidth + colonWidth; }
};

// 16 x 21 cells (188 wide in all) or 32 x 42 cells (376 wide).
DigitMetrics MetricsOf(DigitSize size);

// Cell index of the blank and the colon; cells 0..9 are the digits.
inline constexpr int BlankCell = 10;
inline constexpr int ColonCell = 11;

// The strip at `scale` times its size: every cell `scale` times as wide and high,
// at `scale` times its place.
QImage DigitStrip(DigitColour colour, DigitSize size, qreal scale = 1);

}  // namespace artwork
