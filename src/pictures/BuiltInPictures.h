// The pictures compiled into the program: the table's and the bonus window's
// built-in artwork. Only this layer knows where the resources are.
#pragma once

#include <QImage>

namespace pictures {

// A built-in picture of the table by its resource name ("TableBackground",
// "BonusMeterStrip", ...), opaque 32-bit; null when the program was built
// without its artwork.
QImage BuiltInTablePicture(const char* name);

// Built-in bonus picture 1 (the closed boxes), 2 (an empty box) or 3 (the
// prize); null when the program was built without its artwork.
QImage BuiltInBonusPicture(int number);

}  // namespace pictures
