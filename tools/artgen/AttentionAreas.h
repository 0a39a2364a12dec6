// The three areas of the table that blink: the logo panel, the title plate and
// the bet-one sign. Each is drawn by one function with its lights on or off, so
// the lit copy inside the table and the dim picture agree pixel for pixel
// wherever no light falls.
#pragma once

#include <QImage>

namespace artwork {

// Each at its size in the table, or `scale` times it.
QImage LogoPanel(bool lit, qreal scale = 1);   // 302 x 165
QImage TitlePlate(bool lit, qreal scale = 1);  // 429 x 45
QImage BetSign(bool lit, qreal scale = 1);     // 84 x 85

// The positions of the marquee bulbs, in the area's own coordinates.
QList<QPointF> LogoPanelBulbs();
QList<QPointF> TitlePlateBulbs();
QList<QPointF> BetSignBulbs();

}  // namespace artwork
