// The three push buttons, each 78 x 118: the dim state in the upper half and the
// lit state in the lower half, the same button with its light off and on.
#pragma once

#include <QImage>

namespace artwork {

enum class ButtonKind { BetOne, BetFive, Spin };

// One state (78 x 59) of a button, or `scale` times that size.
QImage ButtonFace(ButtonKind kind, bool lit, qreal scale = 1);

// Both states stacked: dim above, lit below, each half `scale` times 78 x 59.
QImage Button(ButtonKind kind, qreal scale = 1);

}  // namespace artwork
