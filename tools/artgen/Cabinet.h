// The table: the 800 x 600 background the program stretches over the window,
// a plum and gold cabinet built around the places where the program draws the
// reels, counters, meter and buttons, with its three attention areas lit.
#pragma once

#include <QImage>

namespace artwork {

// The table, or `scale` times its size with the blinking areas at `scale` times their places.
QImage Table(qreal scale = 1);

}  // namespace artwork
