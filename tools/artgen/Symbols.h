// The sixteen reel cells: symbols 0 to 4, their Up, Down and Bonus forms, the
// Reset symbol and the blank reel face, and the sheet that holds them.
#pragma once

#include <QImage>
#include <QPainter>

namespace artwork {

enum Cell : int {
    CellPlum = 0,
    CellSeven = 1,
    CellTripleBar = 2,
    CellDoubleBar = 3,
    CellSingleBar = 4,
    CellUpFirst = 5,      // 5, 6, 7: Up forms of cells 2, 3, 4
    CellDownFirst = 8,    // 8, 9, 10: Down forms
    CellBonusFirst = 11,  // 11, 12, 13: Bonus forms
    CellReset = 14,
    CellBlank = 15,
};
inline constexpr int CellCount = 16;

// The reel's face, which every cell stands on and the blank shows alone. It does
// not change from top to bottom, so stacked cells join without a seam.
void PaintReelFace(QPainter& painter, const QRectF& rect);

// Paints one cell into the 76 x 76 square at the painter's origin; scale the
// painter to draw it at another size. Without the face the symbol stands alone.
void PaintCell(QPainter& painter, int cell, bool withFace = true);

// Just the symbol of cells 0..4 (no face, no badge), for the pay chart and the motion strip.
void PaintSymbol(QPainter& painter, int symbol);

// Badges that turn a bar into its Up, Down or Bonus form, centred on `centre`.
enum class Badge { Up, Down, Bonus };
void PaintBadge(QPainter& painter, Badge badge, QPointF centre, qreal radius);

// One cell as a 76 x 76 picture.
QImage CellPicture(int cell);

// The 304 x 304 sheet: cell n at ((n mod 4) x 76, (n div 4) x 76); at `scale`
// times that size every cell and its place are `scale` times theirs.
QImage SymbolSheet(qreal scale = 1);

}  // namespace artwork
