#pragma once

// The fixed places of the table and of the built-in pictures, in design pixels of
// the 800 x 600 table. The program draws into these places, so the artwork must
// be built around them exactly.

#include <QRect>
#include <QSize>

namespace artwork::layout {

// The table background.
inline constexpr QSize TableSize{800, 600};

// Areas that blink between a lit and a dim picture; the lit state is part of the table.
inline constexpr QRect LogoPanel{247, 98, 302, 165};
inline constexpr QRect TitlePlate{225, 545, 429, 45};
inline constexpr QRect BetSign{560, 99, 84, 85};

// Reels: three windows of one cell width and three cells height.
inline constexpr int CellSize = 76;
inline constexpr int ReelLeft = 258;
inline constexpr int ReelTop = 272;
inline constexpr int ReelPitch = 104;
inline constexpr int ReelCount = 3;
constexpr QRect ReelWindow(int reel)
{
    return QRect(ReelLeft + reel * ReelPitch, ReelTop, CellSize, 3 * CellSize);
}

// The red payline the program draws across the middle row.
inline constexpr int PaylineY = ReelTop + CellSize + CellSize / 2;
inline constexpr int PaylineLeft = 241;
inline constexpr int PaylineRight = 557;

// Counter band: labels at y 30 (white), digits from y 44.
inline constexpr int CounterLabelTop = 30;
inline constexpr int CounterDigitTop = 44;
inline constexpr int CoinsLeft = 250;
inline constexpr int WinningsRight = 440;
inline constexpr int CreditsRight = 620;
// The program clears this field to black whenever a coin is placed.
inline constexpr QRect WinningsField{320, 44, 130, 26};
// The dark glass the counters are drawn on.
inline constexpr QRect CounterGlass{232, 24, 412, 58};

// Meter box, and the column the program stretches the three buttons into
// (spin at y 293, bet one at 362, bet five at 432, each 78 x 59).
inline constexpr QRect MeterBox{578, 223, 78, 59};
inline constexpr QRect ButtonColumn{577, 293, 78, 198};

// Picture sizes.
inline constexpr QSize SymbolSheetSize{4 * CellSize, 4 * CellSize};
inline constexpr QSize MotionStripSize{CellSize, 6 * CellSize};
inline constexpr int MeterSliceHeight = 59;
inline constexpr QSize MeterSize{78, 13 * MeterSliceHeight};  // levels 0..12
inline constexpr QSize ButtonSize{78, 118};

// Bonus window pictures and the areas of its eight boxes (1..4 left column, 5..8 right).
inline constexpr QSize BonusSize{640, 480};
inline constexpr int BoxCount = 8;
constexpr QRect BoxArea(int box)
{
    return QRect(box <= 4 ? 400 : 505, 30 + ((box - 1) % 4) * 95, 86, 86);
}

}  // namespace artwork::layout
