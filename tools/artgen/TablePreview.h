#pragma once

// Composes the table the way the main window paints it, for theme makers to see
// a theme without starting the game.

#include <QImage>
#include <QString>
#include <array>

namespace preview {

struct TablePictures {
  QImage table, symbolSheet, meter, bet1, bet5, spin;
  QImage redSmall, redLarge, greenSmall, greenLarge;
};

// The built-in pictures, each replaced by its file in `assetDir` when present, and
// the required symbol sheet `soundRoot`.bmp. False and a message when the sheet is missing.
bool LoadTablePictures(const QString& assetDir, const QString& soundRoot, TablePictures* pictures, QString* error);

struct TableState {
  std::array<int, 3> stops{22, 14, 28};
  int credits = 1000;
  int coins = 0;
  int meterLevel = 0;
};

// The whole table as painted on a screen `screenWidth` pixels wide.
QImage ComposeTable(const TablePictures& pictures, int screenWidth, const TableState& state);

}  // namespace preview
