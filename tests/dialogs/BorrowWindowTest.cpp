// The borrow window: the amounts its buttons move, the refusals and their
// texts, the 32-bit ceiling, the counters it paints and its keys.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "dialogs/BorrowWindow.h"
#include "pictures/PictureSet.h"

namespace {

using dialogs::BorrowWindow;

constexpr int32_t Largest = std::numeric_limits<int32_t>::max();

class BorrowWindowTest : public ::testing::Test {
protected:
    // The table's own digit strips; 800 wide gives the 16 × 21 cells.
    const pictures::PictureSet digits = pictures::PictureSet::BuiltIn();
    engine::GameState state;
    std::vector<QString> messages;
    std::vector<int> topics;

    std::unique_ptr<BorrowWindow> Open(int32_t credits, int32_t borrowed)
    {
        state.Credits = credits;
        state.Borrowed = borrowed;
        dialogs::BorrowWindowServices services;
        services.showInformation = [this](const QString& text) { messages.push_back(text); };
        services.showHelp = [this](int topic) { topics.push_back(topic); };
        auto form = std::make_unique<BorrowWindow>(state, digits, 800, std::move(services));
        form->show();
        return form;
    }

    // Presses the buttons of these tags with the mouse, as a player does.
    static void Press(BorrowWindow& form, std::initializer_list<int> tags)
    {
        QPushButton* buttons[] = {&form.Button1000, &form.Button100, &form.Button10, &form.Button1};
        for (int tag : tags) QTest::mouseClick(buttons[tag], Qt::LeftButton);
    }

    void ExpectBalance(int32_t credits, int32_t borrowed)
    {
        EXPECT_EQ(state.Credits, credits);
        EXPECT_EQ(state.Borrowed, borrowed);
    }
};

TEST_F(BorrowWindowTest, EachButtonBorrowsItsAmountIntoCreditsAndBorrowed)
{
    auto form = Open(1000, 1000);
    EXPECT_TRUE(form->BorrowRadio.isChecked());
    Press(*form, {0, 0, 0});
    ExpectBalance(4000, 4000);
    Press(*form, {1, 2, 3});
    ExpectBalance(4111, 4111);
    EXPECT_TRUE(messages.empty());
}

TEST_F(BorrowWindowTest, PayingBackRefusesInTheirOrderAndChangesNothing)
{
    auto form = Open(999, 5000);
    QTest::mouseClick(&form->PayBackRadio, Qt::LeftButton);
    ASSERT_TRUE(form->PayBackRadio.isChecked());
    Press(*form, {0});
    ExpectBalance(999, 5000);
    Press(*form, {1});  // 100 is there: paid back
    ExpectBalance(899, 4900);

    state.Credits = 50;
    Press(*form, {1});
    state.Credits = 500;
    state.Borrowed = 5;
    Press(*form, {2});
    ExpectBalance(500, 5);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], QStringLiteral("You do not have 1000.00 credits!"));
    EXPECT_EQ(messages[1], QStringLiteral("You do not have  100.00 credits!"));
    EXPECT_EQ(messages[2], QStringLiteral("You cannot pay back more credits than you have borrowed!"));

    // The whole debt may be paid.
    Press(*form, {3, 3, 3, 3, 3});
    ExpectBalance(495, 0);
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(BorrowWindowTest, ABorrowPastTheLargest32BitAmountIsRefusedNotWrapped)
{
    auto form = Open(Largest - 1000, 10);
    Press(*form, {0});  // exactly to the limit
    ExpectBalance(Largest, 1010);
    Press(*form, {3});
    ExpectBalance(Largest, 1010);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("2,147,483,647"))) << messages[0].toStdString();

    state.Credits = 0;
    state.Borrowed = Largest - 5;
    Press(*form, {2});
    ExpectBalance(0, Largest - 5);
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(BorrowWindowTest, CountersShowTheBalanceInTheTablesDigits)
{
    auto form = Open(1000, 1000);
    Press(*form, {1});  // Borrowed 1100 in green from x 20, Credits 1100 in red ending at 552
    const QImage& surface = form->Surface();
    const auto cell = [](const QImage& strip, int digit) { return strip.copy(digit * 16, 0, 16, 21); };
    const int right = form->width() - 30;
    EXPECT_EQ(surface.copy(20, 40, 16, 21), cell(digits.smallGreenDigits, 1));
    EXPECT_EQ(surface.copy(20 + 32, 40, 16, 21), cell(digits.smallGreenDigits, 0));
    EXPECT_EQ(surface.copy(right - 64, 40, 16, 21), cell(digits.smallRedDigits, 1));
    EXPECT_EQ(surface.copy(right - 16, 40, 16, 21), cell(digits.smallRedDigits, 0));
    EXPECT_NE(surface.copy(right - 16, 40, 16, 21), cell(digits.smallGreenDigits, 0));
}

TEST_F(BorrowWindowTest, EscapeKeepsItOpenOkClosesAndF1AsksForTheControlsTopic)
{
    auto form = Open(1000, 1000);
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(form->focusWidget(), &form->OKButton);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(&form->OKButton, Qt::Key_F1);
    EXPECT_EQ(topics, std::vector<int>{BorrowWindow::ControlHelpContext});

    QTest::mouseClick(&form->HelpButton, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Use this screen to borrow credits")));
    EXPECT_TRUE(
        messages[0].endsWith(QStringLiteral("(or pay back).\r\n\r\nTo switch between \"borrow\" and "
                                            "\"pay back\" select the mode.")));

    QTest::keyClick(&form->OKButton, Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(BorrowWindowTest, AfterAClickOnAnAmountEnterPressesOk)
{
    auto form = Open(1000, 1000);
    QApplication::setActiveWindow(form.get());
    Press(*form, {1});
    // The click left the focus and the default on OK: Enter closes, borrowing nothing more.
    EXPECT_TRUE(form->OKButton.isDefault());
    QTest::keyClick(form->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ExpectBalance(1100, 1100);
}

TEST_F(BorrowWindowTest, TabReachesAnAmountAndSpacePressesIt)
{
    auto form = Open(1000, 1000);
    QApplication::setActiveWindow(form.get());
    for (int press = 0; press < 12 && form->focusWidget() != &form->Button10; ++press) {
        QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(form->focusWidget(), &form->Button10);
    QTest::keyClick(&form->Button10, Qt::Key_Space);
    ExpectBalance(1010, 1010);
}

}  // namespace
