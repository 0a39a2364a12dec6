// The borrow window's four amount buttons, 80 x 57 each: a dollar figure on a
// coloured oval set in a chrome bezel, $1,000 on blue, $100 on red, $10 on
// green and $1 on black.
#pragma once

#include <QImage>

namespace artwork {

// The button of tag 0 ($1,000) to 3 ($1), at `scale` times its size.
QImage AmountButton(int tag, qreal scale = 1);

}  // namespace artwork
