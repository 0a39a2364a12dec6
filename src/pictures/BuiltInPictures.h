// The pictures compiled into the program: the table's, the bonus window's and
// the borrow window's built-in artwork. Only this layer knows where the resources are.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>

namespace pictures {

// A built-in picture of the table by its resource name ("TableBackground",
// "BonusMeterStrip", ...), opaque 32-bit; null for an unknown name.
QImage BuiltInTablePicture(const char* name);
// Where that picture sits among the resources; its variants sit beside it.
QString BuiltInTablePicturePath(const char* name);

// Built-in bonus picture 1 (the closed boxes), 2 (an empty box) or 3 (the
// prize), opaque 32-bit; null for another number.
QImage BuiltInBonusPicture(int number);
// Where that picture sits among the resources; its variants sit beside it.
QString BuiltInBonusPicturePath(int number);

// The borrow window's amount button of tag 0 ($1,000), 1 ($100), 2 ($10) or
// 3 ($1), opaque 32-bit; null for another tag.
QImage BuiltInAmountButton(int tag);
// Where that button's picture sits among the resources; empty for another tag.
QString BuiltInAmountButtonPath(int tag);

// The bytes of a built-in file (":/..."), empty when there is none. The
// program's pages they were copied from are handed back, so that pictures
// read once, the largest at start-up, do not stay resident for the game.
QByteArray BuiltInFileBytes(const QString& path);
// A built-in picture by its path among the resources, opaque 32-bit; null
// when there is none.
QImage BuiltInPictureAt(const QString& path);

// The program's icon (a plum on a gold coin) at every size it was drawn at.
QIcon ProgramIcon();

enum class MessageIconKind { Information, Warning, Error, Question };

// A message box's icon (a gold-rimmed badge, 40 x 40, transparent), with its
// sharper drawings for screens of two and four device pixels a pixel.
QIcon MessageIcon(MessageIconKind kind);

}  // namespace pictures
