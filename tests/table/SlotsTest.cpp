// Open Game and Save Game on the main window: the money of each game stays
// with it, and a signal while the dialog is open saves the running game.
#include <QApplication>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "WindowFixture.h"
#include "dialogs/SlotDialog.h"
#include "engine/Reels.h"
#include "store/GameStore.h"

using namespace windowtest;

namespace {

class WindowSlots : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.WriteSymbolSheet();
        form = env.MakeReady();
        env.stops.Force(engine::StartStops);
    }

    // Runs `act` on the slot dialog once it is shown modally by `command`.
    void WithDialog(void (table::MainWindow::*command)(), std::function<void(dialogs::SlotDialog&)> act)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<dialogs::SlotDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = true;
            act(*dialog);
        });
        ((*form).*command)();
        EXPECT_TRUE(seen) << "no slot dialog came up";
    }

    static void AnswerNameWith(const QString& name)
    {
        QTimer::singleShot(0, [name] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box) return;
            box->setTextValue(name);
            box->accept();
        });
    }

    Environment env;
    std::unique_ptr<table::MainWindow> form;
};

TEST_F(WindowSlots, SavingKeepsTheTableAndOpeningStartsTheSlotWithAnEmptyTable)
{
    for (int i = 0; i < 3; ++i) QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    WithDialog(&table::MainWindow::SaveGame1Click, [](dialogs::SlotDialog& dialog) {
        AnswerNameWith(QStringLiteral("Three coins"));
        dialog.SlotButton(3)->click();
    });
    // The running game is as it was: 997 credits and 3 coins on the table.
    EXPECT_EQ(form->Session().State().Credits, 997);
    EXPECT_EQ(form->Session().State().BetCoins, 3);
    store::GameStore games("plumfizz");
    engine::GameState third;
    games.LoadGameSlot(third, 2);
    EXPECT_EQ(third.GameName, "Three coins");
    EXPECT_EQ(third.Credits, 1000);
    EXPECT_EQ(third.Spins, 0);

    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    ASSERT_EQ(form->Session().State().Spins, 1);
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    WithDialog(&table::MainWindow::OpenGame1Click, [](dialogs::SlotDialog& dialog) { dialog.SlotButton(3)->click(); });
    EXPECT_EQ(form->Session().State().Credits, 1000);
    EXPECT_EQ(form->Session().State().Spins, 0);
    EXPECT_EQ(form->Session().State().BetCoins, 0);
    // The opened game is the current game at once.
    EXPECT_EQ(env.Saved("Credits"), "1000");
    EXPECT_EQ(env.Saved("Spins"), "0");
    EXPECT_TRUE(env.boxes.shown.empty());
}

TEST_F(WindowSlots, ASignalWhileTheDialogIsOpenSavesTheRunningGameAndCloses)
{
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    WithDialog(&table::MainWindow::OpenGame1Click, [this](dialogs::SlotDialog&) { form->OnTerminationRequested(); });
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(env.Saved("Credits"), "1000") << "998 credits and 2 coins on the table";
    EXPECT_EQ(env.Saved("Spins"), "0");
    EXPECT_EQ(env.Saved("GameName"), "CurrentGame");
    EXPECT_EQ(env.Reminder("Ver"), "") << "a signal skips the reminder";
}

TEST_F(WindowSlots, HelpSaysTheManualIsNotThere)
{
    WithDialog(&table::MainWindow::SaveGame1Click, [](dialogs::SlotDialog& dialog) {
        dialog.HelpBtn->click();
        dialog.reject();
    });
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("information"));
    EXPECT_EQ(env.boxes.shown[0].text,
              QStringLiteral("The manual %1plumfizz.html is not installed.").arg(env.AssetDir()));
}

}  // namespace
