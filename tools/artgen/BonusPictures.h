// The bonus window's three 640 x 480 pictures: eight closed boxes on their hit
// areas with the invitation to pick one, the empty box, and the prize picture
// with a calm dark place for the prize the program writes onto it.
#pragma once

#include <QImage>
#include <QPainter>

namespace artwork {

// The stage all three pictures stand on.
void PaintBonusBackdrop(QPainter& painter);

// A closed gift box filling `area`, numbered 1..8.
void PaintClosedBox(QPainter& painter, const QRectF& area, int number);

// Each at 640 x 480, or `scale` times that size.
QImage BonusChoice(qreal scale = 1);  // bonus1: the eight closed boxes
QImage BonusEmpty(qreal scale = 1);   // bonus2: an empty box
QImage BonusPrize(qreal scale = 1);   // bonus3: the prize

}  // namespace artwork
