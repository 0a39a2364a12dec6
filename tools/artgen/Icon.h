// The program's icon: a glossy plum on a gold coin, for the desktop's
// launcher and the window's title bar.
#pragma once

#include <QImage>

namespace artwork {

// Sizes the icon is drawn at for the hicolor icon theme, smallest first.
inline constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The icon as a square transparent picture of `size` pixels.
QImage ProgramIcon(int size);

}  // namespace artwork
