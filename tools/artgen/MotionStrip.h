// The reel in motion: 76 x 456, symbols smeared by speed on the reel's face, a
// vertical loop whose bottom row runs on into its top row.
#pragma once

#include <QImage>

namespace artwork {

// At `scale` times the size, each cell `scale` times 76 x 76 at `scale` times its place.
QImage MotionStrip(qreal scale = 1);

}  // namespace artwork
