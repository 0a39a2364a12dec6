// The bonus window under the player's hand: boxes opened by clicks and keys,
// what each box pays, and the background's press.
#include "BonusWindowFixture.h"

namespace {

using namespace bonustest;
using dialogs::BonusWindow;
using dialogs::BonusWindowServices;
using dialogs::BonusWindowSetup;

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


}  // namespace
