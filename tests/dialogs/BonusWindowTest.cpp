// The bonus window under real mouse and key events: which box opens and what it pays, the prize
// text, the layout on any screen, the timers and sound, and every way of closing.
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

namespace {

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
int OpenedBox(const BonusWindow& form, const engine::BonusPrizes& prizes)
{
    if (!form.BoxOpened()) return 0;
    for (int box = 1; box <= 8; ++box) {
        if (prizes[static_cast<size_t>(box - 1)] == form.PickedPrize() && form.PickedPrize() > 0) return box;
    }
    return -1;
}

// Pixels that differ between two pictures of the same size.
QRect ChangedArea(const QImage& before, const QImage& after)
{
    QRect changed;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        }
    }
    return changed;
}

int CountColour(const QImage& image, const QRect& area, const QColor& colour)
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

void WriteBitmap(const QString& path, QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

TEST_F(BonusWindowTest, EachCornerOfEachBoxOpensThatBox)
{
    // Distinct prizes so the prize tells the box.
    const engine::BonusPrizes distinct{11, 12, 13, 14, 15, 16, 17, 18};
    for (const Area& a : Areas) {
        for (const QPoint corner :
             {QPoint(a.left, a.top), QPoint(a.right, a.top), QPoint(a.left, a.bottom), QPoint(a.right, a.bottom)}) {
            auto form = Open({640, 480}, 120, {}, distinct);
            PressInPicture(*form, corner);
            EXPECT_EQ(OpenedBox(*form, distinct), a.box) << "corner " << corner.x() << "," << corner.y();
            EXPECT_EQ(BonusWindow::BoxAt(corner), a.box);
        }
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(BonusWindowTest, PressesInGapsOrOnTheLeftOpenNothingAndSayNothing)
{
    const QPoint misses[] = {
        {399, 30},  {486, 30},  {504, 30},  {591, 30},   // beside the columns and between them
        {400, 29},  {400, 116}, {400, 124}, {505, 211},  // above the first row, between rows
        {505, 219}, {590, 401}, {10, 10},   {200, 240},  // below the last row, the left of the picture
        {639, 479},
    };
    auto form = Open();
    for (const QPoint p : misses) {
        PressInPicture(*form, p);
        EXPECT_EQ(BonusWindow::BoxAt(p), 0) << p.x() << "," << p.y();
    }
    EXPECT_FALSE(form->BoxOpened());
    EXPECT_FALSE(form->ClosedBoxes.isHidden());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(sounds.empty());
    EXPECT_FALSE(form->CloseTimer.isActive());
}

TEST_F(BonusWindowTest, BackgroundPressAsksForABoxThenClosesOnceOneIsOpen)
{
    auto form = Open({1024, 768});
    PressAt(*form, {5, 5}, Qt::RightButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Click on one of the Boxes!"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->BoxOpened());

    PressInPicture(*form, {450, 250});  // box 3: 100
    ASSERT_TRUE(form->isVisible());
    EXPECT_TRUE(form->CloseTimer.isActive());

    // A press on the prize picture itself does nothing.
    PressInPicture(*form, {20, 20});
    EXPECT_TRUE(form->isVisible());

    PressAt(*form, {1000, 700});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_FALSE(form->CloseTimer.isActive());
    EXPECT_EQ(Paid(), 100);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(BonusWindowTest, EmptyBoxPaysNothingAndClosesOnTheTimer)
{
    auto form = Open();
    PressInPicture(*form, {450, 150});  // box 2: empty
    EXPECT_FALSE(form->EmptyBox.isHidden());
    EXPECT_TRUE(form->PrizePicture.isHidden());
    EXPECT_TRUE(form->ClosedBoxes.isHidden());
    EXPECT_EQ(sounds, std::vector<int>{4});
    EXPECT_EQ(form->PickedPrize(), 0);
    EXPECT_TRUE(form->CloseTimer.isActive());
    EXPECT_EQ(form->CloseTimer.interval(), 3000);

    // The closed boxes are gone: a press where a box stood opens nothing.
    PressInPicture(*form, {450, 50});
    EXPECT_EQ(form->PickedPrize(), 0);

    form->CloseTick();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(picked, std::vector<int>{2});
    EXPECT_EQ(Paid(), 0);
}

TEST_F(BonusWindowTest, LetterKeysOpenMoreBoxesAndTheLastPrizeWins)
{
    auto form = Open();
    PressInPicture(*form, {450, 340});       // box 4: empty
    QTest::keyClick(form.get(), Qt::Key_N);  // box 1: 250
    EXPECT_EQ(form->PickedPrize(), 250);
    QTest::keyClick(form.get(), Qt::Key_E);  // box 5: 50
    QTest::keyClick(form.get(), Qt::Key_Y);  // box 4: empty, lowers nothing
    EXPECT_EQ(form->PickedPrize(), 50);
    EXPECT_EQ(form->PaidBox(), 5);
    EXPECT_FALSE(form->PrizePicture.isHidden());  // the prize picture stays on top
    EXPECT_EQ(sounds, (std::vector<int>{4, 5, 5, 4}));
    EXPECT_TRUE(picked.empty());  // nothing is told before closing

    form->CloseTick();
    EXPECT_EQ(picked, std::vector<int>{5});
    EXPECT_EQ(Paid(), 50);
}

TEST_F(BonusWindowTest, EachLetterKeyOpensItsBoxWithOrWithoutShift)
{
    const engine::BonusPrizes distinct{11, 12, 13, 14, 15, 16, 17, 18};
    const struct {
        Qt::Key key;
        int box;
    } keys[] = {{Qt::Key_A, 7}, {Qt::Key_E, 5}, {Qt::Key_N, 1}, {Qt::Key_R, 7}, {Qt::Key_W, 3}, {Qt::Key_Y, 4}};
    for (const auto& k : keys) {
        for (const Qt::KeyboardModifiers modifiers :
             {Qt::KeyboardModifiers{}, Qt::KeyboardModifiers{Qt::ShiftModifier}}) {
            auto form = Open({640, 480}, 120, {}, distinct);
            QTest::keyClick(form.get(), k.key, modifiers);
            EXPECT_EQ(OpenedBox(*form, distinct), k.box) << QTest::toString(k.key);
        }
    }
}

TEST_F(BonusWindowTest, OtherKeysAndEscapeDoNothing)
{
    auto form = Open();
    form->show();
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_B, Qt::Key_Z, Qt::Key_1, Qt::Key_F4, Qt::Key_Tab}) {
        QTest::keyClick(form.get(), key);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->BoxOpened());
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(randomRanges.empty());
}

TEST_F(BonusWindowTest, EnterOrSpaceOpensARandomBoxOnlyWhileChoosing)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        randomRanges.clear();
        randomAnswer = 5;  // box 6: 10
        auto form = Open();
        QTest::keyClick(form.get(), key);
        EXPECT_EQ(randomRanges, std::vector<int32_t>{8});
        EXPECT_EQ(form->PickedPrize(), 10);

        randomAnswer = 0;  // box 1 would pay 250
        QTest::keyClick(form.get(), key);
        EXPECT_EQ(randomRanges.size(), 1u);
        EXPECT_EQ(form->PickedPrize(), 10);
    }
    randomAnswer = 7;  // the last box is reachable
    auto form = Open();
    QTest::keyClick(form.get(), Qt::Key_Space);
    EXPECT_EQ(form->PickedPrize(), 50);
}

TEST_F(BonusWindowTest, PrizeTextIsYellowWithItsTopAt40And200)
{
    auto form = Open();
    const QImage before = form->PrizePicture.Picture();
    ASSERT_EQ(before.size(), QSize(640, 480));
    QTest::keyClick(form.get(), Qt::Key_N);  // 250
    const QImage after = form->PrizePicture.Picture();

    const QRect changed = ChangedArea(before, after);
    ASSERT_FALSE(changed.isEmpty());
    // Text, not a baseline: nothing above y 200 or left of x 40, and the
    // 32-pixel letters start just below the top.
    EXPECT_GE(changed.left(), 40);
    EXPECT_LE(changed.left(), 46);
    EXPECT_GE(changed.top(), 200);
    EXPECT_LE(changed.top(), 212);
    EXPECT_LE(changed.bottom(), 245);
    // "250 Credits!" in bold 32-pixel letters is wide.
    EXPECT_GE(changed.width(), 150);
    EXPECT_GT(CountColour(after, changed, Yellow), 200);
    EXPECT_EQ(CountColour(before, changed, Yellow), 0);

    // And it is what the player sees, at the picture's place in the window.
    form->show();
    const QImage shown = form->grab().toImage();
    EXPECT_GT(CountColour(shown, changed.translated(form->ClosedBoxes.pos()), Yellow), 200);
}

TEST_F(BonusWindowTest, PrizeTextFollowsTheLogicalResolution)
{
    auto at96 = Open({640, 480}, 120);
    const QImage plain = at96->PrizePicture.Picture();
    QTest::keyClick(at96.get(), Qt::Key_N);
    const QRect small = ChangedArea(plain, at96->PrizePicture.Picture());

    auto at144 = Open({640, 480}, 144);
    QTest::keyClick(at144.get(), Qt::Key_N);
    const QRect large = ChangedArea(plain, at144->PrizePicture.Picture());
    EXPECT_GT(large.height(), small.height());
    EXPECT_GT(large.width(), small.width());
}

TEST_F(BonusWindowTest, ALaterPrizeReplacesTheEarlierText)
{
    auto twice = Open();
    QTest::keyClick(twice.get(), Qt::Key_N);  // 250
    QTest::keyClick(twice.get(), Qt::Key_E);  // 50
    auto once = Open();
    QTest::keyClick(once.get(), Qt::Key_E);
    EXPECT_EQ(twice->PrizePicture.Picture(), once->PrizePicture.Picture());
}

TEST_F(BonusWindowTest, LargerScreenCentresThePictureAndMovesTheBoxes)
{
    auto form = Open({1024, 768});
    EXPECT_EQ(form->size(), QSize(1024, 768));
    EXPECT_EQ(form->ClosedBoxes.geometry(), QRect(192, 144, 640, 480));
    EXPECT_EQ(form->EmptyBox.pos(), QPoint(192, 144));
    EXPECT_EQ(form->PrizePicture.pos(), QPoint(192, 144));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));

    // Where box 1 stands on a 640 × 480 screen is black background here.
    PressAt(*form, {400, 30});
    EXPECT_FALSE(form->BoxOpened());
    EXPECT_EQ(messages.size(), 1u);

    PressAt(*form, {192 + 400, 144 + 30});
    EXPECT_EQ(form->PickedPrize(), 250);

    // The background around the picture is black.
    const QImage shown = form->grab().toImage();
    EXPECT_EQ(shown.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(1000, 750), QColor(Qt::black));
}

TEST_F(BonusWindowTest, LowResolutionMaximisesAndCentresInTheRealClientArea)
{
    auto maximised = Open({1024, 768}, 96);
    EXPECT_TRUE(maximised->windowState().testFlag(Qt::WindowMaximized));
    maximised->show();
    const QSize client = maximised->size();
    EXPECT_EQ(maximised->ClosedBoxes.pos(), QPoint((client.width() - 640) / 2, (client.height() - 480) / 2));

    auto normal = Open({1024, 768}, 100);
    EXPECT_FALSE(normal->windowState().testFlag(Qt::WindowMaximized));

    // No resolution reported: the window keeps the recorded screen's size.
    auto unknown = Open({1024, 768}, 0);
    EXPECT_FALSE(unknown->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(unknown->size(), QSize(1024, 768));
}

TEST_F(BonusWindowTest, ReplacementPictureOfAnotherSizeKeepsTheBoxesAtPictureCoordinates)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBitmap(dir.filePath(QStringLiteral("Bonus1.BMP")), {700, 500}, QColor(0, 0, 200));
    // Not a bitmap: the built-in empty-box picture stays.
    QFile broken(dir.filePath(QStringLiteral("bonus2.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really a bitmap");
    broken.close();

    auto form = Open({1024, 768}, 120, dir.path());
    EXPECT_EQ(form->ClosedBoxes.geometry(), QRect((1024 - 700) / 2, (768 - 500) / 2, 700, 500));
    EXPECT_EQ(form->ClosedBoxes.Picture().pixelColor(650, 490), QColor(0, 0, 200));
    EXPECT_EQ(form->EmptyBox.size(), QSize(640, 480));
    EXPECT_EQ(form->EmptyBox.pos(), form->ClosedBoxes.pos());
    EXPECT_EQ(form->PrizePicture.pos(), form->ClosedBoxes.pos());

    PressInPicture(*form, {650, 450});  // inside the larger picture, outside every box
    EXPECT_FALSE(form->BoxOpened());
    EXPECT_TRUE(messages.empty());
    PressInPicture(*form, {590, 400});  // box 8: 50
    EXPECT_EQ(form->PickedPrize(), 50);
}

TEST_F(BonusWindowTest, PictureLargerThanTheScreenIsCentredToo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBitmap(dir.filePath(QStringLiteral("bonus1.bmp")), {801, 601}, QColor(0, 120, 0));
    auto form = Open({640, 480}, 120, dir.path());
    EXPECT_EQ(form->ClosedBoxes.pos(), QPoint(-80, -60));  // truncated toward zero
    PressInPicture(*form, {590, 400});                     // box 8: 50
    EXPECT_EQ(form->PickedPrize(), 50);
    // Box 1 lies above the window's top edge: out of reach of the mouse.
    EXPECT_LT(form->ClosedBoxes.pos().y() + 30, 0);
}

TEST_F(BonusWindowTest, OpeningSoundPlaysOnceAfter200Ms)
{
    auto form = std::make_unique<BonusWindow>(Prizes, BonusWindowSetup{{}, {640, 480}, 120}, Services());
    EXPECT_TRUE(form->OpeningSoundTimer.isActive());
    EXPECT_EQ(form->OpeningSoundTimer.interval(), 200);
    EXPECT_FALSE(form->CloseTimer.isActive());
    form->OpeningSoundTick();
    EXPECT_FALSE(form->OpeningSoundTimer.isActive());
    EXPECT_EQ(sounds, std::vector<int>{7});
}

TEST_F(BonusWindowTest, CloseRequestWhileChoosingStillOpensABox)
{
    randomAnswer = 2;  // box 3: 100
    auto form = Open();
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->PickedPrize(), 100);
    EXPECT_EQ(Paid(), 100);
}

TEST_F(BonusWindowTest, FinishNowKeepsAnOpenedBoxAndCountsOnce)
{
    auto form = Open();
    form->show();
    QTest::keyClick(form.get(), Qt::Key_W);  // box 3: 100
    form->FinishNow();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(randomRanges.empty());
    EXPECT_EQ(Paid(), 100);

    // Late ticks and a second close change nothing, and tell nothing more.
    form->CloseTick();
    form->FinishNow();
    QTest::keyClick(form.get(), Qt::Key_N);
    EXPECT_EQ(picked, std::vector<int>{3});
}

TEST_F(BonusWindowTest, OpenedOverTheTableWithoutALoopOfItsOwn)
{
    randomAnswer = 0;  // box 1: 250
    QPointer<BonusWindow> open = dialogs::OpenBonusWindow(Prizes, BonusWindowSetup{{}, {640, 480}, 120}, Services(), nullptr);
    ASSERT_FALSE(open.isNull());
    EXPECT_TRUE(open->isModal());
    EXPECT_TRUE(open->isVisible());
    EXPECT_TRUE(picked.empty());
    open->FinishNow();
    EXPECT_EQ(picked, std::vector<int>{1});
    // It deletes itself once its loop comes round.
    for (int i = 0; i < 10 && !open.isNull(); ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(open.isNull());
}

TEST_F(BonusWindowTest, AOneCreditPrizeIsPaid)
{
    auto one = Open({640, 480}, 120, {}, engine::BonusPrizes{1, 0, 0, 0, 0, 0, 0, 0});
    QTest::keyClick(one.get(), Qt::Key_N);
    one->CloseTick();
    EXPECT_EQ(Paid(engine::BonusPrizes{1, 0, 0, 0, 0, 0, 0, 0}), 1);
}

TEST_F(BonusWindowTest, AScreenReadersPressOfABoxIsAClickOnIt)
{
    auto clicked = Open();
    PressInPicture(*clicked, {450, 150});  // box 2: empty
    const std::vector<int> clickSounds = sounds;
    sounds.clear();

    auto form = Open();
    form->show();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    ASSERT_NE(window, nullptr);
    std::vector<QAccessibleInterface*> boxes;
    for (int k = 0; k < window->childCount(); ++k) {
        QAccessibleInterface* child = window->child(k);
        EXPECT_EQ(window->indexOfChild(child), k);
        if (child->role() == QAccessible::Button) boxes.push_back(child);
    }
    ASSERT_EQ(boxes.size(), 8u);
    for (int box = 1; box <= 8; ++box) {
        QAccessibleInterface* iface = boxes[static_cast<size_t>(box - 1)];
        EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Box %1").arg(box));
        EXPECT_EQ(window->childAt(iface->rect().center().x(), iface->rect().center().y()), iface);
        EXPECT_EQ(BonusWindow::BoxAt(form->ClosedBoxes.mapFromGlobal(iface->rect().center())), box);
    }

    QAccessibleActionInterface* press = boxes[1]->actionInterface();
    ASSERT_NE(press, nullptr);
    ASSERT_EQ(press->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    press->doAction(QAccessibleActionInterface::pressAction());
    // Not inside the screen reader's call: the click comes with the next events.
    EXPECT_FALSE(form->BoxOpened());
    QCoreApplication::processEvents();
    EXPECT_EQ(form->OpenedBox(), clicked->OpenedBox());
    EXPECT_EQ(sounds, clickSounds);
    EXPECT_EQ(form->ClosedBoxes.isHidden(), clicked->ClosedBoxes.isHidden());
    EXPECT_EQ(form->EmptyBox.isHidden(), clicked->EmptyBox.isHidden());
    EXPECT_EQ(form->CloseTimer.isActive(), clicked->CloseTimer.isActive());
    EXPECT_EQ(boxes[1]->text(QAccessible::Name), QStringLiteral("Box 2, empty"));

    // As a click on the boxes would, a press once one is open does nothing.
    QAccessibleActionInterface* late = boxes[0]->actionInterface();
    EXPECT_TRUE(late->actionNames().isEmpty());
    EXPECT_TRUE(boxes[0]->state().disabled);
    late->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(form->OpenedBox(), 2);
    QTest::keyClick(form.get(), Qt::Key_N);  // box 1: 250
    EXPECT_EQ(boxes[0]->text(QAccessible::Name), QStringLiteral("Box 1, 250 credits"));
}

}  // namespace
