// The synthetic pictures and the reading back of drawn digits.
#include "SyntheticPictures.h"

#include <QPainter>

namespace picturetest {

QImage SymbolSheet(int size)
{
    QImage sheet(size, size, QImage::Format_RGB32);
    const int cell = size / 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            sheet.setPixel(x, y, CellColour((y / cell) * 4 + x / cell));
        }
    }
    return sheet;
}

QImage MotionStrip(int w, int h)
{
    QImage strip(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            strip.setPixel(x, y, MotionRowColour(y));
        }
    }
    return strip;
}

QImage Background(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, BackgroundColour(x, y));
        }
    }
    return image;
}

QImage DigitStrip(bool green, bool large)
{
    const int c = large ? 32 : 16;
    const int h = large ? 42 : 21;
    QImage strip(large ? 376 : 188, h, QImage::Format_RGB32);
    strip.fill(qRgb(1, 2, 3));  // the blank and colon cells
    QPainter painter(&strip);
    for (int d = 0; d < 10; ++d) {
        painter.fillRect(d * c, 0, c, h, QColor::fromRgb(DigitColour(d, green, large)));
    }
    return strip;
}

QImage Meter()
{
    QImage meter(78, 767, QImage::Format_RGB32);
    QPainter painter(&meter);
    for (int level = 0; level <= 12; ++level) {
        painter.fillRect(0, (12 - level) * 59, 78, 59, QColor::fromRgb(MeterColour(level)));
    }
    return meter;
}

QImage Button(int button)
{
    QImage image(78, 118, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 78, 59, QColor::fromRgb(ButtonColour(button, 0)));
    painter.fillRect(0, 59, 78, 59, QColor::fromRgb(ButtonColour(button, 1)));
    return image;
}

pictures::PictureSet Synthetic()
{
    pictures::PictureSet set;
    set.tableBackground = Background();
    set.motionStrip = MotionStrip();
    set.symbolSheet = SymbolSheet();
    set.bonusMeterStrip = Meter();
    set.betOneButtonStrip = Button(0);
    set.betFiveButtonStrip = Button(1);
    set.spinButtonStrip = Button(2);
    set.unlitLogoPanel = Solid(302, 165, DimColour(0));
    set.unlitTitlePlate = Solid(429, 45, DimColour(1));
    set.unlitBetSign = Solid(84, 85, DimColour(2));
    set.smallRedDigits = DigitStrip(false, false);
    set.smallGreenDigits = DigitStrip(true, false);
    set.largeRedDigits = DigitStrip(false, true);
    set.largeGreenDigits = DigitStrip(true, true);
    return set;
}

bool IsRed(QRgb c)
{
    return (c & 0xffffffu) == 0xff0000u;
}

QString ReadDigits(const QImage& surface, int x, int y, int count, bool green, bool large)
{
    const int c = large ? 32 : 16;
    const int h = large ? 42 : 21;
    QString text;
    for (int i = 0; i < count; ++i) {
        // Every pixel of the cell must agree, so a shifted cell is caught.
        const QRgb first = surface.pixel(x + i * c, y);
        bool uniform = true;
        for (int yy = y; yy < y + h && uniform; ++yy) {
            for (int xx = x + i * c; xx < x + (i + 1) * c; ++xx) {
                if (surface.pixel(xx, yy) != first) {
                    uniform = false;
                    break;
                }
            }
        }
        QChar ch = QLatin1Char('?');
        if (uniform && (first & 0xffffffu) == 0) {
            ch = QLatin1Char(' ');
        }
        for (int d = 0; d < 10 && uniform; ++d) {
            if (first == DigitColour(d, green, large)) {
                ch = QLatin1Char(static_cast<char>('0' + d));
            }
        }
        text += ch;
    }
    return text;
}

}  // namespace picturetest
