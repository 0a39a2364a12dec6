// The digit counter drawn onto a surface of its own.
#include <gtest/gtest.h>

#include "SyntheticPictures.h"
#include "pictures/DigitCounter.h"

using namespace picturetest;

TEST(Counters, DrawCounterWorksOnAnyImage)
{
    // The borrow dialog draws its own figures; a small image clips them.
    const pictures::PictureSet set = Synthetic();
    QImage dialog(100, 30, QImage::Format_RGB32);
    dialog.fill(qRgb(7, 7, 7));
    const QRect changed = pictures::DrawCounter(dialog, set, 800, 123456789, 90, 5, true, false);
    EXPECT_EQ(changed, QRect(0, 5, 90, 21));
    EXPECT_EQ(ReadDigits(dialog, 90 - 5 * 16, 5, 5, false, false), "56789");
    EXPECT_EQ(dialog.pixel(95, 10), qRgb(7, 7, 7));
}
