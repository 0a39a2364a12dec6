// Where everything stands on the table and on the bonus pictures, in design
// pixels; the program draws and takes clicks here, and the artwork fits it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "engine/BonusMeter.h"

// The table is 800 x 600 design pixels, passed through Scaled() wherever it
// is drawn or clicked. A QRect here is drawn from its left and top up to, but
// not including, left + width and top + height. The bonus pictures are
// 640 x 480 and never scaled.
namespace pictures::layout {

// The table background.
inline constexpr QSize TableSize{800, 600};

// Areas that blink between a lit and an unlit picture; the lit state is the
// background's own pixels.
inline constexpr QRect LogoPanel{247, 98, 302, 165};
inline constexpr QRect TitlePlate{225, 545, 429, 45};
inline constexpr QRect BetSign{560, 99, 84, 85};

// Reels: three windows of one cell width and three cells height.
inline constexpr int CellSize = 76;
inline constexpr int ReelLeft = 258;
inline constexpr int ReelTop = 272;
inline constexpr int ReelPitch = 104;
constexpr QRect ReelWindow(int reel)
{
    return QRect(ReelLeft + reel * ReelPitch, ReelTop, CellSize, 3 * CellSize);
}

// The red payline across the middle row, drawn from PaylineLeft up to PaylineRight.
inline constexpr int PaylineY = ReelTop + CellSize + CellSize / 2;
inline constexpr int PaylineLeft = 241;
inline constexpr int PaylineRight = 557;

// Counter band: white labels with their top at CounterLabelTop, digits from
// CounterDigitTop; Coins starts at its anchor, Winnings and Credits end at theirs.
inline constexpr int CounterLabelTop = 30;
inline constexpr int CounterDigitTop = 44;
inline constexpr int CoinsLeft = 250;
inline constexpr int WinningsRight = 440;
inline constexpr int CreditsRight = 620;
// Cleared to black whenever a coin is placed.
inline constexpr QRect WinningsField{320, 44, 130, 26};
// The dark glass the counters are drawn on.
inline constexpr QRect CounterGlass{232, 24, 412, 58};

// One digit of a counter at its design size: the small cells on narrow
// tables, the large ones on wide tables; both grow with the table beyond the
// width they are sized for (see TableCellScale).
inline constexpr QSize SmallDigitCell{16, 21};
inline constexpr QSize LargeDigitCell{32, 42};

// The bonus meter: one slice of the meter strip, stretched over MeterBox
// (exactly the slice on the 800-wide table).
inline constexpr QRect MeterBox{578, 223, 78, 59};
inline constexpr QSize MeterSliceSize{78, 59};

// The buttons, each stretched into its rectangle, one column from the spin
// button down to the bet-five button.
inline constexpr QRect SpinButton{577, 293, 78, 59};
inline constexpr QRect BetOneButton{577, 362, 78, 59};
inline constexpr QRect BetFiveButton{577, 432, 78, 59};
inline constexpr QRect ButtonColumn{SpinButton.left(), SpinButton.top(), SpinButton.width(),
                                    BetFiveButton.top() + BetFiveButton.height() - SpinButton.top()};

// Where the table takes a click: unlike drawing, both ends of each range
// belong to the area.
struct ClickArea {
    int left, top, right, bottom;
};
// A button takes clicks from its left edge to its right edge, both included.
constexpr ClickArea ClickAreaOf(const QRect& drawn)
{
    return {drawn.left(), drawn.top(), drawn.left() + drawn.width(), drawn.top() + drawn.height()};
}
// The bet-one sign takes clicks on less than it shows.
inline constexpr ClickArea BetSignClickArea{560, 99, 643, 181};

// Sizes of the built-in pictures.
inline constexpr QSize SymbolSheetSize{4 * CellSize, 4 * CellSize};
inline constexpr QSize MotionStripSize{CellSize, 6 * CellSize};
inline constexpr QSize MeterStripSize{MeterSliceSize.width(), (engine::BonusMeterFull + 1) * MeterSliceSize.height()};
inline constexpr QSize ButtonStripSize{78, 118};  // two states stacked

// The bonus pictures and the areas of their eight boxes (1..4 the left
// column, 5..8 the right); the areas keep these picture coordinates whatever
// the size of a replacement picture.
inline constexpr QSize BonusPictureSize{640, 480};
inline constexpr int BoxCount = 8;
constexpr QRect BoxArea(int box)
{
    return QRect(box <= 4 ? 400 : 505, 30 + ((box - 1) % 4) * 95, 86, 86);
}
// The top-left corner of the prize text on the prize picture.
inline constexpr QPoint PrizeTextAt{40, 200};

}  // namespace pictures::layout
