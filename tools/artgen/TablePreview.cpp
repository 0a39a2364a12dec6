#include "TablePreview.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "engine/Reels.h"

namespace preview {

namespace {

// Design coordinates for an 800-pixel screen to screen pixels, truncated.
struct Scale {
  int width;
  int operator()(int n) const {
    return static_cast<int>(static_cast<long double>(n) * (static_cast<double>(width) / 800.0));
  }
};

// A file in `dir` matched without regard to letter case.
QString FindFile(const QString& dir, const QString& name) {
  const QDir directory(dir);
  for (const QString& entry : directory.entryList(QDir::Files)) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return directory.filePath(entry);
  }
  return {};
}

void Replace(QImage* picture, const QString& dir, const QString& name) {
  const QString path = FindFile(dir, name);
  if (path.isEmpty()) return;
  QImage replacement(path);
  if (!replacement.isNull()) *picture = replacement;
}

void DrawCounter(QPainter& p, const TablePictures& pics, int screenWidth, int number, int x, int y,
                 bool rightAligned, bool green) {
  const QString text = QString::number(number).left(10);
  const int n = static_cast<int>(text.size());
  const bool large = screenWidth >= 1000;
  const int c = large ? 32 : 16, h = large ? 42 : 21;
  const QImage& strip = green ? (large ? pics.greenLarge : pics.greenSmall) : (large ? pics.redLarge : pics.redSmall);
  if (rightAligned) x -= n * c;
  p.fillRect(rightAligned ? QRect(x - c, y, (n + 1) * c, h) : QRect(x, y, (n + 1) * c, h), Qt::black);
  for (const QChar ch : text) {
    const int d = ch.digitValue();
    if (d >= 0) p.drawImage(QRect(x, y, c, h), strip, QRect(d * c, 0, c, h));
    x += c;
  }
}

}  // namespace

bool LoadTablePictures(const QString& assetDir, const QString& soundRoot, TablePictures* pics, QString* error) {
  pics->table = QImage(QStringLiteral(":/pictures/Image1.png"));
  pics->meter = QImage(QStringLiteral(":/pictures/BonusBMP.png"));
  pics->bet1 = QImage(QStringLiteral(":/pictures/Bet1But.png"));
  pics->bet5 = QImage(QStringLiteral(":/pictures/Bet5But.png"));
  pics->spin = QImage(QStringLiteral(":/pictures/SpinBut.png"));
  pics->redSmall = QImage(QStringLiteral(":/pictures/DigitsSmall.png"));
  pics->redLarge = QImage(QStringLiteral(":/pictures/DigitsLarge.png"));
  pics->greenSmall = QImage(QStringLiteral(":/pictures/GreenSmall.png"));
  pics->greenLarge = QImage(QStringLiteral(":/pictures/GreenLarge.png"));
  Replace(&pics->table, assetDir, QStringLiteral("tester.bmp"));
  Replace(&pics->meter, assetDir, QStringLiteral("bonusx.bmp"));
  Replace(&pics->bet1, assetDir, QStringLiteral("Bet1But.bmp"));
  Replace(&pics->bet5, assetDir, QStringLiteral("Bet5But.bmp"));
  Replace(&pics->spin, assetDir, QStringLiteral("SpinBut.bmp"));
  const QString sheet = FindFile(assetDir, soundRoot + QStringLiteral(".bmp"));
  pics->symbolSheet = sheet.isEmpty() ? QImage() : QImage(sheet);
  if (pics->symbolSheet.isNull()) {
    *error = QStringLiteral("Missing a file (%1.bmp) in %2").arg(soundRoot, assetDir);
    return false;
  }
  return true;
}

QImage ComposeTable(const TablePictures& pics, int screenWidth, const TableState& state) {
  const Scale s{screenWidth};
  QImage out(screenWidth, s(600), QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform);

  p.drawImage(QRect(0, 0, s(pics.table.width()), s(pics.table.height())), pics.table);

  const QImage sheet = pics.symbolSheet.scaled(s(pics.symbolSheet.width()), s(pics.symbolSheet.height()),
                                               Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const int cellSize = s(76), reelLeft = s(258), reelTop = s(272), pitch = s(104);
  auto drawPayline = [&] {
    p.fillRect(QRect(s(241), reelTop + cellSize + cellSize / 2, s(557) - s(241), 1), QColor(255, 0, 0));
  };
  for (int reel = 0; reel < 3; ++reel) {
    for (int row = 0; row < 3; ++row) {
      const int cell = engine::CellAt(reel, state.stops[static_cast<size_t>(reel)] + row);
      p.drawImage(QRect(reelLeft + reel * pitch, reelTop + row * cellSize, cellSize, cellSize), sheet,
                  QRect((cell % 4) * cellSize, (cell / 4) * cellSize, cellSize, cellSize));
    }
    drawPayline();
  }

  QFont labelFont(QStringLiteral("DejaVu Sans"));
  labelFont.setPixelSize(screenWidth < 900 ? 11 : 13);  // 8 or 10 points at 96 dots per inch
  p.setFont(labelFont);
  p.setPen(Qt::white);
  const QFontMetrics metrics(labelFont);
  auto label = [&](const QString& text, int x, bool rightAligned) {
    if (rightAligned) x -= metrics.horizontalAdvance(text);
    p.drawText(QRect(x, s(30), metrics.horizontalAdvance(text) + 2, metrics.height()), Qt::AlignLeft | Qt::AlignTop, text);
  };

  DrawCounter(p, pics, screenWidth, state.credits, s(620), s(44), true, true);
  p.fillRect(QRect(QPoint(s(320), s(44)), QPoint(s(450) - 1, s(70) - 1)), Qt::black);
  label(QStringLiteral("Coins"), s(250), false);
  DrawCounter(p, pics, screenWidth, state.coins, s(250), s(44), false, true);
  label(QStringLiteral("Credits"), s(620), true);
  label(QStringLiteral("Winnings"), s(440), true);

  const int level = std::clamp(state.meterLevel, 0, 12);
  const int left = s(578) + (s(656) - s(578) - 78) / 2, top = s(223) + (s(282) - s(223) - 59) / 2;
  p.drawImage(QPoint(left, top), pics.meter, QRect(0, (12 - level) * 59, 78, 59));
  drawPayline();

  auto button = [&](const QImage& picture, int y0, int y1) {
    const int half = pics.bet1.height() / 2;
    p.drawImage(QRect(QPoint(s(577), s(y0)), QPoint(s(655) - 1, s(y1) - 1)), picture,
                QRect(0, half, pics.bet1.width(), pics.bet1.height() - half));
  };
  button(pics.bet1, 362, 421);
  button(pics.bet5, 432, 491);
  button(pics.spin, 293, 352);
  p.end();
  return out;
}

}  // namespace preview
