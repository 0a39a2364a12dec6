// The payoff chart file: the pay table a player reads at a glance, the symbols
// drawn, the payout for one to five coins, and a line each on the bonus meter and
// on the Up and Down symbols.
#pragma once

#include <QImage>

namespace artwork {

// The 600 x 540 chart, or `scale` times that size.
QImage PayChart(qreal scale = 1);

}  // namespace artwork
