// The main window's menu bar: menus, items, separators and shortcuts in order, every item found
// by its name, and the shortcuts reaching their items from the window.
#include "table/MainMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One line per entry: "name|caption|shortcut|checkable/checked", "-" for a separator.
std::vector<std::string> Describe(const QList<QAction*>& actions)
{
    std::vector<std::string> lines;
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            lines.push_back("-");
            continue;
        }
        std::string line = action->objectName().toStdString() + "|" + action->text().toStdString() + "|" +
                           action->shortcut().toString(QKeySequence::PortableText).toStdString();
        if (action->isCheckable()) line += action->isChecked() ? "|checked" : "|unchecked";
        lines.push_back(line);
    }
    return lines;
}

class MainMenuTest : public ::testing::Test {
protected:
    QMainWindow window;
    table::MainMenuActions menu = table::BuildMainMenu(window.menuBar(), QStringLiteral("Plumfizz Slots"));
};

TEST_F(MainMenuTest, BarHoldsTheMenusAndTheThreeCommandsInOrder)
{
    QMenuBar* bar = window.menuBar();
    EXPECT_EQ(bar->objectName().toStdString(), "MainMenu");
    EXPECT_EQ(Describe(bar->actions()), (std::vector<std::string>{"|&File|", "|&Options|", "Borrow1|&Borrow|",
                                                                  "Stats1|&Stats|", "Payoffs1|&Payoffs|", "|&Help|"}));
    const QList<QAction*> top = bar->actions();
    EXPECT_EQ(top[0]->menu(), menu.File1);
    EXPECT_EQ(top[1]->menu(), menu.Options1);
    EXPECT_EQ(top[5]->menu(), menu.Help1);
    EXPECT_EQ(top[2], menu.Borrow1);
    EXPECT_EQ(top[3], menu.Stats1);
    EXPECT_EQ(top[4], menu.Payoffs1);
    for (int i : {2, 3, 4}) EXPECT_EQ(top[i]->menu(), nullptr) << "a command on the bar must not open a menu";
    EXPECT_EQ(menu.File1->objectName().toStdString(), "File1");
    EXPECT_EQ(menu.Options1->objectName().toStdString(), "Options1");
    EXPECT_EQ(menu.Help1->objectName().toStdString(), "Help1");
}

TEST_F(MainMenuTest, FileMenuItemsSeparatorsAndShortcuts)
{
    EXPECT_EQ(Describe(menu.File1->actions()),
              (std::vector<std::string>{"NewGame1|&New Game|Ctrl+N", "-", "OpenGame1|&Open Game|Ctrl+O",
                                        "SaveGame1|&Save Game|Ctrl+S", "-", "Exit1|E&xit|Ctrl+Q"}));
    EXPECT_EQ(menu.NewGame1, menu.File1->actions()[0]);
    EXPECT_EQ(menu.OpenGame1, menu.File1->actions()[2]);
    EXPECT_EQ(menu.SaveGame1, menu.File1->actions()[3]);
    EXPECT_EQ(menu.Exit1, menu.File1->actions()[5]);
}

TEST_F(MainMenuTest, OptionsStartChecked)
{
    EXPECT_EQ(Describe(menu.Options1->actions()),
              (std::vector<std::string>{"Sound1|Sound||checked", "Music1|Music||checked"}));
    EXPECT_EQ(menu.Sound1, menu.Options1->actions()[0]);
    EXPECT_EQ(menu.Music1, menu.Options1->actions()[1]);
    menu.Sound1->trigger();
    EXPECT_FALSE(menu.Sound1->isChecked()) << "the check mark must follow the player's choice";
    EXPECT_TRUE(menu.Music1->isChecked());
}

TEST_F(MainMenuTest, HelpMenuItemsAndSeparators)
{
    EXPECT_EQ(
        Describe(menu.Help1->actions()),
        (std::vector<std::string>{"Version1|Version|", "-", "ManualItem|&Plumfizz Slots Manual|", "-",
                                  "GamesPageItem|&Tallyho Games Page|", "-", "CompayInformation1|&Company Information|",
                                  "-", "VisitourSponsors1|&Visit our Sponsors|"}));
    const QList<QAction*> help = menu.Help1->actions();
    EXPECT_EQ(menu.Version1, help[0]);
    EXPECT_EQ(menu.ManualItem, help[2]);
    EXPECT_EQ(menu.GamesPageItem, help[4]);
    EXPECT_EQ(menu.CompayInformation1, help[6]);
    EXPECT_EQ(menu.VisitourSponsors1, help[8]);
}

TEST_F(MainMenuTest, EveryItemCanBeFoundByItsName)
{
    const std::vector<std::pair<const char*, QAction*>> items{{"NewGame1", menu.NewGame1},
                                                              {"OpenGame1", menu.OpenGame1},
                                                              {"SaveGame1", menu.SaveGame1},
                                                              {"Exit1", menu.Exit1},
                                                              {"Sound1", menu.Sound1},
                                                              {"Music1", menu.Music1},
                                                              {"Borrow1", menu.Borrow1},
                                                              {"Stats1", menu.Stats1},
                                                              {"Payoffs1", menu.Payoffs1},
                                                              {"Version1", menu.Version1},
                                                              {"ManualItem", menu.ManualItem},
                                                              {"GamesPageItem", menu.GamesPageItem},
                                                              {"CompayInformation1", menu.CompayInformation1},
                                                              {"VisitourSponsors1", menu.VisitourSponsors1}};
    for (const auto& [name, action] : items) {
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(window.findChild<QAction*>(QString::fromLatin1(name)), action) << name;
    }
}

TEST(ManualCaption, ShowsAmpersandsInTheTitleLiterally)
{
    EXPECT_EQ(table::ManualCaption("Plumfizz Slots").toStdString(), "&Plumfizz Slots Manual");
    const QString caption = table::ManualCaption("Fizz & Pop");
    EXPECT_EQ(caption.toStdString(), "&Fizz && Pop Manual");
    // The mnemonic is still the title's first letter, not the letter after its "&".
    EXPECT_EQ(QKeySequence::mnemonic(caption), QKeySequence(Qt::ALT | Qt::Key_F));
}

TEST_F(MainMenuTest, ShortcutsTriggerTheirItemsFromTheWindow)
{
    window.resize(400, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const std::vector<std::pair<QAction*, QKeyCombination>> shortcuts{{menu.NewGame1, Qt::CTRL | Qt::Key_N},
                                                                      {menu.OpenGame1, Qt::CTRL | Qt::Key_O},
                                                                      {menu.SaveGame1, Qt::CTRL | Qt::Key_S},
                                                                      {menu.Exit1, Qt::CTRL | Qt::Key_Q}};
    for (const auto& [action, keys] : shortcuts) {
        QSignalSpy spy(action, &QAction::triggered);
        QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
        EXPECT_EQ(spy.count(), 1) << action->objectName().toStdString();
    }
    // Plain keys belong to the table (bets and spins), not to the menu.
    QSignalSpy newGame(menu.NewGame1, &QAction::triggered);
    QTest::keyClick(&window, Qt::Key_N);
    EXPECT_EQ(newGame.count(), 0);
    // F1 is the table's own help topic, not the manual's contents.
    QSignalSpy manual(menu.ManualItem, &QAction::triggered);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(manual.count(), 0);
}

}  // namespace
