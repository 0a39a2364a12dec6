// The main window's menu bar: its items, their captions and shortcuts.
#pragma once

#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace table {

// The items of the main window's menu bar, each object named after its item.
// The window connects each to its handler (<item name>Click).
struct MainMenuActions {
    QAction* NewGame1;
    QAction* OpenGame1;
    QAction* SaveGame1;
    QAction* Exit1;
    QAction* Sound1;
    QAction* Music1;
    QAction* Borrow1;
    QAction* Stats1;
    QAction* Payoffs1;
    QAction* Version1;
    QAction* ManualItem;
    QAction* GamesPageItem;
    QAction* CompayInformation1;
    QAction* VisitourSponsors1;
    QMenu* File1;
    QMenu* Options1;
    QMenu* Help1;
};

// "&" + title + " Manual", with any "&" in the title shown as itself.
QString ManualCaption(const QString& gameTitle);

// Fills an empty menu bar with MainMenu1: File, Options, the Borrow, Stats and
// Payoffs commands on the bar itself, and Help. Sound and Music start checked.
// The desktop shortcuts Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Q are set on their
// items and shown in the menus. F1 is not the manual item's: on the table it
// shows the table's own help topic.
MainMenuActions BuildMainMenu(QMenuBar* bar, const QString& gameTitle);

}  // namespace table
