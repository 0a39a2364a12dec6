// Shared by the bonus window tests: the prizes and box areas, a fixture that
// opens the window on given services and records what it plays and tells.
#pragma once

#include <QAccessible>
#include <QFile>
#include <QTemporaryDir>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "dialogs/BonusWindow.h"

namespace bonustest {

using dialogs::BonusWindow;
using dialogs::BonusWindowServices;
using dialogs::BonusWindowSetup;

// Box 1 = 250, 2 empty, 3 = 100, 4 empty, 5 = 50, 6 = 10, 7 = 25, 8 = 50.
const engine::BonusPrizes Prizes{250, 0, 100, 0, 50, 10, 25, 50};

const QColor Yellow(255, 255, 0);

// Box areas as the picture's artist knows them: left, top, right, bottom, inclusive.
struct Area {
    int box, left, top, right, bottom;
};
const Area Areas[] = {
    {1, 400, 30, 485, 115}, {2, 400, 125, 485, 210}, {3, 400, 220, 485, 305}, {4, 400, 315, 485, 400},
    {5, 505, 30, 590, 115}, {6, 505, 125, 590, 210}, {7, 505, 220, 590, 305}, {8, 505, 315, 590, 400},
};

class BonusWindowTest : public ::testing::Test {
protected:
    BonusWindowServices Services()
    {
        BonusWindowServices services;
        services.playSoundEffect = [this](engine::Effect effect) { sounds.push_back(engine::EffectNumber(effect)); };
        services.random = [this](int32_t n) {
            randomRanges.push_back(n);
            return randomAnswer;
        };
        services.showInformation = [this](const QString& text) { messages.push_back(text); };
        services.picked = [this](int box) { picked.push_back(box); };
        return services;
    }

    // A window on a screen of the given size; 120 dpi keeps it at that size
    // (below 100 it would be maximised).
    std::unique_ptr<BonusWindow> Open(QSize screen = {640, 480}, int dpi = 120, const QString& assetDir = {},
                                      const engine::BonusPrizes& prizes = Prizes)
    {
        auto form = std::make_unique<BonusWindow>(prizes, BonusWindowSetup{assetDir, screen, dpi}, Services());
        // The opening sound has its own test; here it would only arrive when
        // the machine happens to be slow.
        form->OpeningSoundTimer.stop();
        return form;
    }

    // A press where the player clicks, in window coordinates; Qt finds the
    // control under it, as it does for a real click.
    static void PressAt(BonusWindow& form, QPoint windowPosition, Qt::MouseButton button = Qt::LeftButton)
    {
        if (!form.isVisible()) {
            form.show();
        }
        QTest::mousePress(form.windowHandle(), button, {}, windowPosition);
        QTest::mouseRelease(form.windowHandle(), button, {}, windowPosition);
    }

    static void PressInPicture(BonusWindow& form, QPoint picturePosition)
    {
        PressAt(form, form.ClosedBoxes.pos() + picturePosition);
    }

    // The prize the rules pay for the box told at the close (-1 before it).
    int32_t Paid(const engine::BonusPrizes& prizes = Prizes) const
    {
        if (picked.empty()) return -1;
        return picked.back() == 0 ? 0 : std::max(prizes[static_cast<size_t>(picked.back() - 1)], 0);
    }

    std::vector<int> picked;  // the boxes told at each close
    std::vector<int> sounds;
    std::vector<int32_t> randomRanges;
    int32_t randomAnswer = 0;
    std::vector<QString> messages;
};

// Which box the window opened, told by what it showed and paid.
inline int OpenedBox(const BonusWindow& form, const engine::BonusPrizes& prizes)
{
    if (!form.BoxOpened()) return 0;
    for (int box = 1; box <= 8; ++box) {
        if (prizes[static_cast<size_t>(box - 1)] == form.PickedPrize() && form.PickedPrize() > 0) return box;
    }
    return -1;
}

// Pixels that differ between two pictures of the same size.
inline QRect ChangedArea(const QImage& before, const QImage& after)
{
    QRect changed;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        }
    }
    return changed;
}

inline int CountColour(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (image.pixelColor(x, y) == colour) ++count;
        }
    }
    return count;
}

inline void WriteBitmap(const QString& path, QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

}  // namespace bonustest
