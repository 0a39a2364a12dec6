// The pictures the table needs at start-up: the replacements beside the
// program and the required symbol sheet, with what the player is told.
#pragma once

#include <QWidget>

#include "dialogs/MessageBoxes.h"
#include "pictures/PictureSet.h"
#include "table/Theme.h"

namespace table {

// Loads the replacement pictures and the symbol sheet from the theme's
// folder. A screen of fewer than 16 bits of colour is warned about; a missing
// or unusable sheet is told (where it was looked for) and gives false.
bool LoadTablePictures(pictures::PictureSet& pictures, const Theme& theme, int colourDepth,
                       dialogs::MessageBoxes& boxes, QWidget* owner);

}  // namespace table
