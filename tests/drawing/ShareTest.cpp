// The counters' digits and the bonus meter keep their share of the table at
// every width and density, measured on the table drawn from the built-in pictures.
#include <gtest/gtest.h>

#include <cstdio>

#include "drawing/TableSurface.h"
#include "pictures/DigitCounter.h"
#include "pictures/PictureSet.h"
#include "pictures/TableLayout.h"

namespace layout = pictures::layout;

namespace {

constexpr QRgb Backdrop = 0xffff00ffu;  // a background colour no picture of the table uses

// The built-in pictures over a plain background, with a plain symbol sheet.
pictures::PictureSet PlainSet()
{
    pictures::PictureSet set = pictures::PictureSet::BuiltIn();
    set.tableBackground = QImage(layout::TableSize, QImage::Format_RGB32);
    set.tableBackground.fill(Backdrop);
    // Put in by hand: drawn from itself, never from the built-in variants.
    std::erase_if(set.origins, [](const auto& origin) { return origin.first == &pictures::PictureSet::tableBackground; });
    set.symbolSheet = QImage(layout::SymbolSheetSize, QImage::Format_RGB32);
    set.symbolSheet.fill(qRgb(40, 50, 60));
    return set;
}

bool LitGreen(QRgb p)
{
    return qGreen(p) > 128 && qGreen(p) > qRed(p) + 40;
}

// The rows from the first to the last holding a lit green pixel within `area`.
int LitRows(const QImage& image, const QRect& area)
{
    int first = -1;
    int last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (LitGreen(image.pixel(x, y))) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// The part of a rectangle of the table that is not the plain background.
double Covered(const QImage& image, const QRect& area)
{
    int covered = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) covered += image.pixel(x, y) != Backdrop ? 1 : 0;
    }
    return double(covered) / (area.width() * area.height());
}

struct Shares {
    double digits;  // the lit height of an 8 over the table's height
    double meter;   // the meter's part of its box
};

// The table laid out `width` logical pixels wide at `ratio`, measured in surface pixels.
Shares Measure(const pictures::PictureSet& set, int width, double ratio)
{
    drawing::TableSurface surface(set);
    surface.Place(QSize(width, width * 3 / 4), ratio);
    play::TableShown table;
    table.stops = {1, 1, 1};
    table.credits = 8;
    table.meter = 12;
    surface.DrawTable(table);
    const QImage& image = surface.Image();
    const auto device = [&](int design) { return pictures::ToDevicePixels(surface.Scale().Scaled(design), ratio); };
    // The Credits figure lies between the Winnings figure's end and its own anchor.
    const QRect credits(QPoint(device(layout::WinningsRight), 0),
                        QPoint(device(layout::CreditsRight) - 1, device(layout::ReelTop) - 1));
    const QRect box(QPoint(device(layout::MeterBox.left()), device(layout::MeterBox.top())),
                    QPoint(device(layout::MeterBox.right() + 1) - 1, device(layout::MeterBox.bottom() + 1) - 1));
    return {double(LitRows(image, credits)) / image.height(), Covered(image, box)};
}

// What the digits show at the width their strip is drawn for: the small
// cells on an 800-wide table, the large ones on a 1024-wide one.
double DesignDigitShare(const pictures::PictureSet& set, bool large)
{
    const QImage& strip = large ? set.largeGreenDigits : set.smallGreenDigits;
    const QSize cell = large ? layout::LargeDigitCell : layout::SmallDigitCell;
    const int tableHeight = large ? 768 : 600;
    return double(LitRows(strip, QRect(QPoint(8 * cell.width(), 0), cell))) / tableHeight;
}

}  // namespace

TEST(Shares, DigitsAndMeterKeepTheirPartOfTheTableAtEveryWidthAndDensity)
{
    const pictures::PictureSet set = PlainSet();
    struct Case {
        int width;
        double ratio;
    };
    for (const Case c : {Case{800, 1.0}, Case{1024, 1.0}, Case{1440, 1.0}, Case{2880, 1.0}, Case{3840, 1.0},
                         Case{1024, 2.0}, Case{1440, 2.0}}) {
        const Shares shares = Measure(set, c.width, c.ratio);
        const double design = DesignDigitShare(set, pictures::UsesLargeDigits(c.width));
        ASSERT_GT(design, 0.0);
        const double digits = shares.digits / design;
        // At the design size the meter's slice is its box.
        const double meter = shares.meter;
        std::printf("%5d at %.0fx: digits %.2f of their design share, meter %.2f of its box\n", c.width, c.ratio,
                    digits, meter);
        EXPECT_NEAR(digits, 1.0, 0.15) << c.width << " at " << c.ratio;
        EXPECT_NEAR(meter, 1.0, 0.15) << c.width << " at " << c.ratio;
    }
}
