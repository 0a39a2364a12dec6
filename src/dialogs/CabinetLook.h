// The windows' cabinet look: plum lacquer, gold lettering and a gold rim,
// one type family and one button style, so that every window and box reads as
// part of the machine it opens from.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

namespace dialogs {

inline const QColor CabinetPlum{0x3a, 0x08, 0x44};
inline const QColor CabinetPlumDark{0x16, 0x04, 0x1a};
inline const QColor CabinetGold{0xf2, 0xcc, 0x5a};
inline const QColor CabinetGoldPale{0xff, 0xf0, 0xb0};
inline const QColor CabinetGlass{0xf7, 0xf0, 0xe1};  // the reel face: cream glass for dark text

// The cabinet's type: one family at three sizes; buttons are bold.
inline constexpr int CabinetTextPoints = 10;
inline constexpr int CabinetSmallPoints = 8;
inline constexpr int CabinetHeadingPoints = 14;
QFont CabinetFont(int points = CabinetTextPoints, bool bold = false);

// The look of a cabinet window: plum window and pale gold text, the font,
// and plum buttons with a gold rim, brighter under the mouse, a double rim
// for the default button, a pale rim with the focus and dim when disabled.
// Windows and boxes it owns take the same look.
void ApplyCabinetLook(QWidget& window);

// The least width of a window whose title bar shows `caption` whole: the
// caption in a bold title font, and room for the frame's buttons.
int CaptionMinimumWidth(const QString& caption);

// The lacquered plum background with a gold rim, filling `area`.
void PaintCabinetBackground(QPainter& painter, const QRect& area);

// A cream glass panel with a gold rim, for text that is black or red.
void PaintGlassPanel(QPainter& painter, const QRect& area);

}  // namespace dialogs
