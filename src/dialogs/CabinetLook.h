// The side dialogs' cabinet look: plum lacquer, gold lettering and a gold
// rim, so that a dialog reads as part of the machine it opens from.
#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

namespace dialogs {

inline const QColor CabinetPlum{0x3a, 0x08, 0x44};
inline const QColor CabinetPlumDark{0x16, 0x04, 0x1a};
inline const QColor CabinetGold{0xf2, 0xcc, 0x5a};
inline const QColor CabinetGoldPale{0xff, 0xf0, 0xb0};
inline const QColor CabinetGlass{0xf7, 0xf0, 0xe1};  // the reel face: cream glass for dark text

// The palette of a cabinet dialog: plum window and buttons, pale gold text.
void ApplyCabinetLook(QWidget& dialog);

// The lacquered plum background with a gold rim, filling `area`.
void PaintCabinetBackground(QPainter& painter, const QRect& area);

// A cream glass panel with a gold rim, for text that is black or red.
void PaintGlassPanel(QPainter& painter, const QRect& area);

}  // namespace dialogs
