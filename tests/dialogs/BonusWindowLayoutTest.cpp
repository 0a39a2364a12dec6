// The bonus window's pictures and life: the prize text, the layout on other
// screens and pictures, the opening sound, its closing and how it opens.
#include "BonusWindowFixture.h"

namespace {

using namespace bonustest;
using dialogs::BonusWindow;
using dialogs::BonusWindowServices;
using dialogs::BonusWindowSetup;

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
