// Clicks and keys on the table: the inclusive hit areas, the keys, and the
// hold on input until the start-up tick and during a spin.
#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "WindowFixture.h"

using namespace windowtest;

namespace {

const QString NoBet = QStringLiteral("No bet was placed!");

// What one click did: a spin asked for (seen as the refusal of an empty
// table), or the coins it put on the table.
struct ClickOutcome {
    bool spinAsked = false;
    int coins = 0;
};

ClickOutcome Click(Environment& env, table::MainWindow& form, int x, int y)
{
    const size_t boxesBefore = env.boxes.shown.size();
    const int coinsBefore = form.Session().State().BetCoins;
    form.FormMouseDown(Qt::LeftButton, Qt::NoModifier, x, y);
    ClickOutcome outcome;
    outcome.spinAsked = env.boxes.shown.size() > boxesBefore && env.boxes.shown.back().text == NoBet;
    outcome.coins = form.Session().State().BetCoins - coinsBefore;
    form.Session().State().Credits += outcome.coins;  // the next click starts from the same table
    form.Session().State().BetCoins = coinsBefore;
    return outcome;
}

// A click at a point of the table, counted from its top-left corner.
ClickOutcome ClickTable(Environment& env, table::MainWindow& form, int x, int y)
{
    return Click(env, form, form.Surface().Origin().x() + x, form.Surface().Origin().y() + y);
}

}  // namespace

TEST(WindowInput, HitAreasOn800PixelsAreInclusive)
{
    Environment env;  // a client area 800 wide
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    ASSERT_EQ(form->Surface().Scale().LayoutWidth(), 800);
    ASSERT_EQ(form->Surface().Origin().x(), 0);

    EXPECT_TRUE(ClickTable(env, *form, 577, 293).spinAsked);
    EXPECT_TRUE(ClickTable(env, *form, 655, 352).spinAsked);
    EXPECT_EQ(ClickTable(env, *form, 655, 421).coins, 1);
    EXPECT_EQ(ClickTable(env, *form, 577, 362).coins, 1);
    // The bet-one sign on the table, lit or dim.
    EXPECT_EQ(ClickTable(env, *form, 600, 150).coins, 1);
    EXPECT_EQ(ClickTable(env, *form, 643, 181).coins, 1);

    for (const QPoint p : {QPoint(656, 300), QPoint(576, 300), QPoint(600, 353), QPoint(600, 292), QPoint(600, 422),
                           QPoint(600, 361), QPoint(644, 150), QPoint(600, 182), QPoint(10, 10)}) {
        const ClickOutcome outcome = ClickTable(env, *form, p.x(), p.y());
        EXPECT_FALSE(outcome.spinAsked) << p.x() << "," << p.y();
        EXPECT_EQ(outcome.coins, 0) << p.x() << "," << p.y();
    }
}

TEST(WindowInput, BetFiveAreaFillsTheTableAndSpins)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    form->FormMouseDown(Qt::RightButton, Qt::NoModifier, form->Surface().Origin().x() + 600,
                        form->Surface().Origin().y() + 460);
    EXPECT_EQ(form->Session().State().Spins, 1);
    EXPECT_EQ(form->Session().State().TotalBets, 5);
    EXPECT_EQ(form->Session().State().LastBet, 5);
}

TEST(WindowInput, SpinAreaOn1024Pixels)
{
    Environment env(1038, 968);  // a client area 1024 wide, high enough for the whole table
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    ASSERT_EQ(form->Surface().Scale().LayoutWidth(), 1024);
    ASSERT_EQ(form->Surface().Origin().x(), 0);
    EXPECT_TRUE(ClickTable(env, *form, 738, 375).spinAsked);
    EXPECT_TRUE(ClickTable(env, *form, 838, 450).spinAsked);
    for (const QPoint p : {QPoint(737, 400), QPoint(839, 400), QPoint(800, 374), QPoint(800, 451)}) {
        EXPECT_FALSE(ClickTable(env, *form, p.x(), p.y()).spinAsked) << p.x() << "," << p.y();
    }
}

TEST(WindowInput, HitAreasMoveWithTheCentredTable)
{
    Environment env(1920, 1080);
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    ASSERT_GT(form->Surface().Origin().x(), 0);
    const QPoint spin = Environment::Design(*form, 616, 322);
    EXPECT_TRUE(Click(env, *form, spin.x(), spin.y()).spinAsked);
    // Where the button would be without the centring there is only table.
    EXPECT_FALSE(Click(env, *form, spin.x() - form->Surface().Origin().x(), spin.y()).spinAsked);
}

TEST(WindowInput, NothingIsTakenBeforeTheStartupTick)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.Make();
    form->show();
    QCoreApplication::processEvents();

    form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, 600, 390);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_M);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Return);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().BetCoins, 0);
    EXPECT_EQ(form->Session().State().Credits, 1000);
    EXPECT_TRUE(env.boxes.shown.empty());

    form->StartupTick();
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().BetCoins, 1);
}

TEST(WindowInput, KeysBetAndSpin)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.MakeReady();

    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().BetCoins, 1);
    EXPECT_EQ(form->Session().State().Credits, 999);
    QTest::keyClick(form->View(), Qt::Key_B, Qt::ShiftModifier);  // Shift is not looked at
    EXPECT_EQ(form->Session().State().BetCoins, 2);

    // M fills the table to five coins, which spins.
    QTest::keyClick(form->View(), Qt::Key_M);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 1);
    EXPECT_EQ(form->Session().State().TotalBets, 5);

    // Space and Return each spin the last bet again; keypad Enter and keys
    // pressed with Insert held are a screen reader's and never spin.
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 2);
    QTest::keyClick(form->View(), Qt::Key_Return);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 3);
    QTest::keyClick(form->View(), Qt::Key_Enter, Qt::KeypadModifier);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 3);
    QTest::keyPress(form->View(), Qt::Key_Insert);
    QTest::keyClick(form->View(), Qt::Key_Space);
    QTest::keyClick(form->View(), Qt::Key_Return);
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 3);
    EXPECT_EQ(form->Session().State().BetCoins, 0);
    QTest::keyRelease(form->View(), Qt::Key_Insert);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 4) << "once Insert is released, Space spins again";
    EXPECT_EQ(form->Session().State().TotalBets, 20);

    // Other keys do nothing here.
    const int32_t credits = form->Session().State().Credits;
    QTest::keyClick(form->View(), Qt::Key_X);
    QTest::keyClick(form->View(), Qt::Key_5);
    EXPECT_EQ(form->Session().State().Spins, 4);
    EXPECT_EQ(form->Session().State().Credits, credits);
    EXPECT_TRUE(env.boxes.shown.empty());
}

TEST(WindowInput, InputDuringASpinIsDropped)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    bool tried = false;
    int coinsDuringSpin = -1;
    env.platform.onWait = [&] {
        if (tried || !form->Session().CommandRunning()) return;
        tried = true;
        QTest::keyClick(form->View(), Qt::Key_B);
        QTest::keyClick(form->View(), Qt::Key_Space);
        form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, 600, 390);
        form->FormMouseDown(Qt::LeftButton, Qt::NoModifier, 600, 320);
        coinsDuringSpin = form->Session().State().BetCoins;
    };
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    ASSERT_TRUE(tried);
    EXPECT_EQ(coinsDuringSpin, 0) << "the coins were played; none went on the table";
    EXPECT_EQ(form->Session().State().Spins, 1);
    EXPECT_EQ(form->Session().State().TotalBets, 1);
}

TEST(WindowInput, RealEventsReachTheTable)
{
    Environment env(800, 600);
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    form->ShowTable();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    // Keys typed at the window go to the table, not to the menu bar.
    EXPECT_EQ(QApplication::focusWidget(), form->View());
    QTest::keyClick(form->windowHandle(), Qt::Key_B);
    EXPECT_EQ(form->Session().State().BetCoins, 1);

    // A click in view pixels, with any button.
    QTest::mouseClick(form->View(), Qt::MiddleButton, Qt::NoModifier, QPoint(600, 390));
    EXPECT_EQ(form->Session().State().BetCoins, 2);
}

TEST(WindowInput, AStartupTickDuringASpinKeepsItsInputHeld)
{
    // New Game releases the table before the start-up tick; a spin started
    // then may still be running when the tick comes.
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.Make();
    form->show();
    QCoreApplication::processEvents();
    form->NewGame1Click();
    ASSERT_FALSE(form->Session().State().SpinInProgress);

    int step = 0;
    bool heldAfterTick = false;
    bool menuHeldAfterKeys = false;
    env.platform.onWait = [&] {
        if (!form->Session().CommandRunning()) return;
        if (step == 0) {
            form->StartupTick();
            heldAfterTick = form->Session().State().SpinInProgress;
        } else if (step == 1) {
            // Keys arriving in a later wait must not reach the rules.
            QTest::keyClick(form->View(), Qt::Key_B);
            QTest::keyClick(form->View(), Qt::Key_Space);
            menuHeldAfterKeys = !form->Menu.NewGame1->isEnabled();
        }
        ++step;
    };
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);

    ASSERT_GE(step, 2);
    EXPECT_TRUE(heldAfterTick);
    EXPECT_TRUE(menuHeldAfterKeys);
    EXPECT_FALSE(form->Session().State().SpinInProgress);  // the spin itself releases the table
    EXPECT_EQ(form->Session().State().Spins, 1);
    EXPECT_EQ(form->Session().State().TotalBets, 1);
    EXPECT_EQ(form->Session().State().BetCoins, 0);
    EXPECT_TRUE(form->Menu.NewGame1->isEnabled());
}

TEST(WindowInput, FullScreenIsToggledAndLeavesTheFixedWindowAsItWas)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    QAction* item = form->Menu.FullScreenItem;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_EQ(form->Menu.Options1->actions().back(), item);
    const QSize before = form->size();
    ASSERT_EQ(form->minimumSize(), before);

    item->trigger();
    EXPECT_TRUE(form->isFullScreen());
    EXPECT_TRUE(item->isChecked());
    EXPECT_GT(form->maximumSize().width(), before.width());

    item->trigger();
    EXPECT_FALSE(form->isFullScreen());
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(form->size(), before);
    EXPECT_EQ(form->minimumSize(), before);
    EXPECT_EQ(form->maximumSize(), before);
}
