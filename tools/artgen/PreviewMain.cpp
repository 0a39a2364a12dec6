// plumfizz-preview: the table as the game paints it, with the built-in pictures
// and the theme files found beside the program (or in the given directory).
//
//   plumfizz-preview <out.png> [screen width, default 800] [asset directory]

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSettings>
#include <cstdio>

#include "TablePreview.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  bool widthOk = true;
  const int width = args.size() > 2 ? args[2].toInt(&widthOk) : 800;
  if (args.size() < 2 || args.size() > 4 || !widthOk || width < 320 || width > 10000) {
    std::fprintf(stderr, "usage: plumfizz-preview <out.png> [screen width 320..10000] [asset directory]\n");
    return 2;
  }
  const QString assetDir = args.size() > 3 ? args[3] : QCoreApplication::applicationDirPath();
  // A theme's Testing.ini may name another root for its symbol sheet.
  QString soundRoot = QStringLiteral("Plum");
  const QString ini = QDir(assetDir).filePath(QStringLiteral("Testing.ini"));
  if (QFileInfo::exists(ini)) {
    soundRoot = QSettings(ini, QSettings::IniFormat).value(QStringLiteral("Settings/SoundRoot"), soundRoot).toString();
  }
  preview::TablePictures pictures;
  QString error;
  if (!preview::LoadTablePictures(assetDir, soundRoot, &pictures, &error)) {
    std::fprintf(stderr, "plumfizz-preview: %s\n", qPrintable(error));
    return 1;
  }
  const QImage table = preview::ComposeTable(pictures, width, preview::TableState{});
  if (!table.save(args[1])) {
    std::fprintf(stderr, "plumfizz-preview: cannot write %s\n", qPrintable(args[1]));
    return 1;
  }
  return 0;
}
