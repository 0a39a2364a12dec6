// The reel in motion: 76 x 456, symbols smeared by speed on the reel's face, a
// vertical loop whose bottom row runs on into its top row.
#pragma once

#include <QImage>

namespace artwork {

QImage MotionStrip();

}  // namespace artwork
