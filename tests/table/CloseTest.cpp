// Closing and the commands around a spin: nothing the player won is lost,
// whether the window closes during a spin, by a signal, or not at all.
#include <QDate>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "dialogs/BonusWindow.h"
#include "engine/PayTable.h"
#include "pictures/PictureSet.h"
#include "store/GameStore.h"

using namespace windowtest;

namespace {

std::optional<engine::ReelStops> WinningStops()
{
    return engine::StartStops;  // symbol 0 on all three paylines
}

class WindowClose : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.WriteSymbolSheet();
        form = env.MakeReady();
        env.stops.Force(WinningStops());
    }
    Environment env;
    std::unique_ptr<table::MainWindow> form;
};

}  // namespace

TEST_F(WindowClose, CloseDuringTheCountUpSavesTheWholeWin)
{
    bool closeAsked = false;
    bool openRightAfterClose = false;
    env.platform.onWait = [&] {
        // Inside the count-up's first wait: part of the win is still to come.
        const play::TableShown& shown = form->Session().Shown();
        if (closeAsked || shown.winnings <= 0 || shown.credits >= form->Session().State().Credits) return;
        closeAsked = true;
        form->close();
        openRightAfterClose = form->isVisible();
    };
    QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();

    ASSERT_TRUE(closeAsked);
    EXPECT_FALSE(openRightAfterClose);  // the spin skipped to its end at once
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Session().State().SpinWin, 0);
    EXPECT_GE(form->Session().State().Credits, 999 + 2);
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));
    EXPECT_EQ(env.Saved("Spins"), "1");
    EXPECT_EQ(env.Saved("TotalBets"), "1");
    EXPECT_EQ(env.Saved("GameName"), "CurrentGame");
    // The close box's way: the update reminder ran.
    EXPECT_EQ(env.Reminder("Ver"), "2.0");
}

TEST_F(WindowClose, SignalDuringTheReelsSavesTheSpinWithoutTheReminder)
{
    int framesAfterSignal = -1;
    int waitsAtSignal = 0;
    env.platform.onWait = [&] {
        if (waitsAtSignal == 0 && form->Session().CommandRunning() && env.platform.waits > 5) {
            waitsAtSignal = env.platform.waits;
            form->OnTerminationRequested();
        }
    };
    QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    framesAfterSignal = env.platform.waits - waitsAtSignal;

    ASSERT_GT(waitsAtSignal, 0);
    EXPECT_EQ(framesAfterSignal, 0);  // no frame, slide or count-up wait after the signal
    EXPECT_FALSE(form->isVisible());
    EXPECT_GE(form->Session().State().Credits, 999 + 2);
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));
    EXPECT_EQ(env.Saved("Spins"), "1");
    EXPECT_FALSE(QFile::exists(env.ProfileFile(QStringLiteral("thupdate.ini"))));
}

TEST_F(WindowClose, ExitDuringASpinSkipsItToItsEndAndCloses)
{
    bool exited = false;
    env.platform.onWait = [&] {
        if (!exited && form->Session().CommandRunning()) {
            exited = true;
            form->Exit1Click();
            EXPECT_FALSE(form->isVisible());
            EXPECT_FALSE(env.platform.WakePending()) << "nothing of the spin is left to play";
        }
    };
    form->Session().State().LastBet = 2;  // Space re-bets it
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    ASSERT_TRUE(exited);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(env.Saved("TotalBets"), "2");
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));
}

TEST_F(WindowClose, SignalOutsideASpinClosesAndSavesWithoutTheReminder)
{
    QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    form->OnTerminationRequested();
    EXPECT_FALSE(form->isVisible());
    // The coin still on the table goes back to the saved credits.
    EXPECT_EQ(env.Saved("Credits"), "1000");
    EXPECT_EQ(env.Saved("GameName"), "CurrentGame");
    EXPECT_FALSE(QFile::exists(env.ProfileFile(QStringLiteral("thupdate.ini"))));
    EXPECT_TRUE(env.boxes.shown.empty());
}

TEST_F(WindowClose, CloseRunsTheReminderThenSavesTheCurrentGame)
{
    form->Session().State().Credits = 777;
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(env.boxes.shown.empty());  // the first close of a version asks nothing
    EXPECT_EQ(env.Reminder("Ver"), "2.0");
    EXPECT_EQ(env.Reminder("Update"),
              QDate::currentDate().addDays(90).toString(QStringLiteral("MM/dd/yyyy")).toStdString());
    EXPECT_EQ(env.Saved("Credits"), "777");
    EXPECT_EQ(env.Saved("GameName"), "CurrentGame");
    EXPECT_EQ(env.Saved("GameDate"), store::TodayGameDate());
}

TEST_F(WindowClose, EverySpinIsSavedAtOnce)
{
    QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(env.Saved("Spins"), "1");
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));

    // A refused spin is no spin: nothing new is written.
    QFile::remove(env.ProfileFile(QStringLiteral("plumfizz.ini")));
    form->Session().State().LastBet = 0;
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].text, QStringLiteral("No bet was placed!"));
    EXPECT_FALSE(QFile::exists(env.ProfileFile(QStringLiteral("plumfizz.ini"))));
}

TEST_F(WindowClose, AFailedSaveIsToldAndTheGameGoesOn)
{
    // A profile "directory" that is a file: nothing can be written there.
    const QString blocker = env.ConfigDir() + QStringLiteral("/blocked");
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    qputenv("XDG_CONFIG_HOME", blocker.toUtf8());

    const QString file = blocker + QStringLiteral("/tallyho/plumfizz.ini");
    QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(env.boxes.shown[0].caption, QStringLiteral("Plumfizz Slots"));
    EXPECT_EQ(env.boxes.shown[0].text,
              QStringLiteral("Your games cannot be saved: Unable to write to %1: Not a directory.").arg(file));

    // Told once: the next spins play on without a box.
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    EXPECT_EQ(form->Session().State().Spins, 3);
    EXPECT_EQ(env.boxes.shown.size(), 1u);

    // Closing cannot save either: one box says so (not one for the reminder
    // file beside it too) and the game stays open.
    env.boxes.shown.clear();
    form->close();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(env.boxes.shown[0].text, QStringLiteral("Unable to write to %1: Not a directory.").arg(file));

    // Having been told, the player can still quit, without another box.
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(env.boxes.shown.size(), 1u);
}

TEST_F(WindowClose, CommandsThatChangeTheGameWaitForTheSpin)
{
    bool checked = false;
    env.platform.onWait = [&] {
        if (checked || !form->Session().CommandRunning()) return;
        checked = true;
        EXPECT_FALSE(form->Menu.NewGame1->isEnabled());
        EXPECT_FALSE(form->Menu.OpenGame1->isEnabled());
        EXPECT_FALSE(form->Menu.SaveGame1->isEnabled());
        EXPECT_FALSE(form->Menu.Borrow1->isEnabled());
        EXPECT_TRUE(form->Menu.Exit1->isEnabled());
        // Even called directly, New Game leaves the running spin alone.
        form->NewGame1Click();
        EXPECT_EQ(form->Session().State().TotalBets, 1);
        EXPECT_TRUE(form->Session().State().SpinInProgress);
    };
    QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    ASSERT_TRUE(checked);
    EXPECT_EQ(form->Session().State().Spins, 1);
    EXPECT_TRUE(form->Menu.NewGame1->isEnabled());
    EXPECT_TRUE(form->Menu.OpenGame1->isEnabled());
    EXPECT_TRUE(form->Menu.SaveGame1->isEnabled());
    EXPECT_TRUE(form->Menu.Borrow1->isEnabled());
}

TEST_F(WindowClose, NewGameStartsWithAnEmptyTable)
{
    const pictures::PictureSet builtIn = pictures::PictureSet::BuiltIn();
    ASSERT_FALSE(builtIn.smallGreenDigits.isNull());
    form->Session().State().Credits = 5;
    form->Session().State().Spins = 9;
    for (int i = 0; i < 3; ++i) QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    form->Menu.NewGame1->trigger();

    // The coins belonged to the game that was left; none is refunded into
    // the new one, now or when it is saved.
    EXPECT_EQ(form->Session().State().Credits, 1000);
    EXPECT_EQ(form->Session().State().Spins, 0);
    EXPECT_EQ(form->Session().State().BetCoins, 0);
    // Redrawn: Coins shows 0 and Credits 1000 (16 × 21 cells on 800 pixels).
    const auto cell = [&](int digit) { return builtIn.smallGreenDigits.copy(digit * 16, 0, 16, 21); };
    const QImage& surface = form->Surface().Image();
    EXPECT_EQ(surface.copy(250, 44, 16, 21), cell(0));
    EXPECT_EQ(surface.copy(556, 44, 16, 21), cell(1));
    EXPECT_EQ(surface.copy(604, 44, 16, 21), cell(0));
    form->close();
    EXPECT_EQ(env.Saved("Credits"), "1000");
}

TEST_F(WindowClose, CloseDuringTheBonusWindowPaysItsBoxAndSavesTheSpin)
{
    // A full meter from a loaded game: this spin ends in the bonus window.
    form->Session().State().BonusPts = 12;
    form->Session().State().BonusWon = 0;
    QTest::keyClick(form->View(), Qt::Key_B);
    env.platform.RunWakes();
    QTest::keyClick(form->View(), Qt::Key_Space);
    env.platform.RunWakes();
    // The script waits for the player's box.
    ASSERT_NE(form->Dialogs().OpenBonus(), nullptr);
    EXPECT_TRUE(form->Session().CommandRunning());
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Dialogs().OpenBonus(), nullptr);
    // The line win and the box's prize are both in Credits, and saved.
    const int32_t lineWin = engine::PayFactor(engine::MatchPayRule(engine::ReadPayline(engine::StartStops)));
    ASSERT_GT(lineWin, 0);
    EXPECT_EQ(form->Session().State().Credits, 999 + lineWin + form->Session().State().BonusWon);
    EXPECT_EQ(form->Session().State().SpinWin, 0);
    EXPECT_EQ(form->Session().State().BonusPts, 0);
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));
    EXPECT_EQ(env.Saved("BonusWon"), std::to_string(form->Session().State().BonusWon));
    EXPECT_EQ(env.Saved("BonusPts"), "0");
    EXPECT_EQ(env.Saved("Spins"), "1");
}
